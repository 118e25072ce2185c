#include "app/InstanceUnique.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A run killed between creating its lock and writing its number in it leaves a file QLockFile
// never takes for stale, and the folder would stay closed for good. Such a file has no number and
// nobody holds its native lock (the holder keeps one for its whole life). A run that is just
// starting writes its number within the instant, so the file must also have stayed so for a
// while: a fresh one is waited on for that long before it is judged.
constexpr qint64 attenteVerrouVide = 1000;

bool verrouAbandonne(const QLockFile &verrou)
{
    for (;;) {
        QFile fichier(verrou.fileName());
        if (!fichier.open(QIODevice::ReadOnly))
            return false;
        qint64 pid = 0;
        QString hote;
        QString programme;
        if (verrou.getLockInfo(&pid, &hote, &programme))
            return false; // QLockFile judges a lock it can read
        if (::flock(fichier.handle(), LOCK_SH | LOCK_NB) != 0)
            return false; // a live holder
        ::flock(fichier.handle(), LOCK_UN);
        const qint64 age = fichier.fileTime(QFileDevice::FileModificationTime)
                               .msecsTo(QDateTime::currentDateTime());
        if (age >= attenteVerrouVide || age < -attenteVerrouVide)
            return true;
        QThread::msleep(50);
    }
}

} // namespace

InstanceUnique::InstanceUnique(const QString &repertoire, QObject *parent)
    : QObject(parent)
    , m_repertoire(QFileInfo(repertoire).absoluteFilePath())
    , m_verrou(QDir(repertoire).filePath(u"kinolux.lock"_s))
{
    // Only a lock whose process is gone is stale: a run may stay open for days.
    m_verrou.setStaleLockTime(0);
}

InstanceUnique::~InstanceUnique() = default;

QString InstanceUnique::nomServeur(const QString &repertoire)
{
    QString canonique = QFileInfo(repertoire).canonicalFilePath();
    if (canonique.isEmpty())
        canonique = QFileInfo(repertoire).absoluteFilePath();
    const QByteArray empreinte = QCryptographicHash::hash(
        canonique.toUtf8() + '\n' + QByteArray::number(getuid()), QCryptographicHash::Sha1);
    return u"kinolux-"_s + QString::fromLatin1(empreinte.toHex().left(20));
}

bool InstanceUnique::acquerir()
{
    const QString nom = nomServeur(m_repertoire);
    if (!m_verrou.tryLock(0) && verrouAbandonne(m_verrou)) {
        // Two starts finding it together: only the one holding the removal lock removes it.
        QLockFile retrait(m_verrou.fileName() + u".rmlock"_s);
        if (retrait.tryLock(0) && verrouAbandonne(m_verrou))
            QFile::remove(m_verrou.fileName());
    }
    if (!m_verrou.isLocked() && !m_verrou.tryLock(0)) {
        // Held by a live run: it is asked for its window. A run that is still starting may not
        // listen yet; the lock says enough either way.
        QLocalSocket appel;
        appel.connectToServer(nom);
        if (appel.waitForConnected(1000)) {
            appel.write("devant\n");
            appel.waitForBytesWritten(1000);
            appel.disconnectFromServer();
        }
        return false;
    }
    // A socket file left by a run that died would refuse the new server.
    QLocalServer::removeServer(nom);
    m_serveur = new QLocalServer(this);
    m_serveur->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_serveur, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *appel = m_serveur->nextPendingConnection()) {
            connect(appel, &QLocalSocket::disconnected, appel, &QObject::deleteLater);
            const auto lire = [this, appel] {
                if (appel->readAll().contains("devant"))
                    emit appelee();
            };
            connect(appel, &QLocalSocket::readyRead, this, lire);
            if (appel->bytesAvailable() > 0)
                lire();
        }
    });
    m_serveur->listen(nom);
    return true;
}

#include "app/InstanceUnique.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

using namespace Qt::StringLiterals;

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
    if (!m_verrou.tryLock(0)) {
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

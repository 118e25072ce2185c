#include "catalogue/SauvegardesBase.h"

#include "catalogue/DocumentXml.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace SauvegardesBase {

namespace {

QByteArray hashDe(const QString &fichier)
{
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(k_algorithme);
    return hash.addData(&entree) ? hash.result() : QByteArray();
}

QString numero(const QString &fichier, int n)
{
    return fichier + u'.' + QString::number(n);
}

// Counts the cards without reading them: each one opens with this element.
int compterFiches(const QString &fichier)
{
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray octets = entree.readAll();
    const QByteArrayView balise("<ficheFilm>");
    int nombre = 0;
    for (qsizetype i = octets.indexOf(balise); i >= 0; i = octets.indexOf(balise, i + 1))
        ++nombre;
    return nombre;
}

} // namespace

Empreinte Empreinte::de(const QString &fichier)
{
    const QFileInfo info(fichier);
    Empreinte empreinte;
    if (!info.isFile())
        return empreinte;
    empreinte.existe = true;
    empreinte.taille = info.size();
    empreinte.modification = info.lastModified().toMSecsSinceEpoch();
    // A file too big to be a catalogue is never read, not even to be hashed.
    if (empreinte.taille <= DocumentXml::k_tailleMaximale)
        empreinte.hash = hashDe(fichier);
    return empreinte;
}

Empreinte Empreinte::ecrite(const QString &fichier, const QByteArray &hash)
{
    const QFileInfo info(fichier);
    Empreinte empreinte;
    empreinte.existe = info.isFile();
    empreinte.taille = info.size();
    empreinte.modification = info.lastModified().toMSecsSinceEpoch();
    empreinte.hash = hash;
    return empreinte;
}

bool changee(const Empreinte &connue, const QString &fichier)
{
    const QFileInfo info(fichier);
    if (!info.isFile())
        return false;
    if (!connue.existe || info.size() != connue.taille)
        return true;
    if (info.lastModified().toMSecsSinceEpoch() == connue.modification)
        return false;
    return connue.hash.isEmpty() || hashDe(fichier) != connue.hash;
}

bool tourner(const QString &fichier)
{
    if (!QFileInfo(fichier).isFile())
        return true;
    QFile::remove(numero(fichier, k_nombre));
    bool reussi = true;
    for (int n = k_nombre - 1; n >= 1; --n) {
        if (QFileInfo::exists(numero(fichier, n)))
            reussi = QFile::rename(numero(fichier, n), numero(fichier, n + 1)) && reussi;
    }
    const QString premiere = numero(fichier, 1);
    QFile::remove(premiere);
    // The file is about to be replaced by a rename: a second name keeps its bytes for nothing.
    if (link(QFile::encodeName(fichier).constData(), QFile::encodeName(premiere).constData()) == 0)
        return reussi;
    return QFile::copy(fichier, premiere) && reussi;
}

QList<Sauvegarde> lister(const QString &fichier)
{
    QList<Sauvegarde> sauvegardes;
    for (int n = 1; n <= k_nombre; ++n) {
        const QFileInfo info(numero(fichier, n));
        if (info.isFile())
            sauvegardes.append(
                {info.filePath(), info.lastModified(), compterFiches(info.filePath())});
    }
    return sauvegardes;
}

} // namespace SauvegardesBase

#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QList>
#include <QString>

// What keeps the catalogue file from being lost: its fingerprint as this run last read or wrote
// it (another program may change it meanwhile), and the previous versions kept at each save.
namespace SauvegardesBase {

struct Empreinte
{
    bool existe = false;
    qint64 taille = 0;
    qint64 modification = 0; // ms since the epoch
    QByteArray hash;         // of the bytes; none for a file too big to be read

    static Empreinte de(const QString &fichier);
    // The file just written, whose bytes `hash` saw as they went out.
    static Empreinte ecrite(const QString &fichier, const QByteArray &hash);
};

// The hash of the fingerprints.
constexpr QCryptographicHash::Algorithm k_algorithme = QCryptographicHash::Sha1;

// True when the file on disk is no longer the one of `connue`: there, different in size, or of
// another time and other bytes (a touched file whose bytes are the same has not changed). A file
// removed since is not a change: saving loses nothing then.
bool changee(const Empreinte &connue, const QString &fichier);

constexpr int k_nombre = 5;

// Before the file is replaced: fichier.1 … fichier.4 become .2 … .5 (the oldest dropped), and
// the file becomes fichier.1 (a second name of the same bytes; the new file takes the first name
// afterwards). Nothing when there is no file yet. False when a copy could not be made; the save
// goes on, as it loses nothing.
bool tourner(const QString &fichier);

struct Sauvegarde
{
    QString chemin;
    QDateTime date;
    int fiches = 0;
};
// The backups there are, newest first.
QList<Sauvegarde> lister(const QString &fichier);

} // namespace SauvegardesBase

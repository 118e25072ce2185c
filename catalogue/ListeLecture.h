#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The playlist's two files: "listeLecture.ldl", the saved titles, and "kinolux.pls", the playlist
// handed to the player.
namespace ListeLecture {

// The file's bytes, every line followed by CR LF. Windows-1252 while every line fits in it;
// otherwise UTF-8 after a byte-order mark, so that no character is lost.
QByteArray enOctets(const QStringList &lignes);
// The lines of a saved playlist: UTF-8 after a byte-order mark, Windows-1252 without. A line ends
// at CR, LF or CR LF; a last line without an end counts, an empty file has none.
QStringList lignes(QByteArrayView octets);

// The name given to the player for a path: what follows its last backslash or colon, the whole
// path when it has neither.
QString nomDansChemin(const QString &chemin);
// The lines of kinolux.pls for the video paths of the entries, in playlist order.
QStringList lignesPls(const QStringList &chemins);

// Replaces the file with these bytes at once (the old file stays whole on failure); raises
// Erreur when it cannot.
void ecrire(const QString &fichier, const QByteArray &octets);

} // namespace ListeLecture

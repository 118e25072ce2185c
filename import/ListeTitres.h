#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The cached title index of the cover site: one title a line, Windows-1252 bytes.
namespace ListeTitres {

// Lines ended by CR LF, LF or CR; a final line end adds no empty line.
QStringList decouperLignes(QByteArrayView octets);
// The titles of the file; an absent or unreadable file gives an empty list.
QStringList lire(const QString &chemin);

} // namespace ListeTitres

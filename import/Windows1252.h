#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the files and requests that cross the program's border.
// Decoding then encoding gives back all 256 bytes: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
namespace Windows1252 {

QString decoder(QByteArrayView octets);
// A character the code page cannot hold becomes '?'; `perte`, when given, says whether one did.
QByteArray encoder(QStringView texte, bool *perte = nullptr);
bool peutEncoder(QStringView texte);

} // namespace Windows1252

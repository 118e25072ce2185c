#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture the editing tab shows and validates.
namespace Edition {

// A picture as its file holds it: the bytes are what validation writes back, never re-encoded.
struct Couverture
{
    QByteArray octets;
    QImage image;
    bool vide() const { return octets.isEmpty(); }
};
// Reads a picture file, its type following the extension (JPEG, BMP, ICO; the content decides for
// any other). Raises when the file cannot be read as a picture.
Couverture lireCouverture(const QString &fichier);

} // namespace Edition

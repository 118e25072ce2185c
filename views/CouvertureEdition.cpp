#include "views/CouvertureEdition.h"

#include "catalogue/Edition.h"
#include "catalogue/Erreur.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

using namespace Qt::StringLiterals;

namespace Edition {

Couverture lireCouverture(const QString &fichier)
{
    QFile source(fichier);
    if (!source.open(QIODevice::ReadOnly))
        throw Erreur(
            u"Impossible d'ouvrir le fichier « %1 » : %2"_s.arg(fichier, source.errorString()));
    Couverture couverture;
    couverture.octets = source.readAll();

    const QString suffixe = extension(fichier).mid(1).toLower();
    QByteArray format;
    if (suffixe == u"jpg" || suffixe == u"jpeg")
        format = "JPEG";
    else if (suffixe == u"bmp")
        format = "BMP";
    else if (suffixe == u"ico")
        format = "ICO";
    QBuffer tampon(&couverture.octets);
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon, format);
    // Without a known extension the content decides.
    lecteur.setDecideFormatFromContent(format.isEmpty());
    couverture.image = lecteur.read();
    if (couverture.image.isNull() || couverture.octets.isEmpty())
        throw Erreur(u"« %1 » n'est pas une image lisible."_s.arg(fichier));
    return couverture;
}

} // namespace Edition

// Draws the pictures delivered beside the executable into the folder given as argument.
#include "chrome/Images.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdio>

namespace {

bool ecrire(const QImage &image, const QString &chemin, const char *format, int qualite = -1)
{
    QImageWriter ecrivain(chemin, format);
    ecrivain.setQuality(qualite);
    if (ecrivain.write(image))
        return true;
    std::fprintf(stderr, "kinolux_generer_images: %s: %s\n", qPrintable(chemin),
                 qPrintable(ecrivain.errorString()));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kinolux_generer_images FOLDER\n");
        return 2;
    }
    const QDir dossier(arguments.at(1));
    if (!dossier.mkpath(QStringLiteral("IMAGES_FILMS")) ||
        !dossier.mkpath(QStringLiteral("icones")))
        return 1;
    if (!ecrire(Images::sansImage(), dossier.filePath(QStringLiteral("IMAGES_FILMS/SANSIMAGE.jpg")),
                "jpg", 90))
        return 1;
    // Qt's ICO writer puts one picture in a file: 48 x 48, which the windows scale down.
    for (const Images::Icone &icone : Images::icones(48)) {
        if (!ecrire(icone.image.convertToFormat(QImage::Format_ARGB32),
                    dossier.filePath(QStringLiteral("icones/") + icone.fichier), "ico"))
            return 1;
    }
    return 0;
}

// Draws the pictures delivered beside the executable into the folder given as argument; with
// --icones-bureau, the program icon for the desktop's icon theme (DIR/<size>x<size>/apps).
#include "chrome/Images.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdio>

using namespace Qt::StringLiterals;

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
    if (arguments.size() == 3 && arguments.at(1) == QStringLiteral("--icones-bureau")) {
        const QDir theme(arguments.at(2));
        for (const int cote : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString dossier = QStringLiteral("%1x%1/apps").arg(cote);
            if (!theme.mkpath(dossier) ||
                !ecrire(Images::iconeBureau(cote), theme.filePath(dossier + "/kinolux.png"_L1),
                        "png"))
                return 1;
        }
        return 0;
    }
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kinolux_generer_images FOLDER\n"
                             "       kinolux_generer_images --icones-bureau FOLDER\n");
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

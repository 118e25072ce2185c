// Draws the pictures delivered beside the executable into the folder given as argument.
#include "chrome/Images.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

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
    if (!Images::sansImage().save(dossier.filePath(QStringLiteral("IMAGES_FILMS/SANSIMAGE.jpg")),
                                  "JPG", 90))
        return 1;
    return 0;
}

#include "catalogue/Tdm_Kinolux.h"

#include <QDesktopServices>
#include <QUrl>

void Tdm_Kinolux::lancerFichier(const QString &fichier) const
{
    // An empty path would name the program's own directory and open it in the file manager.
    if (fichier.isEmpty())
        return;
    // Always a local file: a stored path such as "http://..." is not handed on as an address.
    QDesktopServices::openUrl(QUrl::fromLocalFile(chemin(fichier)));
}

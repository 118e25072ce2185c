#include "import/Hotes.h"

#include <QDir>
#include <QSettings>

using namespace Qt::StringLiterals;

Hotes Hotes::lire(const QString &repertoire)
{
    Hotes hotes;
    const QString fichier = QDir(repertoire).filePath(u"kinolux.ini"_s);
    if (!QFileInfo::exists(fichier))
        return hotes;
    QSettings reglages(fichier, QSettings::IniFormat);
    reglages.beginGroup(u"sites"_s);
    auto lireHote = [&](const QString &cle, QString &hote) {
        // A trailing slash would double the one every request path starts with.
        QString valeur = reglages.value(cle, hote).toString().trimmed();
        while (valeur.endsWith(u'/'))
            valeur.chop(1);
        if (!valeur.isEmpty())
            hote = valeur;
    };
    lireHote(u"principal"_s, hotes.principal);
    lireHote(u"donnees"_s, hotes.donnees);
    lireHote(u"affiches"_s, hotes.affiches);
    return hotes;
}

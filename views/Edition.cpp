#include "views/Edition.h"

#include "catalogue/Erreur.h"
#include "catalogue/TFicheFilm.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Edition {

const QStringList &entreesChamps()
{
    static const QStringList entrees = {u"Titre Français"_s, u"Titre Original"_s,
                                        u"Année"_s,          u"Durée"_s,
                                        u"Résumé"_s,         u"Distributeur"_s};
    return entrees;
}

QString valeurChamp(const TFicheFilm &fiche, int position)
{
    switch (position) {
    case 0:
        return fiche.titreFrancais();
    case 1:
        return fiche.titreOriginal();
    case 2:
        return fiche.annee();
    case 3:
        return fiche.duree();
    case 4:
        return fiche.resume();
    case 5:
        return fiche.distributeurFR();
    default:
        return {};
    }
}

void ecrireChamp(TFicheFilm &fiche, int position, const QString &valeur)
{
    switch (position) {
    case 0:
        fiche.setTitreFrancais(valeur);
        break;
    case 1:
        fiche.setTitreOriginal(valeur);
        break;
    case 2:
        fiche.setAnnee(valeur);
        break;
    case 3:
        fiche.setDuree(valeur);
        break;
    case 4:
        fiche.setResume(valeur);
        break;
    case 5:
        fiche.setDistributeurFR(valeur);
        break;
    default:
        break;
    }
}

const QStringList &entreesListes()
{
    static const QStringList entrees = {u"Réalisateur(s)"_s, u"Nationnalité(s)"_s, u"Genre(s)"_s,
                                        u"Acteur(s)"_s, u"Mots clés"_s};
    return entrees;
}

QStringList valeurListe(const TFicheFilm &fiche, int position)
{
    switch (position) {
    case 0:
        return fiche.realisateurs();
    case 1:
        return fiche.nationnalites();
    case 2:
        return fiche.genres();
    case 3:
        return fiche.acteurs();
    case 4:
        return fiche.motsCles();
    default:
        return {};
    }
}

void ecrireListe(TFicheFilm &fiche, int position, const QStringList &lignes)
{
    switch (position) {
    case 0:
        fiche.setRealisateurs(lignes);
        break;
    case 1:
        fiche.setNationnalites(lignes);
        break;
    case 2:
        fiche.setGenres(lignes);
        break;
    case 3:
        fiche.setActeurs(lignes);
        break;
    case 4:
        fiche.setMotsCles(lignes);
        break;
    default:
        break;
    }
}

const QStringList &typesSupport()
{
    static const QStringList types = {u"DVD-/+R(W)"_s, u"DVD-VIDEO"_s, u"CD-R(W)"_s,
                                      u"Disque Dur Local"_s, u"Disque Dur Externe"_s};
    return types;
}

int indexTypeSupport(const QString &typeSupport)
{
    const QStringList &types = typesSupport();
    for (int i = 0; i < types.size(); ++i) {
        if (types.at(i).compare(typeSupport, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int preferenceBornee(qint32 niveau)
{
    return std::clamp(niveau, 0, 10);
}

QString extension(const QString &chemin)
{
    const qsizetype separateur = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u'/'));
    const qsizetype point = chemin.lastIndexOf(u'.');
    if (point < 0 || point < separateur)
        return {};
    return chemin.mid(point);
}

QString nouveauCheminImage(const QString &idFilm, const QString &cheminSource)
{
    // The identifier made a file name as the cover download makes it, without its ".jpg".
    QString chemin = Tdm_Kinolux::cheminImagePour(idFilm);
    chemin.chop(4);
    QString suffixe = extension(cheminSource);
    for (QChar &c : suffixe) {
        if (c.category() == QChar::Other_Control)
            c = u'_';
    }
    return chemin + suffixe;
}

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

void enregistrerCouverture(const Tdm_Kinolux &dm, const Couverture &couverture,
                           const QString &ancienChemin, const QString &nouveauChemin)
{
    if (couverture.vide())
        return;
    const QString fichier = dm.chemin(nouveauChemin);
    QSaveFile cible(fichier);
    if (!cible.open(QIODevice::WriteOnly) ||
        cible.write(couverture.octets) != couverture.octets.size() || !cible.commit())
        throw Erreur(
            u"Impossible d'écrire l'image « %1 » : %2"_s.arg(fichier, cible.errorString()));

    // A catalogue file from elsewhere must not make the program delete other files, nor the
    // placeholder that every missing cover is copied from.
    if (ancienChemin.isEmpty())
        return;
    const QFileInfo ancien(dm.chemin(ancienChemin));
    const QString ancienFichier = ancien.canonicalFilePath();
    const QString racine = QDir(dm.repertoire()).canonicalPath() + u'/';
    if (ancienFichier.isEmpty() || !ancien.isFile() || !ancienFichier.startsWith(racine) ||
        ancienFichier == QFileInfo(fichier).canonicalFilePath() ||
        ancienFichier == QFileInfo(dm.chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s)).canonicalFilePath())
        return;
    QFile::remove(ancienFichier);
}

} // namespace Edition

#include "catalogue/Edition.h"

#include "catalogue/Erreur.h"
#include "catalogue/TFicheFilm.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Edition {

namespace {

using namespace ChampsFiche;

constexpr Champ k_champs[] = {TitreFrancais, TitreOriginal, Annee, Duree, Resume, DistributeurFR};
constexpr Champ k_listes[] = {Realisateurs, Nationnalites, Genres, Acteurs, MotsCles};

QStringList libelles(std::span<const Champ> champs)
{
    QStringList entrees;
    for (const Champ c : champs)
        entrees.append(libelle(c));
    return entrees;
}

bool dans(std::span<const Champ> champs, int position)
{
    return position >= 0 && size_t(position) < champs.size();
}

} // namespace

std::span<const ChampsFiche::Champ> champsEdites()
{
    return k_champs;
}

const QStringList &entreesChamps()
{
    static const QStringList entrees = libelles(k_champs);
    return entrees;
}

QString valeurChamp(const TFicheFilm &fiche, int position)
{
    return dans(k_champs, position) ? ChampsFiche::texte(fiche, k_champs[position]) : QString();
}

void ecrireChamp(TFicheFilm &fiche, int position, const QString &valeur)
{
    if (dans(k_champs, position))
        ChampsFiche::ecrireTexte(fiche, k_champs[position], valeur);
}

std::span<const ChampsFiche::Champ> listesEditees()
{
    return k_listes;
}

const QStringList &entreesListes()
{
    static const QStringList entrees = libelles(k_listes);
    return entrees;
}

QStringList valeurListe(const TFicheFilm &fiche, int position)
{
    return dans(k_listes, position) ? ChampsFiche::liste(fiche, k_listes[position]) : QStringList();
}

void ecrireListe(TFicheFilm &fiche, int position, const QStringList &lignes)
{
    if (dans(k_listes, position))
        ChampsFiche::ecrireListe(fiche, k_listes[position], lignes);
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

void enregistrerCouverture(Tdm_Kinolux &dm, const QByteArray &octets, const QString &ancienChemin,
                           const QString &nouveauChemin)
{
    if (octets.isEmpty())
        return;
    const QString fichier = dm.chemin(nouveauChemin);
    // The file written over, or the absence of one, comes back when the change is undone.
    dm.conserverCouverture(nouveauChemin);
    QSaveFile cible(fichier);
    if (!cible.open(QIODevice::WriteOnly) || cible.write(octets) != octets.size() ||
        !cible.commit())
        throw Erreur(
            u"Impossible d'écrire l'image « %1 » : %2"_s.arg(fichier, cible.errorString()));

    // The old file goes to the bin (never a file outside the program's folder, nor the
    // placeholder).
    if (ancienChemin.isEmpty() || QFileInfo(dm.chemin(ancienChemin)).canonicalFilePath() ==
                                      QFileInfo(fichier).canonicalFilePath())
        return;
    dm.mettreCouvertureDeCote(ancienChemin);
}

} // namespace Edition

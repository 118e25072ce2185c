#include "catalogue/ModificationGroupee.h"

#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"

using namespace Qt::StringLiterals;
using namespace ChampsFiche;

namespace ModificationGroupee {

namespace {

constexpr Champ k_champs[] = {TitreFrancais, TitreOriginal,  Annee,        Duree,
                              Resume,        DistributeurFR, Realisateurs, Nationnalites,
                              Genres,        Acteurs,        MotsCles,     NiveauPreference,
                              NomSupport,    TypeSupport,    Codec,        Commentaire};

bool estListe(Champ champ)
{
    return champ != Aucun && ChampsFiche::champ(champ).genre == Genre::Liste;
}

bool memeEntree(const QString &a, const QString &b)
{
    return a.trimmed() == b.trimmed();
}

qint32 preference(const QString &valeur)
{
    bool ok = false;
    const int niveau = valeur.trimmed().toInt(&ok);
    if (!ok)
        throw Erreur(u"'%1' is not a valid integer value"_s.arg(valeur));
    return niveau;
}

} // namespace

std::span<const Champ> champsModifiables()
{
    return k_champs;
}

void verifier(const Modification &modification)
{
    const Champ champ = modification.champ;
    if (std::find(std::begin(k_champs), std::end(k_champs), champ) == std::end(k_champs))
        throw Erreur(u"Ce champ ne peut pas être modifié pour plusieurs fiches."_s);
    if (estListe(champ) != (modification.operation != Operation::Remplacer))
        throw Erreur(u"Une liste reçoit ou perd une entrée ; un champ est remplacé."_s);
    if (estListe(champ) && modification.valeur.trimmed().isEmpty())
        throw Erreur(u"L'entrée à ajouter ou à retirer est vide."_s);
    if (champ == NiveauPreference)
        preference(modification.valeur);
}

bool changerait(const TFicheFilm &fiche, const Modification &modification)
{
    const Champ champ = modification.champ;
    if (champ == NiveauPreference)
        return fiche.niveauPreference() != preference(modification.valeur);
    if (!estListe(champ))
        return ChampsFiche::texte(fiche, champ) != modification.valeur;
    const QStringList &liste = ChampsFiche::liste(fiche, champ);
    const bool present = std::any_of(liste.begin(), liste.end(), [&](const QString &entree) {
        return memeEntree(entree, modification.valeur);
    });
    return modification.operation == Operation::AjouterEntree ? !present : present;
}

void appliquer(TFicheFilm &fiche, const Modification &modification)
{
    const Champ champ = modification.champ;
    if (champ == NiveauPreference) {
        fiche.setNiveauPreference(preference(modification.valeur));
        return;
    }
    if (!estListe(champ)) {
        ChampsFiche::ecrireTexte(fiche, champ, modification.valeur);
        return;
    }
    QStringList liste = ChampsFiche::liste(fiche, champ);
    if (modification.operation == Operation::AjouterEntree) {
        if (changerait(fiche, modification))
            liste.append(modification.valeur.trimmed());
    } else {
        liste.removeIf(
            [&](const QString &entree) { return memeEntree(entree, modification.valeur); });
    }
    ChampsFiche::ecrireListe(fiche, champ, liste);
}

Bilan appliquer(Tdm_Kinolux &dm, std::span<const CleFiche> cles, const Modification &modification)
{
    verifier(modification);
    Bilan bilan;
    // One step of the history for them all.
    Tdm_Kinolux::Etape etape(dm, u"la modification de %1 fiches"_s.arg(cles.size()));
    for (const CleFiche cle : cles) {
        const TFicheFilm *fiche = dm.fiche(cle);
        if (!fiche || !changerait(*fiche, modification))
            continue;
        try {
            dm.modifierFiche(cle, [&](TFicheFilm &carte) { appliquer(carte, modification); });
        } catch (const Erreur &e) {
            bilan.echec = fiche->titreFrancais();
            bilan.raison = e.texte();
            return bilan;
        } catch (const std::exception &e) {
            bilan.echec = fiche->titreFrancais();
            bilan.raison = QString::fromLocal8Bit(e.what());
            return bilan;
        }
        ++bilan.modifiees;
    }
    return bilan;
}

} // namespace ModificationGroupee

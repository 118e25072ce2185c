#pragma once

#include "catalogue/TFicheFilm.h"

#include <QString>

#include <span>
#include <vector>

class ModeleVueEnsemble;

// The collection at a glance: films by decade, the most frequent genres, nationalities and
// distributors, the medium types and the preferences, and a few totals. Values that cannot be
// read (a year such as "-", a blank list entry, no distributor) are counted under "Inconnu",
// never left out; list entries that differ only by blanks around them count as one.
namespace Statistiques {

enum class Graphique
{
    Decennies,
    Genres,
    Nationalites,
    Distributeurs,
    Supports,
    Preferences
};
inline constexpr int nombreGraphiques = 6;

struct Compte
{
    QString valeur;
    int nombre = 0;
};

struct Resultat
{
    int films = 0;
    // Indexed by Graphique. Decades and preferences in their order, the others most frequent
    // first; the twelve most frequent genres, nationalities and distributors, the rest as
    // "Autres"; "Inconnu" last.
    std::vector<Compte> comptes[nombreGraphiques];
    qint64 minutes = 0;
    int dureesInconnues = 0;
    double preferenceMoyenne = 0;
    int sansCouverture = 0;
    int sansFichier = 0;
    int sansAnnee = 0;

    const std::vector<Compte> &de(Graphique g) const { return comptes[int(g)]; }
};

const QString &inconnu();
const QString &autres();
constexpr int k_plusFrequents = 12;

Resultat calculer(std::span<const TFicheFilm *const> fiches);

// The cards the overview's table shows, in its order.
std::vector<const TFicheFilm *> fichesMontrees(const ModeleVueEnsemble &vue);

// The quick filter that shows the films of a bar ("genre:Drame", "annee:1960-1969"); none for
// "Inconnu" and "Autres".
QString filtrePour(Graphique graphique, const QString &valeur);

// The title of a chart, and the totals as lines of text.
QString titre(Graphique graphique);
QString totaux(const Resultat &resultat);

} // namespace Statistiques

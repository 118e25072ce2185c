#pragma once

#include "catalogue/ChampsFiche.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

class Tdm_Kinolux;

// One field set for several cards at once: a text replaced, an entry added to or removed from a
// list, the preference, the medium's name or type.
namespace ModificationGroupee {

enum class Operation
{
    Remplacer,
    AjouterEntree,
    RetirerEntree
};

struct Modification
{
    ChampsFiche::Champ champ = ChampsFiche::Aucun;
    Operation operation = Operation::Remplacer;
    QString valeur;
};

// The fields the overview lets the user set on a selection (not the identifier, nor the paths).
std::span<const ChampsFiche::Champ> champsModifiables();

// Raises Erreur when the modification cannot be made at all (no field, a preference that is not
// a whole number, a list operation on a text field, an empty entry).
void verifier(const Modification &modification);

// Whether it would change this card; a list gains an entry it lacks, loses every copy of one it
// has (entries compared as typed, blanks around them ignored).
bool changerait(const TFicheFilm &fiche, const Modification &modification);
void appliquer(TFicheFilm &fiche, const Modification &modification);

struct Bilan
{
    int modifiees = 0;
    // The card that failed, when one did; the cards before it stay changed.
    QString echec;
    QString raison;
};

// Changes every card of these numbers that it would change, through the data module, in order;
// stops at the first card that fails.
Bilan appliquer(Tdm_Kinolux &dm, std::span<const CleFiche> cles, const Modification &modification);

} // namespace ModificationGroupee

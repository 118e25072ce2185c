#pragma once

#include <QString>

#include <span>
#include <vector>

class TFicheFilm;

// The groups of the classification tree, as a pure function of the cards walked.
namespace Classement {

// The items of the radio group, in order.
enum Type : int
{
    alphabetique = 0,
    parGenres,
    parNationalites,
    parDistributeurs,
    parPreferences,
    parTypesSupport,
    nombreTypes
};

// A film node: where its text lies in Arbre::textes, its card and the card's place among the
// cards given to grouper.
struct Film
{
    qsizetype debut;
    qsizetype longueur;
    const TFicheFilm *fiche;
    size_t position;
};

struct Groupe
{
    QString cle;
    // In the order met; a card listing one genre twice is here twice.
    std::vector<Film> films;
};

struct Arbre
{
    // The film nodes' texts end to end, copied from the cards: showing them never reads a card.
    QString textes;
    // In the order their key is first met.
    std::vector<Groupe> groupes;

    QStringView texte(const Film &film) const
    {
        return QStringView(textes).mid(film.debut, film.longueur);
    }
};

// Keys compare whole and case-sensitively; an unknown type gives no group.
Arbre grouper(std::span<const TFicheFilm *const> fiches, int type);

// The "Alphabétique" key: the identifier's first character (a whole code point), or "-" for a
// card without identifier.
QString initiale(const TFicheFilm &fiche);

// A film node's text: the identifier; for a card without one its French title, else "-".
QStringView texteNoeud(const TFicheFilm &fiche);

} // namespace Classement

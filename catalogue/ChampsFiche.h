#pragma once

#include "catalogue/TFicheFilm.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// The nineteen fields of a card, once: the element of the catalogue file, the French label, the
// kind and the accessors. The file's reader and writer, the editor and the catalogue model walk
// this table instead of naming each field.
namespace ChampsFiche {

// In the file's order.
enum Champ : int
{
    IdFilm,
    TitreFrancais,
    Realisateurs,
    Annee,
    Nationnalites,
    Genres,
    Duree,
    Acteurs,
    Resume,
    DistributeurFR,
    TitreOriginal,
    MotsCles,
    NiveauPreference,
    NomSupport,
    TypeSupport,
    CheminFichier,
    CheminImage,
    Codec,
    Commentaire,
    NombreChamps,
    Aucun = NombreChamps
};

enum class Genre
{
    Texte,
    Liste,
    Entier
};

struct Description
{
    const char *element;
    const char16_t *libelle;
    Genre genre;
    // Texte: the getter, and the setter (none for the identifier, which never changes).
    const QString &(TFicheFilm::*texte)() const = nullptr;
    void (TFicheFilm::*ecrireTexte)(const QString &) = nullptr;
    // Liste: the card's list, and the card's own list to write.
    const QStringList &(TFicheFilm::*liste)() const = nullptr;
    QStringList &(TFicheFilm::*listePropre)() = nullptr;
    // Entier.
    qint32 (TFicheFilm::*entier)() const = nullptr;
    void (TFicheFilm::*ecrireEntier)(qint32) = nullptr;
};

const std::array<Description, NombreChamps> &champs();
inline const Description &champ(Champ c)
{
    return champs()[size_t(c)];
}
QString libelle(Champ c);
// The field of a file element; Aucun for any other name.
Champ champDeElement(const char *element);

const QString &texte(const TFicheFilm &fiche, Champ c);
const QStringList &liste(const TFicheFilm &fiche, Champ c);
// Any field as one line of text: a list joined by ", ", the preference as its number.
QString enTexte(const TFicheFilm &fiche, Champ c);

// Writes a text field (not the identifier) or a list field; a list is replaced line by line, the
// card keeping its own list object.
void ecrireTexte(TFicheFilm &fiche, Champ c, const QString &valeur);
void ecrireListe(TFicheFilm &fiche, Champ c, const QStringList &lignes);

// A new card as the program makes one before filling it: every text "-", no list entry,
// preference 5, a DVD named after the normalised `titreSupport`, codec MPEG2, no video file.
std::unique_ptr<TFicheFilm> nouvelleFiche(const QString &idFilm, const QString &titreSupport);

} // namespace ChampsFiche

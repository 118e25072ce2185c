#pragma once

#include "catalogue/ChampsFiche.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

// The overview's quick filter: words typed, each found anywhere in a card's texts, letter case
// and accents ignored; and words with a field prefix ("genre:drame", "annee:1960-1969",
// "acteur:gabin", "pref:>7").
namespace FiltreRapide {

struct Critere
{
    enum class Genre
    {
        Mot,       // anywhere in the card's texts
        Champ,     // in one field (a list: in one of its entries)
        Intervalle // a number of the field (year, duration, preference) between two bounds
    };
    Genre genre = Genre::Mot;
    ChampsFiche::Champ champ = ChampsFiche::Aucun;
    QByteArray texte; // folded
    qint64 minimum = 0;
    qint64 maximum = 0;
};

struct Filtre
{
    std::vector<Critere> criteres;
    bool vide() const { return criteres.empty(); }
};

// A text as the filter compares it: UTF-8, letters without their accents and in one case.
QByteArray plier(QStringView texte);

// The number a text starts with ("1968?" gives 1968, "90 min" 90); none for "-" or a text that
// does not start with a digit.
std::optional<qint64> nombreEnTete(QStringView texte);

// The words of a text, blanks between them; a part between double quotes keeps its blanks.
QStringList mots(const QString &saisie);
Filtre analyser(const QString &saisie);

// Every text of the card that a word is looked for in, folded, fields kept apart; the paths of
// the cover and the video file are left out.
QByteArray texteCherche(const TFicheFilm &fiche);

// Whether the card satisfies every criterion; `texte` is its texteCherche.
bool correspond(const TFicheFilm &fiche, QByteArrayView texte, const Filtre &filtre);

} // namespace FiltreRapide

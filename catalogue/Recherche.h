#pragma once

#include "catalogue/Tdm_Kinolux.h"

#include <QString>
#include <QStringList>

// The multi-criteria search as pure functions of the catalogue.
namespace Recherche {

struct Criteres
{
    bool nomFilm = false;
    bool motCle = false;
    bool acteur = false;
    bool distributeur = false;
    bool realisateur = false;
    bool annee = false;
    QString texte; // for "Nom du Film" and "Mot Clé"
    QString acteurChoisi;
    QString distributeurChoisi;
    QString realisateurChoisi;
    QString anneeChoisie;
};

// Only the letters a to z become capitals; accented letters keep their case.
QString majusculesAscii(QString texte);

// Whether the card satisfies every ticked criterion; false when none is ticked.
bool satisfait(const TFicheFilm &fiche, const Criteres &criteres);

// The French titles of the cards found, in catalogue order.
QStringList rechercher(const Catalogue &fiches, const Criteres &criteres);

// What the four choice boxes offer: values in the order first met, a value that differs from
// an earlier one only in letter case left out.
struct Valeurs
{
    QStringList acteurs;
    QStringList distributeurs;
    QStringList realisateurs;
    QStringList annees;
};
Valeurs valeursOffertes(const Catalogue &fiches);

} // namespace Recherche

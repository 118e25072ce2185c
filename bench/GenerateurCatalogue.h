#pragma once

#include "catalogue/TFicheFilm.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// Realistic catalogues for measurements: French titles, 60-word summaries, 10 actors, 3 genres,
// 2 nationalities. The same seed gives the same cards.
namespace GenerateurCatalogue {

std::vector<std::unique_ptr<TFicheFilm>> fiches(int nombre, quint32 graine = 1);
// The same cards as values, as an export copies them out of the catalogue; made once a program.
const std::vector<TFicheFilm> &copies(int nombre);

// Writes `nombre` cards to baseFilm.bdf with the data module; the directory holds the template.
// A baseFilm.bdf already there is replaced.
void ecrireBase(const QString &repertoire, int nombre, quint32 graine = 1);

// A temporary program directory holding the template `modele` and a catalogue of `nombre`
// cards, made at the first call of a program (later calls give the same one).
const QTemporaryDir &dossierAvecBase(const QString &modele, int nombre);

// The bytes of a movies.txt of `nombre` titles in the index's form, such as "PONT (LE)".
QByteArray listeTitres(int nombre, quint32 graine = 1);

} // namespace GenerateurCatalogue

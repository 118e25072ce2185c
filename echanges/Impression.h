#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;

// The catalogue on paper or in a PDF file: a list (title, year, director, medium name, a line a
// film) or cards (cover and main fields, two films a page).
namespace Impression {

enum class Mise
{
    Liste,
    Fiches
};

struct Entree
{
    Mise mise = Mise::Liste;
    const std::vector<TFicheFilm> *fiches = nullptr;
    // The cover file of each card, at the same place, empty when none (read for the cards only).
    const std::vector<QString> *couvertures = nullptr;
};

// The number of pages the cards take on a page of this size (in the device's pixels).
int nombrePages(const Entree &entree, const QPagedPaintDevice &appareil);

// Paints the pages on the device (a printer, a PDF writer). Raises Progression::Annulation when
// stopped, Erreur when the device cannot be painted on. Runs on any thread.
void imprimer(const Entree &entree, QPagedPaintDevice &appareil, Progression &progression);

// Writes the PDF file: in full or not at all (a file already there stays until the new one is
// complete). Raises Erreur naming the file, or Progression::Annulation.
void exporterPdf(const Entree &entree, const QString &fichier, Progression &progression);

} // namespace Impression

#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

// The catalogue as a folder of web pages that any browser opens offline: index.html lists every
// film by title (small cover, year, genres, director, preference; a letter bar; a table sorted by
// a click on a heading, with no outside script or font), one page per film with all its fields
// and its cover, and the covers as small pictures. The pages are an XSLT transform (libxslt) of
// the cards in the catalogue file's XML form, with the stylesheet shipped in the program.
namespace CatalogueHtml {

struct Entree
{
    // Cards in the order of the index (the caller sorts them by title).
    const std::vector<TFicheFilm> *fiches = nullptr;
    // The cover file of each card, at the same place; empty for a card without one.
    const std::vector<QString> *couvertures = nullptr;
    // The small picture of a cover at this height (the desktop's thumbnail when there is one);
    // null when it cannot be read. Called from worker threads, two at a time, with an entry of
    // `couvertures` and the height 256 (the desktop's large thumbnails); a taller picture is
    // scaled down. None: the file is read at that height here.
    std::function<QImage(const QString &fichier, int hauteur)> vignette;
};

// The XML handed to the stylesheet: the cards as in the catalogue file, each with the names of
// its page and cover (a cover for every entry of `couvertures` that is not empty), of its
// neighbours' pages, of its row in the index, and the index letter it is filed under.
// `xsltproc -o DOSSIER/index.html` on it and the stylesheet writes the same folder as exporter().
QByteArray documentXml(const Entree &entree);

// The stylesheet shipped in the program.
QByteArray feuilleDeStyle();

// Writes the folder `dossier`: built beside it under a temporary name, then put in its place (a
// folder already there is replaced only once the new one is complete, and only if it holds
// nothing but a previous export). Raises Erreur, naming the file, when something cannot be
// written; raises Progression::Annulation when stopped; either way nothing is left of the new
// folder. A cover that is missing or not a picture gets the placeholder. Blocks for the whole
// work (about 3 s for 35,000 cards without covers) and keeps both cores busy: run it on a worker
// thread. The progression counts each cover, each page and three last steps.
// Whether exporter() may put a folder in the place of `dossier`: nothing there yet, or a folder
// that holds only what an export writes (a folder of the user's is never replaced).
bool remplacable(const QString &dossier);

void exporter(const Entree &entree, const QString &dossier, Progression &progression);

} // namespace CatalogueHtml

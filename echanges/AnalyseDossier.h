#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/FaitsVideo.h"
#include "echanges/NomVideo.h"
#include "echanges/Progression.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// A folder of films made into cards: the video files under it that no card names yet, and for
// each the card it proposes, from the media centre's .nfo beside it, else from the title index,
// else a blank card named after the file.
namespace AnalyseDossier {

// A file or folder left aside, and why.
struct Ecart
{
    QString chemin;
    QString raison;
};

struct Inventaire
{
    QStringList videos; // absolute paths, in the walk's order (names sorted in each folder)
    QList<Ecart> ecarts;
    bool arrete = false;
};

// Every file under `dossier` whose extension is a video one and whose absolute path, or the path
// it leads to through links, is not in `connus`. Symbolic links are followed, each folder once (a
// loop ends there); a folder that cannot be read and a name that is not UTF-8 are left aside with
// the reason. Stopped by the user, it gives what it found until then.
Inventaire lister(const QString &dossier, const QSet<QString> &connus, Progression &progression);

enum class Source
{
    Nfo,
    Index,
    Vierge
};

struct Proposition
{
    QString video;
    Source source = Source::Vierge;
    // The card to add: read from the .nfo, or blank and named after the file's title (the
    // index's card is fetched at import time, from the chosen candidate).
    TFicheFilm fiche{QString()};
    QString affiche;                     // the poster beside it (.nfo source only), or empty
    QList<NomVideo::Candidat> candidats; // index source: the best titles, the first chosen
    NomVideo::TitreDevine titre;         // what the name told
    FaitsVideo::Faits faits;
    QString remarque; // what went wrong on the way (an unreadable .nfo…)
};

// What one file proposes. Its facts are read by MediaInfo; a file it cannot read as a video
// gives no proposition but an Ecart.
struct Resultat
{
    std::optional<Proposition> proposition;
    std::optional<Ecart> ecart;
};
Resultat proposer(const QString &video, const NomVideo::IndexTitres &index);

// Every file's proposition (or reason), in the files' order, read on both cores. Raises
// Progression::Annulation once the user stops it.
struct Analyse
{
    QList<Proposition> propositions;
    QList<Ecart> ecarts;
};
Analyse proposerTout(const QStringList &videos, const NomVideo::IndexTitres &index,
                     Progression &progression);

// Whether a title of the index is near enough to be chosen for the user: the same title, most
// words shared, or a few typing slips away. A weaker one is offered, not chosen.
bool assezProche(const NomVideo::Candidat &candidat);

// The path a card keeps for its video file: relative to the program's directory when the file
// is inside it, else absolute.
QString cheminPourFiche(const QString &video, const QString &repertoireProgramme);

// The card a proposition adds once the user has chosen: the proposed one for an .nfo or a
// blank, with the video file and its facts written in (codec, and running time when the card
// has none).
void completer(TFicheFilm &fiche, const Proposition &proposition,
               const QString &repertoireProgramme);

// ---- Cards whose video file is gone

// The absolute path of a card's video file; empty when the card names none ("-" or blank).
QString cheminVideo(const QString &cheminFichier, const QString &repertoireProgramme);

// For each missing file, the files of the same name (case ignored) under `dossier`, nearest
// first (fewest folders deep, then in the walk's order). Stopped by the user, what was found.
QList<QStringList> chercherParNom(const QStringList &manquants, const QString &dossier,
                                  Progression &progression);

} // namespace AnalyseDossier

#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The cards as media centres read them: a Kodi movie .nfo file beside each film's video file
// ("Film.mkv" gets "Film.nfo"), which Kodi, Jellyfin and their managers take as the film's card.
namespace Nfo {

// The .nfo of a card: <movie> with title, originaltitle, year, plot, runtime (minutes), genre,
// country, director, studio, tag, userrating, uniqueid and actor/name, the fields it knows
// left out.
QByteArray xml(const TFicheFilm &fiche);

// The .nfo file that goes with a video file.
QString cheminNfo(const QString &video);

struct Omission
{
    QString titre;
    QString raison;
};

struct Bilan
{
    QStringList ecrits;
    QList<Omission> omis;
    // Stopped by the user before the last card.
    bool arrete = false;
};

// The .nfo files of these cards that exist already. `videos` holds each card's video file as an
// absolute path, empty for a card without one.
int existants(const std::vector<QString> &videos);

// Writes each card's .nfo beside its video file; one already there is replaced only when
// `remplacer` says so. Each file is whole or absent (written aside, then renamed). A card without
// a video file, whose folder is gone, or whose file cannot be written is listed with the reason.
// Stopped by the user, it ends before the next card: the files written until then stay.
Bilan ecrire(const std::vector<TFicheFilm> &fiches, const std::vector<QString> &videos,
             bool remplacer, Progression &progression);

} // namespace Nfo

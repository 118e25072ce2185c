#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
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

// ---- Reading what a media centre keeps beside a film

// A card read from a Kodi movie .nfo: title, original title, year, plot, runtime, genres,
// countries, directors, studio, rating and actors; the identifier the file gives when this
// program wrote it, else the title in capitals. No card, and the reason, when the file is not a
// <movie> card (not XML, too big, another kind of card).
struct Lecture
{
    std::optional<TFicheFilm> fiche;
    QString raison;
};
Lecture lire(const QString &chemin);
Lecture lireOctets(const QByteArray &octets);

// The files kept beside a video file: its .nfo ("<name>.nfo", else "movie.nfo" in its folder)
// and its poster ("<name>-poster.jpg", "poster.jpg", "folder.jpg", or the same in .png); empty
// when there is none.
QString nfoDe(const QString &video);
QString affiche(const QString &video);

} // namespace Nfo

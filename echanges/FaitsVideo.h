#pragma once

#include "catalogue/TFicheFilm.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a video file holds, as MediaInfo reads it: container, picture, running time, sound and
// subtitle tracks. Reading is slow on a network share: never on the GUI thread.
namespace FaitsVideo {

struct Audio
{
    QString format; // "AAC", "AC-3", "MPEG Audio"…
    int canaux = 0;
    QString langue; // as the file names it ("fr", "en"), empty when it does not
};

struct Faits
{
    // False when the file could not be read as a video; `raison` then says why.
    bool lu = false;
    bool existe = false; // the file is there, read or not
    QString raison;
    QString conteneur;  // "Matroska", "MPEG-4", "AVI"…
    QString codecVideo; // in the form collectors use: "H.264", "H.265", "MPEG-4"…
    int largeur = 0;
    int hauteur = 0;
    qint64 dureeMs = 0;
    QList<Audio> audios;
    QStringList sousTitres; // a language, or the format when the track has none
};

// The facts of one file. Nothing is ever fetched from the network.
Faits lire(const QString &chemin);

// The card's codec field: "H.264 1920×1080, AAC 5.1 fr/en".
QString resume(const Faits &faits);
// Every fact, a line each, for the video file's hint; the reason when the file could not be read.
QString detail(const Faits &faits);
// The running time rounded to the minute; 0 when unknown.
int minutes(const Faits &faits);

// The facts written into a card: the codec line, and the running time when the card has none
// ("-"). Nothing when the file could not be read.
void ecrireDans(TFicheFilm &fiche, const Faits &faits);

// Names whose extension is one of the video files' (case ignored).
bool extensionVideo(const QString &nom);

} // namespace FaitsVideo

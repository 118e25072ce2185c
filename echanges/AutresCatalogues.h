#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The films of another catalogue program's file, as cards ready to come in: a Tellico collection
// (.tc, a zip holding tellico.xml, or its plain XML), a GCstar film collection (.gcs), an Ant
// Movie Catalog XML export and a Kodi library export (videodb.xml). The format is told by the
// content, not by the name. Nothing is written: the caller shows what would come in, and adds it
// once the user accepts.
namespace AutresCatalogues {

enum class Format
{
    Tellico,
    GCstar,
    AntMovieCatalog,
    Kodi
};

// "Tellico", "GCstar", "Ant Movie Catalog", "Kodi".
QString nomFormat(Format format);

// The largest file read, and the largest XML a Tellico archive may inflate to.
constexpr qint64 k_tailleMaximale = 256LL << 20;
// The largest picture taken from an archive.
constexpr qint64 k_imageMaximale = 32LL << 20;

// The format of a file from its first bytes (a zip archive is taken for Tellico's). Raises Erreur
// naming `nom` when the file is none of the four.
Format detecter(QByteArrayView octets, const QString &nom);

// A card's cover as the file holds it or names it.
struct Couverture
{
    enum class Source
    {
        Aucune,
        Fichier, // the picture file `chemin`, inside the imported file's folder
        Archive, // the entry `entree` of the zip archive `chemin`
        Incluse  // the bytes `octets`, written out in the file
    };
    Source source = Source::Aucune;
    QString chemin;
    QString entree;
    QByteArray octets;
};

// An entry left out, or a card that came in without something, and why.
struct Ecart
{
    QString entree; // "entrée 12 (Brazil)"
    QString raison;
};

// What an import would add.
struct Import
{
    Format format = Format::Tellico;
    // The cards to add, in the file's order. Fields the file does not give keep a new card's
    // values; a card with a cover has its cheminImage ready ("IMAGES_FILMS\ID.jpg").
    Catalogue fiches;
    // The cover of each card, at the same place (Source::Aucune when there is none).
    std::vector<Couverture> couvertures;
    // Identifiers of entries left out: a card with it is in the catalogue already, or an earlier
    // entry of the file has it.
    QStringList dejaPresents;
    QStringList repetes;
    // Entries that could not be read (no title, not a film).
    QList<Ecart> illisibles;
    // Cards that came in without their cover (a picture outside the file's folder, missing).
    QList<Ecart> remarques;
};

// The catalogue's card with this identifier, or none.
using TrouverFiche = std::function<const TFicheFilm *(const QString &idFilm)>;

// The cards of a file. A card's identifier is its title in capitals as an import makes it
// ("L'ÉTÉ" stays "L'éTé": only a to z); when the catalogue or an earlier entry has that identifier
// with another year (a remake), the year in brackets is added: "NOSFERATU (1979)".
// Raises Erreur, naming the file, for a file that is none of the four formats, too big, not
// well-formed, with entity declarations (never expanded), a zip archive without a Tellico
// collection or one that inflates past the cap, a collection of something else than films, or
// two entries with the same number of the file (a damaged file).
Import importer(const QString &chemin, const TrouverFiche &trouver,
                Progression *progression = nullptr);
// The same on the file's bytes; `chemin` still names it (messages, the folder of the pictures,
// the archive the covers are read from).
Import importerOctets(const QByteArray &octets, const QString &chemin, const TrouverFiche &trouver,
                      Progression *progression = nullptr);

// A text with HTML markup as plain text: line breaks and paragraphs as line ends, other tags
// dropped, character references replaced.
QString texteBrut(const QString &html);

// The bytes of a cover. Reads an archive once for all the covers taken from it. Raises Erreur
// when the picture cannot be read.
class LecteurCouvertures final
{
public:
    LecteurCouvertures();
    ~LecteurCouvertures();
    QByteArray octets(const Couverture &couverture);

private:
    struct Archives;
    std::unique_ptr<Archives> m_archives;
};

struct CopieCouvertures
{
    // The files written, as paths relative to the base directory ("IMAGES_FILMS\X.jpg").
    QStringList ecrits;
    // Cards whose cover was not copied; their cheminImage was put back to "-".
    QList<Ecart> echecs;
};

// Writes each card's cover under `repertoire` at its cheminImage, each file whole or absent. A
// file already there is left as it is and the card keeps no cover.
CopieCouvertures copierCouvertures(Import &import, const QString &repertoire,
                                   Progression *progression = nullptr);

} // namespace AutresCatalogues

#pragma once

#include "catalogue/ChampsFiche.h"
#include "catalogue/TFicheFilm.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <utility>
#include <vector>

// Cards of the catalogue that are likely the same film, and the card that one of them becomes
// when they are merged.
namespace Doublons {

// Why cards were put together (several may hold for one group).
enum Raison : unsigned
{
    MemeTitre = 1,         // the same French title (compared on its key) and the same year,
                           // or a year missing on one side
    MemeTitreOriginal = 2, // the same original title and the same year
    MemeFichier = 4,       // the same video file
    MemeCouverture = 8     // the same cover, byte for byte
};

struct Groupe
{
    // Places of the cards in the catalogue, in its order.
    std::vector<size_t> fiches;
    // Raison flags of the links that made the group.
    unsigned raisons = 0;
};

// Two identifiers the user said are not the same film, the smaller first.
using Paire = std::pair<QString, QString>;
using PasDoublons = QSet<Paire>;
Paire paire(const QString &a, const QString &b);
// Marks every two cards of a group as not the same film.
void marquer(PasDoublons &pasDoublons, const std::vector<QString> &identifiants);

// The covers, for the "same cover" rule. Only pictures whose size another one shares are read:
// their first 16 KB, and the whole picture when those are alike too.
struct Couvertures
{
    // The size of the picture a stored path names (cheminImage), -1 when there is none.
    std::function<qint64(const QString &cheminImage)> taille;
    // Its first `maximum` bytes (all of them for -1).
    std::function<QByteArray(const QString &cheminImage, qint64 maximum)> octets;
    // The placeholder of the cards without a cover, which proves nothing.
    QByteArray sansImage;
};

// Pictures in the base directory, each found through `fichier` (a stored path to a file path,
// empty when it leads outside the directory, as Tdm_Kinolux::cheminInterieur gives).
Couvertures couverturesSurDisque(std::function<QString(const QString &cheminImage)> fichier,
                                 QByteArray sansImage = {});

// A picture that more cards than this share is a stock picture, not a sign of a double.
constexpr int k_couvertureCommune = 4;

// The groups of cards likely the same film, ordered by their first card. A remake (the same
// title, two different years) is not a double. A card without a year goes with the cards of its
// title when they all have one year; between several years it stays with the other cards of its
// title without a year. Two cards whose identifiers form a pair of `pasDoublons` are never put
// together by a rule (a third card may still bring them into one group). Without `couvertures`,
// covers are not compared. Cards are compared through keys in hash tables, never two by two.
std::vector<Groupe> chercher(const Catalogue &fiches, const PasDoublons &pasDoublons = {},
                             const Couvertures *couvertures = nullptr);

// The pairs remembered in doublons.ini of the data folder (QSettings INI, group [pasDoublons]).
// A missing file is an empty set; writing replaces the file atomically and raises Erreur when it
// cannot.
QString fichierPasDoublons(const QString &repertoire);
PasDoublons lirePasDoublons(const QString &fichier);
void ecrirePasDoublons(const QString &fichier, const PasDoublons &pasDoublons);

// For each field, the place in the group of the card whose value the merged card keeps; the
// identifier's choice is the card that stays.
using Choix = std::array<size_t, ChampsFiche::NombreChamps>;
// Each field from the first card of the group that fills it ("-" and "" do not), the first card
// when none does.
Choix choixParDefaut(const std::vector<const TFicheFilm *> &fiches);
// The merged card: texts and the preference from the chosen card; each list begins with the
// chosen card's entries, followed by the other cards' in the group's order, an entry that differs
// from an earlier one only in letter case or blanks around left out.
TFicheFilm fusionner(const std::vector<const TFicheFilm *> &fiches, const Choix &choix);

} // namespace Doublons

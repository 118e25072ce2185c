#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The film a video file is of, guessed from its name, and the titles of the title index that
// come nearest to it.
namespace NomVideo {

// What a file or folder name tells: the title, cleaned, in capitals as the title index writes
// them, and the year when the name has one ("" else).
struct TitreDevine
{
    QString titre;
    QString annee;
};

// From a file name (extension dropped when it is a video extension) or a folder name:
//  - square brackets and braces go with what they hold; control characters, dots and
//    underscores become blanks; dashes too when the name has no other separator;
//  - the title ends at the year (the last 19xx or 20xx before the tags, never the name's first
//    word: "1917.2019" is "1917" of 2019) or at the first release tag (resolution, codec, source,
//    edition, language, disc number), whichever comes first; tags in front are passed over.
//    Without a year before the tags, the year is the first among them, or one alone in
//    brackets;
//  - words that are tags only in some names ("FRENCH", "WEB", "EN") end the title only when a
//    tag or a release group ("-GROUP") follows them, or inside parentheses;
//  - parentheses that hold neither stay ("PONT (LE)", "LE PONT (DIE BRÜCKE)"); accents stay.
TitreDevine nettoyer(const QString &nom);

// For a file: the file's own name, or its folder's when the file's name says nothing useful
// ("movie.mkv", "VIDEO_TS.VOB", "CD1.avi", "00001.m2ts"): up to two folders that say nothing
// either ("VIDEO_TS", "BDMV/STREAM", "Sample") are passed over. A file name that says nothing
// and no folder that does: the file's own cleaned name. A useful file name without a year takes
// its folder's year when the folder names the same film. Both '/' and '\' separate folders.
TitreDevine deviner(const QString &cheminFichier);

// The key titles are compared on: the index's form "PONT (LE)" read as "le pont", case and
// accents folded, every run of punctuation and blanks one blank.
QString cleTitre(const QString &titre);

struct Candidat
{
    enum class Sorte
    {
        Exact,
        Mots,
        Distance
    };
    qsizetype ligne; // place of the title in the list given to IndexTitres
    QString titre;   // the index's title as it is in the list
    Sorte sorte;
    double score; // higher is better within a sorte
};

// The title index (up to 200,000 titles, from ListeTitres::lire) made ready for matching once.
// Titles are compared on a key: the article put back in front (ListeTitres::normaliserTitre),
// case and accents folded, punctuation as blanks. Immutable once built: copies share the data,
// and any number of threads may query it at once.
class IndexTitres final
{
public:
    explicit IndexTitres(const QStringList &titres);

    // The `nombre` best titles for a cleaned title: exact matches first, then the titles sharing
    // the most words, then the nearest by edit distance; ties in the index's order. Empty when
    // nothing is anywhere close.
    //  - Exact: same key; score 1.
    //  - Mots: at least one word shared, articles and one-letter words aside; a word of five
    //    letters or more also counts, at 0.8, for a word one typing slip away ("VADROUILE",
    //    "PONTS"). Score: the shared words over all the words of both (Jaccard), plus at most
    //    1e-4 for the articles shared, which break ties.
    //  - Distance: no word shared, the keys' edit distance at most 40 % of the longer key,
    //    looked for among the titles sharing the most letter triplets. Score: 1 - distance /
    //    length of the longer key.
    QList<Candidat> meilleurs(const QString &titreNettoye, int nombre = 5) const;

    // The lines of the list it was made from.
    qsizetype taille() const;

private:
    struct Donnees;
    std::shared_ptr<const Donnees> m_donnees;
};

} // namespace NomVideo

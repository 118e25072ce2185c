#pragma once

#include "catalogue/ChampsFiche.h"
#include "catalogue/TFicheFilm.h"
#include "echanges/Progression.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Cards as comma-separated values (RFC 4180), the way spreadsheet programs read and write them:
// UTF-8 with a byte-order mark, a heading of the French field labels, CRLF line ends, a field
// holding the separator, a quote or a line break quoted with its quotes doubled, lists joined
// by "; ". Reading takes back such a file and one saved by a spreadsheet program (`;` or `,`,
// UTF-8 or Windows-1252).
namespace Csv {

// One field as written: quoted only when it must be.
QString champ(const QString &valeur, QChar separateur = u',');

// The file of these cards, with these columns in this order.
QByteArray ecrire(const std::vector<TFicheFilm> &fiches,
                  const std::vector<ChampsFiche::Champ> &colonnes,
                  Progression *progression = nullptr, QChar separateur = u',');

// A file's records, cut into fields. `lignes[i]` begins on line `numeros[i]` of the file.
struct Tableau
{
    QStringList entete;
    std::vector<QStringList> lignes;
    std::vector<int> numeros;
    QChar separateur;
};

// The largest file and the largest field read.
constexpr qsizetype k_tailleMaximale = 256LL * 1024 * 1024;
constexpr qsizetype k_champMaximal = 1024 * 1024;

// Cuts a file's bytes into records. Raises Erreur naming `nom` (and the line) for an empty file, a
// quote left open, a field over 1 MB, a record with more or fewer fields than the heading.
Tableau lire(QByteArrayView octets, const QString &nom);

// What an import would add.
struct Import
{
    Catalogue fiches;
    // Identifiers skipped: already in the catalogue, or met earlier in the file.
    QStringList dejaPresents;
    // Headings that name no field, whose columns are left out.
    QStringList colonnesIgnorees;
};

// The cards of a file's records. A column is found by its French label or its element name
// (letter case and blanks around not minded); the identifier or the French title must be there.
// A card without identifier takes its French title's, in capitals as a new card's is typed;
// fields without a column keep a new card's values; an empty cell gives an empty text, as it was
// written. `present` tells whether the catalogue has an
// identifier already. Raises Erreur naming `nom` and the line for a value that cannot be taken.
Import fiches(const Tableau &tableau, const QString &nom,
              const std::function<bool(const QString &)> &present,
              Progression *progression = nullptr);

} // namespace Csv

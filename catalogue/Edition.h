#pragma once

#include "catalogue/ChampsFiche.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

class TFicheFilm;
class Tdm_Kinolux;

// What the editing tab does to a card and to the cover files, without its controls.
namespace Edition {

// The entries of the field choice box, in order, and the card field each one edits.
std::span<const ChampsFiche::Champ> champsEdites();
const QStringList &entreesChamps();
QString valeurChamp(const TFicheFilm &fiche, int position);
void ecrireChamp(TFicheFilm &fiche, int position, const QString &valeur);

// The entries of the list choice box, in order, and the card list each one edits.
std::span<const ChampsFiche::Champ> listesEditees();
const QStringList &entreesListes();
QStringList valeurListe(const TFicheFilm &fiche, int position);
void ecrireListe(TFicheFilm &fiche, int position, const QStringList &lignes);

// The medium types of the radio group, in order; the entry of a type, ignoring letter case, or
// -1.
const QStringList &typesSupport();
int indexTypeSupport(const QString &typeSupport);

// The preference as the track bar can show it (0 to 10).
int preferenceBornee(qint32 niveau);

// The extension of a path, from the last dot of its last component (dot included); "" when
// there is none. Both separators count.
QString extension(const QString &chemin);
// "IMAGES_FILMS\" + the identifier made a plain file name + the extension of `cheminSource`.
QString nouveauCheminImage(const QString &idFilm, const QString &cheminSource);

// Writes a picture's bytes to `nouveauChemin` (atomically), then sets the file of `ancienChemin`
// aside in the bin when it is another file inside the program's directory and not the
// placeholder; undoing the change brings back both files as they were.
// With no bytes neither happens. Raises when the new file cannot be written; the old one then
// stays.
void enregistrerCouverture(Tdm_Kinolux &dm, const QByteArray &octets, const QString &ancienChemin,
                           const QString &nouveauChemin);

} // namespace Edition

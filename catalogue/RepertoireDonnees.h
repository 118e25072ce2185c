#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files. Beside the executable while that folder can be written (the
// build's bin folder, an unpacked copy); otherwise, for an installed program, in the user's own
// data folder, which the first start fills from the files delivered beside the executable.
namespace RepertoireDonnees {

// The delivered files and folders the program reads, as named beside the executable.
const QStringList &fichiersLivres();

// True when files can be created in the folder and, when it has one, in its IMAGES_FILMS.
bool accessibleEnEcriture(const QString &dossier);

// $XDG_DATA_HOME/kinolux; ~/.local/share/kinolux when XDG_DATA_HOME is unset, empty or relative.
QString dossierPersonnel();

// Copies into `cible` (made if needed) each delivered file of `programme` that `cible` lacks,
// folders file by file: a file the user already has is never replaced. The copies are left
// writable by the user. Raises Erreur, naming the file, when one cannot be made.
void completer(const QString &programme, const QString &cible);

// The folder to run on: `programme` when it can be written, else dossierPersonnel() completed
// from `programme`. Raises Erreur when the per-user folder cannot be made or filled.
QString choisir(const QString &programme);

} // namespace RepertoireDonnees

#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The program's own pictures, drawn in code (no file to lose): the logo, the picture that opens
// the catalogue window, the about buttons, the program icon, the cover placeholder, the sheet's
// pictures, the image list of the catalogue window and the icon files of `icones/`.
namespace Images {

QImage logo();            // 249 x 97
QImage ouvrirCatalogue(); // the control panel's Image1, fits 279 x 234
QImage aPropos();         // 41 x 41
QImage aProposPetit();    // 41 x 33, the film list's about button
QImage iconeProgramme();  // 106 x 97, also the window icon
QImage sansImage();       // the cover placeholder, 249 x 345

// The program icon drawn in a square of `cote` pixels, for the desktop's icon themes.
QImage iconeBureau(int cote);

QImage imageDepart();         // the sheet's cover before any film is shown, 249 x 345
QImage lireFilm();            // "Lire le film", 48 x 48
QImage ajouterListeLecture(); // "Ajouter dans la liste de lecture", 32 x 32
QImage iconeVueEnsemble();    // the catalogue window's overview button, 22 x 18
QImage iconeExporter();       // the catalogue window's export button, 22 x 18

// The catalogue window's image list: 29 pictures of 16 x 16, built once. The indexes that other
// code relies on are named below.
const QList<QImage> &listeImages();
enum IndexImage : int
{
    imageSupportAutre = 0,
    imageDvdVideo = 5,
    imageEdition = 6,
    imageDisqueExterne = 9,
    imageListeLecture = 11,
    imageListeFilms = 12,
    imageClassement = 13,
    imageRecherche = 19,
    imageImportWeb = 24,
    imageDisqueLocal = 25,
    imageDvdEnregistrable = 26,
    imageCd = 27,
    imageFilmSelectionne = 28,
    nombreImages = 29
};

// One picture of `icones/`: its file name there and the picture, `cote` pixels square.
struct Icone
{
    QString fichier;
    QImage image;
};
// The five preference icons from "naze.ico" to "super.ico", then one icon per medium type
// ("DVD-R.ico", "rien.ico", "DVD-VIDEO.ico", ...).
QList<Icone> icones(int cote = 48);

} // namespace Images

#pragma once

#include <QImage>

// The program's own pictures, drawn in code (no file to lose): the logo, the picture that opens
// the catalogue window, the about button, the program icon and the cover placeholder.
namespace Images {

QImage logo();            // 249 x 97
QImage ouvrirCatalogue(); // the control panel's Image1, fits 279 x 234
QImage aPropos();         // 41 x 41
QImage iconeProgramme();  // 106 x 97, also the window icon
QImage sansImage();       // the cover placeholder, 249 x 345

} // namespace Images

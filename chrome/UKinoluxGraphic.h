#pragma once

#include <QString>

class PaintBox;
class QFont;
class QPainter;

// The program's painted chrome. Each procedure draws the whole picture on a painter whose
// origin is the top left corner of a box w wide and h high, and sets every pen, brush and font
// property it relies on. A line from A to B colours A but not B; pixels outside the box are
// left alone. The PaintBox overloads draw on the box's canvas during its paint event.
namespace UKinoluxGraphic {

void degradeBouton(QPainter &canvas, int h, int w);
void degradeBarreTitre(QPainter &canvas, int h, int w);

// The caption is placed from its extent in `police` (the box's own font), then drawn bold,
// white, 8 points, in the same face.
void dessinerBouton(QPainter &canvas, int h, int w, const QFont &police, const QString &legende);
void dessinerBarreTitre(QPainter &canvas, int h, int w, const QFont &police,
                        const QString &legende);
void dessinerFond(QPainter &canvas, int h, int w);
void dessinerBandeau(QPainter &canvas, int h, int w, int haut = 15);

void dessinerBouton(PaintBox &boite, const QString &legende);
void dessinerBarreTitre(PaintBox &boite, const QString &legende);
void dessinerFond(PaintBox &boite);
void dessinerBandeau(PaintBox &boite, int haut = 15);

} // namespace UKinoluxGraphic

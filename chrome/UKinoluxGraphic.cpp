#include "chrome/UKinoluxGraphic.h"

#include "chrome/PaintBox.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace UKinoluxGraphic {

namespace {

// The pixels of a line from (x0, y0) to (x1, y1), the end point excluded, that fall inside
// the box 0..w-1 x 0..h-1.
void ajouterLigne(std::vector<QPoint> &points, int x0, int y0, int x1, int y1, int h, int w)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int erreur = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        if (x >= 0 && x < w && y >= 0 && y < h)
            points.emplace_back(x, y);
        const int double_erreur = 2 * erreur;
        if (double_erreur >= dy) {
            erreur += dy;
            x += sx;
        }
        if (double_erreur <= dx) {
            erreur += dx;
            y += sy;
        }
    }
}

// A line from (x0, y) to (x1, y), the end point excluded, clipped to the box.
void ligneHorizontale(QPainter &canvas, int x0, int x1, int y, int h, int w, const QColor &couleur)
{
    if (x0 == x1 || y < 0 || y >= h)
        return;
    int gauche = x0 < x1 ? x0 : x1 + 1;
    int droite = x0 < x1 ? x1 - 1 : x0;
    gauche = std::max(gauche, 0);
    droite = std::min(droite, w - 1);
    if (gauche <= droite)
        canvas.fillRect(QRect(gauche, y, droite - gauche + 1, 1), couleur);
}

// Every pen and brush property the procedures rely on, on a painter saved by the caller.
void preparer(QPainter &canvas)
{
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setBrush(Qt::NoBrush);
    canvas.setOpacity(1.0);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void dessinerLegende(QPainter &canvas, int h, int w, const QFont &police, const QString &legende)
{
    const QFontMetrics mesure(police, canvas.device());
    const int th = mesure.height();
    const int tw = mesure.horizontalAdvance(legende);
    const int haut = (h - th) / 2;
    const int gauche = (w - tw - 10) / 2;

    QFont gras(police);
    gras.setPointSize(8);
    gras.setBold(true);
    canvas.setFont(gras);
    canvas.setPen(Qt::white);
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setClipRect(QRect(0, 0, w, h), Qt::IntersectClip);
    canvas.drawText(gauche, haut + QFontMetrics(gras, canvas.device()).ascent(), legende);
}

// A gradient over the whole box, then the caption over it.
void dessinerAvecLegende(void (*degrade)(QPainter &, int, int), QPainter &canvas, int h, int w,
                         const QFont &police, const QString &legende)
{
    if (h <= 0 || w <= 0)
        return;
    degrade(canvas, h, w);
    canvas.save();
    preparer(canvas);
    dessinerLegende(canvas, h, w, police, legende);
    canvas.restore();
}

} // namespace

void degradeBouton(QPainter &canvas, int h, int w)
{
    if (h <= 0 || w <= 0)
        return;
    canvas.save();
    preparer(canvas);
    for (int y = 0; y < h; ++y) {
        const int rouge = 255 - static_cast<int>(255.0 / h / 2 * y);
        const int vert = 150 - static_cast<int>(150.0 / h / 2 * y);
        const int bleu = 150 - static_cast<int>(150.0 / h / 2 * y);
        ligneHorizontale(canvas, 0, w, y, h, w, QColor(rouge, vert, bleu));
    }
    canvas.restore();
}

void degradeBarreTitre(QPainter &canvas, int h, int w)
{
    if (h <= 0 || w <= 0)
        return;
    canvas.save();
    preparer(canvas);
    for (int y = 0; y < h; ++y) {
        const int c = h - y;
        const int rouge = static_cast<int>(205.0 / h * c);
        const int vert = static_cast<int>(195.0 / h * c);
        const int bleu = static_cast<int>(225.0 / h * c);
        ligneHorizontale(canvas, 0, w, y, h, w, QColor(rouge, vert, bleu));
    }
    canvas.restore();
}

void dessinerBouton(QPainter &canvas, int h, int w, const QFont &police, const QString &legende)
{
    dessinerAvecLegende(degradeBouton, canvas, h, w, police, legende);
}

void dessinerBarreTitre(QPainter &canvas, int h, int w, const QFont &police, const QString &legende)
{
    dessinerAvecLegende(degradeBarreTitre, canvas, h, w, police, legende);
}

void dessinerFond(QPainter &canvas, int h, int w)
{
    if (h <= 0 || w <= 0)
        return;
    canvas.save();
    preparer(canvas);
    for (int y = 0; y < h; ++y) {
        const int rouge = 255 - static_cast<int>(120.0 / h * y);
        const int vert = 255 - static_cast<int>(130.0 / h * y);
        const int bleu = 255 - static_cast<int>(100.0 / h * y);
        ligneHorizontale(canvas, 0, w, y, h, w, QColor(rouge, vert, bleu));
    }

    std::vector<QPoint> points;
    for (int i = 0; i <= 40; ++i) {
        points.clear();
        ajouterLigne(points, i, 0, 0, 40 - i, h, w);
        ajouterLigne(points, w - i, 0, w, 40 - i, h, w);
        ajouterLigne(points, 0, h - 40 + i, i, h, h, w);
        ajouterLigne(points, w - i, h, w, h - 40 + i, h, w);
        const QColor couleur(static_cast<int>(2.7 * i), static_cast<int>(2.5 * i),
                             static_cast<int>(3.1 * i));
        canvas.setPen(QPen(couleur, 1));
        canvas.drawPoints(points.data(), static_cast<int>(points.size()));
    }
    canvas.restore();
}

void dessinerBandeau(QPainter &canvas, int h, int w, int haut)
{
    if (h <= 0 || w <= 0)
        return;
    const int gauche = 25;
    const int droite = w - 25;
    canvas.save();
    preparer(canvas);
    const QColor pale(225, 215, 245);
    for (int k = 20; k >= 0; --k)
        ligneHorizontale(canvas, gauche + 3, droite + 3, haut + k + 3, h, w, pale);
    for (int i = 0; i <= 20; ++i) {
        const QColor couleur(static_cast<int>(205.0 / 20 * i), static_cast<int>(195.0 / 20 * i),
                             static_cast<int>(225.0 / 20 * i));
        ligneHorizontale(canvas, gauche, droite, haut + 20 - i, h, w, couleur);
    }
    canvas.restore();
}

void dessinerBouton(PaintBox &boite, const QString &legende)
{
    dessinerBouton(boite.canvas(), boite.height(), boite.width(), boite.font(), legende);
}

void dessinerBarreTitre(PaintBox &boite, const QString &legende)
{
    dessinerBarreTitre(boite.canvas(), boite.height(), boite.width(), boite.font(), legende);
}

void dessinerFond(PaintBox &boite)
{
    dessinerFond(boite.canvas(), boite.height(), boite.width());
}

void dessinerBandeau(PaintBox &boite, int haut)
{
    dessinerBandeau(boite.canvas(), boite.height(), boite.width(), haut);
}

} // namespace UKinoluxGraphic

#include "chrome/Images.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace Images {

namespace {

// The chrome's palette: the title bars' lavender to near black, the buttons' reds.
const QColor lavande(205, 195, 225);
const QColor lavandePale(225, 215, 245);
const QColor lavandeSombre(150, 140, 175);
const QColor ardoise(70, 62, 88);
const QColor noir(22, 20, 28);
const QColor rougeClair(255, 150, 150);
const QColor rouge(200, 45, 55);
const QColor rougeSombre(135, 80, 80);

QImage nouvelleImage(int largeur, int hauteur)
{
    QImage image(largeur, hauteur, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void preparer(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont police(qreal pixels, bool gras)
{
    QFont f(u"DejaVu Sans"_s);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qRound(pixels));
    f.setBold(gras);
    return f;
}

QLinearGradient degradeVertical(qreal haut, qreal bas, const QColor &de, const QColor &a)
{
    QLinearGradient degrade(0, haut, 0, bas);
    degrade.setColorAt(0, de);
    degrade.setColorAt(1, a);
    return degrade;
}

// A film reel: a disc with five windows and a hub, the windows cut through.
void bobine(QPainter &p, QPointF centre, qreal rayon, const QColor &couleur, const QColor &bord)
{
    QPainterPath forme;
    forme.setFillRule(Qt::OddEvenFill);
    forme.addEllipse(centre, rayon, rayon);
    for (int k = 0; k < 5; ++k) {
        const qreal angle = -std::numbers::pi / 2 + k * 2 * std::numbers::pi / 5;
        const QPointF trou = centre + QPointF(std::cos(angle), std::sin(angle)) * rayon * 0.55;
        forme.addEllipse(trou, rayon * 0.24, rayon * 0.24);
    }
    forme.addEllipse(centre, rayon * 0.07, rayon * 0.07);

    QRadialGradient reflet(centre - QPointF(rayon * 0.35, rayon * 0.35), rayon * 1.6);
    reflet.setColorAt(0, couleur.lighter(112));
    reflet.setColorAt(1, couleur.darker(118));
    p.setPen(QPen(bord, std::max(1.0, rayon * 0.05)));
    p.setBrush(reflet);
    p.drawPath(forme);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, rayon * 0.17, rayon * 0.17);
}

// A strip of film: a dark band with a row of perforations along each long edge.
void bandeFilm(QPainter &p, const QRectF &bande, qreal trou, const QColor &perforations)
{
    p.setPen(Qt::NoPen);
    p.setBrush(degradeVertical(bande.top(), bande.bottom(), QColor(40, 36, 50), noir));
    p.drawRoundedRect(bande, trou * 0.6, trou * 0.6);
    p.setBrush(perforations);
    const qreal pas = trou * 1.8;
    const int nombre = static_cast<int>((bande.width() - trou) / pas);
    const qreal depart = bande.left() + (bande.width() - (nombre - 1) * pas - trou) / 2;
    for (int k = 0; k < nombre; ++k) {
        const qreal x = depart + k * pas;
        p.drawRoundedRect(QRectF(x, bande.top() + trou * 0.45, trou, trou * 0.7), 1.2, 1.2);
        p.drawRoundedRect(QRectF(x, bande.bottom() - trou * 1.15, trou, trou * 0.7), 1.2, 1.2);
    }
}

// A round red badge with a white "play" triangle.
void boutonLecture(QPainter &p, QPointF centre, qreal rayon)
{
    QRadialGradient degrade(centre - QPointF(rayon * 0.4, rayon * 0.5), rayon * 1.7);
    degrade.setColorAt(0, rougeClair);
    degrade.setColorAt(0.45, rouge);
    degrade.setColorAt(1, rougeSombre.darker(130));
    p.setPen(QPen(Qt::white, std::max(1.5, rayon * 0.1)));
    p.setBrush(degrade);
    p.drawEllipse(centre, rayon, rayon);
    const qreal c = rayon * 0.5;
    const QPointF triangle[] = {centre + QPointF(-c * 0.7, -c), centre + QPointF(-c * 0.7, c),
                                centre + QPointF(c * 1.05, 0)};
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(triangle, 3);
}

// A clapperboard: the slate and its striped clapper, opened by `ouverture` degrees.
void clap(QPainter &p, const QRectF &ardoiseRect, qreal ouverture)
{
    const qreal hauteurBarre = ardoiseRect.height() * 0.2;

    p.setPen(Qt::NoPen);
    p.setBrush(degradeVertical(ardoiseRect.top(), ardoiseRect.bottom(), QColor(48, 44, 58), noir));
    p.drawRoundedRect(ardoiseRect, 4, 4);

    // The fixed striped band on top of the slate.
    const QRectF bandeFixe(ardoiseRect.left(), ardoiseRect.top(), ardoiseRect.width(),
                           hauteurBarre);
    auto rayures = [&](const QRectF &zone) {
        p.save();
        p.setClipRect(zone);
        p.fillRect(zone, noir);
        p.setBrush(lavandePale);
        const qreal pas = zone.height() * 1.6;
        for (qreal x = zone.left() - zone.height(); x < zone.right(); x += 2 * pas) {
            const QPointF bande[] = {{x, zone.bottom()},
                                     {x + pas, zone.bottom()},
                                     {x + pas + zone.height(), zone.top()},
                                     {x + zone.height(), zone.top()}};
            p.drawPolygon(bande, 4);
        }
        p.restore();
    };
    rayures(bandeFixe);

    // The slate's lines.
    p.setPen(QPen(lavande, 1.5));
    const qreal gauche = ardoiseRect.left() + ardoiseRect.width() * 0.08;
    const qreal droite = ardoiseRect.right() - ardoiseRect.width() * 0.08;
    const qreal haut = bandeFixe.bottom() + ardoiseRect.height() * 0.22;
    const qreal pasLigne = ardoiseRect.height() * 0.2;
    for (int k = 0; k < 3; ++k)
        p.drawLine(QPointF(gauche, haut + k * pasLigne), QPointF(droite, haut + k * pasLigne));
    p.drawLine(QPointF(ardoiseRect.center().x(), haut),
               QPointF(ardoiseRect.center().x(), haut + 2 * pasLigne));

    // The clapper, hinged at the top left corner.
    p.save();
    p.translate(ardoiseRect.topLeft());
    p.rotate(-ouverture);
    const QRectF barre(0, -hauteurBarre - 1, ardoiseRect.width(), hauteurBarre);
    rayures(barre);
    p.setPen(QPen(noir, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(barre);
    p.restore();

    p.setPen(Qt::NoPen);
    p.setBrush(lavandeSombre);
    p.drawEllipse(ardoiseRect.topLeft() + QPointF(3, -1), 3, 3);
}

// A film camera seen from the side: body, two reels on top, lens to the right.
void camera(QPainter &p, const QRectF &corps, const QColor &couleur)
{
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawRoundedRect(corps, 8, 8);
    const qreal r1 = corps.height() * 0.38;
    const qreal r2 = corps.height() * 0.46;
    auto roue = [&](QPointF centre, qreal rayon) {
        QPainterPath forme;
        forme.setFillRule(Qt::OddEvenFill);
        forme.addEllipse(centre, rayon, rayon);
        forme.addEllipse(centre, rayon * 0.3, rayon * 0.3);
        p.drawPath(forme);
    };
    roue(QPointF(corps.left() + r1 + 4, corps.top() - r1 + 2), r1);
    roue(QPointF(corps.left() + 2 * r1 + r2 + 10, corps.top() - r2 + 2), r2);
    const QPointF objectif[] = {{corps.right() - 2, corps.top() + corps.height() * 0.3},
                                {corps.right() + corps.height() * 0.55, corps.top() + 2},
                                {corps.right() + corps.height() * 0.55, corps.bottom() - 2},
                                {corps.right() - 2, corps.bottom() - corps.height() * 0.3}};
    p.drawPolygon(objectif, 4);
}

} // namespace

QImage logo()
{
    QImage image = nouvelleImage(249, 97);
    QPainter p(&image);
    preparer(p);

    bandeFilm(p, QRectF(1, 6, 247, 85), 9, lavandePale);
    boutonLecture(p, QPointF(34, 48.5), 19);

    QPainterPath nom;
    const QFont f = police(44, true);
    nom.addText(0, 0, f, u"Kinolux"_s);
    const QRectF etendue = nom.boundingRect();
    const QRectF cible(62, 27, 178, 43);
    const qreal echelle =
        std::min(cible.width() / etendue.width(), cible.height() / etendue.height());
    QTransform placement;
    placement.translate(cible.left() + (cible.width() - etendue.width() * echelle) / 2,
                        cible.top() + (cible.height() - etendue.height() * echelle) / 2);
    placement.scale(echelle, echelle);
    placement.translate(-etendue.left(), -etendue.top());
    const QPainterPath place = placement.map(nom);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 160));
    p.drawPath(place.translated(2, 2));
    p.setBrush(degradeVertical(cible.top(), cible.bottom(), Qt::white, lavande));
    p.drawPath(place);
    return image;
}

QImage ouvrirCatalogue()
{
    QImage image = nouvelleImage(260, 224);
    QPainter p(&image);
    preparer(p);

    bobine(p, QPointF(176, 74), 62, lavande, lavandeSombre);

    // The film leaving the reel, under the clapperboard.
    p.save();
    p.translate(150, 150);
    p.rotate(-18);
    bandeFilm(p, QRectF(-10, -14, 110, 28), 6, lavandePale);
    p.restore();

    clap(p, QRectF(22, 104, 150, 86), 14);
    boutonLecture(p, QPointF(212, 162), 26);

    p.setFont(police(15, true));
    p.setPen(ardoise);
    p.drawText(QRectF(0, 198, 260, 24), Qt::AlignCenter, u"Ouvrir le catalogue"_s);
    return image;
}

QImage aPropos()
{
    QImage image = nouvelleImage(41, 41);
    QPainter p(&image);
    preparer(p);

    const QRectF disque(1, 1, 39, 39);
    QLinearGradient degrade(0, disque.top(), 0, disque.bottom());
    degrade.setColorAt(0, lavande);
    degrade.setColorAt(1, ardoise);
    p.setPen(QPen(noir, 1.2));
    p.setBrush(degrade);
    p.drawEllipse(disque);

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(20.5, 11.5), 3.4, 3.4);
    p.drawRoundedRect(QRectF(17.3, 17, 6.4, 15), 1.5, 1.5);
    p.drawRoundedRect(QRectF(14.5, 17, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(14.5, 29.5, 12, 3), 1, 1);
    return image;
}

QImage iconeProgramme()
{
    QImage image = nouvelleImage(106, 97);
    QPainter p(&image);
    preparer(p);

    const QRectF tuile(3, 2, 100, 93);
    p.setPen(QPen(noir, 1.5));
    p.setBrush(degradeVertical(tuile.top(), tuile.bottom(), ardoise, noir));
    p.drawRoundedRect(tuile, 18, 18);

    bobine(p, QPointF(53, 46), 36, lavande, lavandePale);
    boutonLecture(p, QPointF(80, 74), 15);
    return image;
}

QImage sansImage()
{
    QImage image(249, 345, QImage::Format_RGB32);
    QPainter p(&image);
    preparer(p);

    p.fillRect(image.rect(), degradeVertical(0, 345, QColor(240, 236, 246), QColor(205, 198, 220)));
    p.setPen(QPen(lavandeSombre, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9, 9, 231, 327));

    // A film-frame edge at the top and the bottom of the poster.
    const QColor perforation(230, 226, 238);
    bandeFilm(p, QRectF(20, 22, 209, 18), 7, perforation);
    bandeFilm(p, QRectF(20, 305, 209, 18), 7, perforation);

    const QColor gris(125, 118, 140);
    camera(p, QRectF(62, 158, 100, 58), gris);

    // Crossed out: a red bar with a pale edge so it reads over the grey camera.
    const QLineF barre(QPointF(56, 104), QPointF(198, 236));
    p.setPen(QPen(QColor(240, 236, 246), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(barre);
    p.setPen(QPen(rouge, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(barre);

    p.setFont(police(22, true));
    p.setPen(ardoise);
    p.drawText(QRectF(0, 252, 249, 36), Qt::AlignCenter, u"Pas d'image"_s);
    return image;
}

} // namespace Images

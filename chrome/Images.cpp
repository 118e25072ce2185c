#include "chrome/Images.h"

#include <QConicalGradient>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
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

// The outline of a text, scaled and centred to fill `cible` (fonts differ from one machine to
// the next: the text always takes the same room).
QPainterPath texteAjuste(const QString &texte, const QRectF &cible)
{
    QPainterPath chemin;
    chemin.addText(0, 0, police(44, true), texte);
    const QRectF etendue = chemin.boundingRect();
    const qreal echelle =
        std::min(cible.width() / etendue.width(), cible.height() / etendue.height());
    QTransform placement;
    placement.translate(cible.left() + (cible.width() - etendue.width() * echelle) / 2,
                        cible.top() + (cible.height() - etendue.height() * echelle) / 2);
    placement.scale(echelle, echelle);
    placement.translate(-etendue.left(), -etendue.top());
    return placement.map(chemin);
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

// The about badge: a lavender disc with a white "i", drawn for a 39 pixel disc and scaled.
void badgeAPropos(QPainter &p, const QRectF &disque)
{
    p.save();
    p.translate(disque.topLeft());
    p.scale(disque.width() / 39, disque.height() / 39);
    p.translate(-1, -1);

    QLinearGradient degrade(0, 1, 0, 40);
    degrade.setColorAt(0, lavande);
    degrade.setColorAt(1, ardoise);
    p.setPen(QPen(noir, 1.2));
    p.setBrush(degrade);
    p.drawEllipse(QRectF(1, 1, 39, 39));

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(20.5, 11.5), 3.4, 3.4);
    p.drawRoundedRect(QRectF(17.3, 17, 6.4, 15), 1.5, 1.5);
    p.drawRoundedRect(QRectF(14.5, 17, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(14.5, 29.5, 12, 3), 1, 1);
    p.restore();
}

// Pale pictures keep a dark edge so they read on the lavender chrome as on white.
const QColor contour(58, 50, 74);

// A round red badge, white rimmed: the ground of the "add" and "recordable" signs.
void badgeRouge(QPainter &p, QPointF centre, qreal rayon)
{
    QRadialGradient degrade(centre - QPointF(rayon * 0.4, rayon * 0.5), rayon * 1.8);
    degrade.setColorAt(0, rougeClair);
    degrade.setColorAt(0.5, rouge);
    degrade.setColorAt(1, rougeSombre);
    p.setPen(QPen(Qt::white, std::max(1.0, rayon * 0.14)));
    p.setBrush(degrade);
    p.drawEllipse(centre, rayon, rayon);
}

void badgePlus(QPainter &p, QPointF centre, qreal rayon)
{
    badgeRouge(p, centre, rayon);
    const qreal bras = rayon * 0.55;
    p.setPen(QPen(Qt::white, std::max(1.4, rayon * 0.3), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(centre - QPointF(bras, 0), centre + QPointF(bras, 0));
    p.drawLine(centre - QPointF(0, bras), centre + QPointF(0, bras));
}

void badgeLettre(QPainter &p, QPointF centre, qreal rayon, const QString &lettre)
{
    badgeRouge(p, centre, rayon);
    const qreal c = rayon * 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(texteAjuste(lettre, QRectF(centre - QPointF(c, c * 1.1), QSizeF(2 * c, 2.2 * c))));
}

enum class Disque
{
    Enregistrable,
    Video,
    Cd
};

// An optical disc seen from above, its hole cut through. A recordable DVD has the violet of its
// dye, a pressed video disc a dark printed label ringed with film perforations, a CD the pastel
// shimmer of bare silver.
void disque(QPainter &p, QPointF centre, qreal rayon, Disque type)
{
    const bool petit = rayon < 12;
    QPainterPath forme;
    forme.setFillRule(Qt::OddEvenFill);
    forme.addEllipse(centre, rayon, rayon);
    forme.addEllipse(centre, rayon * 0.15, rayon * 0.15);

    QConicalGradient reflet(centre, 35);
    if (type == Disque::Enregistrable) {
        const QColor couleurs[] = {QColor(170, 140, 225), QColor(70, 50, 120),
                                   QColor(120, 95, 185),  QColor(205, 185, 245),
                                   QColor(60, 45, 105),   QColor(140, 115, 205)};
        for (int k = 0; k < 6; ++k)
            reflet.setColorAt(k / 6.0, couleurs[k]);
        reflet.setColorAt(1, couleurs[0]);
    } else if (type == Disque::Cd) {
        const QColor couleurs[] = {
            Qt::white, QColor(255, 205, 215), QColor(225, 215, 250), QColor(200, 230, 245),
            Qt::white, QColor(250, 215, 225), QColor(215, 205, 240), QColor(190, 185, 210)};
        for (int k = 0; k < 8; ++k)
            reflet.setColorAt(k / 8.0, couleurs[k]);
        reflet.setColorAt(1, Qt::white);
    } else {
        const QColor couleurs[] = {Qt::white,   lavande,   QColor(165, 158, 185),
                                   lavandePale, Qt::white, lavandeSombre};
        for (int k = 0; k < 6; ++k)
            reflet.setColorAt(k / 6.0, couleurs[k]);
        reflet.setColorAt(1, Qt::white);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(reflet);
    p.drawPath(forme);

    if (type == Disque::Video) {
        QPainterPath etiquette;
        etiquette.setFillRule(Qt::OddEvenFill);
        etiquette.addEllipse(centre, rayon * 0.86, rayon * 0.86);
        etiquette.addEllipse(centre, rayon * 0.4, rayon * 0.4);
        p.setBrush(degradeVertical(centre.y() - rayon, centre.y() + rayon, ardoise, noir));
        p.drawPath(etiquette);
        if (!petit) {
            p.setBrush(lavandePale);
            const qreal cote = rayon * 0.11;
            for (int k = 0; k < 16; ++k) {
                const qreal angle = k * 2 * std::numbers::pi / 16;
                const QPointF trou =
                    centre + QPointF(std::cos(angle), std::sin(angle)) * rayon * 0.63;
                p.drawRoundedRect(QRectF(trou - QPointF(cote / 2, cote / 2), QSizeF(cote, cote)),
                                  cote * 0.3, cote * 0.3);
            }
        }
    }

    // The clear clamping ring around the hole.
    QPainterPath anneau;
    anneau.setFillRule(Qt::OddEvenFill);
    anneau.addEllipse(centre, rayon * 0.34, rayon * 0.34);
    anneau.addEllipse(centre, rayon * 0.15, rayon * 0.15);
    p.setBrush(QColor(240, 236, 250, 215));
    p.drawPath(anneau);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(contour, petit ? 1 : 1.4));
    p.drawEllipse(centre, rayon, rayon);
    p.setPen(QPen(lavandeSombre, petit ? 0.8 : 1));
    p.drawEllipse(centre, rayon * 0.15, rayon * 0.15);
    if (!petit) {
        p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
        p.drawArc(QRectF(centre - QPointF(rayon * 0.72, rayon * 0.72),
                         QSizeF(rayon * 1.44, rayon * 1.44)),
                  100 * 16, 50 * 16);
    }
}

// An internal hard disk seen from above, cover off: the case, the platter and the head's arm.
void disqueDur(QPainter &p, const QRectF &boitier)
{
    const qreal unite = boitier.width() / 32;
    p.setPen(QPen(contour, 1.4));
    p.setBrush(degradeVertical(boitier.top(), boitier.bottom(), lavandePale, lavandeSombre));
    p.drawRoundedRect(boitier, 3 * unite, 3 * unite);

    const QPointF axe(boitier.center().x(), boitier.top() + boitier.width() * 0.5);
    const qreal rayon = boitier.width() * 0.41;
    QConicalGradient reflet(axe, 45);
    reflet.setColorAt(0, Qt::white);
    reflet.setColorAt(0.25, QColor(175, 168, 195));
    reflet.setColorAt(0.5, Qt::white);
    reflet.setColorAt(0.75, QColor(175, 168, 195));
    reflet.setColorAt(1, Qt::white);
    p.setPen(QPen(ardoise, 1));
    p.setBrush(reflet);
    p.drawEllipse(axe, rayon, rayon);
    p.setBrush(lavandeSombre);
    p.drawEllipse(axe, rayon * 0.22, rayon * 0.22);

    // The arm pivots at the bottom right and carries the head over the platter.
    const QPointF pivot(boitier.right() - 6.5 * unite, boitier.bottom() - 7 * unite);
    const QPointF tete = axe + QPointF(-rayon * 0.15, rayon * 0.55);
    p.setPen(QPen(noir, 3.2 * unite, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, tete);
    p.setPen(Qt::NoPen);
    p.setBrush(noir);
    p.drawEllipse(pivot, 3.2 * unite, 3.2 * unite);
    p.setBrush(lavandePale);
    p.drawEllipse(pivot, 1.2 * unite, 1.2 * unite);
    p.setBrush(rouge);
    p.drawEllipse(tete, 1.6 * unite, 1.6 * unite);

    p.setBrush(lavandeSombre.darker(130));
    const qreal marge = 3.2 * unite;
    for (const QPointF &vis :
         {boitier.topLeft() + QPointF(marge, marge), boitier.topRight() + QPointF(-marge, marge),
          boitier.bottomLeft() + QPointF(marge, -marge)})
        p.drawEllipse(vis, 1.1 * unite, 1.1 * unite);
}

// An external drive (48 x 48): a dark box with its light, and the cable down to its plug.
void disqueExterne(QPainter &p)
{
    QPainterPath cable;
    cable.moveTo(33, 19);
    cable.cubicTo(40.5, 19, 40.5, 25, 40, 33);
    p.setPen(QPen(noir, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    const QRectF fiche(36, 32, 8, 13);
    p.setPen(QPen(contour, 1.2));
    p.setBrush(degradeVertical(fiche.top(), fiche.bottom(), lavandePale, lavandeSombre));
    p.drawRoundedRect(fiche, 1.5, 1.5);
    p.fillRect(QRectF(38, 39.5, 4, 4), noir);
    p.fillRect(QRectF(38, 34, 4, 2), lavandeSombre);

    const QRectF boitier(1.5, 6.5, 33, 26);
    p.setPen(QPen(noir, 1.4));
    p.setBrush(degradeVertical(boitier.top(), boitier.bottom(), QColor(96, 86, 118), noir));
    p.drawRoundedRect(boitier, 5, 5);
    // The front's lavender band and the activity light.
    p.setPen(Qt::NoPen);
    p.setBrush(lavande);
    p.drawRoundedRect(QRectF(5, 23, 26, 3), 1.5, 1.5);
    QRadialGradient lumiere(QPointF(26.5, 14), 4);
    lumiere.setColorAt(0, Qt::white);
    lumiere.setColorAt(0.35, rougeClair);
    lumiere.setColorAt(1, rouge);
    p.setBrush(lumiere);
    p.drawEllipse(QPointF(27, 14.5), 2.6, 2.6);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
    for (int k = 0; k < 3; ++k)
        p.drawLine(QPointF(7, 12 + 3.5 * k), QPointF(19, 12 + 3.5 * k));
}

// A face of the preference scale, from 0 (naze) to 4 (super): its colour brightens and its mouth
// turns from a frown to a grin.
void visage(QPainter &p, int etape)
{
    const QColor teintes[] = {QColor(125, 78, 72), QColor(170, 118, 118), QColor(212, 178, 190),
                              QColor(250, 150, 158), QColor(255, 96, 108)};
    const QColor teinte = teintes[etape];
    const QPointF centre(24, 24);
    QRadialGradient degrade(QPointF(17, 15), 34);
    degrade.setColorAt(0, teinte.lighter(etape == 4 ? 150 : 130));
    degrade.setColorAt(0.55, teinte);
    degrade.setColorAt(1, teinte.darker(150));
    p.setPen(QPen(teinte.darker(230), 1.6));
    p.setBrush(degrade);
    p.drawEllipse(centre, 21.5, 21.5);

    const QColor trait = etape == 0 ? QColor(45, 22, 22) : QColor(60, 30, 38);
    p.setPen(QPen(trait, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);

    // Eyes.
    if (etape == 4) {
        for (const qreal x : {17.0, 31.0})
            p.drawArc(QRectF(x - 4, 16, 8, 8), 20 * 16, 140 * 16);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(trait);
        for (const qreal x : {17.0, 31.0})
            p.drawEllipse(QPointF(x, 19.5), 2.4, etape == 1 ? 1.6 : 2.8);
        p.setPen(QPen(trait, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        if (etape == 0) { // sad brows, inner ends raised
            p.drawLine(QPointF(12.5, 14.5), QPointF(19.5, 12));
            p.drawLine(QPointF(35.5, 14.5), QPointF(28.5, 12));
        } else if (etape == 1) { // heavy lids
            p.drawLine(QPointF(13.5, 17), QPointF(20.5, 17));
            p.drawLine(QPointF(27.5, 17), QPointF(34.5, 17));
        }
    }

    // Mouth.
    p.setPen(QPen(trait, 2.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath bouche;
    switch (etape) {
    case 0:
        bouche.moveTo(14.5, 36.5);
        bouche.quadTo(24, 25, 33.5, 36.5);
        break;
    case 1:
        bouche.moveTo(16, 34.5);
        bouche.quadTo(24, 30, 32, 33);
        break;
    case 2:
        bouche.moveTo(16, 32.5);
        bouche.lineTo(32, 32.5);
        break;
    case 3:
        bouche.moveTo(14.5, 29);
        bouche.quadTo(24, 39, 33.5, 29);
        break;
    default:
        bouche.moveTo(12.5, 27);
        bouche.lineTo(35.5, 27);
        bouche.cubicTo(35, 36, 30, 40.5, 24, 40.5);
        bouche.cubicTo(18, 40.5, 13, 36, 12.5, 27);
        bouche.closeSubpath();
        p.setBrush(QColor(70, 20, 30));
        p.setPen(QPen(trait, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(bouche);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(15, 28, 18, 3));
        p.setBrush(rougeClair);
        p.drawEllipse(QPointF(24, 37), 5, 2.6);
        // Two sparkles.
        auto etincelle = [&](QPointF c, qreal r) {
            QPainterPath e;
            e.moveTo(c + QPointF(0, -r));
            e.quadTo(c, c + QPointF(r, 0));
            e.quadTo(c, c + QPointF(0, r));
            e.quadTo(c, c + QPointF(-r, 0));
            e.quadTo(c, c + QPointF(0, -r));
            p.setPen(QPen(QColor(160, 60, 70), 0.8));
            p.setBrush(Qt::white);
            p.drawPath(e);
        };
        etincelle(QPointF(40.5, 7.5), 6);
        etincelle(QPointF(6.5, 38.5), 4);
        return;
    }
    p.drawPath(bouche);
}

// A page with its top right corner folded.
void page(QPainter &p, const QRectF &r, qreal pli)
{
    const QPointF forme[] = {r.topLeft(), r.topRight() - QPointF(pli, 0),
                             r.topRight() + QPointF(0, pli), r.bottomRight(), r.bottomLeft()};
    p.setPen(QPen(contour, 1));
    p.setBrush(degradeVertical(r.top(), r.bottom(), Qt::white, lavandePale));
    p.drawPolygon(forme, 5);
    const QPointF coin[] = {r.topRight() - QPointF(pli, 0), r.topRight() + QPointF(-pli, pli),
                            r.topRight() + QPointF(0, pli)};
    p.setBrush(lavande);
    p.drawPolygon(coin, 3);
}

// A line of a circular arrow: the arc and its head at the end of the arc.
void flecheCirculaire(QPainter &p, QPointF centre, qreal rayon, qreal debut, qreal etendue,
                      const QColor &couleur)
{
    p.setPen(QPen(couleur, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre - QPointF(rayon, rayon), QSizeF(2 * rayon, 2 * rayon)),
              qRound(debut * 16), qRound(etendue * 16));
    const qreal fin = (debut + etendue) * std::numbers::pi / 180;
    const QPointF bout = centre + QPointF(std::cos(fin), -std::sin(fin)) * rayon;
    const qreal sens = etendue > 0 ? 1 : -1;
    const QPointF tangente = QPointF(-std::sin(fin), -std::cos(fin)) * sens;
    const QPointF normale(-tangente.y(), tangente.x());
    const QPointF tete[] = {bout + tangente * 3.2, bout + normale * 3, bout - normale * 3};
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawPolygon(tete, 3);
}

// The 16 x 16 pictures of the image list, drawn on the pixel grid.

void petitSupportAutre(QPainter &p)
{
    QPen tirets(lavandeSombre.darker(120), 1.2);
    tirets.setDashPattern({2, 1.5});
    p.setPen(tirets);
    p.setBrush(QColor(225, 215, 245, 150));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ardoise);
    p.drawPath(texteAjuste(u"?"_s, QRectF(5, 3.5, 6, 9)));
}

void petitEnregistrer(QPainter &p)
{
    const QPointF corps[] = {{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}};
    p.setPen(QPen(noir, 1));
    p.setBrush(degradeVertical(1, 15, QColor(110, 98, 138), ardoise));
    p.drawPolygon(corps, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 6));
    p.fillRect(QRectF(5, 3.5, 6, 1), lavande);
    p.fillRect(QRectF(5, 5.5, 6, 1), lavande);
    p.setBrush(lavandePale);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));
    p.fillRect(QRectF(9, 11, 1.5, 2.5), ardoise);
}

void petitSupprimer(QPainter &p)
{
    for (const auto &[couleur, largeur] :
         {std::pair{rougeSombre.darker(120), 4.4}, std::pair{QColor(225, 60, 70), 2.4}}) {
        p.setPen(QPen(couleur, largeur, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
}

void petitNouvelleFiche(QPainter &p)
{
    page(p, QRectF(1.5, 0.5, 10, 13), 3);
    p.setPen(QPen(lavandeSombre, 1));
    p.drawLine(QPointF(3.5, 5.5), QPointF(8, 5.5));
    p.drawLine(QPointF(3.5, 8.5), QPointF(7, 8.5));
    badgePlus(p, QPointF(11.5, 11.5), 4);
}

void petitLire(QPainter &p)
{
    boutonLecture(p, QPointF(8, 8), 6.8);
}

void petitDvdVideo(QPainter &p)
{
    disque(p, QPointF(8, 8), 7.3, Disque::Video);
}

void petitEdition(QPainter &p)
{
    p.translate(8.5, 7.5);
    p.rotate(135);
    p.setPen(QPen(contour, 0.9));
    p.setBrush(degradeVertical(-2, 2, lavandePale, lavandeSombre));
    p.drawRect(QRectF(-4.5, -2, 8, 4));
    p.setBrush(rougeClair);
    p.drawRoundedRect(QRectF(-7.5, -2, 2.2, 4), 1, 1);
    p.setBrush(lavande.darker(140));
    p.drawRect(QRectF(-5.5, -2, 1, 4));
    const QPointF pointe[] = {{3.5, -2}, {8, 0}, {3.5, 2}};
    p.setBrush(QColor(245, 230, 215));
    p.drawPolygon(pointe, 3);
    const QPointF mine[] = {{6.5, -0.7}, {8, 0}, {6.5, 0.7}};
    p.setBrush(noir);
    p.drawPolygon(mine, 3);
}

void petitOuvrirDossier(QPainter &p)
{
    const QPointF fond[] = {{1.5, 2.5},  {6, 2.5},     {7.5, 4.5},
                            {13.5, 4.5}, {13.5, 13.5}, {1.5, 13.5}};
    p.setPen(QPen(contour, 1));
    p.setBrush(lavandeSombre);
    p.drawPolygon(fond, 6);
    const QPointF rabat[] = {{4, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}};
    p.setBrush(degradeVertical(7, 14, lavandePale, lavande));
    p.drawPolygon(rabat, 4);
}

void petitRafraichir(QPainter &p)
{
    flecheCirculaire(p, QPointF(8, 8), 5.5, 30, 125, ardoise);
    flecheCirculaire(p, QPointF(8, 8), 5.5, 210, 125, ardoise);
}

void petitDisqueExterne(QPainter &p)
{
    QPainterPath cable;
    cable.moveTo(12, 6);
    cable.cubicTo(14, 6, 14, 8, 13.5, 10.5);
    p.setPen(QPen(noir, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    p.setPen(QPen(contour, 0.8));
    p.setBrush(lavandePale);
    p.drawRect(QRectF(11.9, 10.4, 3.2, 4.6));
    p.setPen(QPen(noir, 1));
    p.setBrush(degradeVertical(2, 12, QColor(96, 86, 118), noir));
    p.drawRoundedRect(QRectF(0.5, 2.5, 12, 9), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(2, 8.5, 8.5, 1), lavande);
    p.setBrush(rougeClair);
    p.drawEllipse(QPointF(9.5, 5.5), 1.3, 1.3);
}

void petitAPropos(QPainter &p)
{
    badgeAPropos(p, QRectF(0.5, 0.5, 15, 15));
}

void petitListeLecture(QPainter &p)
{
    for (const qreal y : {3.5, 8.0, 12.5}) {
        const QPointF triangle[] = {{1, y - 2.5}, {5.5, y}, {1, y + 2.5}};
        p.setPen(Qt::NoPen);
        p.setBrush(rouge);
        p.drawPolygon(triangle, 3);
        p.setPen(QPen(ardoise, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(7.5, y), QPointF(15, y));
    }
}

void petitListeFilms(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(noir);
    p.drawRoundedRect(QRectF(0.5, 0, 6.5, 16), 1, 1);
    p.setBrush(lavandePale);
    for (int k = 0; k < 5; ++k) {
        p.drawRect(QRectF(1.3, 1 + 3 * k, 1.2, 1.6));
        p.drawRect(QRectF(5, 1 + 3 * k, 1.2, 1.6));
    }
    p.fillRect(QRectF(2.9, 1, 1.7, 14), lavandeSombre);
    p.setPen(QPen(ardoise, 2, Qt::SolidLine, Qt::FlatCap));
    for (const qreal y : {3.0, 8.0, 13.0})
        p.drawLine(QPointF(9, y), QPointF(15.5, y));
}

void petitClassement(QPainter &p)
{
    p.setPen(QPen(ardoise, 1));
    p.drawLine(QPointF(4.5, 5), QPointF(4.5, 13));
    p.drawLine(QPointF(4.5, 8.5), QPointF(8.5, 8.5));
    p.drawLine(QPointF(4.5, 13.5), QPointF(8.5, 13.5));
    p.setPen(QPen(contour, 1));
    p.setBrush(rouge);
    p.drawRect(QRectF(1.5, 1.5, 6, 4));
    p.setBrush(lavande);
    p.drawRect(QRectF(8.5, 7, 6, 3));
    p.drawRect(QRectF(8.5, 12, 6, 3));
}

void petitValider(QPainter &p)
{
    QPainterPath coche;
    coche.moveTo(2.5, 8.5);
    coche.lineTo(6.5, 12.5);
    coche.lineTo(13.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(coche);
    p.setPen(QPen(QColor(96, 70, 150), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(coche);
}

void petitReinitialiser(QPainter &p)
{
    QPainterPath crochet;
    crochet.moveTo(11, 14);
    crochet.cubicTo(15.5, 11, 14.5, 4.5, 9, 4.5);
    crochet.lineTo(5, 4.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ardoise, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(crochet);
    const QPointF tete[] = {{0.5, 4.5}, {5.5, 0.5}, {5.5, 8.5}};
    p.setPen(Qt::NoPen);
    p.setBrush(ardoise);
    p.drawPolygon(tete, 3);
}

void petitImage(QPainter &p)
{
    p.setPen(QPen(contour, 1));
    p.setBrush(degradeVertical(2, 14, Qt::white, lavande));
    p.drawRect(QRectF(0.5, 2.5, 15, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(rouge);
    p.drawEllipse(QPointF(11, 6), 1.8, 1.8);
    const QPointF monts[] = {{1, 13}, {5.5, 6.5}, {9, 11}, {11, 9}, {15, 13}};
    p.setBrush(ardoise);
    p.drawPolygon(monts, 5);
}

void petitFichierVideo(QPainter &p)
{
    page(p, QRectF(2.5, 0.5, 11, 15), 3.5);
    p.fillRect(QRectF(4, 5, 8, 9), noir);
    p.setPen(Qt::NoPen);
    p.setBrush(lavandePale);
    for (int k = 0; k < 4; ++k) {
        p.drawRect(QRectF(4.5 + 2 * k, 5.5, 1, 1));
        p.drawRect(QRectF(4.5 + 2 * k, 12.5, 1, 1));
    }
    const QPointF triangle[] = {{6, 7.2}, {10.5, 9.5}, {6, 11.8}};
    p.setBrush(rougeClair);
    p.drawPolygon(triangle, 3);
}

QPolygonF etoile(QPointF centre, qreal grand, qreal petit)
{
    QPolygonF pointes;
    for (int k = 0; k < 10; ++k) {
        const qreal angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const qreal r = k % 2 == 0 ? grand : petit;
        pointes << centre + QPointF(std::cos(angle), std::sin(angle)) * r;
    }
    return pointes;
}

void petitEtoile(QPainter &p)
{
    QRadialGradient degrade(QPointF(6.5, 6), 9);
    degrade.setColorAt(0, rougeClair);
    degrade.setColorAt(1, rouge);
    p.setPen(QPen(rougeSombre.darker(130), 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(degrade);
    p.drawPolygon(etoile(QPointF(8, 8.8), 7.4, 3.2));
}

void petitRechercher(QPainter &p)
{
    p.setPen(QPen(noir, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
    QRadialGradient verre(QPointF(5, 5), 6);
    verre.setColorAt(0, Qt::white);
    verre.setColorAt(1, lavande);
    p.setPen(QPen(ardoise, 1.8));
    p.setBrush(verre);
    p.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
}

void petitFleche(QPainter &p)
{
    const QPointF fleche[] = {{1.5, 5.5}, {8.5, 5.5},  {8.5, 2},   {14.5, 8},
                              {8.5, 14},  {8.5, 10.5}, {1.5, 10.5}};
    p.setPen(QPen(contour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(degradeVertical(2, 14, lavandePale, lavandeSombre));
    p.drawPolygon(fleche, 7);
}

void petitAjouterListe(QPainter &p)
{
    p.setPen(QPen(ardoise, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0.5, 2.5), QPointF(12, 2.5));
    p.drawLine(QPointF(0.5, 6.5), QPointF(12, 6.5));
    p.drawLine(QPointF(0.5, 10.5), QPointF(6, 10.5));
    badgePlus(p, QPointF(11.5, 11.5), 4.2);
}

void petitChampEdition(QPainter &p)
{
    p.setPen(QPen(contour, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 3.5, 15, 9));
    p.fillRect(QRectF(2.5, 7, 5, 2), lavandeSombre);
    p.setPen(QPen(noir, 1));
    p.drawLine(QPointF(9.5, 5), QPointF(9.5, 11));
    p.drawLine(QPointF(8, 4.5), QPointF(11, 4.5));
    p.drawLine(QPointF(8, 11.5), QPointF(11, 11.5));
}

void petitClap(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(noir);
    p.drawRoundedRect(QRectF(1, 6.5, 14, 8.5), 1, 1);
    p.fillRect(QRectF(3, 11, 10, 1), lavande);
    p.fillRect(QRectF(3, 13, 10, 1), lavande);
    auto rayures = [&](const QRectF &zone) {
        p.fillRect(zone, noir);
        for (qreal x = zone.left() + 1; x < zone.right(); x += 4) {
            const QPointF bande[] = {{x, zone.bottom()},
                                     {x + 2, zone.bottom()},
                                     {x + 3.5, zone.top()},
                                     {x + 1.5, zone.top()}};
            p.setBrush(lavandePale);
            p.drawPolygon(bande, 4);
        }
    };
    p.save();
    p.setClipRect(QRectF(1, 6.5, 14, 2.5));
    rayures(QRectF(1, 6.5, 14, 2.5));
    p.restore();
    p.save();
    p.translate(1, 6);
    p.rotate(-18);
    p.setClipRect(QRectF(0, -2.5, 14, 2.5));
    rayures(QRectF(0, -2.5, 14, 2.5));
    p.restore();
}

void petitImportWeb(QPainter &p)
{
    QRadialGradient degrade(QPointF(4.5, 4), 9);
    degrade.setColorAt(0, lavandePale);
    degrade.setColorAt(1, lavandeSombre);
    p.setPen(QPen(contour, 1));
    p.setBrush(degrade);
    p.drawEllipse(QPointF(6.5, 6.5), 6, 6);
    p.setPen(QPen(ardoise, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(6.5, 6.5), 2.4, 6);
    p.drawLine(QPointF(0.5, 6.5), QPointF(12.5, 6.5));

    const QPointF fleche[] = {{10.5, 6.5}, {13.5, 6.5}, {13.5, 10}, {15.8, 10},
                              {12, 15.5},  {8.2, 10},   {10.5, 10}};
    p.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(rouge);
    p.drawPolygon(fleche, 7);
}

void petitDisqueLocal(QPainter &p)
{
    p.setPen(QPen(contour, 1));
    p.setBrush(degradeVertical(0, 16, lavandePale, lavandeSombre));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    QConicalGradient reflet(QPointF(8, 6.5), 45);
    reflet.setColorAt(0, Qt::white);
    reflet.setColorAt(0.25, QColor(175, 168, 195));
    reflet.setColorAt(0.5, Qt::white);
    reflet.setColorAt(0.75, QColor(175, 168, 195));
    reflet.setColorAt(1, Qt::white);
    p.setPen(QPen(ardoise, 0.8));
    p.setBrush(reflet);
    p.drawEllipse(QPointF(8, 6.5), 4.6, 4.6);
    p.setPen(Qt::NoPen);
    p.setBrush(ardoise);
    p.drawEllipse(QPointF(8, 6.5), 1, 1);
    p.setPen(QPen(noir, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.5, 13), QPointF(7.5, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(noir);
    p.drawEllipse(QPointF(11.3, 12.8), 1.5, 1.5);
}

void petitDvdEnregistrable(QPainter &p)
{
    disque(p, QPointF(8, 8), 7.3, Disque::Enregistrable);
}

void petitCd(QPainter &p)
{
    disque(p, QPointF(8, 8), 7.3, Disque::Cd);
}

void petitFilmSelectionne(QPainter &p)
{
    QRadialGradient halo(QPointF(8, 8), 9);
    halo.setColorAt(0, QColor(255, 230, 230));
    halo.setColorAt(0.6, rougeClair);
    halo.setColorAt(1, rouge);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
    p.setBrush(noir);
    p.drawRect(QRectF(3, 1.5, 10, 13));
    p.setBrush(lavandePale);
    for (int k = 0; k < 5; ++k) {
        p.drawRect(QRectF(3.6, 2 + 2.6 * k, 1, 1.4));
        p.drawRect(QRectF(11.4, 2 + 2.6 * k, 1, 1.4));
    }
    p.setBrush(degradeVertical(3, 13, Qt::white, lavande));
    p.drawRect(QRectF(5.5, 3, 5, 10));
    const QPointF triangle[] = {{7, 6}, {9.5, 8}, {7, 10}};
    p.setBrush(rouge);
    p.drawPolygon(triangle, 3);
}

} // namespace

QImage logo()
{
    QImage image = nouvelleImage(249, 97);
    QPainter p(&image);
    preparer(p);

    bandeFilm(p, QRectF(1, 6, 247, 85), 9, lavandePale);
    boutonLecture(p, QPointF(34, 48.5), 19);

    const QRectF cible(62, 27, 178, 43);
    const QPainterPath place = texteAjuste(u"Kinolux"_s, cible);
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
    badgeAPropos(p, QRectF(1, 1, 39, 39));
    return image;
}

QImage aProposPetit()
{
    QImage image = nouvelleImage(41, 33);
    QPainter p(&image);
    preparer(p);
    badgeAPropos(p, QRectF(5, 1, 31, 31));
    return image;
}

namespace {

// The program icon on its 106 x 97 grid.
void dessinerIconeProgramme(QPainter &p)
{
    const QRectF tuile(3, 2, 100, 93);
    p.setPen(QPen(noir, 1.5));
    p.setBrush(degradeVertical(tuile.top(), tuile.bottom(), ardoise, noir));
    p.drawRoundedRect(tuile, 18, 18);

    bobine(p, QPointF(53, 46), 36, lavande, lavandePale);
    boutonLecture(p, QPointF(80, 74), 15);
}

} // namespace

QImage iconeProgramme()
{
    QImage image = nouvelleImage(106, 97);
    QPainter p(&image);
    preparer(p);
    dessinerIconeProgramme(p);
    return image;
}

QImage iconeBureau(int cote)
{
    // Drawn at the size asked rather than scaled from the small picture, so that large icons
    // stay sharp; centred vertically in the square.
    QImage image = nouvelleImage(cote, cote);
    QPainter p(&image);
    preparer(p);
    const qreal echelle = cote / 106.0;
    p.translate(0, (cote - 97 * echelle) / 2);
    p.scale(echelle, echelle);
    dessinerIconeProgramme(p);
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

QImage imageDepart()
{
    QImage image(249, 345, QImage::Format_RGB32);
    QPainter p(&image);
    preparer(p);

    p.fillRect(image.rect(), degradeVertical(0, 345, ardoise, noir));
    // A spotlight from above on the reel.
    QRadialGradient projecteur(QPointF(124.5, 120), 150);
    projecteur.setColorAt(0, QColor(205, 195, 225, 150));
    projecteur.setColorAt(1, QColor(205, 195, 225, 0));
    p.fillRect(image.rect(), projecteur);
    p.setPen(QPen(lavandeSombre, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9, 9, 231, 327));

    bandeFilm(p, QRectF(20, 22, 209, 18), 7, lavandePale);
    bandeFilm(p, QRectF(20, 305, 209, 18), 7, lavandePale);

    bobine(p, QPointF(124.5, 122), 62, lavande, lavandePale);
    boutonLecture(p, QPointF(173, 168), 25);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    const QPainterPath titre = texteAjuste(u"Choisissez un film"_s, QRectF(24, 204, 201, 26));
    p.drawPath(titre.translated(1.5, 1.5));
    p.setBrush(degradeVertical(204, 230, Qt::white, lavande));
    p.drawPath(titre);

    // "in the list": an arrow towards the tabs on the left of the sheet.
    const QPointF fleche[] = {{36, 266}, {58, 248}, {58, 259}, {90, 259},
                              {90, 273}, {58, 273}, {58, 284}};
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QLinearGradient rougeFleche(0, 248, 0, 284);
    rougeFleche.setColorAt(0, rougeClair);
    rougeFleche.setColorAt(0.5, rouge);
    rougeFleche.setColorAt(1, rougeSombre);
    p.setBrush(rougeFleche);
    p.drawPolygon(fleche, 7);
    p.setFont(police(16, true));
    p.setPen(lavande);
    p.drawText(QRectF(98, 252, 130, 28), Qt::AlignLeft | Qt::AlignVCenter, u"dans la liste"_s);
    return image;
}

QImage lireFilm()
{
    QImage image = nouvelleImage(48, 48);
    QPainter p(&image);
    preparer(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(QPointF(24, 24.5), 23.5, 23.5);
    boutonLecture(p, QPointF(24, 24), 21.5);
    return image;
}

QImage ajouterListeLecture()
{
    QImage image = nouvelleImage(32, 32);
    QPainter p(&image);
    preparer(p);

    p.setPen(QPen(contour, 1.2));
    p.setBrush(degradeVertical(2, 28, Qt::white, lavande));
    p.drawRoundedRect(QRectF(1.5, 2.5, 23, 25), 2.5, 2.5);
    for (const qreal y : {8.0, 14.5, 21.0}) {
        const QPointF triangle[] = {{5, y - 3}, {9.5, y}, {5, y + 3}};
        p.setPen(Qt::NoPen);
        p.setBrush(rouge);
        p.drawPolygon(triangle, 3);
        p.setPen(QPen(ardoise, 2.2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(12, y), QPointF(y > 20 ? 16 : 21, y));
    }
    badgePlus(p, QPointF(23.5, 23.5), 7.5);
    return image;
}

QImage iconeVueEnsemble()
{
    QImage image = nouvelleImage(22, 18);
    QPainter p(&image);
    preparer(p);
    p.setPen(QPen(contour, 1.0));
    p.setBrush(degradeVertical(1, 17, Qt::white, lavande));
    p.drawRoundedRect(QRectF(1.5, 1.5, 19, 15), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ardoise);
    p.drawRect(QRectF(2, 2, 18, 3.5));
    p.setPen(QPen(ardoise, 0.8));
    for (const qreal y : {9.0, 12.5})
        p.drawLine(QPointF(2.5, y), QPointF(19.5, y));
    for (const qreal x : {8.0, 14.0})
        p.drawLine(QPointF(x, 5.5), QPointF(x, 16));
    return image;
}

QImage iconeExporter()
{
    QImage image = nouvelleImage(22, 18);
    QPainter p(&image);
    preparer(p);
    // A sheet with an arrow leaving it to the right.
    p.setPen(QPen(contour, 1.0));
    p.setBrush(degradeVertical(1, 17, Qt::white, lavande));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 15), 1.5, 1.5);
    p.setPen(QPen(ardoise, 0.8));
    for (const qreal y : {5.0, 8.0, 11.0, 14.0})
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    p.setPen(QPen(contour, 0.8));
    p.setBrush(ardoise);
    const QPointF fleche[] = {{9.5, 7.5},   {15.5, 7.5},  {15.5, 4.5}, {20.5, 9.0},
                              {15.5, 13.5}, {15.5, 10.5}, {9.5, 10.5}};
    p.drawPolygon(fleche, 7);
    return image;
}

const QList<QImage> &listeImages()
{
    static const QList<QImage> images = [] {
        using Dessin = void (*)(QPainter &);
        const Dessin dessins[nombreImages] = {
            petitSupportAutre,   petitEnregistrer,   petitSupprimer,        petitNouvelleFiche,
            petitLire,           petitDvdVideo,      petitEdition,          petitOuvrirDossier,
            petitRafraichir,     petitDisqueExterne, petitAPropos,          petitListeLecture,
            petitListeFilms,     petitClassement,    petitValider,          petitReinitialiser,
            petitImage,          petitFichierVideo,  petitEtoile,           petitRechercher,
            petitFleche,         petitAjouterListe,  petitChampEdition,     petitClap,
            petitImportWeb,      petitDisqueLocal,   petitDvdEnregistrable, petitCd,
            petitFilmSelectionne};
        QList<QImage> liste;
        for (const Dessin dessiner : dessins) {
            QImage image = nouvelleImage(16, 16);
            QPainter p(&image);
            preparer(p);
            dessiner(p);
            p.end();
            liste.append(image);
        }
        return liste;
    }();
    return images;
}

QList<Icone> icones(int cote)
{
    using Dessin = std::function<void(QPainter &)>;
    const std::pair<QString, Dessin> dessins[] = {
        {u"naze.ico"_s,
         [](QPainter &p) {
             visage(p, 0);
         }},
        {u"bof.ico"_s,
         [](QPainter &p) {
             visage(p, 1);
         }},
        {u"neutre.ico"_s,
         [](QPainter &p) {
             visage(p, 2);
         }},
        {u"pasmal.ico"_s,
         [](QPainter &p) {
             visage(p, 3);
         }},
        {u"super.ico"_s,
         [](QPainter &p) {
             visage(p, 4);
         }},
        {u"DVD-R.ico"_s,
         [](QPainter &p) {
             disque(p, QPointF(23, 23), 21.5, Disque::Enregistrable);
             badgeLettre(p, QPointF(38, 38), 8.5, u"R"_s);
         }},
        {u"rien.ico"_s,
         [](QPainter &p) {
             QPen tirets(lavandeSombre.darker(115), 2.4, Qt::CustomDashLine, Qt::FlatCap);
             tirets.setDashPattern({2.5, 1.8});
             p.setPen(tirets);
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(5, 5, 38, 38), 6, 6);
         }},
        {u"DVD-VIDEO.ico"_s,
         [](QPainter &p) {
             disque(p, QPointF(24, 24), 22.5, Disque::Video);
         }},
        {u"CD-R(W).ico"_s,
         [](QPainter &p) {
             disque(p, QPointF(24, 24), 22.5, Disque::Cd);
         }},
        {u"Disque Dur Local.ico"_s,
         [](QPainter &p) {
             disqueDur(p, QRectF(8, 1.5, 32, 45));
         }},
        {u"Disque Dur Externe.ico"_s, disqueExterne},
    };
    QList<Icone> liste;
    for (const auto &[fichier, dessiner] : dessins) {
        QImage image = nouvelleImage(cote, cote);
        QPainter p(&image);
        preparer(p);
        p.scale(cote / 48.0, cote / 48.0);
        dessiner(p);
        p.end();
        liste.append({fichier, image});
    }
    return liste;
}

} // namespace Images

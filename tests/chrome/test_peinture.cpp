#include "chrome/PaintBox.h"
#include "chrome/UKinoluxGraphic.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Never one of the chrome's colours: a pixel left alone keeps it.
const QRgb sentinelle = qRgb(0, 255, 0);
// The image is larger than the box, so that a stray pixel outside the box shows.
const int marge = 8;

using Peinture = std::function<void(QPainter &, int h, int w)>;

QImage peindre(int h, int w, const Peinture &peinture)
{
    QImage image(w + marge, h + marge, QImage::Format_RGB32);
    image.fill(sentinelle);
    QPainter painter(&image);
    peinture(painter, h, w);
    return image;
}

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// The colour of the fan line i of a corner.
QRgb eventail(int i)
{
    return qRgb(static_cast<int>(2.7 * i), static_cast<int>(2.5 * i), static_cast<int>(3.1 * i));
}

bool horsBoiteIntact(const QImage &image, int h, int w)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((x >= w || y >= h) && image.pixel(x, y) != sentinelle)
                return false;
    return true;
}

// The bounding box of the pixels lighter than every gradient colour: the caption's white.
QRect zoneBlanche(const QImage &image, int h, int w)
{
    QRect zone;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 230 && qGreen(p) > 230 && qBlue(p) > 230)
                zone = zone.united(QRect(x, y, 1, 1));
        }
    return zone;
}

const QFont policeBoite(u"MS Sans Serif"_s, 8);

void peindreFond(QPainter &p, int h, int w)
{
    UKinoluxGraphic::dessinerFond(p, h, w);
}

} // namespace

struct CasDegrade
{
    const char *nom;
    Peinture peinture;
    int h;
    int y;
    QRgb attendu;
    bool eventails = false;
};

void PrintTo(const CasDegrade &cas, std::ostream *sortie)
{
    *sortie << cas.nom;
}

class Degrades : public ::testing::TestWithParam<CasDegrade>
{
};

TEST_P(Degrades, RowColourSpansTheWholeBox)
{
    const CasDegrade cas = GetParam();
    const int w = 200;
    const QImage image = peindre(cas.h, w, cas.peinture);
    EXPECT_EQ(image.pixel(w / 2, cas.y), cas.attendu);
    if (!cas.eventails) {
        EXPECT_EQ(image.pixel(0, cas.y), cas.attendu);
        EXPECT_EQ(image.pixel(w - 1, cas.y), cas.attendu);
    }
    EXPECT_TRUE(horsBoiteIntact(image, cas.h, w));
}

INSTANTIATE_TEST_SUITE_P(
    Chrome, Degrades,
    ::testing::Values(
        CasDegrade{"boutonHaut", UKinoluxGraphic::degradeBouton, 17, 0, rgb(255, 150, 150)},
        CasDegrade{"boutonBas", UKinoluxGraphic::degradeBouton, 17, 16, rgb(135, 80, 80)},
        CasDegrade{"boutonMilieu", UKinoluxGraphic::degradeBouton, 25, 12, rgb(194, 114, 114)},
        CasDegrade{"barreHaut", UKinoluxGraphic::degradeBarreTitre, 17, 0, rgb(205, 195, 225)},
        CasDegrade{"barreBas", UKinoluxGraphic::degradeBarreTitre, 17, 16, rgb(12, 11, 13)},
        CasDegrade{"barreMilieu", UKinoluxGraphic::degradeBarreTitre, 17, 8, rgb(108, 103, 119)},
        CasDegrade{"fondHaut", peindreFond, 570, 0, rgb(255, 255, 255), true},
        CasDegrade{"fondBas", peindreFond, 570, 569, rgb(136, 126, 156), true}),
    [](const auto &cas) { return std::string(cas.param.nom); });

TEST(Chrome, EmptyBoxesPaintNothing)
{
    const std::vector<Peinture> peintures = {
        UKinoluxGraphic::degradeBouton,
        UKinoluxGraphic::degradeBarreTitre,
        peindreFond,
        [](QPainter &p, int h, int w) { UKinoluxGraphic::dessinerBandeau(p, h, w, 0); },
        [](QPainter &p, int h, int w) {
            UKinoluxGraphic::dessinerBouton(p, h, w, policeBoite, u"Quitter"_s);
        },
        [](QPainter &p, int h, int w) {
            UKinoluxGraphic::dessinerBarreTitre(p, h, w, policeBoite, u"Recherche"_s);
        },
    };
    for (const auto &peinture : peintures) {
        EXPECT_TRUE(horsBoiteIntact(peindre(0, 40, peinture), 0, 40));
        EXPECT_TRUE(horsBoiteIntact(peindre(17, 0, peinture), 17, 0));
    }
}

TEST(Chrome, NothingIsPaintedOutsideTheBox)
{
    // Small boxes put the fans' and the stripe's far ends (x = W, y = H, R + 3) outside.
    const std::vector<std::pair<int, int>> tailles = {{1, 1}, {5, 10}, {17, 40}, {45, 90}};
    for (const auto &[h, w] : tailles) {
        const QImage image = peindre(h, w, [](QPainter &p, int hb, int wb) {
            UKinoluxGraphic::dessinerFond(p, hb, wb);
            UKinoluxGraphic::dessinerBandeau(p, hb, wb, 2);
        });
        EXPECT_TRUE(horsBoiteIntact(image, h, w)) << h << " x " << w;
    }
}

class Fond : public ::testing::Test
{
protected:
    static constexpr int H = 570;
    static constexpr int W = 792;
    static constexpr int t = 15;

    void SetUp() override
    {
        fond = peindre(H, W, peindreFond);
        bandeau = peindre(H, W, [](QPainter &p, int h, int w) {
            UKinoluxGraphic::dessinerFond(p, h, w);
            UKinoluxGraphic::dessinerBandeau(p, h, w, t);
        });
    }

    // The plain gradient of row y, far from the corners.
    QRgb degrade(int y) const { return fond.pixel(W / 2, y); }

    QImage fond;
    QImage bandeau;
};

TEST_F(Fond, CornerPixels)
{
    // Only the top left corner keeps its black line 0; elsewhere that line lies outside the box
    // or is painted over by the lighter lines that follow it.
    EXPECT_EQ(fond.pixel(0, 0), eventail(0));
    EXPECT_EQ(fond.pixel(W - 1, 0), eventail(40));
    EXPECT_EQ(fond.pixel(0, H - 1), eventail(39));
    EXPECT_EQ(fond.pixel(W - 1, H - 1), eventail(39));
    EXPECT_TRUE(horsBoiteIntact(fond, H, W));
}

TEST_F(Fond, LinesColourTheirStartButNotTheirEnd)
{
    // Line 40 of the top left fan runs from (40, 0) to (0, 0) along the top edge.
    EXPECT_EQ(fond.pixel(40, 0), eventail(40));
    EXPECT_EQ(fond.pixel(1, 0), eventail(40));
    EXPECT_EQ(fond.pixel(0, 0), eventail(0));
    // Line i ends at (0, 40 - i): the pixel just above its end is its own, the end is not.
    EXPECT_EQ(fond.pixel(0, 39), eventail(0));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(fond.pixel(0, 39 - i), eventail(i)) << i;
    // The bottom left fan starts each line on the left edge, one row lower each time.
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(fond.pixel(0, H - 40 + i), eventail(i)) << i;
}

TEST_F(Fond, FansReachFortyPixelsAlongTheEdges)
{
    EXPECT_EQ(fond.pixel(41, 0), degrade(0));
    EXPECT_EQ(fond.pixel(0, 40), degrade(40));
    EXPECT_EQ(fond.pixel(W - 40, 0), eventail(40));
    EXPECT_EQ(fond.pixel(W - 41, 0), degrade(0));
    EXPECT_EQ(fond.pixel(0, H - 41), degrade(H - 41));
    EXPECT_EQ(fond.pixel(W - 1, H / 2), degrade(H / 2));
}

TEST_F(Fond, Stripe)
{
    const QRgb pale = rgb(225, 215, 245);
    for (int x = 25; x <= 766; ++x) {
        ASSERT_EQ(bandeau.pixel(x, t + 20), rgb(0, 0, 0)) << x;
        ASSERT_EQ(bandeau.pixel(x, t), rgb(205, 195, 225)) << x;
    }
    EXPECT_EQ(bandeau.pixel(24, t + 20), fond.pixel(24, t + 20));
    EXPECT_EQ(bandeau.pixel(767, t + 20), pale);
    EXPECT_EQ(bandeau.pixel(24, t), fond.pixel(24, t));
    EXPECT_EQ(bandeau.pixel(767, t), fond.pixel(767, t));
    EXPECT_EQ(bandeau.pixel(400, t - 1), fond.pixel(400, t - 1));

    // The pale band: rows t + 3 to t + 23, from x = 28 to x = W - 23.
    for (int y = t + 3; y <= t + 23; ++y) {
        EXPECT_EQ(bandeau.pixel(769, y), pale) << y;
        EXPECT_EQ(bandeau.pixel(770, y), fond.pixel(770, y)) << y;
    }
    EXPECT_EQ(bandeau.pixel(768, t + 2), fond.pixel(768, t + 2));
    EXPECT_EQ(bandeau.pixel(400, t + 23), pale);
    EXPECT_EQ(bandeau.pixel(28, t + 23), pale);
    EXPECT_EQ(bandeau.pixel(27, t + 23), fond.pixel(27, t + 23));
    EXPECT_EQ(bandeau.pixel(400, t + 24), fond.pixel(400, t + 24));
}

TEST(Chrome, CaptionIsPlacedFromTheBoxFontAndDrawnBoldEightPoints)
{
    const int h = 25;
    const int w = 121;
    // A large box font moves the caption well to the left of where an 8-point measure puts it.
    for (const int points : {8, 20}) {
        const QFont police(u"MS Sans Serif"_s, points);
        const QImage image = peindre(h, w, [&](QPainter &p, int hb, int wb) {
            UKinoluxGraphic::dessinerBouton(p, hb, wb, police, u"Quitter"_s);
        });
        const QFontMetrics mesure(police, &image);
        const int gauche = (w - mesure.horizontalAdvance(u"Quitter"_s) - 10) / 2;
        const int haut = (h - mesure.height()) / 2;

        QFont gras(police);
        gras.setPointSize(8);
        gras.setBold(true);
        const QFontMetrics mesureGras(gras, &image);

        const QRect zone = zoneBlanche(image, h, w);
        ASSERT_FALSE(zone.isEmpty()) << points;
        EXPECT_NEAR(zone.left(), gauche, 2) << points;
        EXPECT_LE(zone.width(), mesureGras.horizontalAdvance(u"Quitter"_s)) << points;
        EXPECT_GE(zone.width(), mesureGras.horizontalAdvance(u"Quitter"_s) - 4) << points;
        EXPECT_GE(zone.top(), haut) << points;
        EXPECT_LT(zone.bottom(), haut + mesureGras.height()) << points;
        EXPECT_TRUE(horsBoiteIntact(image, h, w));
    }
}

TEST(Chrome, TitleBarCaptionIsCentredFiveLeft)
{
    const int h = 17;
    const int w = 300;
    const QImage image = peindre(h, w, [](QPainter &p, int hb, int wb) {
        UKinoluxGraphic::dessinerBarreTitre(p, hb, wb, policeBoite, u"Liste des Films"_s);
    });
    const QRect zone = zoneBlanche(image, h, w);
    ASSERT_FALSE(zone.isEmpty());
    // The bold caption is a little wider than its regular measure: its middle lies a few
    // pixels right of the measured middle, which is 5 pixels left of the box's.
    const double milieu = (zone.left() + zone.right() + 1) / 2.0;
    EXPECT_GT(milieu, w / 2.0 - 6);
    EXPECT_LT(milieu, w / 2.0 + 2);
    // Between the letters the gradient shows: the background is transparent.
    int degradeVisible = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            degradeVisible += image.pixel(x, y) == image.pixel(0, y) ? 1 : 0;
    EXPECT_GT(degradeVisible, zone.width() * zone.height() / 4);
}

TEST(Chrome, CaptionWiderThanTheBoxIsClippedAtBothSides)
{
    const int h = 17;
    const int w = 40;
    const QImage image = peindre(h, w, [](QPainter &p, int hb, int wb) {
        UKinoluxGraphic::dessinerBouton(p, hb, wb, policeBoite, u"Ajouter à la liste de lecture"_s);
    });
    // The caption runs over both edges: its letters reach near each of them.
    const QRect zone = zoneBlanche(image, h, w);
    EXPECT_LT(zone.left(), 8);
    EXPECT_GT(zone.right(), w - 9);
    EXPECT_TRUE(horsBoiteIntact(image, h, w));
}

TEST(Chrome, PaintBoxOverloadsPaintTheBoxItself)
{
    PaintBox boite;
    boite.setFont(policeBoite);
    boite.resize(121, 25);
    QObject::connect(&boite, &PaintBox::peindre, &boite, [&] {
        UKinoluxGraphic::dessinerFond(boite);
        UKinoluxGraphic::dessinerBandeau(boite, 2);
        UKinoluxGraphic::dessinerBouton(boite, u"Quitter"_s);
    });
    const QImage capture = boite.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QImage attendu = peindre(25, 121, [](QPainter &p, int h, int w) {
        UKinoluxGraphic::dessinerFond(p, h, w);
        UKinoluxGraphic::dessinerBandeau(p, h, w, 2);
        UKinoluxGraphic::dessinerBouton(p, h, w, policeBoite, u"Quitter"_s);
    });
    EXPECT_EQ(capture, attendu.copy(0, 0, 121, 25));

    boite.resize(40, 17);
    QObject::disconnect(&boite, &PaintBox::peindre, nullptr, nullptr);
    QObject::connect(&boite, &PaintBox::peindre, &boite,
                     [&] { UKinoluxGraphic::dessinerBarreTitre(boite, u"Recherche"_s); });
    const QImage barre = boite.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(barre.pixel(39, 0), rgb(205, 195, 225));
    EXPECT_EQ(barre.pixel(0, 16), rgb(12, 11, 13));
}

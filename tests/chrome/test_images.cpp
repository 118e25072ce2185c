#include "chrome/Images.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>

struct CasImage
{
    const char *nom;
    std::function<QImage()> dessiner;
    QSize taille;
    bool opaque;
};

void PrintTo(const CasImage &cas, std::ostream *sortie)
{
    *sortie << cas.nom;
}

class Images_ : public ::testing::TestWithParam<CasImage>
{
};

TEST_P(Images_, DrawnAtItsSizeAndNotBlank)
{
    const CasImage cas = GetParam();
    const QImage image = cas.dessiner();
    ASSERT_FALSE(image.isNull());
    if (cas.taille.isValid()) {
        EXPECT_EQ(image.size(), cas.taille);
    } else {
        EXPECT_TRUE(QRect(0, 0, 279, 234).contains(image.rect()));
    }

    QSet<QRgb> couleurs;
    int visibles = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            couleurs.insert(p);
            visibles += qAlpha(p) > 0 ? 1 : 0;
        }
    EXPECT_GT(couleurs.size(), 16);
    EXPECT_GT(visibles, image.width() * image.height() / 5);
    if (cas.opaque) {
        EXPECT_FALSE(image.hasAlphaChannel());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chrome, Images_,
    ::testing::Values(CasImage{"logo", Images::logo, QSize(249, 97), false},
                      CasImage{"ouvrirCatalogue", Images::ouvrirCatalogue, QSize(), false},
                      CasImage{"aPropos", Images::aPropos, QSize(41, 41), false},
                      CasImage{"iconeProgramme", Images::iconeProgramme, QSize(106, 97), false},
                      CasImage{"sansImage", Images::sansImage, QSize(249, 345), true}),
    [](const auto &cas) { return std::string(cas.param.nom); });

TEST(IconeBureau, TheProgramIconCentredInASquareAtEverySize)
{
    for (int cote : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icone = Images::iconeBureau(cote);
        ASSERT_EQ(icone.size(), QSize(cote, cote));
        // The drawing is wider than high: the square's top and bottom rows stay (nearly, for
        // the smallest sizes) transparent.
        EXPECT_LT(qAlpha(icone.pixel(cote / 2, 0)), 64) << cote;
        EXPECT_LT(qAlpha(icone.pixel(cote / 2, cote - 1)), 64) << cote;
        EXPECT_EQ(qAlpha(icone.pixel(cote / 2, cote / 2)), 255) << cote;
    }

    // Twice the size is the same drawing, 9 rows down: brought back to 106 x 97 it is the
    // window icon.
    const QImage programme = Images::iconeProgramme().convertToFormat(QImage::Format_ARGB32);
    const QImage double_ = Images::iconeBureau(212)
                               .copy(0, 9, 212, 194)
                               .scaled(106, 97, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_ARGB32);
    qint64 ecart = 0;
    for (int y = 0; y < 97; ++y) {
        for (int x = 0; x < 106; ++x) {
            const QRgb a = programme.pixel(x, y);
            const QRgb b = double_.pixel(x, y);
            ecart += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                     qAbs(qBlue(a) - qBlue(b)) + qAbs(qAlpha(a) - qAlpha(b));
        }
    }
    EXPECT_LT(ecart / (106 * 97), 8);
}

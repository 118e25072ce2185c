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

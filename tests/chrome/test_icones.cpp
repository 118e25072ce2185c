#include "chrome/Images.h"

#include <QFile>
#include <QImageReader>
#include <QSet>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A picture someone can see: enough opaque pixels, in more than one colour.
::testing::AssertionResult visible(const QImage &image)
{
    QSet<QRgb> couleurs;
    int visibles = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 64) {
                ++visibles;
                couleurs.insert(p);
            }
        }
    if (visibles >= image.width() * image.height() / 20 && couleurs.size() > 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << visibles << " visible pixels in " << couleurs.size() << " colours";
}

// The windows build these names from the card's preference and medium type.
const char *const fichiersIcones[] = {"naze.ico",
                                      "bof.ico",
                                      "neutre.ico",
                                      "pasmal.ico",
                                      "super.ico",
                                      "DVD-R.ico",
                                      "rien.ico",
                                      "DVD-VIDEO.ico",
                                      "CD-R(W).ico",
                                      "Disque Dur Local.ico",
                                      "Disque Dur Externe.ico"};

QImage lireIcone(const char *fichier)
{
    QFile f(QStringLiteral(KINOLUX_BIN "/icones/") + QString::fromUtf8(fichier));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << fichier;
        return {};
    }
    // Read from the device without a name: the format is found from the bytes alone.
    QImageReader lecteur(&f);
    EXPECT_EQ(lecteur.format(), "ico") << fichier;
    return lecteur.read();
}

} // namespace

class IconeLivree : public ::testing::TestWithParam<const char *>
{
};

TEST_P(IconeLivree, IsAnIcoFileBesideTheProgram)
{
    const QImage image = lireIcone(GetParam());
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 32); // shown at up to 62 x 88: a 16 pixel icon would blur
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_TRUE(visible(image));
}

INSTANTIATE_TEST_SUITE_P(Icones, IconeLivree, ::testing::ValuesIn(fichiersIcones),
                         [](const auto &cas) {
                             std::string nom;
                             for (const char c : std::string(cas.param))
                                 nom += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return nom;
                         });

TEST(Icones, EveryFileHasItsOwnPicture)
{
    QList<QImage> vues;
    for (const char *fichier : fichiersIcones) {
        const QImage image = lireIcone(fichier);
        for (qsizetype k = 0; k < vues.size(); ++k)
            EXPECT_FALSE(image == vues.at(k)) << fichier << " looks like " << fichiersIcones[k];
        vues.append(image);
    }
}

TEST(ListeImages, TwentyNineDistinctPicturesOf16Pixels)
{
    const QList<QImage> &images = Images::listeImages();
    ASSERT_EQ(images.size(), 29);
    for (qsizetype k = 0; k < images.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(images.at(k).size(), QSize(16, 16));
        EXPECT_TRUE(visible(images.at(k)));
        for (qsizetype autre = 0; autre < k; ++autre)
            EXPECT_FALSE(images.at(k) == images.at(autre)) << "same picture as " << autre;
    }
    // Asked for at every tree refresh: built once.
    EXPECT_EQ(&Images::listeImages(), &images);
}

struct CasImageFiche
{
    const char *nom;
    std::function<QImage()> dessiner;
    QSize taille;
};

void PrintTo(const CasImageFiche &cas, std::ostream *sortie)
{
    *sortie << cas.nom;
}

class ImageFiche : public ::testing::TestWithParam<CasImageFiche>
{
};

TEST_P(ImageFiche, DrawnAtItsSizeAndNotBlank)
{
    const QImage image = GetParam().dessiner();
    EXPECT_EQ(image.size(), GetParam().taille);
    EXPECT_TRUE(visible(image));
}

INSTANTIATE_TEST_SUITE_P(
    Fiche, ImageFiche,
    ::testing::Values(CasImageFiche{"imageDepart", Images::imageDepart, QSize(249, 345)},
                      CasImageFiche{"lireFilm", Images::lireFilm, QSize(48, 48)},
                      CasImageFiche{"ajouterListeLecture", Images::ajouterListeLecture,
                                    QSize(32, 32)},
                      CasImageFiche{"aProposPetit", Images::aProposPetit, QSize(41, 33)}),
    [](const auto &cas) { return std::string(cas.param.nom); });

TEST(ImageDepart, OpaqueAndNotThePlaceholder)
{
    const QImage depart = Images::imageDepart();
    EXPECT_FALSE(depart.hasAlphaChannel());
    EXPECT_FALSE(depart == Images::sansImage());
}

#include "catalogue/Tdm_Kinolux.h"
#include "import/Jpeg.h"
#include "import/PageFiche.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList decoupe(const QString &texte, QChar separateur)
{
    QStringList liste = {u"avant"_s};
    Tdm_Kinolux::decouper(liste, texte, separateur);
    liste.removeFirst();
    return liste;
}

} // namespace

TEST(PageFiche, DecouperKeepsEveryPieceAsItIs)
{
    EXPECT_EQ(decoupe(u"Drame, Comédie"_s, u','), QStringList({u"Drame"_s, u" Comédie"_s}));
    EXPECT_EQ(decoupe(u"A/B/"_s, u'/'), QStringList({u"A"_s, u"B"_s, QString()}));
    EXPECT_EQ(decoupe(u"/A"_s, u'/'), QStringList({QString(), u"A"_s}));
    EXPECT_EQ(decoupe(u"A//B"_s, u'/'), QStringList({u"A"_s, QString(), u"B"_s}));
    EXPECT_EQ(decoupe(u"-"_s, u';'), QStringList({u"-"_s}));
    EXPECT_EQ(decoupe(u"sans séparateur"_s, u';'), QStringList({u"sans séparateur"_s}));

    QStringList liste = {u"déjà là"_s};
    Tdm_Kinolux::decouper(liste, u"x;y"_s, u';');
    EXPECT_EQ(liste, QStringList({u"déjà là"_s, u"x"_s, u"y"_s})) << "pieces are appended";
}

TEST(PageFiche, TheFirstElevenLinesWithEmptyOnesAsDash)
{
    EXPECT_FALSE(PageFiche::lignes("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n"))
        << "ten lines are not a card page";
    EXPECT_FALSE(PageFiche::lignes("<html><body>Erreur</body></html>"));
    EXPECT_FALSE(PageFiche::lignes(QByteArray()));

    const auto lignes = PageFiche::lignes("Titre\r\n\r\n  \n4\r5\n6\n7\n8\n9\n10\n\n12\n13");
    ASSERT_TRUE(lignes);
    EXPECT_EQ(lignes->size(), 11);
    EXPECT_EQ(lignes->at(0), u"Titre"_s);
    EXPECT_EQ(lignes->at(1), u"-"_s);
    EXPECT_EQ(lignes->at(2), u"  "_s) << "blanks are not empty";
    EXPECT_EQ(lignes->at(3), u"4"_s);
    EXPECT_EQ(lignes->at(10), u"-"_s);

    const auto accents = PageFiche::lignes("\xC9t\xE9\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n");
    ASSERT_TRUE(accents);
    EXPECT_EQ(accents->at(0), u"Été"_s) << "the page is Windows-1252";
}

TEST(PageFiche, CoverNamesAndFileNames)
{
    EXPECT_EQ(Tdm_Kinolux::nomCouvertureSite(u"PONT (LE)"_s), QByteArray("LE%20PONT"));
    EXPECT_EQ(Tdm_Kinolux::nomCouvertureAffiches(u"PONT (LE)"_s), QByteArray("le_pont"));
    EXPECT_EQ(Tdm_Kinolux::nomCouvertureAffiches(u"ETE (L')"_s), QByteArray("l'ete"));
    // Only A to Z become small letters; the Windows-1252 bytes go as they are.
    EXPECT_EQ(Tdm_Kinolux::nomCouvertureAffiches(u"ÉTÉ MEURTRIER (L')"_s),
              QByteArray("l'\xC9t\xC9_meurtrier"));
    EXPECT_EQ(Tdm_Kinolux::nomCouvertureSite(u"ÉTÉ MEURTRIER (L')"_s),
              QByteArray("L'\xC9T\xC9%20MEURTRIER"));

    EXPECT_EQ(Tdm_Kinolux::cheminImagePour(u"PONT (LE)"_s), u"IMAGES_FILMS\\PONT (LE).jpg"_s);
    EXPECT_EQ(Tdm_Kinolux::cheminImagePour(u"../../etc/x"_s), u"IMAGES_FILMS\\.._.._etc_x.jpg"_s);
    EXPECT_EQ(Tdm_Kinolux::cheminImagePour(u"A\\B\tC"_s), u"IMAGES_FILMS\\A_B_C.jpg"_s);
}

TEST(PageFiche, OnlyJpegDataPassesTheHeaderCheck)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg, png;
    QBuffer tampon(&jpeg);
    ASSERT_TRUE(image.save(&tampon, "JPG"));
    QBuffer tamponPng(&png);
    ASSERT_TRUE(image.save(&tamponPng, "PNG"));

    EXPECT_TRUE(Jpeg::enTeteLisible(jpeg));
    EXPECT_FALSE(Jpeg::enTeteLisible(png));
    EXPECT_FALSE(Jpeg::enTeteLisible("<html><body>Not found</body></html>"));
    EXPECT_FALSE(Jpeg::enTeteLisible(QByteArray()));
    EXPECT_FALSE(Jpeg::enTeteLisible(jpeg.left(12))) << "a truncated header";
}

#include "import/ListeTitres.h"
#include "import/Windows1252.h"
#include "tests/catalogue/OutilsCatalogue.h"

using namespace Qt::StringLiterals;

TEST(CatalogueCodec, LesDeuxCentCinquanteSixOctetsFontLAllerRetour)
{
    QByteArray tous(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        tous[i] = static_cast<char>(i);
    const QString texte = Windows1252::decoder(tous);
    ASSERT_EQ(texte.size(), 256);
    bool perte = true;
    EXPECT_EQ(Windows1252::encoder(texte, &perte), tous);
    EXPECT_FALSE(perte);
    EXPECT_TRUE(Windows1252::peutEncoder(texte));

    EXPECT_EQ(texte[0x80], QChar(0x20AC));
    EXPECT_EQ(texte[0x92], QChar(0x2019));
    EXPECT_EQ(texte[0x9F], QChar(0x0178));
    EXPECT_EQ(texte[0xE9], QChar(0x00E9));
    for (const int indefini : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(texte[indefini], QChar(indefini));
}

TEST(CatalogueCodec, UnCaractereHorsDuJeuDevientUnPointDInterrogation)
{
    struct Cas
    {
        QString texte;
        QByteArray attendu;
    };
    const Cas cas[] = {
        {u"\u0080"_s, "?"},            // C1 control whose byte is the euro sign
        {u"a\u0394b"_s, "a?b"},        // Greek delta
        {u"x\U0001F600y"_s, "x?y"},    // one character in two UTF-16 units
        {QString(QChar(0xD800)), "?"}, // lone surrogate
    };
    for (const Cas &c : cas) {
        bool perte = false;
        EXPECT_EQ(Windows1252::encoder(c.texte, &perte), c.attendu);
        EXPECT_TRUE(perte);
        EXPECT_FALSE(Windows1252::peutEncoder(c.texte));
    }
}

TEST(CatalogueListeTitres, DecoupeLesLignesQuellesQueSoientLeursFins)
{
    struct Cas
    {
        QByteArray octets;
        QStringList lignes;
    };
    const Cas cas[] = {
        {"", {}},
        {"A\r\nB\r\n", {u"A"_s, u"B"_s}},
        {"A\nB", {u"A"_s, u"B"_s}},
        {"A\rB\r", {u"A"_s, u"B"_s}},
        {"A\r\n\r\nB\n\nC\r\rD", {u"A"_s, u""_s, u"B"_s, u""_s, u"C"_s, u""_s, u"D"_s}},
        {"\n", {u""_s}},
        {"\n\r\n", {u""_s, u""_s}},
        {"\xC9T\xC9 (L')\r\n\x8C"
         "UVRE",
         {u"ÉTÉ (L')"_s, u"ŒUVRE"_s}},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(ListeTitres::decouperLignes(c.octets), c.lignes) << c.octets.toStdString();
}

TEST(CatalogueListeTitres, LeModuleChargeMoviesTxtASaCreation)
{
    Programme programme;
    programme.repertoire.ecrire(u"movies.txt"_s, "PONT (LE)\r\nCL\xC9O DE 5 \xC0 7\nFIN\r");
    EXPECT_EQ(programme.demarrer().listeTitres(),
              QStringList({u"PONT (LE)"_s, u"CLÉO DE 5 À 7"_s, u"FIN"_s}));
}

TEST(CatalogueListeTitres, SansMoviesTxtLIndexEstVideEtLeCatalogueExiste)
{
    Programme absent;
    QFile::remove(absent.repertoire.fichier(u"movies.txt"_s));
    Programme illisible;
    QFile::remove(illisible.repertoire.fichier(u"movies.txt"_s));
    QDir().mkdir(illisible.repertoire.fichier(u"movies.txt"_s));

    for (Programme *programme : {&absent, &illisible}) {
        Tdm_Kinolux &dm = programme->demarrer();
        EXPECT_TRUE(dm.listeTitres().isEmpty());
        auto fiche = ficheSimple(u"A"_s);
        EXPECT_TRUE(dm.ajouterFicheFilm(fiche));
        EXPECT_NO_THROW(dm.ecrireBaseFilms());
        EXPECT_NO_THROW(dm.lireBaseFilms());
        EXPECT_EQ(dm.fichesFilms().size(), 1u);
    }
}

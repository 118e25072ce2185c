#include "import/Hotes.h"
#include "import/ListeTitres.h"
#include "tests/support/RepertoireTest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(IndexTitres, NormalisationPutsTheArticleBackInFront)
{
    const struct
    {
        QString titre;
        QString attendu;
    } cas[] = {
        {u"PONT (LE)"_s, u"LE PONT"_s},
        {u"AMOUR (L')"_s, u"L'AMOUR"_s},
        {u"PONT (LE) 2"_s, u"LE PONT"_s},         // what follows the suffix is dropped
        {u"PONT (THE) (LE)"_s, u"THE LE PONT"_s}, // each row sees the result of the last
        {u"pont (le)"_s, u"pont (le)"_s},         // the suffixes are capitals
        {u"MATRIX"_s, u"MATRIX"_s},
        {u" (LA)"_s, u"LA "_s},
        {u"ENFANTS DU PARADIS (LES)"_s, u"LES ENFANTS DU PARADIS"_s},
        {u"FEMME (UNE)"_s, u"UNE FEMME"_s},
        {u"HOMME (UN)"_s, u"UN HOMME"_s},
        {u"ÉTÉ MEURTRIER (L')"_s, u"L'ÉTÉ MEURTRIER"_s},
        {u"TITRE (VRM)"_s, u"VRM TITRE"_s},
        {u"TITRE(LE)"_s, u"TITRE(LE)"_s}, // the blank belongs to the suffix
    };
    for (const auto &c : cas)
        EXPECT_EQ(ListeTitres::normaliserTitre(c.titre), c.attendu) << c.titre.toStdString();
}

TEST(IndexTitres, TheFilterKeepsTheIndexOrderAndComparesExactly)
{
    const QStringList titres = {u"PONT (LE)"_s,  QString(),    u"BLEU"_s,
                                u"AMOUR (L')"_s, u"le bleu"_s, u"ALIEN"_s};
    EXPECT_EQ(ListeTitres::filtrer(titres, QString()), titres) << "empty lines included";
    EXPECT_EQ(ListeTitres::filtrer(titres, u"LE"_s), QStringList({u"PONT (LE)"_s, u"BLEU"_s}));
    EXPECT_EQ(ListeTitres::filtrer(titres, u"le"_s), QStringList({u"le bleu"_s}));
    EXPECT_EQ(ListeTitres::filtrer(titres, u" (L"_s),
              QStringList({u"PONT (LE)"_s, u"AMOUR (L')"_s}));
    EXPECT_TRUE(ListeTitres::filtrer(titres, u"ZZZ"_s).isEmpty());
}

TEST(IndexTitres, TheIndexIsWrittenAsWindows1252WithCrLfAfterEveryLine)
{
    RepertoireTest repertoire(false);
    const QString fichier = repertoire.fichier(u"movies.txt"_s);
    const QStringList titres = {u"ÉTÉ (L')"_s, QString(), u"PONT (LE)"_s};
    ASSERT_TRUE(ListeTitres::ecrire(fichier, titres));
    EXPECT_EQ(repertoire.lire(u"movies.txt"_s), QByteArray("\xC9T\xC9 (L')\r\n\r\nPONT (LE)\r\n"));
    EXPECT_EQ(ListeTitres::lire(fichier), titres);

    QString erreur;
    EXPECT_FALSE(ListeTitres::ecrire(repertoire.fichier(u"absent/movies.txt"_s), titres, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
}

TEST(IndexTitres, TheHostsComeFromKinoluxIniOrDefaultToTheStandIn)
{
    RepertoireTest repertoire(false);
    const Hotes parDefaut = Hotes::lire(repertoire.chemin());
    EXPECT_EQ(parDefaut.principal, u"http://127.0.0.1:8081"_s);
    EXPECT_EQ(parDefaut.donnees, u"http://127.0.0.1:8082"_s);
    EXPECT_EQ(parDefaut.affiches, u"http://127.0.0.1:8083"_s);

    repertoire.ecrire(u"kinolux.ini"_s, "[sites]\nprincipal=http://127.0.0.1:9001/\n"
                                        "donnees=http://127.0.0.1:9002\n");
    const Hotes lus = Hotes::lire(repertoire.chemin());
    EXPECT_EQ(lus.principal, u"http://127.0.0.1:9001"_s);
    EXPECT_EQ(lus.donnees, u"http://127.0.0.1:9002"_s);
    EXPECT_EQ(lus.affiches, u"http://127.0.0.1:8083"_s) << "a missing key keeps its default";
}

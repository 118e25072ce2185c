#include "tests/catalogue/OutilsCatalogue.h"

using namespace Qt::StringLiterals;

TEST(CatalogueFiche, UneListeEcriteEstCopieeDansLaListeDeLaFiche)
{
    auto fiche = ficheSimple(u"A"_s);
    QStringList &genres = fiche->genres();

    QStringList donnee{u"Drame"_s, u""_s, u"Drame"_s};
    fiche->setGenres(donnee);
    donnee.append(u"Comédie"_s);
    EXPECT_EQ(&fiche->genres(), &genres);
    EXPECT_EQ(genres, QStringList({u"Drame"_s, u""_s, u"Drame"_s}));

    fiche->setGenres(fiche->genres());
    EXPECT_EQ(genres.size(), 3);
    fiche->setGenres({});
    EXPECT_EQ(&fiche->genres(), &genres);
    EXPECT_TRUE(genres.isEmpty());
}

TEST(CatalogueFiche, AjouterRefuseLeDoublonExactEtLaFicheAbsente)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();

    auto premiere = ficheSimple(u"PONT (LE)"_s);
    TFicheFilm *adresse = premiere.get();
    EXPECT_TRUE(dm.ajouterFicheFilm(premiere));
    EXPECT_FALSE(premiere);
    EXPECT_EQ(dm.fichesFilms().at(0).get(), adresse);

    auto doublon = ficheSimple(u"PONT (LE)"_s);
    EXPECT_FALSE(dm.ajouterFicheFilm(doublon));
    EXPECT_TRUE(doublon) << "a refused card stays with the caller";

    auto casseDifferente = ficheSimple(u"Pont (le)"_s);
    EXPECT_TRUE(dm.ajouterFicheFilm(casseDifferente));

    std::unique_ptr<TFicheFilm> aucune;
    EXPECT_FALSE(dm.ajouterFicheFilm(aucune));
    EXPECT_EQ(dm.fichesFilms().size(), 2u);

    dm.detruireFichesFilms();
    EXPECT_TRUE(dm.fichesFilms().empty());
}

TEST(CatalogueFiche, CheminConvertitLesBarresInversees)
{
    Programme programme;
    const Tdm_Kinolux &dm = programme.demarrer();
    EXPECT_EQ(dm.chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s),
              programme.repertoire.chemin() + u"/IMAGES_FILMS/SANSIMAGE.jpg"_s);
    EXPECT_TRUE(QFile::exists(dm.chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s)));
}

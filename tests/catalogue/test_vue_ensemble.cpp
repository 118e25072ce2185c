// The overview's logic without its window: the quick filter, the table's sort and the multi-edit.
#include "catalogue/Erreur.h"
#include "catalogue/FiltreRapide.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/ModificationGroupee.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/RepertoireTest.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ChampsFiche;

namespace {

struct Film
{
    const char16_t *titre;
    const char16_t *annee;
    const char16_t *duree;
    int preference;
    QStringList genres;
    QStringList realisateurs;
};

std::unique_ptr<TFicheFilm> fiche(const Film &film)
{
    auto f = nouvelleFiche(QString::fromUtf16(film.titre).toUpper(), QString());
    f->setTitreFrancais(QString::fromUtf16(film.titre));
    f->setAnnee(QString::fromUtf16(film.annee));
    f->setDuree(QString::fromUtf16(film.duree));
    f->setNiveauPreference(film.preference);
    f->setGenres(film.genres);
    f->setRealisateurs(film.realisateurs);
    return f;
}

class VueEnsembleTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    Tdm_Kinolux dm{repertoire.chemin()};
    ModeleVueEnsemble vue{dm.modele()};
    QAbstractItemModelTester testeur{&vue, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void SetUp() override
    {
        Catalogue fiches;
        for (const Film &film : std::initializer_list<Film>{
                 {u"2001 : l'odyssée de l'espace",
                  u"1968",
                  u"141 min",
                  9,
                  {u"Science-fiction"_s},
                  {u"Stanley Kubrick"_s}},
                 {u"Été violent", u"1959", u"100 min", 6, {u"Drame"_s}, {u"Valerio Zurlini"_s}},
                 {u"ete 85", u"-", u"-", 5, {u" Drame"_s, u"Comédie"_s}, {u"François Ozon"_s}},
                 {u"Barry Lyndon", u"1975?", u"184", 10, {u"Drame"_s}, {u"Stanley Kubrick"_s}},
                 {u"Zazie dans le métro", u"1960", u"89 min", 3, {u"Comédie"_s}, {}},
             })
            fiches.push_back(fiche(film));
        dm.adopterFiches(std::move(fiches));
        vue.sort(TitreFrancais, Qt::AscendingOrder);
    }
    QStringList titres() const
    {
        QStringList resultat;
        for (int ligne = 0; ligne < vue.rowCount(); ++ligne)
            resultat.append(vue.index(ligne, TitreFrancais).data().toString());
        return resultat;
    }
    QStringList trouves(const QString &saisie)
    {
        vue.definirFiltre(saisie);
        return titres();
    }
};

TEST(FiltreRapide, LesMotsSontPliesEtLesPrefixesLus)
{
    EXPECT_EQ(FiltreRapide::plier(u"Été ÇA Œuvre"), QByteArray("ete ca œuvre"));
    EXPECT_EQ(FiltreRapide::nombreEnTete(u"1968?"), 1968);
    EXPECT_EQ(FiltreRapide::nombreEnTete(u" 90 min"), 90);
    EXPECT_FALSE(FiltreRapide::nombreEnTete(u"-"));

    const auto filtre = FiltreRapide::analyser(u"  Kubrick annee:1960-1969 pref:>7 Genre:Drame x:y "
                                               "pref:beaucoup"_s);
    ASSERT_EQ(filtre.criteres.size(), 6u);
    using G = FiltreRapide::Critere::Genre;
    EXPECT_EQ(filtre.criteres[0].genre, G::Mot);
    EXPECT_EQ(filtre.criteres[0].texte, QByteArray("kubrick"));
    EXPECT_EQ(filtre.criteres[1].genre, G::Intervalle);
    EXPECT_EQ(filtre.criteres[1].minimum, 1960);
    EXPECT_EQ(filtre.criteres[1].maximum, 1969);
    EXPECT_EQ(filtre.criteres[2].minimum, 8) << "pref:>7 is 8 and above";
    EXPECT_EQ(filtre.criteres[3].genre, G::Champ);
    EXPECT_EQ(filtre.criteres[3].champ, Genres);
    EXPECT_EQ(filtre.criteres[3].texte, QByteArray("drame"));
    EXPECT_EQ(filtre.criteres[4].texte, QByteArray("x:y")) << "an unknown prefix is a word";
    EXPECT_EQ(filtre.criteres[5].genre, G::Mot) << "a bound that is no number is a word";
    EXPECT_TRUE(FiltreRapide::analyser(u" \t "_s).vide());
}

TEST_F(VueEnsembleTest, LeFiltreTrouveChaqueMotSansCasseNiAccents)
{
    EXPECT_EQ(trouves(u"kubrick 1968"_s), QStringList({u"2001 : l'odyssée de l'espace"_s}));
    EXPECT_EQ(trouves(u"ETE"_s), QStringList({u"ete 85"_s, u"Été violent"_s}));
    EXPECT_EQ(trouves(u"odyssee"_s).size(), 1);
    EXPECT_EQ(trouves(u"genre:drame annee:1950-1979"_s),
              QStringList({u"Barry Lyndon"_s, u"Été violent"_s}))
        << "a year such as 1975? is read as 1975; ete 85 has no year";
    EXPECT_EQ(trouves(u"pref:>=9"_s),
              QStringList({u"2001 : l'odyssée de l'espace"_s, u"Barry Lyndon"_s}));
    EXPECT_EQ(trouves(u"realisateur:ozon"_s), QStringList({u"ete 85"_s}));
    EXPECT_TRUE(trouves(u"kubrick zazie"_s).isEmpty());
    EXPECT_EQ(vue.texteNombre(), u"Aucun film ne correspond"_s);
    // Typing on, then back: the rows refused while the filter was narrower come back.
    trouves(u"dr"_s);
    EXPECT_EQ(trouves(u"drame"_s).size(), 3);
    EXPECT_EQ(trouves(u"drame lyndon"_s), QStringList({u"Barry Lyndon"_s}));
    EXPECT_EQ(trouves(u"d"_s).size(), 5);
    EXPECT_EQ(trouves(u"dram"_s).size(), 3);
    EXPECT_EQ(vue.texteNombre(), u"3 films sur 5"_s);
    EXPECT_EQ(trouves(QString()).size(), 5);
}

TEST_F(VueEnsembleTest, LeFiltreSuitLesFichesQuiChangentArriventEtPartent)
{
    EXPECT_EQ(trouves(u"western"_s).size(), 0);
    dm.modifierFiche(dm.cle(4), [](TFicheFilm &f) { f.setGenres({u"Western"_s}); });
    EXPECT_EQ(titres(), QStringList({u"Zazie dans le métro"_s}));
    auto nouvelle = fiche({u"Rio Bravo", u"1959", u"141 min", 8, {u"Western"_s}, {}});
    dm.ajouterFicheFilm(nouvelle);
    EXPECT_EQ(titres(), QStringList({u"Rio Bravo"_s, u"Zazie dans le métro"_s}));
    EXPECT_EQ(vue.texteNombre(), u"2 films sur 6"_s);
    dm.supprimerFiches({dm.cle(4)});
    EXPECT_EQ(titres(), QStringList({u"Rio Bravo"_s}));
    EXPECT_EQ(vue.texteNombre(), u"1 film sur 5"_s);
    dm.detruireFichesFilms();
    EXPECT_EQ(vue.texteNombre(), u"0 film"_s);
}

TEST_F(VueEnsembleTest, LesNombresSeTrientCommeDesNombresEtLesInconnusFinissent)
{
    vue.sort(TitreFrancais, Qt::AscendingOrder);
    EXPECT_EQ(titres(), QStringList({u"2001 : l'odyssée de l'espace"_s, u"Barry Lyndon"_s,
                                     u"ete 85"_s, u"Été violent"_s, u"Zazie dans le métro"_s}));
    vue.sort(Annee, Qt::AscendingOrder);
    EXPECT_EQ(titres(),
              QStringList({u"Été violent"_s, u"Zazie dans le métro"_s,
                           u"2001 : l'odyssée de l'espace"_s, u"Barry Lyndon"_s, u"ete 85"_s}));
    vue.sort(Annee, Qt::DescendingOrder);
    EXPECT_EQ(titres().first(), u"Barry Lyndon"_s);
    EXPECT_EQ(titres().last(), u"ete 85"_s) << "'-' last in either order";
    vue.sort(Duree, Qt::AscendingOrder);
    EXPECT_EQ(titres(),
              QStringList({u"Zazie dans le métro"_s, u"Été violent"_s,
                           u"2001 : l'odyssée de l'espace"_s, u"Barry Lyndon"_s, u"ete 85"_s}))
        << "89 before 100, as numbers";
    vue.sort(NiveauPreference, Qt::DescendingOrder);
    EXPECT_EQ(titres().first(), u"Barry Lyndon"_s);
    // A card changed while sorted goes to its new place.
    dm.modifierFiche(dm.cle(4), [](TFicheFilm &f) { f.setNiveauPreference(11); });
    EXPECT_EQ(titres().first(), u"Zazie dans le métro"_s);
    vue.sort(Genres, Qt::AscendingOrder);
    EXPECT_EQ(titres().first(), u"ete 85"_s) << "\" Drame, Comédie\": the blank sorts first";
}

TEST_F(VueEnsembleTest, UneModificationGroupeeNeChangeQueLesFichesQuiLeDemandent)
{
    using namespace ModificationGroupee;
    const std::vector<CleFiche> toutes = {dm.cle(0), dm.cle(1), dm.cle(2), dm.cle(3), dm.cle(4)};
    const Modification drame{Genres, Operation::AjouterEntree, u"Drame "_s};
    EXPECT_TRUE(changerait(*dm.fiche(dm.cle(0)), drame));
    EXPECT_FALSE(changerait(*dm.fiche(dm.cle(2)), drame)) << "\" Drame\" is Drame";
    const Bilan ajout = appliquer(dm, toutes, drame);
    EXPECT_EQ(ajout.modifiees, 2);
    EXPECT_TRUE(ajout.echec.isEmpty());
    EXPECT_EQ(dm.fiche(dm.cle(4))->genres(), QStringList({u"Comédie"_s, u"Drame"_s}));
    EXPECT_EQ(dm.fiche(dm.cle(2))->genres(), QStringList({u" Drame"_s, u"Comédie"_s}));

    const Bilan retrait = appliquer(dm, toutes, {Genres, Operation::RetirerEntree, u"drame"_s});
    EXPECT_EQ(retrait.modifiees, 0) << "entries compare as typed";
    EXPECT_EQ(appliquer(dm, toutes, {Genres, Operation::RetirerEntree, u"Drame"_s}).modifiees, 5);
    EXPECT_EQ(dm.fiche(dm.cle(2))->genres(), QStringList({u"Comédie"_s}));

    const std::vector<CleFiche> deux = {dm.cle(0), dm.cle(1)};
    EXPECT_EQ(appliquer(dm, deux, {NomSupport, Operation::Remplacer, u"Boîte 3"_s}).modifiees, 2);
    EXPECT_EQ(dm.fiche(dm.cle(1))->nomSupport(), u"Boîte 3"_s);
    EXPECT_EQ(appliquer(dm, toutes, {NiveauPreference, Operation::Remplacer, u" 7"_s}).modifiees,
              5);

    for (const Modification &impossible :
         {Modification{NiveauPreference, Operation::Remplacer, u"sept"_s},
          Modification{IdFilm, Operation::Remplacer, u"X"_s},
          Modification{CheminImage, Operation::Remplacer, u"X"_s},
          Modification{Genres, Operation::Remplacer, u"X"_s},
          Modification{Annee, Operation::AjouterEntree, u"X"_s},
          Modification{Acteurs, Operation::AjouterEntree, u"  "_s}})
        EXPECT_THROW(appliquer(dm, toutes, impossible), Erreur) << impossible.valeur.toStdString();
    EXPECT_EQ(dm.fiche(dm.cle(3))->niveauPreference(), 7) << "nothing applied by those";
}

} // namespace

#include "app/Kinolux.h"
#include "catalogue/Recherche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/PaintBox.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Catalogue catalogueDeRecherche()
{
    Catalogue fiches;
    auto pont = nouvelleFiche(u"PONT"_s, u"Le Pont"_s);
    pont->setTitreOriginal(u"DIE BRÜCKE"_s);
    pont->setMotsCles({u"guerre"_s, u"Adolescence"_s});
    pont->setActeurs({u"Folker Bohnet"_s, u"Fritz Wepper"_s});
    pont->setDistributeurFR(u"Les Films Marceau"_s);
    pont->setRealisateurs({u"Bernhard Wicki"_s, u"Bernhard Wicki"_s});
    pont->setAnnee(u"1959"_s);
    fiches.push_back(std::move(pont));
    auto meurtrier = nouvelleFiche(u"ETE"_s, u"Été meurtrier (L')"_s);
    meurtrier->setMotsCles({u"VENGEANCE"_s});
    meurtrier->setDistributeurFR(u"Gaumont"_s);
    fiches.push_back(std::move(meurtrier));
    auto unEte = nouvelleFiche(u"UN ETE"_s, u"Un été"_s);
    unEte->setDistributeurFR(u"GAUMONT"_s);
    fiches.push_back(std::move(unEte));
    fiches.push_back(nouvelleFiche(u"PONT 2"_s, u"Le Pont"_s));
    return fiches;
}

struct CasRecherche
{
    const char *nom;
    Recherche::Criteres criteres;
    QStringList titres;
};

Recherche::Criteres nomFilm(const QString &texte)
{
    Recherche::Criteres c;
    c.nomFilm = true;
    c.texte = texte;
    return c;
}
Recherche::Criteres motCle(const QString &texte)
{
    Recherche::Criteres c;
    c.motCle = true;
    c.texte = texte;
    return c;
}
template <typename Reglage> Recherche::Criteres avec(Recherche::Criteres c, Reglage reglage)
{
    reglage(c);
    return c;
}

void PrintTo(const CasRecherche &cas, std::ostream *os)
{
    *os << cas.nom;
}

class Criteres : public ::testing::TestWithParam<CasRecherche>
{
};

TEST_P(Criteres, EveryTickedCriterionMustHold)
{
    EXPECT_EQ(Recherche::rechercher(catalogueDeRecherche(), GetParam().criteres),
              GetParam().titres);
}

const auto acteur = [](const QString &nom) {
    return [nom](Recherche::Criteres &c) {
        c.acteur = true;
        c.acteurChoisi = nom;
    };
};
const auto realisateur = [](Recherche::Criteres &c) {
    c.realisateur = true;
    c.realisateurChoisi = u"Bernhard Wicki"_s;
};

const CasRecherche k_cas[] = {
    {"NothingTicked", avec(nomFilm(u"Pont"_s), [](auto &c) { c.nomFilm = false; }), {}},
    {"EmptyTitleText", nomFilm(QString()), {}},
    {"EmptyKeywordText", motCle(QString()), {}},
    {"LowerCaseFindsTheUpperCaseOriginalTitle", nomFilm(u"die"_s), {u"Le Pont"_s}},
    {"SameTitleTwiceListedTwice", nomFilm(u"PONT"_s), {u"Le Pont"_s, u"Le Pont"_s}},
    {"AccentedLettersKeepTheirCase", nomFilm(u"été"_s), {u"Un été"_s}},
    {"UpperCaseAccentedOnlyItself", nomFilm(u"Été"_s), {u"Été meurtrier (L')"_s}},
    {"KeywordIgnoresTheCaseOfPlainLetters", motCle(u"vengeance"_s), {u"Été meurtrier (L')"_s}},
    {"TitleAndKeywordTogether", avec(nomFilm(u"pont"_s), [](auto &c) { c.motCle = true; }), {}},
    {"ActorExactly", avec({}, acteur(u"Fritz Wepper"_s)), {u"Le Pont"_s}},
    {"ActorDifferingInCase", avec({}, acteur(u"fritz wepper"_s)), {}},
    {"DistributorExactly",
     avec({},
          [](auto &c) {
              c.distributeur = true;
              c.distributeurChoisi = u"Gaumont"_s;
          }),
     {u"Été meurtrier (L')"_s}},
    {"DirectorNamedTwiceListedOnce", avec({}, realisateur), {u"Le Pont"_s}},
    {"DirectorAndWrongYear",
     avec(avec({}, realisateur),
          [](auto &c) {
              c.annee = true;
              c.anneeChoisie = u"1960"_s;
          }),
     {}},
    {"DirectorAndYear",
     avec(avec({}, realisateur),
          [](auto &c) {
              c.annee = true;
              c.anneeChoisie = u"1959"_s;
          }),
     {u"Le Pont"_s}},
};

INSTANTIATE_TEST_SUITE_P(Recherche, Criteres, ::testing::ValuesIn(k_cas),
                         [](const auto &cas) { return std::string(cas.param.nom); });

TEST(Recherche, OnlyTheLettersAToZBecomeCapitals)
{
    EXPECT_EQ(Recherche::majusculesAscii(u"àbc été ÿz-09 Œuf"_s), u"àBC éTé ÿZ-09 ŒUF"_s);
}

TEST(Recherche, OfferedValuesKeepTheFirstSpellingInFirstMetOrder)
{
    Catalogue fiches;
    auto a = nouvelleFiche(u"A"_s, u"A"_s);
    a->setActeurs({u"Agnès Varda"_s, u"Jean Gabin"_s});
    a->setDistributeurFR(u"Gaumont"_s);
    a->setRealisateurs({u"Jacques Demy"_s, u"Jacques Demy"_s});
    a->setAnnee(u"1962"_s);
    fiches.push_back(std::move(a));
    auto b = nouvelleFiche(u"B"_s, u"B"_s);
    b->setActeurs({u"AGNÈS VARDA"_s, u"Michel Piccoli"_s, u"jean gabin"_s});
    b->setDistributeurFR(u"GAUMONT"_s);
    b->setAnnee(u"-"_s);
    fiches.push_back(std::move(b));

    const Recherche::Valeurs valeurs = Recherche::valeursOffertes(fiches);
    EXPECT_EQ(valeurs.acteurs,
              QStringList({u"Agnès Varda"_s, u"Jean Gabin"_s, u"Michel Piccoli"_s}));
    EXPECT_EQ(valeurs.distributeurs, QStringList({u"Gaumont"_s}));
    EXPECT_EQ(valeurs.realisateurs, QStringList({u"Jacques Demy"_s}));
    EXPECT_EQ(valeurs.annees, QStringList({u"1962"_s, u"-"_s}));
}

// Cards read from a file share their recurring values; shared texts, equal copies and values
// differing only in case must all be offered the same way.
TEST(Recherche, SharedAndCopiedValuesAreOfferedAlike)
{
    const QString gabin = u"Jean Gabin"_s;
    const QString annee = u"1962"_s;
    Catalogue fiches;
    auto a = nouvelleFiche(u"A"_s, u"A"_s);
    a->setActeurs({gabin, u"Agnès Varda"_s, gabin});
    a->setAnnee(annee);
    fiches.push_back(std::move(a));
    auto b = nouvelleFiche(u"B"_s, u"B"_s);
    b->setActeurs({u"JEAN GABIN"_s, u"Jean Gabin"_s, gabin.left(4), gabin});
    b->setAnnee(annee);
    fiches.push_back(std::move(b));
    auto c = nouvelleFiche(u"C"_s, u"C"_s);
    c->setActeurs({u"agnès varda"_s, u"Michel Piccoli"_s, gabin});
    c->setAnnee(u"1963"_s);
    fiches.push_back(std::move(c));

    const Recherche::Valeurs valeurs = Recherche::valeursOffertes(fiches);
    EXPECT_EQ(valeurs.acteurs,
              QStringList({u"Jean Gabin"_s, u"Agnès Varda"_s, u"Jean"_s, u"Michel Piccoli"_s}));
    EXPECT_EQ(valeurs.annees, QStringList({u"1962"_s, u"1963"_s}));
}

class OngletRechercheTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux{repertoire.chemin(), dialogues};

    void SetUp() override
    {
        for (auto &fiche : catalogueDeRecherche())
            ASSERT_TRUE(kinolux.dm_Kinolux().ajouterFicheFilm(fiche));
        fp().MAJ_ListeFilms();
    }
    TKinoluxFPrincipale &fp() { return kinolux.KinoluxFPrincipale(); }
    template <typename T> T &controle(const QString &nom)
    {
        T *trouve = fp().findChild<T *>(nom);
        EXPECT_NE(trouve, nullptr) << nom.toStdString();
        return *trouve;
    }
    QListWidget &resultats() { return controle<QListWidget>(u"listeRecherche"_s); }
    QStringList offerts(const QString &nom)
    {
        QStringList valeurs;
        const auto &choix = controle<QComboBox>(nom);
        for (int i = 0; i < choix.count(); ++i)
            valeurs.append(choix.itemText(i));
        return valeurs;
    }
    void rechercher() { emit controle<PaintBox>(u"boutonRechercher"_s).clic(); }
};

TEST_F(OngletRechercheTest, TheRefreshOffersTheValuesAndEmptiesTheChoices)
{
    EXPECT_EQ(offerts(u"cbRechercheDistrib"_s),
              QStringList({u"Les Films Marceau"_s, u"Gaumont"_s, u"-"_s}));
    EXPECT_EQ(offerts(u"cbRechercheRealis"_s), QStringList({u"Bernhard Wicki"_s}));
    EXPECT_EQ(offerts(u"cbRechercheAnnee"_s), QStringList({u"1959"_s, u"-"_s}));

    controle<QComboBox>(u"cbRechercheDistrib"_s).setCurrentIndex(1);
    controle<QCheckBox>(u"chbRechercheDistrib"_s).setChecked(true);
    controle<QLineEdit>(u"editRecherche"_s).setText(u"été"_s);
    rechercher();
    EXPECT_EQ(resultats().count(), 1);
    EXPECT_EQ(resultats().item(0)->text(), u"Été meurtrier (L')"_s);

    // Ticks and text stay, the choice does not; the results wait for the next search.
    fp().action(u"MAJ_Recherche"_s)->trigger();
    EXPECT_TRUE(controle<QComboBox>(u"cbRechercheDistrib"_s).currentText().isEmpty());
    EXPECT_TRUE(controle<QCheckBox>(u"chbRechercheDistrib"_s).isChecked());
    EXPECT_EQ(controle<QLineEdit>(u"editRecherche"_s).text(), u"été"_s);
    EXPECT_EQ(resultats().count(), 1);
}

TEST_F(OngletRechercheTest, ATypedChoiceSearchesAndAResultShowsItsSheet)
{
    controle<QCheckBox>(u"chbRechercheActeur"_s).setChecked(true);
    controle<QComboBox>(u"cbRechercheActeurs"_s).setEditText(u"Folker Bohnet"_s);
    fp().action(u"rechercherRecherche"_s)->trigger();
    ASSERT_EQ(resultats().count(), 1);

    resultats().setCurrentRow(0);
    emit resultats().itemDoubleClicked(resultats().item(0));
    EXPECT_EQ(controle<QLabel>(u"lbIDFilm"_s).text(), u"Identifiant : PONT"_s);
    EXPECT_EQ(fp().listeFilms().currentItem()->text(), u"Le Pont"_s);

    resultats().clearSelection();
    fp().action(u"afficherRechercheFiche"_s)->trigger();
    EXPECT_EQ(controle<QLabel>(u"lbIDFilm"_s).text(), u"Identifiant : PONT"_s);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

} // namespace

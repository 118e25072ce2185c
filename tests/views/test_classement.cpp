#include "app/Kinolux.h"
#include "catalogue/Classement.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "views/IconesFiche.h"
#include "views/OngletClassement.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A card by its identifier and the fields the classifications read.
struct Carte
{
    QString id;
    QStringList genres = {};
    QStringList nations = {};
    QString distributeur = u"-"_s;
    int preference = 5;
    QString support = u"-"_s;
};

using Attendu = std::vector<std::pair<QString, QStringList>>; // key, node texts

struct CasGroupement
{
    const char *nom;
    int type;
    std::vector<Carte> cartes;
    Attendu groupes;
};

Attendu grouper(const std::vector<Carte> &cartes, int type)
{
    std::vector<std::unique_ptr<TFicheFilm>> fiches;
    std::vector<const TFicheFilm *> ordre;
    for (const Carte &carte : cartes) {
        auto fiche = nouvelleFiche(carte.id, u"Titre "_s + carte.id);
        fiche->setGenres(carte.genres);
        fiche->setNationnalites(carte.nations);
        fiche->setDistributeurFR(carte.distributeur);
        fiche->setNiveauPreference(carte.preference);
        fiche->setTypeSupport(carte.support);
        ordre.push_back(fiche.get());
        fiches.push_back(std::move(fiche));
    }
    Attendu resultat;
    const Classement::Arbre arbre = Classement::grouper(ordre, type);
    for (const Classement::Groupe &groupe : arbre.groupes) {
        QStringList noeuds;
        for (const Classement::Film &film : groupe.films) {
            EXPECT_EQ(arbre.texte(film), Classement::texteNoeud(*film.fiche));
            noeuds.append(arbre.texte(film).toString());
        }
        resultat.emplace_back(groupe.cle, noeuds);
    }
    return resultat;
}

void PrintTo(const CasGroupement &cas, std::ostream *os)
{
    *os << cas.nom;
}

class Groupement : public ::testing::TestWithParam<CasGroupement>
{
};

TEST_P(Groupement, GroupsFollowTheFirstMeetingAndCompareWholeAndCaseSensitively)
{
    EXPECT_EQ(grouper(GetParam().cartes, GetParam().type), GetParam().groupes);
}

const CasGroupement k_cas[] = {
    {"GenresTwoGroupsAndARepeatedGenreTwice",
     Classement::parGenres,
     {{u"A"_s, {u"Drame"_s, u"Guerre"_s}}, {u"B"_s, {u"Guerre"_s, u"Guerre"_s}}, {u"C"_s, {}}},
     {{u"Drame"_s, {u"A"_s}}, {u"Guerre"_s, {u"A"_s, u"B"_s, u"B"_s}}}},
    {"Nationalities",
     Classement::parNationalites,
     {{u"A"_s, {}, {u"France"_s}}, {u"B"_s, {}, {}}, {u"C"_s, {}, {u"Italie"_s, u"France"_s}}},
     {{u"France"_s, {u"A"_s, u"C"_s}}, {u"Italie"_s, {u"C"_s}}}},
    {"DistributorsDifferingInCase",
     Classement::parDistributeurs,
     {{u"A"_s, {}, {}, u"Gaumont"_s},
      {u"B"_s, {}, {}, u"-"_s},
      {u"C"_s, {}, {}, u"GAUMONT"_s},
      {u"D"_s, {}, {}, u"-"_s}},
     {{u"Gaumont"_s, {u"A"_s}}, {u"-"_s, {u"B"_s, u"D"_s}}, {u"GAUMONT"_s, {u"C"_s}}}},
    {"PreferencesInFirstMetOrderNotNumeric",
     Classement::parPreferences,
     {{u"A"_s, {}, {}, u"-"_s, 10}, {u"B"_s, {}, {}, u"-"_s, 5}, {u"C"_s, {}, {}, u"-"_s, 10}},
     {{u"10"_s, {u"A"_s, u"C"_s}}, {u"5"_s, {u"B"_s}}}},
    {"MediumTypes",
     Classement::parTypesSupport,
     {{u"A"_s, {}, {}, u"-"_s, 5, u"DVD-VIDEO"_s},
      {u"B"_s, {}, {}, u"-"_s, 5, u"-"_s},
      {u"C"_s, {}, {}, u"-"_s, 5, u"DVD-VIDEO"_s}},
     {{u"DVD-VIDEO"_s, {u"A"_s, u"C"_s}}, {u"-"_s, {u"B"_s}}}},
    {"FirstCharacterUpperAndLowerApart",
     Classement::alphabetique,
     {{u"ALIEN"_s}, {u"amour"_s}, {u"AMOUR"_s}, {u"Été"_s}, {u"\U0001F3AC CLAP"_s}},
     {{u"A"_s, {u"ALIEN"_s, u"AMOUR"_s}},
      {u"a"_s, {u"amour"_s}},
      {u"É"_s, {u"Été"_s}},
      {u"\U0001F3AC"_s, {u"\U0001F3AC CLAP"_s}}}},
    // A card without identifier stays visible: under "-", shown by its title.
    {"EmptyIdentifier",
     Classement::alphabetique,
     {{u"-X"_s}, {QString()}},
     {{u"-"_s, {u"-X"_s, u"Titre "_s}}}},
    {"NoClassificationSelected", -1, {{u"A"_s, {u"Drame"_s}}}, {}},
};

INSTANTIATE_TEST_SUITE_P(Classement, Groupement, ::testing::ValuesIn(k_cas),
                         [](const auto &cas) { return std::string(cas.param.nom); });

TEST(Classement, NodeTextFallsBackToTheTitleThenADash)
{
    EXPECT_EQ(Classement::texteNoeud(*nouvelleFiche(u"ID"_s, u"Titre"_s)), u"ID");
    EXPECT_EQ(Classement::texteNoeud(*nouvelleFiche(QString(), u"Titre"_s)), u"Titre");
    EXPECT_EQ(Classement::texteNoeud(*nouvelleFiche(QString(), QString())), u"-");
}

TEST(Classement, MediumPicturesCompareTheWholeTextExactly)
{
    const std::pair<QString, int> lignes[] = {
        {u"DVD-/+R(W)"_s, 26},       {u"DVD-VIDEO"_s, 5},          {u"CD-R(W)"_s, 27},
        {u"Disque Dur Local"_s, 25}, {u"Disque Dur Externe"_s, 9}, {u"-"_s, 0},
        {u"dvd-video"_s, 0},         {u"DVD-VIDEO "_s, 0},         {QString(), 0}};
    for (const auto &[support, image] : lignes)
        EXPECT_EQ(IconesFiche::imageSupport(support), image) << support.toStdString();
}

class OngletClassementTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux{repertoire.chemin(), dialogues};

    TKinoluxFPrincipale &fp() { return kinolux.KinoluxFPrincipale(); }
    QTreeWidget &arbre() { return *fp().findChild<QTreeWidget *>(u"arbreClassementFilms"_s); }
    OngletClassement &onglet() { return *fp().findChild<OngletClassement *>(); }
    TFicheFilm &ajouter(const QString &id, const QString &titre)
    {
        auto fiche = nouvelleFiche(id, titre);
        TFicheFilm &ref = *fiche;
        EXPECT_TRUE(kinolux.dm_Kinolux().ajouterFicheFilm(fiche));
        return ref;
    }
    void choisirClassement(int index)
    {
        fp().findChild<QGroupBox *>(u"rgClassementType"_s)
            ->findChildren<QRadioButton *>()
            .at(index)
            ->click();
    }
    QString identifiant() { return fp().findChild<QLabel *>(u"lbIDFilm"_s)->text(); }
    static QImage image(const QIcon &icone, QIcon::Mode mode)
    {
        return icone.pixmap(16, mode).toImage().convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(OngletClassementTest, TheTreeWalksTheFilmListAndItsNodesCarryTheirCards)
{
    EXPECT_EQ(arbre().indentation(), 19);
    EXPECT_EQ(arbre().editTriggers(), QAbstractItemView::NoEditTriggers);
    // Catalogue order Z then A; the film list (sorted by title) meets Amélie first.
    TFicheFilm &zorro = ajouter(u"ZORRO"_s, u"Zorro"_s);
    zorro.setGenres({u"Aventure"_s});
    TFicheFilm &amelie = ajouter(u"AMELIE"_s, u"Amélie"_s);
    amelie.setGenres({u"Comédie"_s, u"Aventure"_s});
    fp().MAJ_ListeFilms();
    ASSERT_EQ(arbre().topLevelItemCount(), 2);
    EXPECT_EQ(arbre().topLevelItem(0)->text(0), u"A"_s);
    EXPECT_EQ(arbre().topLevelItem(1)->text(0), u"Z"_s);

    choisirClassement(Classement::parGenres);
    ASSERT_EQ(arbre().topLevelItemCount(), 2);
    QTreeWidgetItem *comedie = arbre().topLevelItem(0);
    QTreeWidgetItem *aventure = arbre().topLevelItem(1);
    EXPECT_EQ(comedie->text(0), u"Comédie"_s);
    EXPECT_EQ(onglet().ficheDuNoeud(*comedie), nullptr);
    ASSERT_EQ(aventure->childCount(), 2);
    EXPECT_EQ(aventure->child(0)->text(0), u"AMELIE"_s);
    EXPECT_EQ(onglet().ficheDuNoeud(*aventure->child(0)), &amelie);
    EXPECT_EQ(onglet().ficheDuNoeud(*aventure->child(1)), &zorro);
    EXPECT_FALSE(aventure->isExpanded());
    EXPECT_TRUE(aventure->icon(0).isNull()) << "no pictures but for the medium types";

    // The choice survives the refresh of all views.
    fp().MAJ_ListeFilms();
    EXPECT_EQ(arbre().topLevelItem(0)->text(0), u"Comédie"_s);
}

TEST_F(OngletClassementTest, MediumTypesShowTheirPicturesAndTheSelectedFilmPicture)
{
    ajouter(u"A"_s, u"A"_s).setTypeSupport(u"DVD-VIDEO"_s);
    ajouter(u"B"_s, u"B"_s).setTypeSupport(u"Clé USB"_s);
    fp().MAJ_ListeFilms();
    choisirClassement(Classement::parTypesSupport);

    const QList<QImage> &images = Images::listeImages();
    const auto attendue = [&](int index) {
        return images.at(index).convertToFormat(QImage::Format_ARGB32);
    };
    const std::pair<int, int> groupes[] = {{0, Images::imageDvdVideo},
                                           {1, Images::imageSupportAutre}};
    for (const auto &[ligne, index] : groupes) {
        QTreeWidgetItem *groupe = arbre().topLevelItem(ligne);
        EXPECT_EQ(image(groupe->icon(0), QIcon::Normal), attendue(index));
        EXPECT_EQ(image(groupe->icon(0), QIcon::Selected), attendue(index));
        QTreeWidgetItem *film = groupe->child(0);
        EXPECT_EQ(image(film->icon(0), QIcon::Normal), attendue(index));
        EXPECT_EQ(image(film->icon(0), QIcon::Selected), attendue(Images::imageFilmSelectionne));
    }

    choisirClassement(Classement::parPreferences);
    EXPECT_TRUE(arbre().topLevelItem(0)->icon(0).isNull());
    EXPECT_TRUE(arbre().topLevelItem(0)->child(0)->icon(0).isNull());
}

TEST_F(OngletClassementTest, AFilmNodeShowsItsSheetAGroupNodeNothing)
{
    auto *bouton = fp().findChild<PaintBox *>(u"boutonClassementAfficherFicheFilm"_s);
    emit bouton->clic();
    EXPECT_EQ(identifiant(), u"Identifiant : -"_s) << "an empty tree shows nothing";

    ajouter(u"BRAZIL"_s, u"Brazil"_s);
    ajouter(u"PONT (LE)"_s, u"Le Pont"_s);
    fp().MAJ_ListeFilms();
    QTreeWidgetItem *groupeP = arbre().topLevelItem(1);
    ASSERT_EQ(groupeP->text(0), u"P"_s);

    arbre().setCurrentItem(groupeP->child(0));
    emit bouton->clic();
    EXPECT_EQ(identifiant(), u"Identifiant : PONT (LE)"_s);
    EXPECT_EQ(fp().listeFilms().currentItem()->text(), u"Le Pont"_s);

    arbre().setCurrentItem(arbre().topLevelItem(0)->child(0));
    emit arbre().itemDoubleClicked(arbre().currentItem(), 0);
    EXPECT_EQ(identifiant(), u"Identifiant : BRAZIL"_s);

    arbre().setCurrentItem(groupeP);
    emit arbre().itemDoubleClicked(groupeP, 0);
    EXPECT_EQ(identifiant(), u"Identifiant : BRAZIL"_s);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(OngletClassementTest, ACardWithoutIdentifierCanBeShown)
{
    ajouter(QString(), u"Sans identifiant"_s);
    fp().MAJ_ListeFilms();
    ASSERT_EQ(arbre().topLevelItemCount(), 1);
    QTreeWidgetItem *film = arbre().topLevelItem(0)->child(0);
    EXPECT_EQ(film->text(0), u"Sans identifiant"_s);
    arbre().setCurrentItem(film);
    fp().action(u"afficherClassementFiche"_s)->trigger();
    EXPECT_EQ(fp().listeFilms().currentItem()->text(), u"Sans identifiant"_s);
}

} // namespace

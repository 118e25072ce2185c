// The playlist tab in the whole program. Launches are captured by a handler of file URLs.
#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"
#include "chrome/TformMessageFlash.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "views/OngletListeLecture.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

// Every URL opened, with the flash window's progress at that moment.
class Lancements final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;
    QList<int> progressions;
    QProgressBar *barre = nullptr;

public slots:
    void ouvrir(const QUrl &url)
    {
        urls.append(url);
        progressions.append(barre->isVisibleTo(barre->window()) ? barre->value() : -1);
    }
};

namespace {

class OngletListeLectureTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    Lancements lancements;

    void SetUp() override
    {
        lancements.barre = flash().findChild<QProgressBar *>(u"barreProgr"_s);
        QDesktopServices::setUrlHandler(u"file"_s, &lancements, "ouvrir");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler(u"file"_s); }

    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    OngletListeLecture &onglet() { return *fp().findChild<OngletListeLecture *>(); }
    TformMessageFlash &flash() { return kinolux->formMessageFlash(); }
    QTimer &fermeture() { return *flash().findChild<QTimer *>(u"timerFermeture"_s); }
    void executer(const QString &action) { fp().action(action)->trigger(); }
    template <typename T> void cliquer(const QString &nom)
    {
        auto *bouton = onglet().findChild<T *>(nom);
        QTest::mouseClick(bouton, Qt::LeftButton, {}, bouton->rect().center());
    }

    void ajouterFilm(const QString &titre, const QString &cheminFichier)
    {
        auto fiche = std::make_unique<TFicheFilm>(titre.toUpper(), titre, u"-"_s, u"-"_s, u"-"_s,
                                                  u"-"_s, u"-"_s, QStringList(), QStringList(),
                                                  QStringList(), QStringList(), QStringList());
        fiche->setCheminFichier(cheminFichier);
        kinolux->dm_Kinolux().ajouterFicheFilm(fiche);
        fp().MAJ_ListeFilms();
    }
    void cocher(QList<int> lignes)
    {
        for (int ligne : lignes)
            onglet().listeLecture().item(ligne)->setCheckState(Qt::Checked);
    }
    QList<int> coches()
    {
        QList<int> resultat;
        for (int i = 0; i < onglet().listeLecture().count(); ++i)
            if (onglet().listeLecture().item(i)->checkState() == Qt::Checked)
                resultat.append(i);
        return resultat;
    }
    QUrl url(const QString &relatif)
    {
        return QUrl::fromLocalFile(QDir(repertoire.chemin()).filePath(relatif));
    }
    void remplir(const QByteArray &fichier)
    {
        repertoire.ecrire(u"listeLecture.ldl"_s, fichier);
        executer(u"chargerListeLecture"_s);
    }
};

TEST_F(OngletListeLectureTest, TheSameFilmAddedTwiceIsPlayedAsEntriesOneAndTwoTickedOrNot)
{
    ajouterFilm(u"Le Pont"_s, u"D:\\Films\\pont.avi"_s);
    ajouterFilm(u"Brazil"_s, u"brazil.mkv"_s);
    fp().selectionnerTitre(u"Le Pont"_s);
    executer(u"ajouterDansListeLecture"_s);
    EXPECT_EQ(flash().texte(), u"Film Le Pont ajouté dans la liste de lecture"_s);
    EXPECT_TRUE(flash().isVisible());
    EXPECT_EQ(fermeture().interval(), 800);
    executer(u"ajouterDansListeLecture"_s);
    fp().selectionnerTitre(u"Brazil"_s);
    executer(u"ajouterDansListeLecture"_s);
    EXPECT_EQ(onglet().entrees(), QStringList({u"Le Pont"_s, u"Le Pont"_s, u"Brazil"_s}));
    EXPECT_TRUE(coches().isEmpty());

    cocher({1});
    executer(u"lireListeLecture"_s);
    EXPECT_EQ(repertoire.lire(u"kinolux.pls"_s),
              QByteArray("[playlist]\r\nFile1=D:\\Films\\pont.avi\r\nTitle1=pont.avi\r\n"
                         "File2=D:\\Films\\pont.avi\r\nTitle2=pont.avi\r\n"
                         "File3=brazil.mkv\r\nTitle3=brazil.mkv\r\n"
                         "NumberOfEntries=3\r\nVersion=2\r\n"));
    EXPECT_EQ(lancements.urls, QList<QUrl>{url(u"kinolux.pls"_s)});
    EXPECT_EQ(lancements.progressions, QList<int>{62}) << "the third entry: 2 x (94 / 3)";
    EXPECT_EQ(flash().texte(), u"Lancement de la liste de lecture... TERMINE."_s);
    EXPECT_FALSE(lancements.barre->isVisibleTo(&flash()));
    EXPECT_EQ(fermeture().interval(), 500);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(OngletListeLectureTest, DeletingRemovesOnlyTheTickedEntriesAndUntickAllClearsTheMarks)
{
    remplir("A\r\nB\r\nC\r\n");
    cocher({0, 2});
    cliquer<TImage>(u"boutonListeLectureSupprimer"_s);
    EXPECT_EQ(onglet().entrees(), QStringList{u"B"_s});

    remplir("A\r\nB\r\nC\r\n");
    cocher({0, 1});
    cliquer<PaintBox>(u"boutonListeLectureDecocherTous"_s);
    EXPECT_TRUE(coches().isEmpty());
    cliquer<TImage>(u"boutonListeLectureSupprimer2"_s);
    EXPECT_EQ(onglet().entrees().size(), 3);
    EXPECT_FALSE(flash().isVisible()) << "deleting says nothing";
}

TEST_F(OngletListeLectureTest, SavingAndReadingBackKeepsOrderAndDuplicatesButNotTheTicks)
{
    remplir("Brazil\r\nLe Pont\r\nBrazil\r\n\r\nAm\xE9lie");
    cocher({0, 3});
    cliquer<TImage>(u"boutonListeLectureEnregistrer"_s);
    EXPECT_EQ(repertoire.lire(u"listeLecture.ldl"_s),
              QByteArray("Brazil\r\nLe Pont\r\nBrazil\r\n\r\nAm\xE9lie\r\n"));
    EXPECT_EQ(flash().texte(), u"Liste de lecture enregistrée."_s);
    EXPECT_EQ(fermeture().interval(), 300);

    executer(u"chargerListeLecture"_s);
    EXPECT_EQ(onglet().entrees(),
              QStringList({u"Brazil"_s, u"Le Pont"_s, u"Brazil"_s, QString(), u"Amélie"_s}));
    EXPECT_TRUE(coches().isEmpty());

    onglet().listeLecture().clear();
    executer(u"enregistrerListeLecture"_s);
    EXPECT_EQ(repertoire.lire(u"listeLecture.ldl"_s), QByteArray());
}

TEST_F(OngletListeLectureTest, TheStartUpLoadReadsThePlaylistAndAMissingOrUnreadableFileKeepsIt)
{
    repertoire.ecrire(u"listeLecture.ldl"_s, "le pont\r\nBRAZIL");
    kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    kinolux->KinoluxPC().Image1Click();
    fp().TimerDemarreTimer();
    const QStringList lues{u"le pont"_s, u"BRAZIL"_s};
    EXPECT_EQ(onglet().entrees(), lues);

    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"listeLecture.ldl"_s)));
    executer(u"chargerListeLecture"_s);
    EXPECT_EQ(onglet().entrees(), lues);
    ASSERT_TRUE(QDir(repertoire.chemin()).mkdir(u"listeLecture.ldl"_s));
    executer(u"chargerListeLecture"_s);
    EXPECT_EQ(onglet().entrees(), lues);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(OngletListeLectureTest, EntriesFindTheirFilmIgnoringCaseAndDashPathsAreWritten)
{
    ajouterFilm(u"Le Pont"_s, u"-"_s);
    ajouterFilm(u"Brazil"_s, u"films\\brazil.mkv"_s);
    remplir("LE PONT\r\nbrazil\r\n");
    cliquer<TImage>(u"boutonListeLectureLire"_s);
    EXPECT_EQ(repertoire.lire(u"kinolux.pls"_s),
              QByteArray("[playlist]\r\nFile1=-\r\nTitle1=-\r\nFile2=films\\brazil.mkv\r\n"
                         "Title2=brazil.mkv\r\nNumberOfEntries=2\r\nVersion=2\r\n"));

    onglet().listeLecture().clear();
    executer(u"lireListeLecture"_s);
    EXPECT_EQ(repertoire.lire(u"kinolux.pls"_s),
              QByteArray("[playlist]\r\nNumberOfEntries=0\r\nVersion=2\r\n"));
    EXPECT_EQ(lancements.urls.size(), 2);
}

TEST_F(OngletListeLectureTest, AnEntryWithoutFilmGivesUpTheLaunchAndClosesTheFlashWindow)
{
    ajouterFilm(u"Le Pont"_s, u"pont.avi"_s);
    ajouterFilm(u"Brazil"_s, u"brazil.mkv"_s);
    remplir("Le Pont\r\nAlien\r\nBrazil\r\n");
    repertoire.ecrire(u"kinolux.pls"_s, "[playlist]\r\nancien\r\n");
    executer(u"lireListeLecture"_s);
    EXPECT_EQ(repertoire.lire(u"kinolux.pls"_s), QByteArray("[playlist]\r\nancien\r\n"));
    EXPECT_TRUE(lancements.urls.isEmpty());
    EXPECT_TRUE(dialogues.appels.isEmpty());
    EXPECT_FALSE(lancements.barre->isVisibleTo(&flash()));
    EXPECT_TRUE(fermeture().isActive());
}

TEST_F(OngletListeLectureTest, AFileErrorIsReportedLaunchesNothingAndConfirmsNothing)
{
    ajouterFilm(u"Le Pont"_s, u"pont.avi"_s);
    remplir("Le Pont\r\n");
    ASSERT_TRUE(QDir(repertoire.chemin()).mkdir(u"kinolux.pls"_s));
    executer(u"lireListeLecture"_s);
    EXPECT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_TRUE(lancements.urls.isEmpty());
    EXPECT_FALSE(lancements.barre->isVisibleTo(&flash()));
    EXPECT_TRUE(fermeture().isActive()) << "the flash window closes";

    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"listeLecture.ldl"_s)));
    ASSERT_TRUE(QDir(repertoire.chemin()).mkdir(u"listeLecture.ldl"_s));
    flash().timerFermetureTimer();
    executer(u"enregistrerListeLecture"_s);
    ASSERT_EQ(dialogues.erreurs().size(), 2);
    EXPECT_TRUE(dialogues.erreurs().last().contains(u"listeLecture.ldl"_s));
    EXPECT_FALSE(flash().isVisible());
}

TEST_F(OngletListeLectureTest, PlayingAFilmOpensItsFileFromTheProgramsDirectory)
{
    const std::pair<QString, QUrl> cas[] = {
        {u"FILMS\\Le Pont #1.avi"_s, url(u"FILMS/Le Pont #1.avi"_s)},
        {u"/srv/vidéos/été.mkv"_s, QUrl::fromLocalFile(u"/srv/vidéos/été.mkv"_s)},
        {u"-"_s, url(u"-"_s)},
        {u"http://exemple.invalid/film"_s, url(u"http://exemple.invalid/film"_s)},
    };
    for (const auto &[stocke, ouvert] : cas) {
        ajouterFilm(stocke, stocke);
        fp().selectionnerTitre(stocke);
        executer(u"lireFilm"_s);
        EXPECT_EQ(lancements.urls.value(lancements.urls.size() - 1), ouvert);
        EXPECT_EQ(flash().texte(), u"Lecture du Film "_s + stocke + u" lancée..."_s);
    }
    EXPECT_EQ(lancements.urls.size(), 4);

    // An empty path names no file: the program's own folder is not opened.
    ajouterFilm(u"Vide"_s, QString());
    fp().selectionnerTitre(u"Vide"_s);
    executer(u"lireFilm"_s);
    EXPECT_EQ(lancements.urls.size(), 4);
}

TEST_F(OngletListeLectureTest, WithNoFilmSelectedAddingAndPlayingDoNothing)
{
    ajouterFilm(u"Le Pont"_s, u"pont.avi"_s);
    executer(u"ajouterDansListeLecture"_s);
    executer(u"lireFilm"_s);
    EXPECT_TRUE(onglet().entrees().isEmpty());
    EXPECT_TRUE(lancements.urls.isEmpty());
    EXPECT_FALSE(flash().isVisible());
}

} // namespace

#include "test_onglet_liste_lecture.moc"

#include "app/DialoguesQt.h"
#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TAboutBox.h"
#include "chrome/TformMessageFlash.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray uneFiche = "<?xml version=\"1.0\"?><Kinolux_BaseFilms><racine><listeFichesFilms>"
                            "<ficheFilm><idFilm>A</idFilm></ficheFilm></listeFichesFilms></racine>"
                            "</Kinolux_BaseFilms>";

const QString questionSauvegarde =
    u"Voulez-vous enregistrer les modifications apportées à la base de films ?"_s;

class PanneauControle : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);

    TKinoluxPC &pc() { return kinolux->KinoluxPC(); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    QTimer *timer(const QString &nom) { return pc().findChild<QTimer *>(nom); }
    QString label1() { return pc().findChild<QLabel *>(u"Label1"_s)->text(); }

    void ajouterFiche(const QString &id)
    {
        auto fiche = std::make_unique<TFicheFilm>(id, id, u"2001"_s, u"90"_s, u"-"_s, u"-"_s,
                                                  u"-"_s, QStringList(), QStringList(),
                                                  QStringList(), QStringList(), QStringList());
        ASSERT_TRUE(kinolux->dm_Kinolux().ajouterFicheFilm(fiche));
    }
};

TEST_F(PanneauControle, CreatesTheProgramInOrderWithEverythingButThePanelHidden)
{
    EXPECT_EQ(QCoreApplication::applicationName(), u"Kinolux"_s);
    EXPECT_EQ(pc().objectName(), u"KinoluxPC"_s);
    EXPECT_EQ(fp().objectName(), u"KinoluxFPrincipale"_s);
    EXPECT_EQ(kinolux->formMessageFlash().objectName(), u"formMessageFlash"_s);
    EXPECT_EQ(kinolux->AboutBox().objectName(), u"AboutBox"_s);
    EXPECT_EQ(pc().windowTitle(), u"Orvandel Kinolux  2007"_s);
    EXPECT_EQ(pc().size(), QSize(377, 439));
    EXPECT_FALSE(fp().isVisible());
    EXPECT_FALSE(kinolux->formMessageFlash().isVisible());
    EXPECT_FALSE(kinolux->AboutBox().isVisible());

    EXPECT_EQ(pc().compteOuverture(), 10);
    EXPECT_EQ(pc().compteFermeture(), 0);
    EXPECT_TRUE(timer(u"TimerAutoOpen"_s)->isActive());
    EXPECT_EQ(timer(u"TimerAutoOpen"_s)->interval(), 1000);
    EXPECT_FALSE(timer(u"TimerAutoClose"_s)->isActive());
    EXPECT_EQ(timer(u"TimerAutoClose"_s)->interval(), 1000);
    EXPECT_TRUE(timer(u"Timer1"_s)->isActive());
    EXPECT_EQ(timer(u"Timer1"_s)->interval(), 100);
    EXPECT_EQ(label1(), u" "_s);
}

TEST_F(PanneauControle, ShowingFadesInFromInvisible)
{
    pc().show();
    EXPECT_EQ(pc().transparence(), 100);
    EXPECT_NEAR(pc().windowOpacity(), 0.0, 0.01);
    EXPECT_TRUE(timer(u"Timer1"_s)->isActive());
    EXPECT_FALSE(timer(u"TimerAutoClose"_s)->isActive()) << "nothing to count down yet";

    pc().Timer1Timer();
    EXPECT_FALSE(timer(u"Timer1"_s)->isActive());
    EXPECT_EQ(pc().transparence(), 0);
    EXPECT_NEAR(pc().windowOpacity(), 1.0, 0.01);
}

TEST_F(PanneauControle, CountsDownAndOpensTheCatalogueOnTheTenthTick)
{
    pc().show();
    for (int attendu = 9; attendu >= 1; --attendu) {
        pc().TimerAutoOpenTimer();
        EXPECT_EQ(label1(), u"Ouverture -"_s + QString::number(attendu));
        EXPECT_FALSE(fp().isVisible());
    }
    pc().TimerAutoOpenTimer();
    EXPECT_EQ(label1(), u" "_s);
    EXPECT_TRUE(fp().isVisible());
    EXPECT_FALSE(pc().isVisible()) << "the catalogue window hides the panel";
    EXPECT_FALSE(timer(u"TimerAutoOpen"_s)->isActive());
    EXPECT_FALSE(timer(u"TimerAutoClose"_s)->isActive());
    EXPECT_EQ(pc().compteOuverture(), 0);
    EXPECT_EQ(pc().compteFermeture(), 6);
    EXPECT_TRUE(fp().findChild<QTimer *>(u"TimerDemarre"_s)->isActive());
}

TEST_F(PanneauControle, ClosingTheCatalogueCountsDownToTheEndAndAsksToSave)
{
    QSignalSpy fermee(&pc(), &TKinoluxPC::fermee);
    pc().show();
    pc().Image1Click();
    fp().TimerDemarreTimer();
    ASSERT_TRUE(fp().baseChargee());
    ajouterFiche(u"ALIEN"_s);

    fp().close();
    EXPECT_TRUE(pc().isVisible());
    EXPECT_EQ(pc().transparence(), 100) << "comes back from invisible";
    EXPECT_TRUE(timer(u"TimerAutoClose"_s)->isActive());
    EXPECT_FALSE(timer(u"TimerAutoOpen"_s)->isActive()) << "the opening countdown runs once";

    for (int attendu = 5; attendu >= 1; --attendu) {
        pc().TimerAutoCloseTimer();
        EXPECT_EQ(label1(), u"Fermeture -"_s + QString::number(attendu));
    }
    EXPECT_EQ(dialogues.nombre(u"question"_s), 0);
    dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    pc().TimerAutoCloseTimer();

    ASSERT_EQ(dialogues.nombre(u"question"_s), 1);
    EXPECT_EQ(dialogues.appels.first().titre, u"Kinolux - Sauvegarde des modifications"_s);
    EXPECT_EQ(dialogues.appels.first().texte, questionSauvegarde);
    EXPECT_EQ(label1(), u"Fermeture"_s);
    EXPECT_FALSE(pc().isVisible());
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_FALSE(QFile::exists(repertoire.fichier(u"baseFilm.bdf"_s))) << "No writes nothing";
    EXPECT_TRUE(kinolux->dm_Kinolux().fichesFilms().empty()) << "every card is freed";
}

TEST_F(PanneauControle, ClickingThePictureDuringTheClosingCountdownOpensTheCatalogueAgain)
{
    pc().show();
    pc().Image1Click();
    fp().close();
    pc().TimerAutoCloseTimer();
    pc().TimerAutoCloseTimer();
    EXPECT_EQ(pc().compteFermeture(), 4);

    pc().Image1Click();
    EXPECT_TRUE(fp().isVisible());
    EXPECT_FALSE(pc().isVisible());
    EXPECT_FALSE(timer(u"TimerAutoClose"_s)->isActive());
    EXPECT_EQ(pc().compteFermeture(), 6) << "the next close counts from 5 again";
}

TEST_F(PanneauControle, QuitDuringTheOpeningCountdownSavesOnYes)
{
    QSignalSpy fermee(&pc(), &TKinoluxPC::fermee);
    pc().show();
    pc().TimerAutoOpenTimer();
    ajouterFiche(u"BRAZIL"_s);
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);

    pc().boutonQuitterClick();

    EXPECT_FALSE(fp().isVisible()) << "the catalogue window was never shown";
    EXPECT_FALSE(timer(u"TimerAutoOpen"_s)->isActive());
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_TRUE(repertoire.lire(u"baseFilm.bdf"_s).contains("<idFilm>BRAZIL</idFilm>"));
    EXPECT_EQ(kinolux->formMessageFlash().texte(), u"Enregistrement TERMINE."_s);
    EXPECT_TRUE(kinolux->dm_Kinolux().fichesFilms().empty());
}

TEST_F(PanneauControle, AFailedSaveKeepsThePanelOpenWithTheCatalogueIntact)
{
    QSignalSpy fermee(&pc(), &TKinoluxPC::fermee);
    pc().show();
    ajouterFiche(u"ALIEN"_s);
    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"baseFilmModele.bdf"_s)));
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);

    pc().boutonQuitterClick();

    ASSERT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_TRUE(dialogues.erreurs().first().contains(u"baseFilmModele.bdf"_s))
        << dialogues.erreurs().first().toStdString();
    EXPECT_TRUE(pc().isVisible());
    EXPECT_EQ(label1(), u"Fermeture"_s);
    EXPECT_FALSE(timer(u"TimerAutoOpen"_s)->isActive());
    EXPECT_FALSE(timer(u"TimerAutoClose"_s)->isActive());
    EXPECT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 1u);
    EXPECT_EQ(fermee.count(), 0);
    EXPECT_NE(kinolux->formMessageFlash().texte(), u"Enregistrement TERMINE."_s);

    // The user can close again.
    dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    pc().close();
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_FALSE(pc().isVisible());
}

TEST_F(PanneauControle, YesBeforeTheCatalogueWasEverReadLeavesTheFileAlone)
{
    const QByteArray fichier =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Kinolux_BaseFilms><racine>"
        "<listeFichesFilms><ficheFilm><idFilm>X</idFilm></ficheFilm>"
        "</listeFichesFilms></racine></Kinolux_BaseFilms>";
    repertoire.ecrire(u"baseFilm.bdf"_s, fichier);
    pc().show();
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    pc().boutonQuitterClick();
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
    EXPECT_EQ(repertoire.lire(u"baseFilm.bdf"_s), fichier);
}

TEST_F(PanneauControle, TheCatalogueIsReadOnceAndNotAgainAtTheNextShowing)
{
    repertoire.ecrire(u"baseFilm.bdf"_s, uneFiche);
    pc().show();
    pc().Image1Click();
    fp().TimerDemarreTimer();
    ASSERT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 1u);
    ajouterFiche(u"B"_s);

    fp().close();
    pc().Image1Click();
    fp().TimerDemarreTimer();
    EXPECT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 2u) << "unsaved cards are kept";
    EXPECT_NEAR(fp().windowOpacity(), 1.0, 0.01);
}

TEST_F(PanneauControle, AFailedLoadIsReportedAndTriedAgainAtTheNextShowing)
{
    repertoire.ecrire(u"baseFilm.bdf"_s, "<Kinolux_BaseFilms><racine>");
    pc().Image1Click();
    fp().TimerDemarreTimer();
    EXPECT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_FALSE(fp().baseChargee());

    repertoire.ecrire(u"baseFilm.bdf"_s, uneFiche);
    fp().close();
    pc().Image1Click();
    fp().TimerDemarreTimer();
    EXPECT_TRUE(fp().baseChargee());
    EXPECT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 1u);
}

TEST_F(PanneauControle, ActionsCarryTheirNames)
{
    for (const char *nom :
         {"chargerBase", "sauvegarderBase", "detruireListeFilms", "detruireObjetsListes"}) {
        QAction *action = fp().action(QString::fromLatin1(nom));
        ASSERT_NE(action, nullptr) << nom;
    }
    ajouterFiche(u"A"_s);
    fp().action(u"detruireObjetsListes"_s)->trigger();
    EXPECT_TRUE(kinolux->dm_Kinolux().fichesFilms().empty());
}

} // namespace

TEST(DialoguesQtFiltre, FilterListsBecomeTheFileDialogsForm)
{
    EXPECT_EQ(DialoguesQt::filtreQt(u"Fichier AVI|*.avi|Tous les fichiers|*.*|"_s),
              u"Fichier AVI (*.avi);;Tous les fichiers (*.*)"_s);
    EXPECT_EQ(DialoguesQt::filtreQt(u"Fichier image (*.jpg;*.bmp)|*.jpg;*.bmp|"_s),
              u"Fichier image (*.jpg;*.bmp) (*.jpg *.bmp)"_s);
}

#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TformMessageFlash.h"
#include "import/ListeTitres.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/ServeurDeTest.h"
#include "views/OngletImports.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class OngletImportsTest : public ::testing::Test
{
protected:
    ServeurDeTest site;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void SetUp() override
    {
        // A small index of our own: PONT (LE), an empty line, BLEU, AMOUR (L'), ALIEN.
        repertoire.ecrire(u"movies.txt"_s, "PONT (LE)\r\n\r\nBLEU\r\nAMOUR (L')\nALIEN\r");
        site.ecrireIni(repertoire.chemin());
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    OngletImports &onglet() { return fp().ongletImports(); }
    QTimer &tempo() { return *onglet().findChild<QTimer *>(u"tempoGestionRafraich"_s); }
    QStringList lignes()
    {
        QStringList resultat;
        for (int i = 0; i < onglet().listeMovieCovers().count(); ++i)
            resultat.append(onglet().listeMovieCovers().item(i)->text());
        return resultat;
    }
    QString compte() { return onglet().findChild<QLabel *>(u"lbNbTitresMovieCovers"_s)->text(); }
    void filtrer(const QString &fragment)
    {
        onglet().editGestionTitreFilm().setText(fragment);
        onglet().tempoGestionRafraichTimer();
    }
};

TEST_F(OngletImportsTest, TheFilterListsTheMatchingTitlesInIndexOrder)
{
    EXPECT_EQ(compte(), u"-"_s);
    filtrer(QString());
    EXPECT_EQ(lignes(),
              QStringList({u"PONT (LE)"_s, QString(), u"BLEU"_s, u"AMOUR (L')"_s, u"ALIEN"_s}));
    EXPECT_EQ(compte(), u"5 titres"_s);

    filtrer(u"LE"_s);
    EXPECT_EQ(lignes(), QStringList({u"PONT (LE)"_s, u"BLEU"_s}));
    EXPECT_EQ(compte(), u"2 titres"_s);

    filtrer(u"ZORRO"_s);
    EXPECT_TRUE(lignes().isEmpty());
    EXPECT_EQ(compte(), u"0 titres"_s);
    EXPECT_FALSE(onglet().barreProgGestion().isVisible());
    EXPECT_FALSE(onglet().findChild<QLabel *>(u"lbGestionStatus"_s)->isVisible());
    EXPECT_FALSE(tempo().isActive());
}

TEST_F(OngletImportsTest, TypingArmsOneFilterTwoSecondsAfterTheLastKey)
{
    onglet().show();
    QLineEdit &edit = onglet().editGestionTitreFilm();
    EXPECT_EQ(tempo().interval(), 2000);
    QTest::keyClicks(&edit, u"ble"_s);
    EXPECT_EQ(edit.text(), u"BLE"_s) << "letters become capitals";
    QElapsedTimer depuisDerniereTouche;
    depuisDerniereTouche.start();
    EXPECT_TRUE(tempo().isActive());
    EXPECT_TRUE(lignes().isEmpty()) << "nothing is filtered before the delay";

    QSignalSpy tics(&tempo(), &QTimer::timeout);
    ASSERT_TRUE(tics.wait(5000));
    EXPECT_GE(depuisDerniereTouche.elapsed(), 1900) << "the last key restarted the count";
    QTest::qWait(100);
    EXPECT_EQ(tics.count(), 1);
    EXPECT_EQ(lignes(), QStringList({u"BLEU"_s}));
}

TEST_F(OngletImportsTest, TheStartUpLoadArmsTheFilter)
{
    kinolux->KinoluxPC().Image1Click();
    fp().TimerDemarreTimer();
    EXPECT_TRUE(tempo().isActive());
    onglet().tempoGestionRafraichTimer();
    EXPECT_EQ(compte(), u"5 titres"_s);
}

TEST_F(OngletImportsTest, TheUpdateKeepsTheSecondAnswerAndRefillsTheList)
{
    ServeurCouvertures::Regle premiere;
    premiere.chemin = "/DATA/movies.txt";
    premiere.corps = "PREMIERE REPONSE\r\n";
    premiere.fois = 1;
    site.serveur().ajouterRegle(premiere);

    fp().action(u"MAJListeMovieCovers"_s)->trigger();

    EXPECT_TRUE(dialogues.erreurs().isEmpty());
    const QStringList demo = site.serveur().titres();
    EXPECT_GE(demo.size(), 60);
    EXPECT_EQ(kinolux->dm_Kinolux().listeTitres(), demo);
    EXPECT_EQ(ListeTitres::lire(repertoire.fichier(u"movies.txt"_s)), demo);
    int demandes = 0;
    for (const auto &requete : site.serveur().requetes())
        demandes += requete.chemin == "/DATA/movies.txt" ? 1 : 0;
    EXPECT_EQ(demandes, 2);
    EXPECT_EQ(kinolux->formMessageFlash().texte(),
              u"Mise à jour de la liste des Fiches disponibles... TERMINEE"_s);
    EXPECT_TRUE(tempo().isActive()) << "the list is refilled from the new index";
    onglet().tempoGestionRafraichTimer();
    EXPECT_EQ(lignes(), demo);
}

TEST_F(OngletImportsTest, AFailedUpdateKeepsTheIndexTheListAndTheFile)
{
    filtrer(QString());
    const QByteArray fichier = repertoire.lire(u"movies.txt"_s);
    ServeurCouvertures::Regle panne;
    panne.chemin = "/DATA/movies.txt";
    panne.statut = 500;
    site.serveur().ajouterRegle(panne);

    fp().action(u"MAJListeMovieCovers"_s)->trigger();

    EXPECT_EQ(dialogues.erreurs(),
              QStringList({u"Problème de connexion à Internet. Vérifiez la connectivité."_s}));
    EXPECT_EQ(kinolux->formMessageFlash().texte(), u"Mise à jour... STOPPER"_s);
    EXPECT_EQ(kinolux->dm_Kinolux().listeTitres().size(), 5);
    EXPECT_EQ(repertoire.lire(u"movies.txt"_s), fichier);
    EXPECT_EQ(lignes().size(), 5);
    EXPECT_FALSE(tempo().isActive());
}

} // namespace

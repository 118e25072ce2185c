#include "app/Kinolux.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/ServeurDeTest.h"
#include "tests/support/VideosDeTest.h"
#include "tests/views/OuvrirVueEnsemble.h"
#include "views/DialogueAnalyseDossier.h"
#include "views/DialogueFichiersIntrouvables.h"
#include "views/FenetreVueEnsemble.h"
#include "views/FichiersVideo.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using VideosDeTest::Sorte;

namespace {

class FichiersVideoTest : public ::testing::Test
{
protected:
    ServeurDeTest site;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;
    QTemporaryDir films;

    void SetUp() override
    {
        site.ecrireIni(repertoire.chemin());
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        dm().connexion().definirDelais(1000, 1000);
    }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    FenetreVueEnsemble &vue() { return ouvrirVueEnsemble(fp()); }
    void executer(const QString &nom)
    {
        declencherDansVue(vue(), u"listeActionsFichiersVueEnsemble"_s, nom);
    }
    QString film(const QString &nom)
    {
        const QString chemin = films.filePath(nom);
        EXPECT_TRUE(VideosDeTest::copier(Sorte::MkvH264DeuxLangues, chemin));
        return chemin;
    }
    static void ecrire(const QString &chemin, const QByteArray &octets)
    {
        QDir().mkpath(QFileInfo(chemin).absolutePath());
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    const TFicheFilm *fiche(const QString &id)
    {
        for (const auto &f : dm().fichesFilms())
            if (f->idFilm() == id)
                return f.get();
        return nullptr;
    }
};

} // namespace

TEST_F(FichiersVideoTest, UnDossierDeFilmsDevientDesFichesAvecLeursCouvertures)
{
    const QString pont = film(u"Kodi/Le Pont (1959)/Le Pont (1959).mkv"_s);
    ecrire(films.filePath(u"Kodi/Le Pont (1959)/Le Pont (1959).nfo"_s),
           "<movie><title>Le Pont</title><originaltitle>Die Brücke</originaltitle>"
           "<year>1959</year><runtime>103</runtime><genre>Guerre</genre></movie>");
    QImage affiche(60, 90, QImage::Format_RGB32);
    affiche.fill(Qt::darkGreen);
    ASSERT_TRUE(affiche.save(films.filePath(u"Kodi/Le Pont (1959)/poster.jpg"_s)));
    const QString atalante = film(u"L.Atalante.1934.FRENCH.1080p.BluRay.x264-GRP.mkv"_s);
    const QString inconnu = film(u"Zzyzx.Xqwv.2011.720p.mkv"_s);
    const QString deja = film(u"Deja vu.mkv"_s);
    ecrire(films.filePath(u"vide.mkv"_s), {});
    auto connue = ChampsFiche::nouvelleFiche(u"DEJA"_s, u"Déjà"_s);
    connue->setCheminFichier(deja);
    dm().ajouterFicheFilm(connue);

    dialogues.fichiers.append({films.path()});
    executer(u"analyserDossier"_s);
    DialogueAnalyseDossier *dialogue = vue().fichiersVideo().dialogueAnalyse();
    ASSERT_NE(dialogue, nullptr) << dialogues.erreurs().join(u'\n').toStdString();
    QTableWidget &table = dialogue->tableFichiersTrouves();
    ASSERT_EQ(table.rowCount(), 3) << "the known file is not proposed again";
    EXPECT_EQ(table.item(0, DialogueAnalyseDossier::ColonneFichier)->text(),
              u"Kodi/Le Pont (1959)/Le Pont (1959).mkv"_s);
    EXPECT_EQ(table.item(0, DialogueAnalyseDossier::ColonneSource)->text(), u"Fiche .nfo"_s);
    EXPECT_EQ(table.item(1, DialogueAnalyseDossier::ColonneSource)->text(), u"Index des titres"_s);
    auto *candidats =
        qobject_cast<QComboBox *>(table.cellWidget(1, DialogueAnalyseDossier::ColonneFiche));
    ASSERT_NE(candidats, nullptr);
    EXPECT_EQ(candidats->currentText(), u"ATALANTE (L')"_s);
    EXPECT_EQ(table.item(2, DialogueAnalyseDossier::ColonneSource)->text(), u"Nom du fichier"_s);
    EXPECT_EQ(table.item(2, DialogueAnalyseDossier::ColonneVideo)->text(),
              u"H.264 320×240, AAC 5.1 fr, AAC 2.0 en"_s);
    ASSERT_EQ(dialogue->listeFichiersEcartes().count(), 1);
    EXPECT_EQ(dialogue->listeFichiersEcartes().item(0)->text(),
              QDir::toNativeSeparators(films.filePath(u"vide.mkv"_s)) +
                  u" — Le fichier est vide."_s);
    // The user names the unknown film.
    table.item(2, DialogueAnalyseDossier::ColonneFiche)->setText(u"Zzyzx"_s);

    dialogue->accept();
    EXPECT_EQ(dialogues.erreurs(), QStringList());
    EXPECT_EQ(vue().fichiersVideo().dernierBilan().ajoutees, 3);

    const TFicheFilm *lePont = fiche(u"LE PONT"_s);
    ASSERT_NE(lePont, nullptr);
    EXPECT_EQ(lePont->titreOriginal(), u"Die Brücke"_s);
    EXPECT_EQ(lePont->duree(), u"103 min"_s);
    EXPECT_EQ(lePont->cheminFichier(), pont) << "outside the program's folder: absolute";
    EXPECT_EQ(lePont->codec(), u"H.264 320×240, AAC 5.1 fr, AAC 2.0 en"_s);
    EXPECT_EQ(lePont->cheminImage(), u"IMAGES_FILMS\\LE PONT.jpg"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/LE PONT.jpg"_s).size(),
              QFileInfo(films.filePath(u"Kodi/Le Pont (1959)/poster.jpg"_s)).size());

    const TFicheFilm *laAtalante = fiche(u"ATALANTE (L')"_s);
    ASSERT_NE(laAtalante, nullptr) << "the index's card, fetched from the service";
    EXPECT_EQ(laAtalante->titreFrancais(), u"L'Atalante"_s);
    EXPECT_EQ(laAtalante->cheminFichier(), atalante);
    EXPECT_TRUE(QFileInfo(dm().chemin(laAtalante->cheminImage())).size() > 0);

    const TFicheFilm *zzyzx = fiche(u"ZZYZX"_s);
    ASSERT_NE(zzyzx, nullptr);
    EXPECT_EQ(zzyzx->titreFrancais(), u"Zzyzx"_s);
    EXPECT_EQ(zzyzx->annee(), u"2011"_s);
    EXPECT_EQ(zzyzx->cheminFichier(), inconnu);
    EXPECT_EQ(zzyzx->cheminImage(), u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    EXPECT_EQ(dialogues.appels.last().texte, u"3 fiche(s) ajoutée(s)."_s);

    // The same folder again: nothing new, the empty file still told.
    dialogues.fichiers.append({films.path()});
    executer(u"analyserDossier"_s);
    DialogueAnalyseDossier *encore = vue().fichiersVideo().dialogueAnalyse();
    ASSERT_NE(encore, nullptr);
    EXPECT_EQ(encore->tableFichiersTrouves().rowCount(), 0);
    EXPECT_FALSE(encore->findChild<QPushButton *>(u"boutonImporterFichiers"_s)->isEnabled());
}

TEST_F(FichiersVideoTest, UnFichierDansLeDossierDuProgrammeYEstNommeRelativement)
{
    const QString video = repertoire.fichier(u"Films/Brazil.1985.mkv"_s);
    ASSERT_TRUE(VideosDeTest::copier(Sorte::AviMpeg4, video));
    dialogues.fichiers.append({repertoire.fichier(u"Films"_s)});
    executer(u"analyserDossier"_s);
    DialogueAnalyseDossier *dialogue = vue().fichiersVideo().dialogueAnalyse();
    ASSERT_NE(dialogue, nullptr);
    ASSERT_EQ(dialogue->tableFichiersTrouves().rowCount(), 1);
    dialogue->accept();
    const TFicheFilm *brazil = fiche(u"BRAZIL"_s);
    ASSERT_NE(brazil, nullptr);
    EXPECT_EQ(brazil->cheminFichier(), u"Films/Brazil.1985.mkv"_s);
    EXPECT_EQ(brazil->codec(), u"MPEG-4 320×240, MP3 1.0"_s);
}

TEST_F(FichiersVideoTest, LesFichiersIntrouvablesSeRetrouventSousUnAutreDossier)
{
    executer(u"fichiersIntrouvables"_s);
    EXPECT_EQ(dialogues.appels.last().texte, u"Chaque fiche retrouve son fichier vidéo."_s);

    const QString present = film(u"Present.mkv"_s);
    ecrire(films.filePath(u"Nouveau/Brazil.avi"_s), "x");
    const auto ajouter = [&](const QString &id, const QString &chemin) {
        auto f = ChampsFiche::nouvelleFiche(id, id);
        f->setTitreFrancais(id);
        f->setCheminFichier(chemin);
        dm().ajouterFicheFilm(f);
    };
    ajouter(u"BRAZIL"_s, u"D:\\Films\\Brazil.avi"_s);
    ajouter(u"PARTI"_s, u"/ancien/Parti.mkv"_s);
    ajouter(u"PRESENT"_s, present);
    ajouter(u"SANS"_s, u"-"_s);
    executer(u"fichiersIntrouvables"_s);
    DialogueFichiersIntrouvables *dialogue = vue().fichiersVideo().dialogueIntrouvables();
    ASSERT_NE(dialogue, nullptr);
    ASSERT_EQ(dialogue->manquants().size(), 2u);
    EXPECT_EQ(dialogue->manquants()[0].titre, u"BRAZIL"_s);
    EXPECT_EQ(dialogue->manquants()[1].titre, u"PARTI"_s);
    EXPECT_FALSE(dialogue->boutonMettreAJourFichiers().isEnabled());

    dialogues.fichiers.append({films.path()});
    dialogue->boutonChercherFichiers().click();
    EXPECT_TRUE(dialogue->boutonMettreAJourFichiers().isEnabled());
    ASSERT_EQ(dialogue->remplacements().size(), 1u);
    dialogue->accept();
    EXPECT_EQ(fiche(u"BRAZIL"_s)->cheminFichier(), films.filePath(u"Nouveau/Brazil.avi"_s));
    EXPECT_EQ(fiche(u"PARTI"_s)->cheminFichier(), u"/ancien/Parti.mkv"_s);
}

// Checks in a real window (xcb, under Xvfb): what the user sees of the control panel and the
// way from the panel to the catalogue window and back.
#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"
#include "coversite/DonneesDemo.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/ServeurDeTest.h"
#include "tests/support/VideosDeTest.h"
#include "views/DialogueAnalyseDossier.h"
#include "views/DialogueDoublons.h"
#include "views/DialogueModificationSelection.h"
#include "views/FenetreVueEnsemble.h"
#include "views/FichiersVideo.h"
#include "views/OngletAffiches.h"
#include "views/OngletImports.h"
#include "views/OngletListeLecture.h"
#include "views/OngletStatistiques.h"
#include "views/TKinoluxFPrincipale.h"
#include "views/Vignettes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUrl>

#include <gtest/gtest.h>

#include <zip.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QImage capture(QWidget &fenetre, const QString &nom)
{
    QTest::qWait(50);
    const QImage image = fenetre.screen()->grabWindow(fenetre.winId()).toImage();
    const QString dossier = QStringLiteral(KINOLUX_CAPTURES);
    QDir().mkpath(dossier);
    image.save(dossier + u'/' + nom);
    return image;
}

// What a click on the button opens: the menu's name, its top and its captions. The menu runs its
// own loop: a timer looks for it until it is up, takes its picture, then closes it.
struct MenuLu
{
    QString nom;
    int haut = 0;
    QStringList legendes;
};

MenuLu lireMenu(QWidget &bouton, const QString &image)
{
    MenuLu lu;
    QTimer guetteur;
    guetteur.setInterval(50);
    QObject::connect(&guetteur, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        guetteur.stop();
        lu.nom = menu->objectName();
        lu.haut = menu->geometry().top();
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                lu.legendes.append(action->text());
        capture(*menu, image);
        menu->close();
    });
    guetteur.start();
    QTest::mouseClick(&bouton, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !guetteur.isActive(); }, 5000)) << "no menu";
    guetteur.stop();
    return lu;
}

// The program on a folder of its own, its catalogue window shown and its catalogue read.
struct ProgrammeMontre
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux{repertoire.chemin(), dialogues};
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();

    bool montrer()
    {
        fp.show();
        if (!QTest::qWaitForWindowExposed(&fp))
            return false;
        fp.TimerDemarreTimer();
        return true;
    }
};

TEST(FenetreReelle, ThePanelIsPaintedOpensTheCatalogueAndQuits)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s)
        << "run under Xvfb with QT_QPA_PLATFORM=xcb";
    RepertoireTest repertoire;
    repertoire.ecrire(
        u"baseFilm.bdf"_s,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Kinolux_BaseFilms><racine><listeFichesFilms>"
        "<ficheFilm><idFilm>PONT (LE)</idFilm><titreFrancais>Le Pont</titreFrancais>"
        "<realisateurs><occurence>Bernhard Wicki</occurence></realisateurs><annee>1959</annee>"
        "<nationnalites><occurence>Allemagne</occurence></nationnalites><genres>"
        "<occurence>Guerre</occurence><occurence>Drame</occurence></genres><duree>103 min</duree>"
        "<acteurs><occurence>Folker Bohnet</occurence><occurence>Fritz Wepper</occurence>"
        "</acteurs><resume>Avril 1945. Sept lycéens d'une petite ville allemande sont enrôlés "
        "et chargés de défendre un pont sans importance stratégique.</resume>"
        "<distributeurFR>Les Films Marceau</distributeurFR><titreOriginal>Die Brücke"
        "</titreOriginal><niveauPreference>9</niveauPreference><nomSupport>DVD LE PONT"
        "</nomSupport><typeSupport>DVD-VIDEO</typeSupport><cheminFichier>-</cheminFichier>"
        "<cheminImage>IMAGES_FILMS\\PONT (LE).jpg</cheminImage><codec>MPEG2</codec>"
        "<commentaire>-</commentaire></ficheFilm>"
        "<ficheFilm><idFilm>ALIEN</idFilm><titreFrancais>alien</titreFrancais></ficheFilm>"
        "<ficheFilm><idFilm>BRAZIL</idFilm><titreFrancais>Brazil</titreFrancais></ficheFilm>"
        "</listeFichesFilms></racine></Kinolux_BaseFilms>");
    QImage affiche(300, 420, QImage::Format_RGB32);
    affiche.fill(QColor(40, 60, 110));
    ASSERT_TRUE(affiche.save(repertoire.fichier(u"IMAGES_FILMS/PONT (LE).jpg"_s)));
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    TKinoluxPC &pc = kinolux.KinoluxPC();
    QSignalSpy fermee(&pc, &TKinoluxPC::fermee);

    pc.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pc));
    pc.Timer1Timer();
    pc.TimerAutoOpenTimer();
    QTest::qWait(100);

    const QImage panneau = capture(pc, u"panneau-controle.png"_s);
    ASSERT_EQ(panneau.size(), QSize(377, 439) * pc.devicePixelRatio());
    EXPECT_EQ(panneau.pixelColor(30, 130), QColor(0, 0, 0)) << "the black row of the stripe";
    EXPECT_EQ(panneau.pixelColor(30, 110), QColor(205, 195, 225)) << "the stripe's top row";
    EXPECT_EQ(panneau.pixelColor(0, 0), QColor(0, 0, 0)) << "the corner fan";
    EXPECT_EQ(panneau.pixelColor(351, 130), QColor(0, 0, 0)) << "the stripe's right end";
    EXPECT_EQ(panneau.pixelColor(352, 130), QColor(225, 215, 245)) << "the glow beyond it";
    const QColor fond = panneau.pixelColor(20, 250);
    EXPECT_EQ(fond, QColor(255 - int(120.0 / 439 * 250), 255 - int(130.0 / 439 * 250),
                           255 - int(100.0 / 439 * 250)));
    EXPECT_EQ(pc.findChild<QLabel *>(u"Label1"_s)->text(), u"Ouverture -9"_s);

    auto *image1 = pc.findChild<TImage *>(u"Image1"_s);
    QTest::mouseClick(image1, Qt::LeftButton, {}, image1->rect().center());
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fp));
    EXPECT_FALSE(pc.isVisible());
    QTest::qWait(300); // the start-up timer fades the window in and reads the catalogue
    EXPECT_TRUE(fp.baseChargee());
    QListWidget &liste = fp.listeFilms();
    ASSERT_EQ(liste.count(), 3);
    EXPECT_EQ(liste.item(2)->text(), u"Le Pont"_s);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {},
                      liste.visualItemRect(liste.item(2)).center());
    EXPECT_EQ(fp.findChild<QLabel *>(u"lbIDFilm"_s)->text(), u"Identifiant : PONT (LE)"_s);
    EXPECT_TRUE(fp.pcControles().isTabVisible(5));
    const QImage catalogue = capture(fp, u"fenetre-catalogue.png"_s);
    const QWidget *couverture = fp.findChild<QWidget *>(u"imageFilm"_s);
    const QPoint centre = couverture->mapTo(&fp, couverture->rect().center());
    EXPECT_EQ(catalogue.pixelColor(centre).blue() / 10, 11) << "the card's cover is shown";

    fp.close();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pc));
    pc.Timer1Timer();
    dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    auto *quitter = pc.findChild<PaintBox *>(u"boutonQuitter"_s);
    QTest::mouseClick(quitter, Qt::LeftButton, {}, quitter->rect().center());
    EXPECT_EQ(fermee.count(), 1);
    EXPECT_EQ(dialogues.nombre(u"question"_s), 1);
    EXPECT_FALSE(pc.isVisible());
}

// The catalogue window open in a real window, with the stand-in cover service for its imports.
class AvecSite : public ::testing::Test
{
protected:
    ServeurDeTest site;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void ouvrir()
    {
        site.ecrireIni(repertoire.chemin());
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        kinolux->KinoluxPC().Image1Click();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&kinolux->KinoluxFPrincipale()));
        QTest::qWait(300);
    }
};

TEST_F(AvecSite, AFilmTypedAndDoubleClickedIsImportedWithItsCover)
{
    ouvrir();
    TKinoluxFPrincipale &fp = kinolux->KinoluxFPrincipale();

    fp.pcControles().setCurrentIndex(3);
    OngletImports &onglet = fp.ongletImports();
    QLineEdit &fragment = onglet.editGestionTitreFilm();
    fragment.setFocus();
    QTest::keyClicks(&fragment, u"pont"_s);
    EXPECT_EQ(fragment.text(), u"PONT"_s);
    QTest::qWait(2300); // the filter runs 2000 ms after the last key
    QListWidget &titres = onglet.listeMovieCovers();
    const auto trouves = titres.findItems(u"PONT (LE)"_s, Qt::MatchExactly);
    ASSERT_EQ(trouves.size(), 1);
    capture(fp, u"onglet-imports.png"_s);

    const QPoint point = titres.visualItemRect(trouves.first()).center();
    QTest::mouseClick(titres.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(titres.viewport(), Qt::LeftButton, {}, point);
    QTest::qWait(100);
    EXPECT_TRUE(dialogues.appels.isEmpty());
    ASSERT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 1u);
    EXPECT_EQ(fp.findChild<QLabel *>(u"lbIDFilm"_s)->text(), u"Identifiant : PONT (LE)"_s);
    fp.pcControles().setCurrentIndex(0);
    QTest::qWait(900); // the confirmation fades out
    capture(fp, u"film-importe.png"_s);
}

TEST(FenetreReelle, ThePlaylistAndAFilmAreHandedToXdgOpenAsFileUrls)
{
    // A stand-in for the desktop's opener, first on the PATH: it records its argument.
    QTemporaryDir outils;
    ASSERT_TRUE(outils.isValid());
    const QString journal = outils.filePath(u"lancements.txt"_s);
    QFile script(outils.filePath(u"xdg-open"_s));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + journal.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray chemin = qgetenv("PATH");
    qputenv("PATH", outils.path().toUtf8() + ':' + chemin);
    const auto lignes = [&journal](qsizetype nombre) {
        // The opener runs detached: wait for its record, within bounds.
        QByteArrayList resultat;
        for (int essai = 0; essai < 200 && resultat.size() < nombre; ++essai) {
            QTest::qWait(50);
            QFile fichier(journal);
            if (fichier.open(QIODevice::ReadOnly))
                resultat = fichier.readAll().split('\n');
            resultat.removeAll(QByteArray());
        }
        return resultat;
    };

    RepertoireTest repertoire;
    repertoire.ecrire(u"baseFilm.bdf"_s,
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Kinolux_BaseFilms><racine>"
                      "<listeFichesFilms><ficheFilm><idFilm>PONT (LE)</idFilm>"
                      "<titreFrancais>Le Pont</titreFrancais><cheminFichier>films\\le pont.avi"
                      "</cheminFichier></ficheFilm></listeFichesFilms></racine>"
                      "</Kinolux_BaseFilms>");
    repertoire.ecrire(u"listeLecture.ldl"_s, "LE PONT\r\n");
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    kinolux.KinoluxPC().Image1Click();
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fp));
    QTest::qWait(300); // the start-up load reads the catalogue, then the playlist
    auto *onglet = fp.findChild<OngletListeLecture *>();
    ASSERT_EQ(onglet->entrees(), QStringList{u"LE PONT"_s});
    fp.pcControles().setCurrentWidget(onglet);
    capture(fp, u"liste-lecture.png"_s);

    auto *lire = onglet->findChild<TImage *>(u"boutonListeLectureLire"_s);
    QTest::mouseClick(lire, Qt::LeftButton, {}, lire->rect().center());
    const QDir dossier(repertoire.chemin());
    EXPECT_EQ(lignes(1),
              QByteArrayList{QUrl::fromLocalFile(dossier.filePath(u"kinolux.pls"_s)).toEncoded()});
    EXPECT_TRUE(repertoire.lire(u"kinolux.pls"_s).startsWith("[playlist]\r\nFile1=films\\le pont"));

    fp.selectionnerTitre(u"Le Pont"_s);
    fp.action(u"lireFilm"_s)->trigger();
    EXPECT_EQ(lignes(2).value(1),
              QUrl::fromLocalFile(dossier.filePath(u"films/le pont.avi"_s)).toEncoded());
    EXPECT_TRUE(dialogues.appels.isEmpty());
    qputenv("PATH", chemin);
}

TEST_F(AvecSite, EveryTabWithImportedFilms)
{
    ouvrir();
    TKinoluxFPrincipale &fp = kinolux->KinoluxFPrincipale();

    // Four films imported the way the import tab does it.
    OngletImports &onglet = fp.ongletImports();
    for (const QString &titre : {u"PONT (LE)"_s, u"ENFANTS DU PARADIS (LES)"_s,
                                 u"QUAI DES BRUMES"_s, u"ARMÉE DES OMBRES (L')"_s}) {
        onglet.editGestionTitreFilm().setText(titre);
        onglet.tempoGestionRafraichTimer();
        onglet.listeMovieCovers().setCurrentRow(0);
        fp.action(u"ajouterFilm"_s)->trigger();
    }
    ASSERT_EQ(kinolux->dm_Kinolux().fichesFilms().size(), 4u);
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
    EXPECT_TRUE(fp.pcControles().isTabVisible(5));

    const char *noms[] = {"onglet-liste.png",  "onglet-classement.png", "onglet-lecture.png",
                          "onglet-import.png", "onglet-recherche.png",  "onglet-edition.png"};
    for (int i = 0; i < 6; ++i) {
        fp.pcControles().setCurrentIndex(i);
        capture(fp, QString::fromLatin1(noms[i]));
    }
}

} // namespace

// The overview over 35,000 cards in a real window: sorted by year, filtered by two words, a genre
// given to 20 cards at once and found under that genre in the tree.
TEST(FenetreReelle, LaVueDEnsembleTrieFiltreEtModifieTrenteCinqMilleFiches)
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    Tdm_Kinolux &dm = kinolux.dm_Kinolux();
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    // The window shown and its start-up load done (an empty catalogue) before the cards come in.
    fp.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fp));
    fp.TimerDemarreTimer();
    const QStringList noms = {u"Pont"_s, u"Été"_s,   u"Rivière"_s, u"Forêt"_s,  u"Nuit"_s,
                              u"Quai"_s, u"Ombre"_s, u"Cœur"_s,    u"Jardin"_s, u"Voyage"_s};
    const QStringList complements = {u"d'hiver"_s, u"rouge"_s,   u"de minuit"_s,
                                     u"perdu"_s,   u"à Paris"_s, u"des brumes"_s};
    const QStringList genres = {u"Drame"_s, u"Comédie"_s, u"Policier"_s, u"Western"_s};
    Catalogue fiches;
    for (int i = 0; i < 35000; ++i) {
        const QString titre =
            u"%1 %2 %3"_s.arg(noms[i % noms.size()], complements[(i / 10) % complements.size()])
                .arg(i);
        auto fiche = ChampsFiche::nouvelleFiche(titre.toUpper(), titre);
        fiche->setTitreFrancais(titre);
        fiche->setAnnee(QString::number(1930 + (i * 7) % 80));
        fiche->setGenres({genres[i % genres.size()]});
        fiche->setRealisateurs({i % 3 ? u"Jean Renoir"_s : u"Marcel Carné"_s});
        fiche->setNiveauPreference(i % 11);
        fiches.push_back(std::move(fiche));
    }
    dm.adopterFiches(std::move(fiches));
    fp.MAJ_ListeFilms();
    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    vue.resize(1000, 680);
    EXPECT_EQ(vue.lbNombreFilms().text(), u"35000 films sur 35000"_s);

    QTableView &table = vue.tableFilms();
    table.sortByColumn(ChampsFiche::Annee, Qt::AscendingOrder);
    EXPECT_EQ(table.model()->index(0, ChampsFiche::Annee).data().toString(), u"1930"_s);
    QTest::keyClicks(&vue.editFiltreRapide(), u"foret minuit"_s);
    EXPECT_EQ(vue.lbNombreFilms().text(), u"583 films sur 35000"_s);
    capture(vue, u"vue-ensemble.png"_s);

    table.selectionModel()->select(
        QItemSelection(table.model()->index(0, 0), table.model()->index(19, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    vue.action(u"modifierSelection"_s)->trigger();
    DialogueModificationSelection *dialogue = vue.dialogueModification();
    ASSERT_NE(dialogue, nullptr);
    dialogue->cbModifierChamp().setCurrentIndex(
        dialogue->cbModifierChamp().findData(int(ChampsFiche::Genres)));
    QTest::keyClicks(&dialogue->editModifierValeur(), u"Film noir"_s);
    EXPECT_EQ(dialogue->listeModifierApercu().count(), 20);
    capture(*dialogue, u"vue-ensemble-modifier.png"_s);
    dialogue->accept();

    fp.findChild<QGroupBox *>(u"rgClassementType"_s)->findChildren<QRadioButton *>().at(1)->click();
    auto *arbre = fp.findChild<QTreeWidget *>(u"arbreClassementFilms"_s);
    const auto noir = arbre->findItems(u"Film noir"_s, Qt::MatchExactly);
    ASSERT_EQ(noir.size(), 1);
    EXPECT_EQ(noir.first()->childCount(), 20);
    noir.first()->setExpanded(true);
    arbre->scrollToItem(noir.first(), QAbstractItemView::PositionAtTop);
    fp.findChild<QTabWidget *>(u"pcControles"_s)->setCurrentIndex(1);
    vue.hide();
    capture(fp, u"vue-ensemble-arbre.png"_s);

    // The statistics of the films the filter shows.
    vue.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    vue.resize(1000, 780);
    vue.pcVueEnsemble().setCurrentWidget(&vue.ongletStatistiques());
    EXPECT_EQ(vue.ongletStatistiques().lbStatistiquesTitre().text(),
              u"Statistiques sur 583 films"_s);
    capture(vue, u"vue-ensemble-statistiques.png"_s);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

// The poster wall of the stand-in service's films, in a real window.
TEST(FenetreReelle, LeMurDAffichesMontreLesCouverturesDuService)
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    fp.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fp));
    fp.TimerDemarreTimer();
    DonneesDemo demo;
    ASSERT_TRUE(demo.charger(QStringLiteral(KINOLUX_COVERSITE_DONNEES)));
    Catalogue fiches;
    for (const DonneesDemo::Film &film : demo.films()) {
        auto fiche = ChampsFiche::nouvelleFiche(film.titreIndex, film.titreIndex);
        fiche->setTitreFrancais(film.lignes.at(0));
        fiche->setAnnee(film.lignes.at(2));
        fiche->setCheminImage(Tdm_Kinolux::cheminImagePour(film.titreIndex));
        QFile couverture(kinolux.dm_Kinolux().chemin(fiche->cheminImage()));
        ASSERT_TRUE(couverture.open(QIODevice::WriteOnly));
        couverture.write(demo.couverture(film));
        fiches.push_back(std::move(fiche));
    }
    kinolux.dm_Kinolux().adopterFiches(std::move(fiches));
    fp.MAJ_ListeFilms();
    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    vue.resize(1000, 720);
    OngletAffiches &affiches = vue.ongletAffiches();
    vue.pcVueEnsemble().setCurrentWidget(&affiches);
    QTest::qWait(50);
    affiches.grilleAffiches().viewport()->repaint();
    affiches.vignettes().attendre();
    QTest::qWait(50);
    capture(vue, u"vue-ensemble-affiches.png"_s);
    EXPECT_FALSE(QDir(cache.path() + u"/thumbnails/large"_s).isEmpty());
    EXPECT_TRUE(dialogues.appels.isEmpty());
    qunsetenv("XDG_CACHE_HOME");
}

TEST(FenetreReelle, LesMenusDExportSOuvrentSansRienCouvrir)
{
    ProgrammeMontre programme;
    ASSERT_TRUE(programme.montrer());
    DialoguesScriptes &dialogues = programme.dialogues;
    TKinoluxFPrincipale &fp = programme.fp;
    auto *bouton = fp.findChild<QWidget *>(u"boutonExporter"_s);
    auto *vueEnsemble = fp.findChild<QWidget *>(u"boutonVueEnsemble"_s);
    ASSERT_NE(bouton, nullptr);
    // In the band, beside the overview button, over none of the window's controls.
    EXPECT_TRUE(bouton->isVisible());
    EXPECT_FALSE(bouton->geometry().intersects(vueEnsemble->geometry()));
    auto *contenu = fp.findChild<QWidget *>(u"PanelContenant"_s);
    ASSERT_NE(contenu, nullptr);
    EXPECT_FALSE(bouton->geometry().intersects(contenu->geometry()));
    const QImage fenetre = capture(fp, u"exporter-bande.png"_s);
    const QRect zone = bouton->geometry();
    int differents = 0;
    for (int x = zone.left(); x <= zone.right(); ++x)
        differents += fenetre.pixel(x, zone.center().y()) !=
                              fenetre.pixel(zone.left() - 30, zone.center().y())
                          ? 1
                          : 0;
    EXPECT_GT(differents, 4) << "the button's picture is painted in the band";

    // A click opens the menu of the commands below the button.
    const MenuLu menu = lireMenu(*bouton, u"exporter-menu.png"_s);
    EXPECT_EQ(menu.nom, u"menuExporter"_s);
    EXPECT_GE(menu.haut, bouton->mapToGlobal(QPoint(0, 0)).y());
    const QStringList &legendes = menu.legendes;
    EXPECT_EQ(legendes.size(), 9);
    EXPECT_EQ(legendes.value(0), u"Exporter en CSV…"_s);
    EXPECT_EQ(legendes.value(2), u"Importer d'un autre catalogue…"_s);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(AvecSite, UnDossierDeFilmsAnalyseDevientDesFichesAvecLeursCouvertures)
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    ouvrir();
    TKinoluxFPrincipale &fp = kinolux->KinoluxFPrincipale();
    // Films kept as a media centre keeps them, with release names, and one nobody knows.
    QTemporaryDir films;
    const auto video = [&](const QString &nom, VideosDeTest::Sorte sorte) {
        EXPECT_TRUE(VideosDeTest::copier(sorte, films.filePath(nom))) << nom.toStdString();
    };
    using VideosDeTest::Sorte;
    video(u"Kodi/Le Pont (1959)/Le Pont (1959).mkv"_s, Sorte::MkvH264DeuxLangues);
    {
        QFile nfo(films.filePath(u"Kodi/Le Pont (1959)/Le Pont (1959).nfo"_s));
        ASSERT_TRUE(nfo.open(QIODevice::WriteOnly));
        nfo.write("<movie><title>Le Pont</title><originaltitle>Die Brücke</originaltitle>"
                  "<year>1959</year><runtime>103</runtime><genre>Guerre</genre>"
                  "<director>Bernhard Wicki</director></movie>");
    }
    QImage affiche(300, 450, QImage::Format_RGB32);
    affiche.fill(QColor(40, 70, 110));
    {
        QPainter peintre(&affiche);
        peintre.setPen(Qt::white);
        peintre.setFont(QFont(u"DejaVu Sans"_s, 28, QFont::Bold));
        peintre.drawText(affiche.rect(), Qt::AlignCenter, u"Le Pont\n1959"_s);
    }
    ASSERT_TRUE(affiche.save(films.filePath(u"Kodi/Le Pont (1959)/poster.jpg"_s)));
    video(u"L.Atalante.1934.FRENCH.1080p.BluRay.x264-GRP.mkv"_s, Sorte::Mp4H265);
    video(u"Films/A.Bout.De.Souffle.1960.MULTi.720p.WEB-DL.mkv"_s, Sorte::MkvH264DeuxLangues);
    video(u"Films/Quai des brumes (1938)/movie.avi"_s, Sorte::AviMpeg4);
    video(u"Films/Mon.Film.De.Vacances.2019.mp4"_s, Sorte::Mp4H265);
    {
        QFile vide(films.filePath(u"Films/coupé.mkv"_s));
        ASSERT_TRUE(vide.open(QIODevice::WriteOnly));
    }

    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    vue.resize(1000, 720);
    QTest::qWait(50);
    capture(vue, u"vue-ensemble-boutons.png"_s);
    dialogues.fichiers.append({films.path()});
    vue.findChild<QObject *>(u"listeActionsFichiersVueEnsemble"_s)
        ->findChild<QAction *>(u"analyserDossier"_s)
        ->trigger();
    DialogueAnalyseDossier *dialogue = vue.fichiersVideo().dialogueAnalyse();
    ASSERT_NE(dialogue, nullptr) << dialogues.erreurs().join(u'\n').toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogue));
    EXPECT_EQ(dialogue->tableFichiersTrouves().rowCount(), 5);
    EXPECT_EQ(dialogue->listeFichiersEcartes().count(), 1);
    capture(*dialogue, u"analyse-dossier.png"_s);

    dialogue->accept();
    EXPECT_EQ(vue.fichiersVideo().dernierBilan().ajoutees, 5);
    EXPECT_EQ(dialogues.erreurs(), QStringList());
    OngletAffiches &murAffiches = vue.ongletAffiches();
    vue.pcVueEnsemble().setCurrentWidget(&murAffiches);
    QTest::qWait(50);
    murAffiches.grilleAffiches().viewport()->repaint();
    murAffiches.vignettes().attendre();
    QTest::qWait(100);
    capture(vue, u"analyse-dossier-fiches.png"_s);
    qunsetenv("XDG_CACHE_HOME");
}

TEST_F(AvecSite, LesDoublonsCoteACoteEtLAnnulationDansLeMenuCatalogue)
{
    ouvrir();
    TKinoluxFPrincipale &fp = kinolux->KinoluxFPrincipale();
    Tdm_Kinolux &dm = kinolux->dm_Kinolux();
    // Three films of the service, one of them typed twice by hand with a year and actors of its
    // own, and a remake that is no double.
    for (const QString &titre : {u"PSYCHOSE"_s, u"PLAYTIME"_s, u"METROPOLIS"_s}) {
        auto fiche = dm.importerFiche(titre);
        ASSERT_NE(fiche, nullptr) << titre.toStdString();
        dm.ajouterFicheFilm(fiche);
    }
    const TFicheFilm &psychose = *dm.fichesFilms().front();
    auto copie = std::make_unique<TFicheFilm>(
        u"PSYCHOSE (DVD)"_s, psychose.titreFrancais(), u"-"_s, psychose.duree(),
        u"Marion Crane s'enfuit avec 40 000 dollars…"_s, u"-"_s, psychose.titreOriginal(),
        psychose.realisateurs(), QStringList(), QStringList{u"Horreur"_s},
        QStringList{u"Vera Miles"_s}, QStringList());
    copie->setCheminImage(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    copie->setNomSupport(u"DVD zone 2"_s);
    dm.ajouterFicheFilm(copie);
    auto remake = std::make_unique<TFicheFilm>(dm.fichesFilms()[2]->idFilm() + u" (2027)"_s);
    remake->setTitreFrancais(dm.fichesFilms()[2]->titreFrancais());
    remake->setAnnee(u"2027"_s);
    remake->setCheminImage(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    dm.ajouterFicheFilm(remake);
    fp.MAJ_ListeFilms();

    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    vue.findChild<QAction *>(u"chercherDoublons"_s)->trigger();
    DialogueDoublons *dialogue = vue.dialogueDoublons();
    ASSERT_NE(dialogue, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogue));
    ASSERT_EQ(dialogue->groupes().size(), 1u);
    EXPECT_EQ(dialogue->tableDoublons().columnCount(), 2);
    dialogue->choisir(ChampsFiche::NomSupport, 1);
    QTest::qWait(50);
    capture(*dialogue, u"doublons.png"_s);
    dialogue->boutonFusionner().click();
    EXPECT_EQ(dm.fichesFilms().size(), 4u);
    dialogue->close();

    // The Catalogue menu names the step Ctrl+Z would undo.
    const QStringList legendes =
        lireMenu(*vue.findChild<QToolButton *>(u"boutonCatalogue"_s), u"vue-ensemble-annuler.png"_s)
            .legendes;
    EXPECT_EQ(legendes.value(0), u"Annuler la fusion de 2 fiches"_s);
    vue.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&vue));
    QTest::keyClick(&vue, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dm.fichesFilms().size(), 5u);
    EXPECT_TRUE(dm.pileAnnulation().canRedo());
}

TEST(FenetreReelle, LesCataloguesDeQuatreProgrammesSImportentDansLaVueDEnsemble)
{
    ProgrammeMontre programme;
    ASSERT_TRUE(programme.montrer());
    DialoguesScriptes &dialogues = programme.dialogues;
    Kinolux &kinolux = programme.kinolux;
    TKinoluxFPrincipale &fp = programme.fp;
    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));

    // One small file of each program, written here as each one writes it.
    QTemporaryDir autres;
    const auto ecrire = [&](const QString &nom, const QByteArray &octets) {
        QFile fichier(autres.filePath(nom));
        EXPECT_TRUE(fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size());
        return fichier.fileName();
    };
    QByteArray tellico = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">"
                         "<collection title=\"Films\" type=\"3\"><entry id=\"1\">"
                         "<title>Jour de fête</title><year>1949</year>"
                         "<directors><director>Jacques Tati</director></directors>"
                         "</entry></collection></tellico>";
    const QString tc = autres.filePath(u"films.tc"_s);
    {
        int code = 0;
        zip_t *archive = zip_open(QFile::encodeName(tc).constData(), ZIP_CREATE, &code);
        ASSERT_NE(archive, nullptr);
        zip_source_t *source = zip_source_buffer(archive, tellico.constData(), tellico.size(), 0);
        ASSERT_GE(zip_file_add(archive, "tellico.xml", source, ZIP_FL_ENC_UTF_8), 0);
        ASSERT_EQ(zip_close(archive), 0);
    }
    const QStringList fichiers{
        tc,
        ecrire(u"films.gcs"_s, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<collection type=\"GCfilms\"><item id=\"1\" title=\"Playtime\" "
                               "date=\"1967\" director=\"Jacques Tati\"/></collection>"),
        ecrire(u"films.xml"_s,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AntMovieCatalog Format=\"42\">"
               "<Catalog><Contents><Movie Number=\"1\" TranslatedTitle=\"Mon oncle\" "
               "Year=\"1958\" Rating=\"8\"/></Contents></Catalog></AntMovieCatalog>"),
        ecrire(u"videodb.xml"_s, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<videodb>"
                                 "<version>1</version><movie><title>Trafic</title>"
                                 "<year>1971</year></movie></videodb>"),
    };
    for (const QString &fichier : fichiers) {
        const size_t avant = kinolux.dm_Kinolux().fichesFilms().size();
        dialogues.fichiers.enqueue(fichier);
        dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
        vue.findChild<QAction *>(u"importerAutreCatalogue"_s)->trigger();
        EXPECT_EQ(kinolux.dm_Kinolux().fichesFilms().size(), avant + 1) << fichier.toStdString();
    }
    EXPECT_EQ(dialogues.erreurs(), QStringList());
    QStringList titres;
    for (int ligne = 0; ligne < fp.listeFilms().count(); ++ligne)
        titres.append(fp.listeFilms().item(ligne)->text());
    EXPECT_EQ(titres, (QStringList{u"Jour de fête"_s, u"Mon oncle"_s, u"Playtime"_s, u"Trafic"_s}));
    QTest::qWait(50);
    capture(vue, u"importer-autre-catalogue.png"_s);
}

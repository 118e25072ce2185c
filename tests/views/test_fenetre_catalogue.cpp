#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TImage.h"
#include "chrome/TformMessageFlash.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "views/OngletListeFilms.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QByteArray fiche(const QByteArray &id, const QByteArray &titre, const QByteArray &autres = {})
{
    return "<ficheFilm><idFilm>" + id + "</idFilm><titreFrancais>" + titre + "</titreFrancais>" +
           autres + "</ficheFilm>";
}

QByteArray catalogue(const QByteArray &fiches)
{
    return "<?xml version=\"1.0\" "
           "encoding=\"UTF-8\"?><Kinolux_BaseFilms><racine><listeFichesFilms>" +
           fiches + "</listeFichesFilms></racine></Kinolux_BaseFilms>";
}

class FenetreCatalogue : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    template <typename T> T *controle(const QString &nom)
    {
        T *trouve = fp().findChild<T *>(nom);
        EXPECT_NE(trouve, nullptr) << nom.toStdString();
        return trouve;
    }
    QString texte(const QString &nom) { return controle<QLabel>(nom)->text(); }
    QStringList lignes(const QString &nom)
    {
        QStringList resultat;
        const auto *liste = controle<QListWidget>(nom);
        for (int i = 0; i < liste->count(); ++i)
            resultat.append(liste->item(i)->text());
        return resultat;
    }
    bool ongletEditionVisible() { return fp().pcControles().isTabVisible(5); }

    // Opens the window from the control panel and lets its start-up timer read the catalogue.
    void ouvrir(const QByteArray &fichier)
    {
        repertoire.ecrire(u"baseFilm.bdf"_s, fichier);
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        kinolux->KinoluxPC().Image1Click();
        fp().TimerDemarreTimer();
    }
    void choisir(int ligne)
    {
        fp().listeFilms().setCurrentRow(ligne);
        fp().action(u"chargerFicheFilm"_s)->trigger();
    }
    int ligneDe(const QString &titre)
    {
        const auto trouves = fp().listeFilms().findItems(titre, Qt::MatchExactly);
        return trouves.isEmpty() ? -1 : fp().listeFilms().row(trouves.first());
    }
    QImage icone(const QString &nom, int cote)
    {
        return QImageReader(repertoire.fichier(u"icones/"_s + nom))
            .read()
            .scaled(cote, cote, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QImage image(const QString &nom) { return controle<TImage>(nom)->picture().toImage(); }
};

TEST_F(FenetreCatalogue, TheFrameHasItsTabsTitleBarsAndActions)
{
    kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    EXPECT_EQ(fp().windowTitle(), u"Kinolux"_s);
    EXPECT_EQ(fp().minimumSize(), QSize(792, 570));
    EXPECT_EQ(texte(u"blTitre"_s), u"Orvandel Kinolux 2007"_s);
    EXPECT_EQ(texte(u"lbTitreOmbre"_s), u"Orvandel Kinolux 2007"_s);

    QTabWidget &onglets = fp().pcControles();
    EXPECT_EQ(onglets.objectName(), u"pcControles"_s);
    EXPECT_EQ(onglets.tabPosition(), QTabWidget::West);
    EXPECT_GE(onglets.minimumWidth(), 225);
    const QStringList noms = {u"tabListFilm"_s,      u"tabClasses"_s,   u"tabListeLecture"_s,
                              u"tabImportsFiches"_s, u"tabRecherche"_s, u"tabEdition"_s};
    const QStringList hints = {u"Liste de Films"_s,   u"Films Classés"_s,
                               u"Liste de lecture"_s, u"Importations de Fiches"_s,
                               u"Recherche"_s,        QString()};
    ASSERT_EQ(onglets.count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(onglets.widget(i)->objectName(), noms[i]);
        EXPECT_EQ(onglets.tabToolTip(i), hints[i]);
        EXPECT_TRUE(onglets.tabText(i).isEmpty());
        EXPECT_FALSE(onglets.tabIcon(i).isNull());
    }
    EXPECT_TRUE(onglets.isTabVisible(0));
    EXPECT_FALSE(onglets.isTabVisible(5)) << "the editing tab waits for a card";
    EXPECT_EQ(onglets.currentIndex(), 0);

    for (const char *barre : {"barreTitreListeFilms", "barreTitreClasses", "barreTitreListeLecture",
                              "barreGestion", "barreRecherche", "barreEdition", "barreTitreFilm"})
        EXPECT_NE(fp().findChild<QWidget *>(QString::fromLatin1(barre)), nullptr) << barre;

    const struct
    {
        const char *nom;
        const char *categorie;
    } actions[] = {{"MAJListeMovieCovers", "IMPORT_FICHES"},
                   {"ajouterFilm", "IMPORT_FICHES"},
                   {"chargerFicheFilm", "LISTE_FILM"},
                   {"sauvegarderBase", "LISTE_FILM"},
                   {"chargerBase", ""},
                   {"supprimerFilm", "LISTE_FILM"},
                   {"creerNouvelleFiche", "LISTE_FILM"},
                   {"detruireListeFilms", "LISTE_FILM"},
                   {"detruireObjetsListes", ""},
                   {"detruireListesCBEdition", "EDITION"},
                   {"MAJ_EditionChamp", "EDITION"},
                   {"validerEditionChamp", "EDITION"},
                   {"MAJ_EditionListe", "EDITION"},
                   {"validerEditionListe", "EDITION"},
                   {"MAJ_EditionSupp", "EDITION"},
                   {"validerEditionSupp", "EDITION"},
                   {"rechargerEditionImageSites", "EDITION"},
                   {"MAJ_Classement", "CLASSEMENT"},
                   {"afficherClassementFiche", "CLASSEMENT"},
                   {"MAJ_Recherche", "RECHERCHE"},
                   {"rechercherRecherche", "RECHERCHE"},
                   {"afficherRechercheFiche", "RECHERCHE"},
                   {"ajouterDansListeLecture", ""},
                   {"lireFilm", ""},
                   {"lireListeLecture", "LISTE_LECTURE"},
                   {"supprimerListeLectureCoches", "LISTE_LECTURE"},
                   {"enregistrerListeLecture", "LISTE_LECTURE"},
                   {"chargerListeLecture", "LISTE_LECTURE"}};
    for (const auto &a : actions) {
        const QAction *action = fp().action(QString::fromLatin1(a.nom));
        ASSERT_NE(action, nullptr) << a.nom;
        EXPECT_EQ(action->property("categorie").toString(), QString::fromLatin1(a.categorie));
    }
    EXPECT_EQ(fp().action(u"MAJ_EditionSupp"_s)->text(), u"Réinitialiser les valeurs"_s);
}

TEST_F(FenetreCatalogue, TheFilmListIsSortedIgnoringCaseAndCarriesTheCards)
{
    ouvrir(catalogue(fiche("A1", "casablanca") + fiche("A2", "Brazil") + fiche("A3", "alien") +
                     fiche("A4", "Alien") + fiche("A5", "Été meurtrier (L')") +
                     fiche("A6", "Zorro")));
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
    EXPECT_EQ(lignes(u"listeFilms"_s),
              QStringList({u"alien"_s, u"Alien"_s, u"Brazil"_s, u"casablanca"_s,
                           u"Été meurtrier (L')"_s, u"Zorro"_s}));
    EXPECT_EQ(fp().listeFilms().currentRow(), -1);
    EXPECT_TRUE(fp().listeFilms().selectedItems().isEmpty());

    // Two cards with one title give two rows, each with its own card.
    choisir(0);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : A3"_s);
    choisir(1);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : A4"_s);
}

TEST_F(FenetreCatalogue, TheSheetShowsEveryFieldOfTheChosenCard)
{
    ouvrir(catalogue(fiche("BRAZIL", "Brazil",
                           "<realisateurs><occurence>Terry Gilliam</occurence></realisateurs>"
                           "<annee>1985</annee><nationnalites><occurence>Royaume-Uni</occurence>"
                           "<occurence>États-Unis</occurence></nationnalites>"
                           "<genres><occurence>Science-fiction</occurence>"
                           "<occurence>Satire</occurence></genres><duree>132 min</duree>"
                           "<acteurs><occurence>Jonathan Pryce</occurence>"
                           "<occurence>Robert De Niro</occurence></acteurs>"
                           "<resume>Un fonctionnaire rêveur.\nUne erreur de frappe.</resume>"
                           "<distributeurFR>20th Century Fox</distributeurFR>"
                           "<titreOriginal>Brazil</titreOriginal><niveauPreference>9"
                           "</niveauPreference><nomSupport>DVD BRAZIL</nomSupport>"
                           "<typeSupport>CD-R(W)</typeSupport>"
                           "<cheminFichier>/films/brazil.mkv</cheminFichier>"
                           "<cheminImage>IMAGES_FILMS\\BRAZIL.jpg</cheminImage>")));
    QImage rouge(300, 400, QImage::Format_RGB32);
    rouge.fill(QColor(200, 0, 0));
    ASSERT_TRUE(rouge.save(repertoire.fichier(u"IMAGES_FILMS/BRAZIL.jpg"_s)));

    choisir(0);
    EXPECT_TRUE(dialogues.erreurs().isEmpty()) << dialogues.erreurs().join(u'\n').toStdString();
    EXPECT_EQ(controle<QWidget>(u"barreTitreFilm"_s)->toolTip(), u"Brazil"_s);
    EXPECT_EQ(texte(u"lbTitreO"_s), u"Brazil"_s);
    EXPECT_EQ(texte(u"lbAnnee"_s), u"1985"_s);
    EXPECT_EQ(texte(u"lbDuree"_s), u"132 min"_s);
    EXPECT_EQ(texte(u"lbNations"_s), u"Royaume-Uni, États-Unis"_s);
    EXPECT_EQ(texte(u"lbGenre"_s), u"Science-fiction, Satire"_s);
    EXPECT_EQ(texte(u"lbDistrib"_s), u"20th Century Fox"_s);
    EXPECT_EQ(lignes(u"listeRealisateursFilm"_s), QStringList({u"Terry Gilliam"_s}));
    EXPECT_EQ(lignes(u"listeActeurs"_s), QStringList({u"Jonathan Pryce"_s, u"Robert De Niro"_s}));
    EXPECT_EQ(controle<QPlainTextEdit>(u"memoResume"_s)->toPlainText(),
              u"Un fonctionnaire rêveur.\nUne erreur de frappe."_s);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : BRAZIL"_s);
    EXPECT_EQ(controle<QProgressBar>(u"barrePreference"_s)->value(), 9);
    EXPECT_EQ(image(u"imgPref"_s), icone(u"super.ico"_s, 32));
    EXPECT_EQ(controle<QLineEdit>(u"editFicheNomSupport"_s)->text(), u"DVD BRAZIL"_s);
    EXPECT_EQ(controle<QLineEdit>(u"editFicheNomSupport"_s)->toolTip(), u"DVD BRAZIL"_s);
    EXPECT_EQ(image(u"imgFicheSupport"_s), icone(u"CD-R(W).ico"_s, 48));
    EXPECT_EQ(controle<TImage>(u"imgFicheSupport"_s)->toolTip(), u"/films/brazil.mkv"_s);
    const QImage couverture = image(u"imageFilm"_s);
    EXPECT_EQ(couverture.pixelColor(couverture.rect().center()).red() / 10, 20);
    EXPECT_TRUE(ongletEditionVisible());
}

TEST_F(FenetreCatalogue, OddCardsShowWhatTheTablesSay)
{
    ouvrir(catalogue(fiche("VIDE", "Vide") +
                     fiche("HAUT", "Haut", "<niveauPreference>11</niveauPreference>") +
                     fiche("BAS", "Bas",
                           "<niveauPreference>-1</niveauPreference>"
                           "<typeSupport>DVD-/+R(W)</typeSupport>") +
                     fiche("MAX", "Max", "<niveauPreference>2147483647</niveauPreference>") +
                     fiche("SANS", "Sans", "<typeSupport>Cassette VHS</typeSupport>")));

    choisir(ligneDe(u"Vide"_s));
    EXPECT_EQ(texte(u"lbNations"_s), QString()) << "an empty list gives an empty caption";
    EXPECT_EQ(texte(u"lbGenre"_s), QString());
    EXPECT_EQ(texte(u"lbAnnee"_s), u"-"_s);
    EXPECT_EQ(controle<QListWidget>(u"listeActeurs"_s)->count(), 0);
    EXPECT_EQ(image(u"imgPref"_s), icone(u"neutre.ico"_s, 32));
    EXPECT_EQ(image(u"imgFicheSupport"_s), icone(u"rien.ico"_s, 48));

    choisir(ligneDe(u"Haut"_s));
    EXPECT_EQ(controle<QProgressBar>(u"barrePreference"_s)->value(), 10) << "the bar is full";
    EXPECT_EQ(image(u"imgPref"_s), icone(u"neutre.ico"_s, 32)) << "the icon stays";

    choisir(ligneDe(u"Bas"_s));
    EXPECT_EQ(controle<QProgressBar>(u"barrePreference"_s)->value(), 0);
    EXPECT_EQ(image(u"imgPref"_s), icone(u"naze.ico"_s, 32));
    EXPECT_EQ(image(u"imgFicheSupport"_s), icone(u"DVD-R.ico"_s, 48));

    choisir(ligneDe(u"Max"_s));
    EXPECT_EQ(image(u"imgPref"_s), icone(u"naze.ico"_s, 32));
    EXPECT_TRUE(dialogues.erreurs().isEmpty());

    // No icon for this medium: the error is reported and the rest of the sheet is not filled.
    choisir(ligneDe(u"Sans"_s));
    ASSERT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_TRUE(dialogues.erreurs().first().contains(u"Cassette VHS.ico"_s));
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : SANS"_s);
    EXPECT_EQ(controle<TImage>(u"imgFicheSupport"_s)->toolTip(), u"-"_s)
        << "the hint of the card shown before";
}

TEST_F(FenetreCatalogue, AMissingIconFileIsReportedWithoutShowingTheEditingTab)
{
    ouvrir(catalogue(fiche("X", "X", "<niveauPreference>7</niveauPreference>")));
    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"icones/pasmal.ico"_s)));
    choisir(0);
    ASSERT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_TRUE(dialogues.erreurs().first().contains(u"pasmal.ico"_s));
    EXPECT_FALSE(ongletEditionVisible());
}

TEST_F(FenetreCatalogue, AMissingCoverShowsThePlaceholder)
{
    ouvrir(catalogue(fiche("X", "X", "<cheminImage>IMAGES_FILMS\\X.jpg</cheminImage>")));
    choisir(0);
    const QImage attendu = QImage(repertoire.fichier(u"IMAGES_FILMS/SANSIMAGE.jpg"_s));
    const QImage montre = image(u"imageFilm"_s);
    EXPECT_EQ(montre.size(), attendu.size());
    EXPECT_EQ(montre.pixelColor(montre.width() / 2, 20),
              attendu.pixelColor(attendu.width() / 2, 20));
}

TEST_F(FenetreCatalogue, TheRefreshClearsTheSelectionButNotTheSheet)
{
    ouvrir(catalogue(fiche("A", "Alpha") + fiche("B", "Beta")));
    choisir(1);
    fp().MAJ_ListeFilms();
    EXPECT_EQ(fp().listeFilms().currentRow(), -1);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : B"_s);

    // Nothing selected: the sheet stays as it is.
    fp().action(u"chargerFicheFilm"_s)->trigger();
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : B"_s);
}

TEST_F(FenetreCatalogue, AClickOnARowShowsItsCard)
{
    ouvrir(catalogue(fiche("A", "Alpha") + fiche("B", "Beta")));
    QListWidget &liste = fp().listeFilms();
    liste.resize(200, 200);
    const QRect zone = liste.visualItemRect(liste.item(1));
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, zone.center());
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : B"_s);
}

TEST_F(FenetreCatalogue, ALetterTypedInTheListShowsTheCardOfTheRowItSelects)
{
    ouvrir(catalogue(fiche("A", "Alpha") + fiche("B", "Beta")));
    QListWidget &liste = fp().listeFilms();
    // What the focus does to a list without a current row: its first row becomes current,
    // unselected.
    liste.selectionModel()->setCurrentIndex(liste.model()->index(0, 0),
                                            QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(liste.selectedItems().isEmpty());

    QTest::keyClick(&liste, Qt::Key_A, Qt::NoModifier);
    ASSERT_EQ(liste.selectedItems().size(), 1);
    EXPECT_EQ(liste.selectedItems().first()->text(), u"Alpha"_s);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : A"_s) << "the selected row's card is shown";

    QTest::keyClick(&liste, Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : B"_s);
}

TEST_F(FenetreCatalogue, AClickInAnEmptyListDoesNothing)
{
    ouvrir(catalogue(QByteArray()));
    QListWidget &liste = fp().listeFilms();
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(texte(u"lbIDFilm"_s), u"Identifiant : -"_s);
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
}

TEST_F(FenetreCatalogue, AFailedLoadLeavesNoViewHoldingAFormerCard)
{
    ouvrir(catalogue(fiche("A", "Alpha")));
    ASSERT_EQ(fp().listeFilms().count(), 1);
    // A load that fails empties the catalogue: the list must not keep a row for a freed card.
    repertoire.ecrire(u"baseFilm.bdf"_s, "<pas du xml");
    fp().action(u"chargerBase"_s)->trigger();
    EXPECT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_EQ(fp().listeFilms().count(), 0);
}

TEST_F(FenetreCatalogue, AFailingLoadAtStartUpIsReportedAndTheWindowStaysUsable)
{
    ouvrir("<Kinolux_BaseFilms><racine></Kinolux_BaseFilms>");
    ASSERT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_TRUE(dialogues.erreurs().first().contains(u"ligne"_s))
        << dialogues.erreurs().first().toStdString();
    EXPECT_TRUE(fp().isVisible());
    EXPECT_EQ(fp().listeFilms().count(), 0);
}

} // namespace

// Every action's handler, the refresh of all views, the flash window's close and the pictures of
// the picture controls can be reached by name, as a script or a test written later reaches them.
TEST(FenetreCatalogueParNom, ChaqueGestionnaireNommeSAtteintParSonNom)
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    QList<QObject *> objets = fp.findChildren<QObject *>();
    objets.append(&fp);
    const auto actions = fp.findChild<QObject *>(u"listeActions"_s)->findChildren<QAction *>();
    EXPECT_EQ(actions.size(), 28);
    for (const QAction *action : actions) {
        const QByteArray signature = action->objectName().toLatin1() + "Execute()";
        const bool trouve = std::any_of(objets.begin(), objets.end(), [&](const QObject *objet) {
            return objet->metaObject()->indexOfMethod(signature.constData()) >= 0;
        });
        EXPECT_TRUE(trouve) << signature.constData();
    }
    EXPECT_TRUE(QMetaObject::invokeMethod(&fp, "MAJ_ListeFilms"));
    EXPECT_TRUE(QMetaObject::invokeMethod(&kinolux.formMessageFlash(), "fermer", Q_ARG(int, 0)));
    const auto *image = fp.findChild<TImage *>(u"boutonAPropos"_s);
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->property("picture").value<QPixmap>().isNull());
}

// The film list keeps the rows that a refresh does not change: whatever changed, it shows the
// model's order with each row's own card, no row selected.
TEST(FenetreCatalogueParNom, LaListeRafraichieSuitToujoursLOrdreDuModele)
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    Tdm_Kinolux &dm = kinolux.dm_Kinolux();
    auto *onglet = fp.findChild<OngletListeFilms *>();
    const auto verifier = [&](const char *etape) {
        SCOPED_TRACE(etape);
        fp.MAJ_ListeFilms();
        const ModeleCatalogue &modele = dm.modele();
        const std::vector<int> &ordre = modele.lignesParTitre();
        ASSERT_EQ(size_t(fp.listeFilms().count()), ordre.size());
        for (size_t i = 0; i < ordre.size(); ++i) {
            EXPECT_EQ(fp.listeFilms().item(int(i))->text(), modele.fiche(ordre[i]).titreFrancais());
            EXPECT_EQ(onglet->cleDeLigne(int(i)), modele.cle(ordre[i]));
        }
        EXPECT_TRUE(fp.listeFilms().selectedItems().isEmpty());
    };
    Catalogue fiches;
    for (int i = 0; i < 200; ++i) {
        fiches.push_back(std::make_unique<TFicheFilm>(u"ID%1"_s.arg(i)));
        fiches.back()->setTitreFrancais(u"Titre %1"_s.arg(i, 3, 10, QChar(u'0')));
    }
    dm.adopterFiches(std::move(fiches));
    verifier("a new catalogue");

    fp.listeFilms().setCurrentRow(3);
    auto nouvelle = std::make_unique<TFicheFilm>(u"NOUVELLE"_s);
    nouvelle->setTitreFrancais(u"Titre 100 bis"_s);
    dm.ajouterFicheFilm(nouvelle);
    verifier("a card added in the middle");

    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    dm.supprimerFiche(u"ID0"_s);
    verifier("the first card deleted");

    dm.modifierFiche(dm.cle(5), [](TFicheFilm &f) { f.setTitreFrancais(u"Titre 005"_s); });
    const_cast<TFicheFilm &>(*dm.fichesFilms()[7]).setTitreFrancais(u"Titre 007 (copie)"_s);
    verifier("titles changed in place, one of them behind the model's back");

    dm.modifierFiche(dm.cle(8), [](TFicheFilm &f) { f.setTitreFrancais(u"Zzz"_s); });
    verifier("a card moved far away");
}

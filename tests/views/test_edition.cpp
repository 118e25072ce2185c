#include "app/Kinolux.h"
#include "catalogue/Classement.h"
#include "catalogue/Edition.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TImage.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/VideosDeTest.h"
#include "tests/views/FichesVues.h"
#include "views/CouvertureEdition.h"
#include "views/OngletEdition.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QBuffer>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QByteArray image(const char *format, QColor couleur)
{
    QImage dessin(12, 8, QImage::Format_RGB32);
    dessin.fill(couleur);
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter(&tampon, format).write(dessin);
    return octets;
}

class EditionTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void SetUp() override { kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    OngletEdition &edition() { return *fp().findChild<OngletEdition *>(u"tabEdition"_s); }
    TFicheFilm &ajouter(const QString &id, const QString &titre)
    {
        auto fiche = nouvelleFiche(id, titre);
        TFicheFilm &carte = *fiche;
        dm().ajouterFicheFilm(fiche);
        return carte;
    }
    // The card with its own JPEG cover, IMAGES_FILMS\<id>.jpg.
    TFicheFilm &ajouterAvecCouverture(const QString &id, const QByteArray &jpeg)
    {
        TFicheFilm &fiche = ajouter(id, id);
        repertoire.ecrire(u"IMAGES_FILMS/"_s + id + u".jpg"_s, jpeg);
        fiche.setCheminImage(u"IMAGES_FILMS\\"_s + id + u".jpg"_s);
        return fiche;
    }
    void montrer(const QString &titre)
    {
        fp().MAJ_ListeFilms();
        fp().afficherFicheDuTitre(titre);
    }
    void declencher(const QString &nom) { fp().action(nom)->trigger(); }
    void choisirChamp(int entree)
    {
        edition().cbEditionChoixChamp().setCurrentIndex(entree);
        edition().cbEditionChoixChampChange();
    }
    void choisirListe(int entree)
    {
        edition().cbEditionChoixListe().setCurrentIndex(entree);
        edition().cbEditionChoixListeChange();
    }
    QStringList lignes(const QListWidget &liste)
    {
        QStringList textes;
        for (int i = 0; i < liste.count(); ++i)
            textes.append(liste.item(i)->text());
        return textes;
    }
    QStringList entrees(const QComboBox &choix)
    {
        QStringList textes;
        for (int i = 0; i < choix.count(); ++i)
            textes.append(choix.itemText(i));
        return textes;
    }
    QString titreFiche() { return fp().findChild<QWidget *>(u"barreTitreFilm"_s)->toolTip(); }
    QString cheminImageEnAttente() { return edition().imgEdition().toolTip(); }
    QString cheminFichierEnAttente()
    {
        return fp().findChild<QPushButton *>(u"btEditionFichier"_s)->toolTip();
    }
};

TEST_F(EditionTest, TheFillGivesEachEntryASnapshotAndChoosesNone)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"Le Titre"_s);
    fiche.setTitreOriginal(u"Original"_s);
    fiche.setAnnee(u"1999"_s);
    fiche.setDuree(u"120"_s);
    fiche.setResume(u"Un résumé"_s);
    fiche.setDistributeurFR(u"Distrib"_s);
    fiche.setRealisateurs({u"R1"_s, u"R2"_s});
    fiche.setNationnalites({u"France"_s});
    fiche.setGenres({u"Drame"_s, u"Comédie"_s});
    fiche.setActeurs({u"A1"_s});
    fiche.setMotsCles({u"k"_s});
    fiche.setNomSupport(u"Boîte 3"_s);
    fiche.setCheminFichier(u"C:\\films\\titre.avi"_s);

    fp().MAJ_ListeFilms();
    EXPECT_FALSE(edition().findChild<TImage *>(u"imgEditionPref"_s)->picture().isNull());
    EXPECT_FALSE(fp().pcControles().isTabVisible(fp().pcControles().indexOf(&edition())));
    edition().editEditionModifChamp().setText(u"tapé"_s);
    edition().listeEditionModifListe().addItem(u"ligne"_s);
    fp().afficherFicheDuTitre(u"Le Titre"_s);
    EXPECT_TRUE(fp().pcControles().isTabVisible(fp().pcControles().indexOf(&edition())));

    const QComboBox &champs = edition().cbEditionChoixChamp();
    EXPECT_EQ(entrees(champs), QStringList({u"Titre Français"_s, u"Titre Original"_s, u"Année"_s,
                                            u"Durée"_s, u"Résumé"_s, u"Distributeur"_s}));
    const QStringList valeurs = {u"Le Titre"_s, u"Original"_s,  u"1999"_s,
                                 u"120"_s,      u"Un résumé"_s, u"Distrib"_s};
    for (int i = 0; i < champs.count(); ++i)
        EXPECT_EQ(champs.itemData(i).toStringList(), QStringList{valeurs.at(i)}) << i;
    const QComboBox &listes = edition().cbEditionChoixListe();
    EXPECT_EQ(entrees(listes), QStringList({u"Réalisateur(s)"_s, u"Nationnalité(s)"_s,
                                            u"Genre(s)"_s, u"Acteur(s)"_s, u"Mots clés"_s}));
    const QList<QStringList> copies = {
        {u"R1"_s, u"R2"_s}, {u"France"_s}, {u"Drame"_s, u"Comédie"_s}, {u"A1"_s}, {u"k"_s}};
    for (int i = 0; i < listes.count(); ++i)
        EXPECT_EQ(listes.itemData(i).toStringList(), copies.at(i)) << i;
    EXPECT_EQ(champs.currentIndex(), -1);
    EXPECT_EQ(listes.currentIndex(), -1);
    EXPECT_EQ(edition().editEditionModifChamp().text(), u"tapé"_s);
    EXPECT_EQ(lignes(edition().listeEditionModifListe()), QStringList{u"ligne"_s});

    EXPECT_EQ(edition().tbEditionPref().value(), 5);
    EXPECT_EQ(edition().editEditionNomSupport().text(), u"Boîte 3"_s);
    EXPECT_EQ(cheminImageEnAttente(), u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    EXPECT_EQ(cheminFichierEnAttente(), u"C:\\films\\titre.avi"_s);
    EXPECT_FALSE(edition().imgEdition().picture().isNull());

    // The snapshot is the card's value at the fill, not the card's value now.
    fiche.setAnnee(u"2001"_s);
    choisirChamp(2);
    EXPECT_EQ(edition().editEditionModifChamp().text(), u"1999"_s);
}

TEST_F(EditionTest, TheSummaryRoundTripsExactlyThroughTheOneLineField)
{
    const QString resume = u"  Première ligne\nseconde\r\nfin\t "_s;
    ajouter(u"ID"_s, u"T"_s).setResume(resume);
    montrer(u"T"_s);
    choisirChamp(4);
    EXPECT_EQ(edition().editEditionModifChamp().text(), resume);
    declencher(u"validerEditionChamp"_s);
    EXPECT_EQ(dm().fichesFilms().front()->resume(), resume);

    choisirChamp(4);
    edition().editEditionModifChamp().setText(QString());
    declencher(u"validerEditionChamp"_s);
    EXPECT_EQ(dm().fichesFilms().front()->resume(), QString());
}

TEST_F(EditionTest, ResetsRestoreTheLastFillAndDoNothingWithoutAnEntry)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setDuree(u"90"_s);
    fiche.setGenres({u"Drame"_s});
    montrer(u"T"_s);

    edition().editEditionModifChamp().setText(u"tapé"_s);
    edition().listeEditionModifListe().addItem(u"ajoutée"_s);
    declencher(u"MAJ_EditionChamp"_s);
    declencher(u"MAJ_EditionListe"_s);
    EXPECT_EQ(edition().editEditionModifChamp().text(), u"tapé"_s);
    EXPECT_EQ(lignes(edition().listeEditionModifListe()), QStringList{u"ajoutée"_s});
    EXPECT_TRUE(dialogues.erreurs().isEmpty());

    choisirChamp(3);
    edition().editEditionModifChamp().setText(u"tapé"_s);
    declencher(u"MAJ_EditionChamp"_s);
    EXPECT_EQ(edition().editEditionModifChamp().text(), u"90"_s);

    choisirListe(2);
    edition().listeEditionModifListe().addItem(u"ajoutée"_s);
    declencher(u"MAJ_EditionListe"_s);
    EXPECT_EQ(lignes(edition().listeEditionModifListe()), QStringList{u"Drame"_s});
    EXPECT_EQ(fiche.duree(), u"90"_s);
}

TEST_F(EditionTest, ANewTitleResortsTheListAndKeepsTheEditedCardSelected)
{
    ajouter(u"A"_s, u"ALPHA"_s);
    ajouter(u"B"_s, u"BETA"_s);
    ajouter(u"G"_s, u"GAMMA"_s);
    montrer(u"ALPHA"_s);
    choisirChamp(0);
    edition().editEditionModifChamp().setText(u"ZOULOU"_s);
    // The film list moves the one row; the tree and the search boxes are rebuilt once each.
    QListWidget &liste = fp().listeFilms();
    QSignalSpy listeRefaite(liste.model(), &QAbstractItemModel::modelReset);
    QSignalSpy arbreRefait(fp().findChild<QTreeWidget *>(u"arbreClassementFilms"_s)->model(),
                           &QAbstractItemModel::modelReset);
    auto *acteurs = fp().findChild<QComboBox *>(u"cbRechercheActeurs"_s);
    acteurs->setEditText(u"tapé"_s);
    declencher(u"validerEditionChamp"_s);
    EXPECT_EQ(listeRefaite.count(), 0);
    EXPECT_EQ(arbreRefait.count(), 1);
    EXPECT_TRUE(acteurs->currentText().isEmpty()) << "the search boxes are filled again";

    EXPECT_EQ(lignes(liste), QStringList({u"BETA"_s, u"GAMMA"_s, u"ZOULOU"_s}));
    ASSERT_EQ(liste.selectedItems().size(), 1);
    EXPECT_EQ(liste.currentRow(), 2);
    EXPECT_EQ(titreFiche(), u"ZOULOU"_s);
    EXPECT_EQ(edition().cbEditionChoixChamp().itemData(0).toStringList(), QStringList{u"ZOULOU"_s});
    EXPECT_EQ(dm().fichesFilms().front()->titreFrancais(), u"ZOULOU"_s);
}

TEST_F(EditionTest, EveryValidationLeavesNoEntryChosenAndKeepsThePendingControls)
{
    for (const QString &action :
         {u"validerEditionChamp"_s, u"validerEditionListe"_s, u"validerEditionSupp"_s}) {
        SCOPED_TRACE(action.toStdString());
        RepertoireTest autre;
        kinolux = std::make_unique<Kinolux>(autre.chemin(), dialogues);
        ajouter(u"ID"_s, u"T"_s).setActeurs({u"X"_s});
        montrer(u"T"_s);
        choisirChamp(1);
        choisirListe(3);
        edition().editEditionModifChamp().setText(u"champ"_s);
        edition().listeEditionModifListe().addItem(u"Y"_s);
        declencher(action);
        EXPECT_EQ(edition().cbEditionChoixChamp().currentIndex(), -1);
        EXPECT_EQ(edition().cbEditionChoixListe().currentIndex(), -1);
        EXPECT_EQ(edition().editEditionModifChamp().text(), u"champ"_s);
        EXPECT_EQ(lignes(edition().listeEditionModifListe()), QStringList({u"X"_s, u"Y"_s}));
        EXPECT_TRUE(dialogues.erreurs().isEmpty());
    }
}

TEST_F(EditionTest, ListRowsAreAddedRemovedAndStoredAsTheyStand)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setRealisateurs({u"R"_s});
    fiche.setNationnalites({u"France"_s, u"Italie"_s});
    montrer(u"T"_s);

    choisirListe(0);
    dialogues.saisies.append({u" Lang "_s, u" Lang "_s, QString()});
    auto *ajouterRow = edition().findChild<TImage *>(u"boutonEditionAjouterDansListe"_s);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(ajouterRow, Qt::LeftButton);
    ASSERT_EQ(dialogues.nombre(u"saisie"_s), 3);
    EXPECT_EQ(dialogues.appels.front().titre, u"Ajout d'un élément"_s);
    EXPECT_EQ(dialogues.appels.front().texte,
              u"Veuillez saisir la valeur du nouvel élément de la liste"_s);
    declencher(u"validerEditionListe"_s);
    EXPECT_EQ(fiche.realisateurs(), QStringList({u"R"_s, u" Lang "_s, u" Lang "_s}));

    // Removing without a selected row removes nothing; removing every row empties the list.
    choisirListe(1);
    auto *retirer = edition().findChild<TImage *>(u"boutonEditionRetirerDeListe"_s);
    edition().listeEditionModifListe().clearSelection();
    QTest::mouseClick(retirer, Qt::LeftButton);
    EXPECT_EQ(edition().listeEditionModifListe().count(), 2);
    for (int i = 0; i < 2; ++i) {
        edition().listeEditionModifListe().setCurrentRow(0);
        QTest::mouseClick(retirer, Qt::LeftButton);
    }
    declencher(u"validerEditionListe"_s);
    EXPECT_TRUE(fiche.nationnalites().isEmpty());
    EXPECT_EQ(fp().findChild<QLabel *>(u"lbNations"_s)->text(), QString());
}

TEST_F(EditionTest, TheEditorNeverWritesIntoACardThatLeftTheCatalogue)
{
    ajouter(u"ID"_s, u"T"_s).setDuree(u"90"_s);
    montrer(u"T"_s);
    choisirChamp(3);
    edition().editEditionModifChamp().setText(u"perdu"_s);
    dm().ecrireBaseFilms();

    // The catalogue read again holds a new card of the same title; selecting its row without
    // showing it must not hand it the old card's pending values.
    declencher(u"chargerBase"_s);
    fp().selectionnerTitre(u"T"_s);
    for (const QString &action :
         {u"validerEditionChamp"_s, u"validerEditionListe"_s, u"validerEditionSupp"_s})
        declencher(action);
    ASSERT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(dm().fichesFilms().front()->duree(), u"90"_s);

    // Cards freed under a film list not yet rebuilt: nothing is read through the rows.
    montrer(u"T"_s);
    choisirChamp(3);
    dm().detruireFichesFilms();
    declencher(u"validerEditionChamp"_s);
    declencher(u"MAJ_EditionChamp"_s);
    declencher(u"validerEditionSupp"_s);
    EXPECT_TRUE(dialogues.erreurs().isEmpty());

    declencher(u"detruireObjetsListes"_s);
    EXPECT_EQ(edition().cbEditionChoixChamp().count(), 0);
    EXPECT_EQ(edition().cbEditionChoixListe().count(), 0);
}

TEST_F(EditionTest, NoSelectedCardNothingIsWritten)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    montrer(u"T"_s);
    choisirChamp(1);
    edition().editEditionModifChamp().setText(u"x"_s);
    fp().listeFilms().setCurrentRow(-1);
    fp().listeFilms().clearSelection();
    declencher(u"validerEditionChamp"_s);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.titreOriginal(), u"-"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
}

struct CasPreference
{
    qint32 niveau;
    int position;
};

class PreferenceTest : public EditionTest, public ::testing::WithParamInterface<CasPreference>
{
};

TEST_P(PreferenceTest, TheTrackBarClampsAndValidationStoresWhatItShows)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setNiveauPreference(GetParam().niveau);
    montrer(u"T"_s);
    EXPECT_EQ(edition().tbEditionPref().value(), GetParam().position);
    EXPECT_FALSE(edition().findChild<TImage *>(u"imgEditionPref"_s)->picture().isNull());
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.niveauPreference(), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Niveaux, PreferenceTest,
                         ::testing::Values(CasPreference{-3, 0}, CasPreference{14, 10},
                                           CasPreference{0, 0}, CasPreference{7, 7}));

TEST_F(EditionTest, TheMediumTypeIsFoundIgnoringCaseAndStoredInItsOwnSpelling)
{
    // The sheet shows the icon file named after the type as written.
    ASSERT_TRUE(QFile::copy(dm().chemin(u"icones/DVD-VIDEO.ico"_s),
                            dm().chemin(u"icones/dvd-video.ico"_s)));
    ASSERT_TRUE(
        QFile::copy(dm().chemin(u"icones/rien.ico"_s), dm().chemin(u"icones/Clé USB.ico"_s)));
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setTypeSupport(u"dvd-video"_s);
    montrer(u"T"_s);
    EXPECT_EQ(edition().rgTypeSupport().checkedId(), 1);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.typeSupport(), u"DVD-VIDEO"_s);

    // A type matching no entry leaves no entry chosen and the card's type as it was.
    fiche.setTypeSupport(u"Clé USB"_s);
    montrer(u"T"_s);
    EXPECT_EQ(edition().rgTypeSupport().checkedId(), -1);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.typeSupport(), u"Clé USB"_s);
}

TEST_F(EditionTest, AnExternalDiskShowsItsIconAndMovesTheCardInTheTree)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setTypeSupport(u"DVD-VIDEO"_s);
    montrer(u"T"_s);
    edition().rgTypeSupport().button(4)->click();
    const QImage attendue = QImageReader(dm().chemin(u"icones/Disque Dur Externe.ico"_s))
                                .read()
                                .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(edition().findChild<TImage *>(u"imgEditionSupport"_s)->picture().toImage(),
              attendue.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(fiche.typeSupport(), u"DVD-VIDEO"_s);

    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.typeSupport(), u"Disque Dur Externe"_s);
    const auto types =
        fp().findChild<QGroupBox *>(u"rgClassementType"_s)->findChildren<QRadioButton *>();
    types.at(Classement::parTypesSupport)->click();
    auto *arbre = fp().findChild<QTreeWidget *>(u"arbreClassementFilms"_s);
    ASSERT_EQ(arbre->topLevelItemCount(), 1);
    EXPECT_EQ(arbre->topLevelItem(0)->text(0), u"Disque Dur Externe"_s);
    EXPECT_EQ(arbre->topLevelItem(0)->child(0)->text(0), u"ID"_s);
}

TEST_F(EditionTest, TheDialogsHaveTheirTitlesAndFiltersAndCancelChangesNothing)
{
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    fiche.setCheminFichier(u"-"_s);
    montrer(u"T"_s);
    auto *fichier = fp().findChild<QPushButton *>(u"btEditionFichier"_s);
    fichier->click();
    dialogues.fichiers.append({u"/films/t.avi"_s});
    fichier->click();
    QTest::mouseClick(&edition().imgEdition(), Qt::LeftButton);
    ASSERT_EQ(dialogues.nombre(u"fichier"_s), 3);
    EXPECT_EQ(dialogues.appels.at(0).titre, u"Association d'un fichier video"_s);
    EXPECT_EQ(dialogues.appels.at(0).texte,
              u"Fichier AVI|*.avi|Fichier WMV|*.wmv|Fichier vidéo "
              u"(mpeg)(*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe)|*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe|"
              u"Fichier divX (*.divx;*.div;*.tix;*.mp4;*.gt;*.mov)|*.divx;*.div;*.tix;*.mp4;*.gt;"
              u"*.mov|Tous les fichiers|*.*|"_s);
    EXPECT_EQ(dialogues.appels.at(2).titre, u"Importation d'image"_s);
    EXPECT_EQ(dialogues.appels.at(2).texte,
              u"Fichier image (*.jpg;*.jpeg;*.bmp;*emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*emf;*.wmf|"_s);
    EXPECT_EQ(cheminFichierEnAttente(), u"/films/t.avi"_s);
    EXPECT_EQ(cheminImageEnAttente(), u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    EXPECT_EQ(fiche.cheminFichier(), u"-"_s);

    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.cheminFichier(), u"/films/t.avi"_s);
}

TEST_F(EditionTest, AChosenVideoGivesTheCardItsCodecLineAndItsFactsInTheHint)
{
    QTemporaryDir ailleurs;
    const QString video = ailleurs.filePath(u"Cléo de 5 à 7.mkv"_s);
    ASSERT_TRUE(VideosDeTest::copier(VideosDeTest::Sorte::MkvH264DeuxLangues, video));
    const QString texte = ailleurs.filePath(u"notes.avi"_s);
    {
        QFile f(texte);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("pas une vidéo") > 0);
    }
    TFicheFilm &fiche = ajouter(u"CLEO"_s, u"Cléo"_s);
    TFicheFilm &autre = ajouter(u"AUTRE"_s, u"Autre"_s);
    fiche.setCodec(u"MPEG2"_s);
    fiche.setDuree(u"-"_s);
    autre.setCodec(u"MPEG2"_s);
    montrer(u"Cléo"_s);
    auto *bouton = fp().findChild<QPushButton *>(u"btEditionFichier"_s);
    QSignalSpy lus(&edition(), &OngletEdition::faitsFichierLus);

    dialogues.fichiers.append({video});
    bouton->click();
    ASSERT_TRUE(lus.wait(10'000));
    EXPECT_EQ(cheminFichierEnAttente(), video + u"\nConteneur : Matroska\nVidéo : H.264 320×240\n"
                                                u"Durée : 1 s\nAudio : AAC 5.1 fr, AAC 2.0 en\n"
                                                u"Sous-titres : fr"_s);
    EXPECT_EQ(fiche.codec(), u"MPEG2"_s) << "nothing is written before the validation";
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.cheminFichier(), video);
    EXPECT_EQ(fiche.codec(), u"H.264 320×240, AAC 5.1 fr, AAC 2.0 en"_s);
    EXPECT_EQ(fiche.duree(), u"-"_s) << "a second rounds to no minute";

    // A file MediaInfo cannot read: the hint says why, the codec stays.
    montrer(u"Autre"_s);
    lus.clear();
    dialogues.fichiers.append({texte});
    bouton->click();
    ASSERT_TRUE(lus.wait(10'000));
    EXPECT_EQ(cheminFichierEnAttente(), texte + u"\nMediaInfo ne reconnaît pas ce fichier."_s);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(autre.cheminFichier(), texte);
    EXPECT_EQ(autre.codec(), u"MPEG2"_s);

    // Validated before the reading came back: the facts are read then.
    dialogues.fichiers.append({video});
    bouton->click();
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(autre.codec(), u"H.264 320×240, AAC 5.1 fr, AAC 2.0 en"_s);

    // Filled again from the card, the editor shows the facts without writing anything.
    autre.setCodec(u"XviD"_s);
    montrer(u"Autre"_s);
    lus.clear();
    ASSERT_TRUE(lus.wait(10'000));
    EXPECT_TRUE(cheminFichierEnAttente().startsWith(video + u"\nConteneur : Matroska"_s));
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(autre.codec(), u"XviD"_s);
}

TEST_F(EditionTest, AnUnreadablePictureIsReportedAndChangesNothing)
{
    ajouter(u"ID"_s, u"T"_s);
    montrer(u"T"_s);
    const QImage avant = edition().imgEdition().picture().toImage();
    QTemporaryDir ailleurs;
    for (const QString &nom : {u"abime.jpg"_s, u"dessin.wmf"_s, u"absent.bmp"_s}) {
        if (nom != u"absent.bmp") {
            QFile f(ailleurs.filePath(nom));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("pas une image");
        }
        dialogues.fichiers.append({ailleurs.filePath(nom)});
        QTest::mouseClick(&edition().imgEdition(), Qt::LeftButton);
    }
    EXPECT_EQ(dialogues.erreurs().size(), 3);
    EXPECT_EQ(cheminImageEnAttente(), u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    EXPECT_EQ(edition().imgEdition().picture().toImage(), avant);
}

TEST_F(EditionTest, RepeatedValidationsKeepTheJpegCoverByteIdentical)
{
    const QByteArray jpeg = image("JPEG", Qt::red);
    TFicheFilm &fiche = ajouterAvecCouverture(u"ID"_s, jpeg);
    montrer(u"ID"_s);
    for (int i = 0; i < 10; ++i)
        declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ID.jpg"_s), jpeg);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\ID.jpg"_s);
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
}

TEST_F(EditionTest, TheCoverTakesTheIdentifierAndThePickedExtension)
{
    const QByteArray jpeg = image("JPEG", Qt::red);
    const QByteArray bmp = image("BMP", Qt::blue);
    QTemporaryDir ailleurs;
    const QString choisie = ailleurs.filePath(u"affiche.bmp"_s);
    const QString sansExtension = ailleurs.filePath(u"affiche"_s);
    for (const QString &nom : {choisie, sansExtension}) {
        QFile f(nom);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(nom == choisie ? bmp : jpeg);
    }

    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    repertoire.ecrire(u"IMAGES_FILMS/ancien nom.jpg"_s, jpeg);
    fiche.setCheminImage(u"IMAGES_FILMS\\ancien nom.jpg"_s);
    montrer(u"T"_s);
    dialogues.fichiers.append({choisie});
    QTest::mouseClick(&edition().imgEdition(), Qt::LeftButton);
    EXPECT_EQ(cheminImageEnAttente(), choisie);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\ID.bmp"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ID.bmp"_s), bmp);
    EXPECT_FALSE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ancien nom.jpg"_s)));
    EXPECT_TRUE(QFile::exists(choisie));

    dialogues.fichiers.append({sansExtension});
    QTest::mouseClick(&edition().imgEdition(), Qt::LeftButton);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\ID"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ID"_s), jpeg);
    EXPECT_FALSE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ID.bmp"_s)));
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
}

TEST_F(EditionTest, ThePlaceholderIsCopiedNeverDeleted)
{
    const QByteArray sansImage = repertoire.lire(u"IMAGES_FILMS/SANSIMAGE.jpg"_s);
    ASSERT_FALSE(sansImage.isEmpty());
    TFicheFilm &fiche = ajouter(u"ID"_s, u"T"_s);
    montrer(u"T"_s);
    declencher(u"validerEditionSupp"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\ID.jpg"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ID.jpg"_s), sansImage);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/SANSIMAGE.jpg"_s), sansImage);
}

TEST_F(EditionTest, WithoutAPictureNothingIsWrittenNorDeleted)
{
    const QByteArray jpeg = image("JPEG", Qt::red);
    repertoire.ecrire(u"IMAGES_FILMS/ancien.jpg"_s, jpeg);
    Edition::enregistrerCouverture(dm(), {}, u"IMAGES_FILMS\\ancien.jpg"_s,
                                   u"IMAGES_FILMS\\ID.jpg"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ancien.jpg"_s), jpeg);
    EXPECT_FALSE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ID.jpg"_s)));

    // A stored path leading out of the program's directory is never deleted.
    QTemporaryDir ailleurs;
    const QString dehors = ailleurs.filePath(u"garde.jpg"_s);
    QFile f(dehors);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(jpeg);
    f.close();
    Edition::enregistrerCouverture(dm(), Edition::lireCouverture(dehors).octets, dehors,
                                   u"IMAGES_FILMS\\ID.jpg"_s);
    EXPECT_TRUE(QFile::exists(dehors));
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ID.jpg"_s), jpeg);
}

struct CasChemin
{
    const char16_t *idFilm;
    const char16_t *source;
    const char16_t *attendu;
};

class NouveauCheminTest : public ::testing::TestWithParam<CasChemin>
{
};

TEST_P(NouveauCheminTest, StaysInTheImageFolder)
{
    EXPECT_EQ(Edition::nouveauCheminImage(QString::fromUtf16(GetParam().idFilm),
                                          QString::fromUtf16(GetParam().source)),
              QString::fromUtf16(GetParam().attendu));
}

INSTANTIATE_TEST_SUITE_P(
    Chemins, NouveauCheminTest,
    ::testing::Values(CasChemin{u"ID", u"IMAGES_FILMS\\ID.jpg", u"IMAGES_FILMS\\ID.jpg"},
                      CasChemin{u"ID", u"/tmp/a.b/affiche.BMP", u"IMAGES_FILMS\\ID.BMP"},
                      CasChemin{u"ID", u"/tmp/a.b/affiche", u"IMAGES_FILMS\\ID"},
                      CasChemin{u"ID", u"C:\\x.y\\affiche", u"IMAGES_FILMS\\ID"},
                      CasChemin{u"../../A/B\\C", u"x.jpeg", u"IMAGES_FILMS\\.._.._A_B_C.jpeg"},
                      CasChemin{u"L\u0001ETE", u"x.jpg", u"IMAGES_FILMS\\L_ETE.jpg"}));

} // namespace

// The overview window in the whole program, on the offscreen platform.
#include "app/Kinolux.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "tests/views/OuvrirVueEnsemble.h"
#include "views/DialogueModificationSelection.h"
#include "views/FenetreVueEnsemble.h"
#include "views/OngletStatistiques.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class VueEnsembleFenetre : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);

    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    FenetreVueEnsemble &vue() { return ouvrirVueEnsemble(fp()); }
    QTableView &table() { return vue().tableFilms(); }
    void ajouter(const QString &titre, const QStringList &genres = {})
    {
        auto fiche = nouvelleFiche(titre.toUpper(), titre);
        fiche->setGenres(genres);
        dm().ajouterFicheFilm(fiche);
    }
    // The rows whose title is one of these, selected in the table.
    void choisir(const QStringList &titres)
    {
        table().clearSelection();
        for (int ligne = 0; ligne < table().model()->rowCount(); ++ligne) {
            const QModelIndex index = table().model()->index(ligne, ChampsFiche::TitreFrancais);
            if (titres.contains(index.data().toString()))
                table().selectionModel()->select(index, QItemSelectionModel::Select |
                                                            QItemSelectionModel::Rows);
        }
    }
    QString identifiantFiche() { return fp().findChild<QLabel *>(u"lbIDFilm"_s)->text(); }
};

TEST_F(VueEnsembleFenetre, LaFenetreSOuvreParSonActionAvecSesControlesNommes)
{
    QAction *action = fp().action(u"afficherVueEnsemble"_s);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(u"Ctrl+T"_s));
    EXPECT_EQ(fp().findChild<QObject *>(u"listeActions"_s)->findChildren<QAction *>().size(), 28)
        << "the catalogue's own action list is as it was";
    EXPECT_EQ(fp().findChild<QWidget *>(u"boutonVueEnsemble"_s)->toolTip(),
              u"Vue d'ensemble du catalogue"_s);
    FenetreVueEnsemble &fenetre = vue();
    EXPECT_EQ(fenetre.objectName(), u"fenetreVueEnsemble"_s);
    EXPECT_EQ(fenetre.windowTitle(), u"Vue d'ensemble"_s);
    EXPECT_NE(fenetre.findChild<QTabWidget *>(u"pcVueEnsemble"_s), nullptr);
    EXPECT_NE(fenetre.findChild<QTableView *>(u"tableFilms"_s), nullptr);
    EXPECT_EQ(fenetre.lbNombreFilms().text(), u"0 film"_s);

    ajouter(u"Alphaville"_s);
    ajouter(u"Brazil"_s);
    EXPECT_EQ(table().model()->rowCount(), 2) << "a card added shows at once";
    fenetre.editFiltreRapide().setText(u"zz"_s);
    EXPECT_EQ(fenetre.lbNombreFilms().text(), u"Aucun film ne correspond"_s);
    fenetre.editFiltreRapide().setText(u"BRAZ"_s);
    EXPECT_EQ(fenetre.lbNombreFilms().text(), u"1 film sur 2"_s);
}

TEST_F(VueEnsembleFenetre, LaTableEtLaFicheSeSuiventDansLesDeuxSens)
{
    ajouter(u"Alphaville"_s);
    ajouter(u"Brazil"_s);
    ajouter(u"Casque d'or"_s);
    fp().MAJ_ListeFilms();
    choisir({u"Brazil"_s});
    table().setCurrentIndex(table().selectionModel()->selectedRows().first());
    vue().action(u"afficherFicheSelection"_s)->trigger();
    EXPECT_EQ(identifiantFiche(), u"Identifiant : BRAZIL"_s);
    EXPECT_EQ(fp().listeFilms().currentItem()->text(), u"Brazil"_s);

    // A film chosen on the catalogue window is selected in the table.
    fp().afficherFicheDuTitre(u"Casque d'or"_s);
    ASSERT_EQ(vue().selection().size(), 1u);
    EXPECT_EQ(dm().fiche(vue().selection().front())->titreFrancais(), u"Casque d'or"_s);

    // A reload keeps the selection by identifier.
    fp().action(u"sauvegarderBase"_s)->trigger();
    fp().chargerBaseExecute();
    ASSERT_EQ(vue().selection().size(), 1u);
    EXPECT_EQ(dm().fiche(vue().selection().front())->titreFrancais(), u"Casque d'or"_s);
}

TEST_F(VueEnsembleFenetre, UnGenreDonneAPlusieursFichesSeRetrouveDansLArbre)
{
    ajouter(u"Alphaville"_s, {u"Science-fiction"_s});
    ajouter(u"Brazil"_s, {u"Science-fiction"_s, u"Western"_s});
    ajouter(u"Casque d'or"_s, {u"Drame"_s});
    fp().MAJ_ListeFilms();
    choisir({u"Alphaville"_s, u"Brazil"_s, u"Casque d'or"_s});
    vue().action(u"modifierSelection"_s)->trigger();
    DialogueModificationSelection *dialogue = vue().dialogueModification();
    ASSERT_NE(dialogue, nullptr);
    dialogue->cbModifierChamp().setCurrentIndex(
        dialogue->cbModifierChamp().findData(int(ChampsFiche::Genres)));
    EXPECT_EQ(dialogue->cbModifierOperation().currentText(), u"Ajouter l'entrée"_s);
    dialogue->editModifierValeur().setText(u"Western"_s);
    // The preview names the cards that will change, and only those.
    EXPECT_EQ(dialogue->listeModifierApercu().count(), 2);
    EXPECT_EQ(dialogue->lbModifierApercu().text(), u"2 fiche(s) sur 3 changeront :"_s);
    dialogue->accept();

    EXPECT_EQ(dm().fichesFilms()[0]->genres(), QStringList({u"Science-fiction"_s, u"Western"_s}));
    EXPECT_EQ(dm().fichesFilms()[1]->genres(), QStringList({u"Science-fiction"_s, u"Western"_s}));
    fp().findChild<QGroupBox *>(u"rgClassementType"_s)
        ->findChildren<QRadioButton *>()
        .at(1)
        ->click();
    auto *arbre = fp().findChild<QTreeWidget *>(u"arbreClassementFilms"_s);
    const auto western = arbre->findItems(u"Western"_s, Qt::MatchExactly);
    ASSERT_EQ(western.size(), 1);
    EXPECT_EQ(western.first()->childCount(), 3);
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(VueEnsembleFenetre, UneSelectionSeSupprimeApresUneSeuleQuestion)
{
    for (const QString &titre : {u"Alphaville"_s, u"Brazil"_s, u"Casque d'or"_s})
        ajouter(titre);
    fp().MAJ_ListeFilms();
    choisir({u"Alphaville"_s, u"Casque d'or"_s});
    vue().action(u"supprimerSelection"_s)->trigger();
    EXPECT_EQ(dm().fichesFilms().size(), 3u) << "answered No";
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    vue().action(u"supprimerSelection"_s)->trigger();
    ASSERT_EQ(dialogues.appels.size(), 2);
    EXPECT_EQ(dialogues.appels.last().texte,
              u"Etes-vous sûr de vouloir supprimer les 2 films sélectionnés ?"_s);
    ASSERT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(fp().listeFilms().count(), 1);
    EXPECT_EQ(vue().lbNombreFilms().text(), u"1 film sur 1"_s);
}

TEST_F(VueEnsembleFenetre, LesColonnesSontRetenuesEtUnFichierIlliblePasseOutre)
{
    vue().tableFilms().horizontalHeader()->setSectionHidden(ChampsFiche::Genres, true);
    vue().tableFilms().sortByColumn(ChampsFiche::Annee, Qt::DescendingOrder);
    vue().close();
    kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    QHeaderView *entete = vue().tableFilms().horizontalHeader();
    EXPECT_TRUE(entete->isSectionHidden(ChampsFiche::Genres));
    EXPECT_EQ(entete->sortIndicatorSection(), ChampsFiche::Annee);
    EXPECT_EQ(entete->sortIndicatorOrder(), Qt::DescendingOrder);
    vue().close();

    {
        QSettings reglages(repertoire.fichier(u"kinolux.ini"_s), QSettings::IniFormat);
        reglages.setValue(u"vueEnsemble/colonnes"_s, QByteArray("n'importe quoi"));
    }
    kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
    EXPECT_FALSE(vue().tableFilms().horizontalHeader()->isSectionHidden(ChampsFiche::Genres))
        << "unreadable columns give the defaults";
    vue().close();
    QSettings relus(repertoire.fichier(u"kinolux.ini"_s), QSettings::IniFormat);
    EXPECT_NE(relus.value(u"vueEnsemble/colonnes"_s).toByteArray(), QByteArray("n'importe quoi"));
}

} // namespace

TEST_F(VueEnsembleFenetre, LesStatistiquesSuiventLeFiltreEtUneBarreFiltreLaTable)
{
    ajouter(u"Alphaville"_s, {u"Science-fiction"_s});
    ajouter(u"Brazil"_s, {u"Science-fiction"_s, u"Film noir"_s});
    ajouter(u"Casque d'or"_s, {u"Drame"_s});
    OngletStatistiques &statistiques = vue().ongletStatistiques();
    vue().show();
    vue().pcVueEnsemble().setCurrentWidget(&statistiques);
    EXPECT_EQ(statistiques.lbStatistiquesTitre().text(), u"Statistiques sur tout le catalogue"_s);
    EXPECT_EQ(statistiques.resultat().films, 3);

    vue().editFiltreRapide().setText(u"genre:science"_s);
    statistiques.MAJ_Statistiques();
    EXPECT_EQ(statistiques.lbStatistiquesTitre().text(), u"Statistiques sur 2 films"_s);
    EXPECT_EQ(statistiques.resultat().de(Statistiques::Graphique::Genres).front().valeur,
              u"Science-fiction"_s);

    statistiques.choisirBarre(Statistiques::Graphique::Genres, u"Film noir"_s);
    EXPECT_EQ(vue().editFiltreRapide().text(), u"genre:\"Film noir\""_s);
    EXPECT_EQ(vue().pcVueEnsemble().currentIndex(), 0) << "the table is shown";
    EXPECT_EQ(vue().lbNombreFilms().text(), u"1 film sur 3"_s);

    statistiques.exporterGraphique(Statistiques::Graphique::Genres);
    EXPECT_TRUE(QFileInfo(repertoire.fichier(u"exports/genres.png"_s)).size() > 0);
    EXPECT_TRUE(QFile(repertoire.fichier(u"exports/genres.svg"_s)).open(QIODevice::ReadOnly));
    ASSERT_EQ(dialogues.appels.size(), 1);
    EXPECT_EQ(dialogues.appels.first().texte,
              u"Graphique enregistré : exports\\genres.png et exports\\genres.svg"_s);
}

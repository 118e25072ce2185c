// Undo and redo from the windows, the recovery question at start, the import of another
// catalogue and the doubles.
#include "app/Kinolux.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "views/DialogueDoublons.h"
#include "views/FenetreVueEnsemble.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class AnnulationFenetres : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void SetUp() override { demarrer(); }
    void demarrer()
    {
        kinolux.reset();
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        fp().action(u"chargerBase"_s)->trigger();
    }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    QListWidget &liste() { return fp().listeFilms(); }
    QAction &action(const QObject &fenetre, const char *nom)
    {
        auto *a = fenetre.findChild<QAction *>(QString::fromLatin1(nom));
        EXPECT_NE(a, nullptr) << nom;
        return *a;
    }
    void ajouter(const QString &id)
    {
        dm().adopterFiches(uneFiche(ficheAvecCouverture(repertoire, id, id)));
    }
    QStringList lignes()
    {
        QStringList resultat;
        for (int i = 0; i < liste().count(); ++i)
            resultat.append(liste().item(i)->text());
        return resultat;
    }
};

} // namespace

TEST_F(AnnulationFenetres, UneSuppressionSAnnuleEtSeRetablitDepuisLaFenetreDuCatalogue)
{
    ajouter(u"ALIEN"_s);
    ajouter(u"BRAZIL"_s);
    fp().MAJ_ListeFilms();
    QAction &annuler = action(fp(), "annulerModification");
    QAction &retablir = action(fp(), "retablirModification");
    EXPECT_EQ(annuler.shortcut(), QKeySequence::Undo);
    EXPECT_EQ(retablir.shortcut(), QKeySequence(u"Ctrl+Shift+Z"_s));

    liste().setCurrentRow(0);
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    fp().action(u"supprimerFilm"_s)->trigger();
    EXPECT_EQ(lignes(), QStringList{u"BRAZIL"_s});
    EXPECT_FALSE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ALIEN.jpg"_s)));
    ASSERT_TRUE(annuler.isEnabled());
    EXPECT_EQ(annuler.text(), u"Annuler la suppression de « ALIEN »"_s);
    EXPECT_FALSE(retablir.isEnabled());

    annuler.trigger();
    EXPECT_EQ(lignes(), (QStringList{u"ALIEN"_s, u"BRAZIL"_s}));
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ALIEN.jpg"_s), "jpeg de ALIEN");
    EXPECT_EQ(retablir.text(), u"Rétablir la suppression de « ALIEN »"_s);
    retablir.trigger();
    EXPECT_EQ(lignes(), QStringList{u"BRAZIL"_s});
}

TEST_F(AnnulationFenetres, LaVueDEnsembleAnnuleAussiEtLaFenetreDuCatalogueSuit)
{
    ajouter(u"ALIEN"_s);
    ajouter(u"BRAZIL"_s);
    fp().MAJ_ListeFilms();
    fp().action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble *vue = fp().vueEnsemble();
    ASSERT_NE(vue, nullptr);
    auto *menu = vue->findChild<QMenu *>(u"menuCatalogue"_s);
    ASSERT_NE(menu, nullptr);
    QStringList noms;
    for (const QAction *a : menu->actions())
        noms.append(a->objectName());
    EXPECT_TRUE(noms.contains(u"annulerModification"_s));
    EXPECT_TRUE(noms.contains(u"retablirModification"_s));

    dm().modifierFiche(dm().cle(0), [](TFicheFilm &f) { f.setTitreFrancais(u"ZARDOZ"_s); });
    fp().suivreCatalogue();
    EXPECT_EQ(lignes(), (QStringList{u"BRAZIL"_s, u"ZARDOZ"_s}));
    action(*vue, "annulerModification").trigger();
    EXPECT_EQ(lignes(), (QStringList{u"ALIEN"_s, u"BRAZIL"_s}));
}

TEST_F(AnnulationFenetres, AuDemarrageLesModificationsDUnArretSontProposees)
{
    ajouter(u"ALIEN"_s);
    fp().action(u"sauvegarderBase"_s)->trigger();
    ajouter(u"BRAZIL"_s);
    liste().setCurrentRow(0);
    // The program stops without its close question.
    dialogues.appels.clear();
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    demarrer();
    ASSERT_FALSE(dialogues.appels.isEmpty());
    EXPECT_EQ(dialogues.appels.last().texte, u"Récupérer la modification non enregistrée ?"_s);
    EXPECT_EQ(lignes(), (QStringList{u"ALIEN"_s, u"BRAZIL"_s}));

    // Quitting without saving ends the journal: nothing is offered at the next start.
    fp().action(u"detruireObjetsListes"_s)->trigger();
    dialogues.appels.clear();
    demarrer();
    EXPECT_TRUE(dialogues.appels.isEmpty());
    EXPECT_EQ(lignes(), QStringList{u"ALIEN"_s});
}

TEST_F(AnnulationFenetres, UnAutreCatalogueSImporteAvecSesCouverturesEtSAnnuleEnUnPas)
{
    ajouter(u"BRAZIL"_s);
    QDir().mkpath(repertoire.fichier(u"autre/.films_pictures"_s));
    repertoire.ecrire(u"autre/.films_pictures/ete.jpg"_s, "jpeg de l'été");
    repertoire.ecrire(u"autre/films.gcs"_s,
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<collection type=\"GCfilms\">\n"
                      " <item id=\"1\" title=\"L'Été des Lucioles\" date=\"2004\" "
                      "image=\".films_pictures/ete.jpg\"/>\n"
                      " <item id=\"2\" title=\"Brazil\" date=\"1985\"/>\n"
                      " <item id=\"3\" title=\"Zardoz\" date=\"1974\"/>\n"
                      "</collection>\n");
    fp().action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble *vue = fp().vueEnsemble();
    ASSERT_NE(vue, nullptr);
    dialogues.appels.clear();
    dialogues.fichiers.enqueue(repertoire.fichier(u"autre/films.gcs"_s));
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    action(*vue, "importerAutreCatalogue").trigger();

    // The preview said what comes in and what is left out; the cards and the cover are there.
    const auto question = std::find_if(dialogues.appels.begin(), dialogues.appels.end(),
                                       [](const auto &a) { return a.genre == u"question"_s; });
    ASSERT_NE(question, dialogues.appels.end());
    EXPECT_TRUE(question->texte.startsWith(u"2 fiche(s) à ajouter depuis films.gcs"_s))
        << question->texte.toStdString();
    EXPECT_TRUE(question->texte.contains(u"Déjà dans le catalogue, ignoré(s) : BRAZIL."_s));
    EXPECT_EQ(lignes(), (QStringList{u"BRAZIL"_s, u"L'Été des Lucioles"_s, u"Zardoz"_s}));
    const TFicheFilm *ete = fp().ficheDuTitre(u"L'Été des Lucioles"_s);
    ASSERT_NE(ete, nullptr);
    EXPECT_EQ(repertoire.lire(QString(ete->cheminImage()).replace(u'\\', u'/')), "jpeg de l'été");
    const QString couverture = repertoire.fichier(QString(ete->cheminImage()).replace(u'\\', u'/'));

    action(*vue, "annulerModification").trigger();
    EXPECT_EQ(lignes(), QStringList{u"BRAZIL"_s});
    EXPECT_FALSE(QFile::exists(couverture));
}

TEST_F(AnnulationFenetres, LesDoublonsSeFusionnentOuSontMisDeCote)
{
    for (const char *id : {"ALIEN", "ALIEN (1979)", "BRAZIL", "BRAZIL 2"}) {
        ajouter(QString::fromLatin1(id));
        dm().modifierFiche(dm().cle(dm().fichesFilms().size() - 1), [id](TFicheFilm &f) {
            const QString nom = QString::fromLatin1(id);
            f.setTitreFrancais(nom.startsWith(u"ALIEN"_s) ? u"Alien"_s : u"Brazil"_s);
            f.setAnnee(nom == u"ALIEN"_s            ? u"-"_s
                       : nom.startsWith(u"ALIEN"_s) ? u"1979"_s
                                                    : u"1985"_s);
            f.setActeurs({nom});
        });
    }
    dm().pileAnnulation().clear();
    fp().MAJ_ListeFilms();
    fp().action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble *vue = fp().vueEnsemble();
    action(*vue, "chercherDoublons").trigger();
    DialogueDoublons *dialogue = vue->dialogueDoublons();
    ASSERT_NE(dialogue, nullptr);
    ASSERT_EQ(dialogue->groupes().size(), 2u);
    EXPECT_EQ(dialogue->tableDoublons().columnCount(), 2);

    // The year of the second card, everything else from the first; the actors united.
    dialogue->choisir(ChampsFiche::Annee, 1);
    dialogue->boutonFusionner().click();
    EXPECT_EQ(dm().fichesFilms().size(), 3u);
    const TFicheFilm *alien = fp().ficheDuTitre(u"Alien"_s);
    ASSERT_NE(alien, nullptr);
    EXPECT_EQ(alien->idFilm(), u"ALIEN"_s);
    EXPECT_EQ(alien->annee(), u"1979"_s);
    EXPECT_EQ(alien->acteurs(), (QStringList{u"ALIEN"_s, u"ALIEN (1979)"_s}));
    EXPECT_EQ(dialogue->groupes().size(), 1u);

    // Not doubles: remembered, never shown again.
    dialogue->boutonPasDoublons().click();
    EXPECT_TRUE(dialogue->groupes().empty());
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"doublons.ini"_s)));
    dialogues.appels.clear();
    action(*vue, "chercherDoublons").trigger();
    ASSERT_FALSE(dialogues.appels.isEmpty());
    EXPECT_EQ(dialogues.appels.last().texte, u"Aucun doublon trouvé."_s);

    // The merge is one step: undone, both cards are back as they were.
    action(*vue, "annulerModification").trigger();
    EXPECT_EQ(dm().fichesFilms().size(), 4u);
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ALIEN (1979).jpg"_s)));
    EXPECT_EQ(fp().ficheDuTitre(u"Alien"_s)->annee(), u"-"_s);
}

#include "app/Kinolux.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/OuvrirVueEnsemble.h"
#include "views/DialogueSauvegardes.h"
#include "views/FenetreVueEnsemble.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class RestaurerSauvegarde : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void SetUp() override { kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    FenetreVueEnsemble &vue() { return ouvrirVueEnsemble(fp()); }
    void restaurer()
    {
        declencherDansVue(vue(), u"listeActionsCatalogueVueEnsemble"_s, u"restaurerSauvegarde"_s);
    }
    void ajouter(const QString &id)
    {
        auto fiche = ChampsFiche::nouvelleFiche(id, id);
        fiche->setTitreFrancais(id);
        dm().ajouterFicheFilm(fiche);
    }
};

} // namespace

TEST_F(RestaurerSauvegarde, UneVersionGardeeRevientEnMemoireApresAccord)
{
    dm().lireBaseFilms();
    restaurer();
    EXPECT_EQ(dialogues.appels.last().titre, u"Restaurer une sauvegarde"_s);
    EXPECT_EQ(vue().dialogueSauvegardes(), nullptr);

    ajouter(u"UN"_s);
    dm().ecrireBaseFilms();
    ajouter(u"DEUX"_s);
    dm().ecrireBaseFilms();
    ajouter(u"TROIS"_s);
    fp().MAJ_ListeFilms();

    restaurer();
    DialogueSauvegardes *dialogue = vue().dialogueSauvegardes();
    ASSERT_NE(dialogue, nullptr);
    ASSERT_EQ(dialogue->listeSauvegardes().count(), 1) << "the file before the second save";
    EXPECT_TRUE(dialogue->listeSauvegardes().item(0)->text().startsWith(u"baseFilm.bdf.1 — "_s));
    EXPECT_TRUE(dialogue->listeSauvegardes().item(0)->text().endsWith(u" — 1 fiche(s)"_s));
    EXPECT_FALSE(dialogue->boutonRestaurer().isEnabled());
    dialogue->listeSauvegardes().setCurrentRow(0);
    EXPECT_TRUE(dialogue->boutonRestaurer().isEnabled());

    // "Non": the catalogue stays.
    dialogue->accept();
    EXPECT_EQ(dm().fichesFilms().size(), 3u);

    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    dialogue->accept();
    ASSERT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(dm().fichesFilms().front()->idFilm(), u"UN"_s);
    EXPECT_EQ(fp().listeFilms().count(), 1) << "the catalogue window follows";
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
}

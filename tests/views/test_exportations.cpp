// The export and import commands of both windows, in the whole program on the offscreen platform.
#include "app/Kinolux.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/LimiteTailleFichiers.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "tests/views/OuvrirVueEnsemble.h"
#include "views/Exportations.h"
#include "views/FenetreVueEnsemble.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using ChampsFiche::Champ;

namespace {

QByteArray lire(const QString &chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

void ecrire(const QString &chemin, const QByteArray &octets)
{
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
}

struct Programme
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);

    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    void executer(const QString &nom)
    {
        auto *action =
            fp().findChild<QObject *>(u"listeActionsExports"_s)->findChild<QAction *>(nom);
        ASSERT_NE(action, nullptr) << nom.toStdString();
        action->trigger();
    }
    FenetreVueEnsemble &vue() { return ouvrirVueEnsemble(fp()); }
};

class ExportationsProgramme : public ::testing::Test
{
protected:
    Programme programme;
    QString sortie(const QString &nom) const { return programme.repertoire.fichier(nom); }

    void SetUp() override
    {
        auto amelie = nouvelleFiche(u"AMELIE"_s, u"Le Fabuleux Destin d'Amélie Poulain"_s);
        amelie->setAnnee(u"2001"_s);
        amelie->setRealisateurs({u"Jean-Pierre Jeunet"_s});
        amelie->setGenres({u"Comédie"_s, u"Romance"_s});
        amelie->setResume(u"Une serveuse, à Montmartre,\n\"change\" la vie des autres."_s);
        amelie->setNiveauPreference(9);
        auto brazil = nouvelleFiche(u"BRAZIL"_s, u"Brazil"_s);
        brazil->setActeurs({u"Jonathan Pryce"_s, u"Robert De Niro"_s});
        auto pont = nouvelleFiche(u"PONT (LE)"_s, u"Le Pont"_s);
        pont->setCommentaire(u"=1+1"_s);
        for (auto *fiche : {&amelie, &brazil, &pont})
            programme.dm().ajouterFicheFilm(*fiche);
    }
};

} // namespace

TEST_F(ExportationsProgramme, LaFenetreDuCatalogueGagneUnBoutonSansRienDeplacer)
{
    auto *bouton = programme.fp().findChild<QWidget *>(u"boutonExporter"_s);
    auto *vueEnsemble = programme.fp().findChild<QWidget *>(u"boutonVueEnsemble"_s);
    ASSERT_NE(bouton, nullptr);
    programme.fp().resize(900, 600);
    programme.fp().show();
    EXPECT_EQ(bouton->geometry().right() + 5, vueEnsemble->geometry().left());
    EXPECT_EQ(bouton->y(), vueEnsemble->y());
    EXPECT_EQ(
        programme.fp().findChild<QObject *>(u"listeActions"_s)->findChildren<QAction *>().size(),
        28)
        << "the catalogue's own action list is as it was";
    QStringList noms;
    for (const QAction *action :
         programme.fp().findChild<QObject *>(u"listeActionsExports"_s)->findChildren<QAction *>())
        noms.append(action->objectName());
    EXPECT_EQ(noms, (QStringList{u"exporterCsv"_s, u"importerCsv"_s, u"importerAutreCatalogue"_s,
                                 u"exporterHtml"_s, u"exporterPdfListe"_s, u"exporterPdfFiches"_s,
                                 u"imprimerListe"_s, u"imprimerFiches"_s, u"exporterNfo"_s}));
}

TEST_F(ExportationsProgramme, UnCsvExporteSeReimporteChampPourChampDansUnCatalogueVide)
{
    const QString fichier = sortie(u"films.csv"_s);
    programme.dialogues.fichiers.enqueue(fichier);
    programme.executer(u"exporterCsv"_s);
    ASSERT_TRUE(programme.dialogues.erreurs().isEmpty())
        << programme.dialogues.erreurs().join(u'\n').toStdString();
    EXPECT_EQ(programme.dialogues.appels.back().texte, u"3 films exportés dans %1."_s.arg(fichier));
    EXPECT_TRUE(lire(fichier).startsWith("\xEF\xBB\xBFIdentifiant,Titre Français,"));

    Programme vide;
    vide.dialogues.fichiers.enqueue(fichier);
    vide.dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    vide.executer(u"importerCsv"_s);
    ASSERT_TRUE(vide.dialogues.erreurs().isEmpty());
    const QString question = vide.dialogues.appels.back().texte;
    EXPECT_TRUE(question.startsWith(u"3 fiche(s) à ajouter depuis films.csv :\n"
                                    "• Brazil\n"
                                    "• Le Fabuleux Destin d'Amélie Poulain (2001)\n"
                                    "• Le Pont\n"_s))
        << question.toStdString() << " (by title, as in the film list)";
    ASSERT_EQ(vide.dm().fichesFilms().size(), 3u);
    for (const auto &origine : programme.dm().fichesFilms()) {
        const TFicheFilm *copie = nullptr;
        for (const auto &fiche : vide.dm().fichesFilms())
            if (fiche->idFilm() == origine->idFilm())
                copie = fiche.get();
        ASSERT_NE(copie, nullptr) << origine->idFilm().toStdString();
        for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
            EXPECT_EQ(ChampsFiche::enTexte(*copie, Champ(c)),
                      ChampsFiche::enTexte(*origine, Champ(c)))
                << ChampsFiche::libelle(Champ(c)).toStdString();
    }

    // Once more: every identifier is there already, nothing is asked nor added.
    vide.dialogues.fichiers.enqueue(fichier);
    vide.executer(u"importerCsv"_s);
    EXPECT_EQ(vide.dialogues.appels.back().texte,
              u"Aucune fiche à ajouter depuis films.csv.\n"
              "3 identifiant(s) déjà dans le catalogue, ignoré(s)."_s);
    EXPECT_EQ(vide.dm().fichesFilms().size(), 3u);
}

TEST_F(ExportationsProgramme, UnCsvFautifOuRefuseNeChangeRienAuCatalogue)
{
    const QString fichier = sortie(u"tableur.csv"_s);
    ecrire(fichier, "Titre Français;Année\nAlien;1979\n\"Heat;1995\n");
    programme.dialogues.fichiers.enqueue(fichier);
    programme.executer(u"importerCsv"_s);
    EXPECT_EQ(programme.dialogues.erreurs(),
              QStringList{u"tableur.csv, ligne 3 : un guillemet ouvert n'est jamais fermé."_s});
    EXPECT_EQ(programme.dm().fichesFilms().size(), 3u);

    ecrire(fichier, "Titre Français;Année\nAlien;1979\nHeat;1995\n");
    programme.dialogues.fichiers.enqueue(fichier);
    programme.dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    programme.executer(u"importerCsv"_s);
    EXPECT_EQ(programme.dialogues.nombre(u"question"_s), 1);
    EXPECT_EQ(programme.dm().fichesFilms().size(), 3u) << "refused: nothing added";

    programme.dialogues.fichiers.enqueue(sortie(u"absent.csv"_s));
    programme.executer(u"importerCsv"_s);
    EXPECT_TRUE(programme.dialogues.erreurs().back().startsWith(
        u"Impossible de lire le fichier %1 : "_s.arg(sortie(u"absent.csv"_s))));
}

TEST_F(ExportationsProgramme, UnDisquePleinLaisseLAncienFichierEtLeDit)
{
    for (const QString &nom : {u"exporterCsv"_s, u"exporterPdfListe"_s}) {
        const QString fichier = sortie(nom == u"exporterCsv"_s ? u"films.csv"_s : u"films.pdf"_s);
        ecrire(fichier, "ancien");
        programme.dialogues.fichiers.enqueue(fichier);
        {
            LimiteTailleFichiers limite(100);
            programme.executer(nom);
        }
        ASSERT_FALSE(programme.dialogues.erreurs().isEmpty())
            << nom.toStdString() << programme.dialogues.appels.back().texte.toStdString()
            << lire(fichier).size();
        EXPECT_TRUE(programme.dialogues.erreurs().back().startsWith(
            u"Impossible d'écrire le fichier %1 : "_s.arg(fichier)))
            << programme.dialogues.erreurs().back().toStdString();
        EXPECT_EQ(lire(fichier), "ancien");
        EXPECT_EQ(
            QDir(programme.repertoire.chemin())
                .entryList({QFileInfo(fichier).fileName() + u"*"_s}, QDir::Files | QDir::Hidden)
                .size(),
            1)
            << "no half-written file beside it";
    }
}

TEST_F(ExportationsProgramme, LaVueDEnsembleExporteSaSelectionAvecSesColonnes)
{
    FenetreVueEnsemble &vue = programme.vue();
    QTableView &table = vue.tableFilms();
    QHeaderView *entete = table.horizontalHeader();
    entete->setSectionHidden(ChampsFiche::Genres, true);
    entete->moveSection(entete->visualIndex(ChampsFiche::Annee), 0);
    table.clearSelection();
    for (int ligne = 0; ligne < table.model()->rowCount(); ++ligne) {
        const QModelIndex index = table.model()->index(ligne, ChampsFiche::TitreFrancais);
        if (index.data().toString() != u"Brazil"_s)
            table.selectionModel()->select(index,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QMenu *menu = vue.boutonExporter().menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QAction *selection = vue.action(u"exporterSelection"_s);
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isChecked()) << "several rows selected: the selection by default";
    EXPECT_EQ(selection->text(), u"La sélection (2 films)"_s);

    const QString fichier = sortie(u"selection.csv"_s);
    programme.dialogues.fichiers.enqueue(fichier);
    vue.action(u"exporterCsv"_s)->trigger();
    ASSERT_TRUE(programme.dialogues.erreurs().isEmpty());
    const QList<QByteArray> lignes = lire(fichier).split('\n');
    ASSERT_EQ(lignes.size(), 4) << "heading, two films, the last line end";
    EXPECT_EQ(lignes[0], "\xEF\xBB\xBF"
                         "Année,Titre Français,Réalisateur(s),Durée,Préférence,Nom du support,"
                         "Type du support\r");
    EXPECT_EQ(lignes[1], "2001,Le Fabuleux Destin d'Amélie Poulain,Jean-Pierre Jeunet,-,9,-,-\r");
    EXPECT_EQ(lignes[2], "-,Le Pont,,-,5,-,-\r");

    table.clearSelection();
    emit menu->aboutToShow();
    EXPECT_TRUE(vue.action(u"exporterTout"_s)->isChecked());
    EXPECT_FALSE(selection->isEnabled());
    programme.dialogues.fichiers.enqueue(fichier);
    vue.action(u"exporterCsv"_s)->trigger();
    EXPECT_EQ(lire(fichier).count('\n'), 4);
}

TEST_F(ExportationsProgramme, LeCatalogueHtmlNeRemplaceQuUnDossierQuIlAEcrit)
{
    const QString dossier = sortie(u"mes-films"_s);
    ASSERT_TRUE(QDir().mkpath(dossier));
    ecrire(dossier + u"/précieux.txt"_s, "à garder");
    programme.dialogues.fichiers.enqueue(dossier);
    programme.executer(u"exporterHtml"_s);
    EXPECT_EQ(programme.dialogues.erreurs(),
              QStringList{
                  u"%1 existe déjà et n'est pas un catalogue HTML : choisissez un autre nom."_s.arg(
                      dossier)});
    EXPECT_EQ(lire(dossier + u"/précieux.txt"_s), "à garder");

    const QString html = sortie(u"catalogue-html"_s);
    for (int fois = 0; fois < 2; ++fois) {
        programme.dialogues.fichiers.enqueue(html);
        programme.executer(u"exporterHtml"_s);
        EXPECT_EQ(programme.dialogues.erreurs().size(), 1)
            << "the second export replaces the first";
        EXPECT_TRUE(QFileInfo::exists(html + u"/index.html"_s));
    }
}

TEST_F(ExportationsProgramme, LesPdfEtLesNfoSontEcritsEtLeBilanDit)
{
    const QString pdf = sortie(u"liste"_s);
    programme.dialogues.fichiers.enqueue(pdf);
    programme.executer(u"exporterPdfListe"_s);
    ASSERT_TRUE(programme.dialogues.erreurs().isEmpty());
    EXPECT_TRUE(lire(pdf + u".pdf"_s).startsWith("%PDF-")) << "the extension is added";

    const QString films = sortie(u"Films"_s);
    ASSERT_TRUE(QDir().mkpath(films));
    const CleFiche brazil = programme.dm().cle(1);
    programme.dm().modifierFiche(
        brazil, [&films](TFicheFilm &fiche) { fiche.setCheminFichier(films + u"/Brazil.mkv"_s); });
    programme.executer(u"exporterNfo"_s);
    EXPECT_EQ(programme.dialogues.appels.back().texte,
              u"1 fichier(s) .nfo écrit(s), 2 film(s) omis :\n"
              "• Le Fabuleux Destin d'Amélie Poulain : aucun fichier vidéo\n"
              "• Le Pont : aucun fichier vidéo"_s);
    EXPECT_TRUE(lire(films + u"/Brazil.nfo"_s).contains("<title>Brazil</title>"));

    // Once more: asked whether to replace; "Non" keeps the file.
    ecrire(films + u"/Brazil.nfo"_s, "le mien");
    programme.dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    programme.executer(u"exporterNfo"_s);
    EXPECT_EQ(programme.dialogues.appels[programme.dialogues.appels.size() - 2].texte,
              u"1 fichier(s) .nfo existe(nt) déjà à côté des vidéos. Les remplacer ?"_s);
    EXPECT_EQ(lire(films + u"/Brazil.nfo"_s), "le mien");
    EXPECT_TRUE(programme.dialogues.appels.back().texte.startsWith(
        u"0 fichier(s) .nfo écrit(s), 3 film(s) omis :\n• Brazil : "_s));
}

#include "app/Kinolux.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TImage.h"
#include "chrome/TformMessageFlash.h"
#include "import/Jpeg.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/ServeurDeTest.h"
#include "views/OngletImports.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using Hote = ServeurCouvertures::Hote;

namespace {

const QString connexion = u"Problème de connexion à Internet. Vérifiez la connectivité."_s;

class ImportFiche : public ::testing::Test
{
protected:
    ServeurDeTest site;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;

    void SetUp() override
    {
        site.ecrireIni(repertoire.chemin());
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        dm().connexion().definirDelais(1000, 1000);
    }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    QListWidget &titres() { return fp().ongletImports().listeMovieCovers(); }

    // Lists the index titles holding the fragment, picks the one given and imports it.
    void importer(const QString &titre)
    {
        fp().ongletImports().editGestionTitreFilm().setText(titre);
        fp().ongletImports().tempoGestionRafraichTimer();
        const auto trouves = titres().findItems(titre, Qt::MatchExactly);
        ASSERT_FALSE(trouves.isEmpty()) << titre.toStdString();
        titres().setCurrentItem(trouves.first());
        site.serveur().effacerRequetes();
        fp().action(u"ajouterFilm"_s)->trigger();
    }
    QList<QByteArray> chemins()
    {
        QList<QByteArray> resultat;
        for (const auto &requete : site.serveur().requetes())
            resultat.append(QByteArray::number(requete.hote) + ' ' + requete.methode + ' ' +
                            requete.chemin);
        return resultat;
    }
    const TFicheFilm *fiche(const QString &id)
    {
        for (const auto &f : dm().fichesFilms())
            if (f->idFilm() == id)
                return f.get();
        return nullptr;
    }
    void regle(Hote hote, const QByteArray &chemin, const QByteArray &corps, int statut = 0)
    {
        ServeurCouvertures::Regle r;
        r.hote = hote;
        r.chemin = chemin;
        r.corps = corps;
        r.statut = statut;
        site.serveur().ajouterRegle(r);
    }
};

TEST_F(ImportFiche, AnIndexTitleBecomesACardWithItsCover)
{
    importer(u"PONT (LE)"_s);
    EXPECT_TRUE(dialogues.appels.isEmpty());
    EXPECT_EQ(chemins(),
              QList<QByteArray>({"0 POST /getfilm.html", "0 GET /getjpg.html/LE%20PONT.jpg",
                                 "1 GET /DATA/zipcache/LE%20PONT.jpg"}));
    EXPECT_EQ(site.serveur().requetes().first().corps, QByteArray("idmc=LE%20PONT"));

    const TFicheFilm *pont = fiche(u"PONT (LE)"_s);
    ASSERT_NE(pont, nullptr);
    EXPECT_EQ(pont->titreFrancais(), u"Le Pont"_s);
    EXPECT_EQ(pont->realisateurs(), QStringList({u"Bernhard Wicki"_s}));
    EXPECT_EQ(pont->annee(), u"1959"_s);
    EXPECT_EQ(pont->nationnalites(), QStringList({u"Allemagne"_s}));
    EXPECT_EQ(pont->genres(), QStringList({u"Drame"_s, u" Guerre"_s}));
    EXPECT_EQ(pont->duree(), u"1h43"_s);
    EXPECT_EQ(pont->acteurs().size(), 4);
    EXPECT_EQ(pont->titreOriginal(), u"Die Brücke"_s);
    EXPECT_EQ(pont->motsCles(), QStringList({u"guerre"_s, u"adolescence"_s, u"absurdité"_s}));
    EXPECT_EQ(pont->niveauPreference(), 5);
    EXPECT_EQ(pont->nomSupport(), u"DVD LE PONT"_s);
    EXPECT_EQ(pont->typeSupport(), u"DVD-VIDEO"_s);
    EXPECT_EQ(pont->cheminFichier(), u"-"_s);
    EXPECT_EQ(pont->codec(), u"MPEG2"_s);
    EXPECT_EQ(pont->commentaire(), u"-"_s);
    EXPECT_EQ(pont->cheminImage(), u"IMAGES_FILMS\\PONT (LE).jpg"_s);
    EXPECT_TRUE(Jpeg::enTeteLisible(repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s)));

    EXPECT_EQ(kinolux->formMessageFlash().texte(), u"Film PONT (LE) ajoutée."_s);
    ASSERT_EQ(fp().listeFilms().currentRow(), 0);
    EXPECT_EQ(fp().listeFilms().currentItem()->text(), u"Le Pont"_s);
    EXPECT_EQ(fp().findChild<QLabel *>(u"lbIDFilm"_s)->text(), u"Identifiant : PONT (LE)"_s);
    EXPECT_FALSE(fp().ongletImports().barreProgGestion().isVisible());
    EXPECT_EQ(titres().currentItem()->text(), u"PONT (LE)"_s) << "the choice stays";
}

TEST_F(ImportFiche, ATitleAlreadyInTheCatalogueIsNotFetchedAgain)
{
    importer(u"PONT (LE)"_s);
    const QByteArray couverture = repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s);
    kinolux->formMessageFlash().definirTexte(QString());

    importer(u"PONT (LE)"_s);
    EXPECT_TRUE(site.serveur().requetes().isEmpty());
    EXPECT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s), couverture);
    EXPECT_EQ(kinolux->formMessageFlash().texte(), QString()) << "no confirmation the second time";
}

TEST_F(ImportFiche, TheFallbackPosterSiteIsAskedWhenTheCoverSiteHasNothing)
{
    importer(u"ÉTÉ MEURTRIER (L')"_s);
    EXPECT_EQ(chemins(), QList<QByteArray>({"0 POST /getfilm.html",
                                            "0 GET /getjpg.html/L'\xC9T\xC9%20MEURTRIER.jpg",
                                            "2 GET /affiches/l'\xC9t\xC9_meurtrier.jpg"}))
        << "the data host is not asked";
    EXPECT_TRUE(dialogues.appels.isEmpty());
    EXPECT_TRUE(Jpeg::enTeteLisible(repertoire.lire(u"IMAGES_FILMS/ÉTÉ MEURTRIER (L').jpg"_s)));
}

TEST_F(ImportFiche, NoCoverAnywhereGivesACopyOfThePlaceholder)
{
    importer(u"JEUX INTERDITS"_s);
    ASSERT_EQ(dialogues.appels.size(), 1);
    EXPECT_EQ(dialogues.appels.first().genre, u"message"_s);
    EXPECT_EQ(dialogues.appels.first().titre, u"Kinolux"_s);
    EXPECT_EQ(dialogues.appels.first().texte, u"Image indisponible !"_s);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/JEUX INTERDITS.jpg"_s),
              repertoire.lire(u"IMAGES_FILMS/SANSIMAGE.jpg"_s));
    EXPECT_NE(fiche(u"JEUX INTERDITS"_s), nullptr);
}

TEST_F(ImportFiche, TheCardPageIsReadByLinePosition)
{
    regle(Hote::Principal, "/getfilm.html",
          "Titre\r\nA/B/\r\n\r\nFrance\r\nDrame, Com\xE9"
          "die\r\n90 min\r\nX;Y\r\nR\xE9sum\xE9\r\n"
          "Distrib\r\nOriginal\r\nguerre  espion;amour\r\nligne 12\r\nligne 13\r\n");
    importer(u"PONT (LE)"_s);
    const TFicheFilm *pont = fiche(u"PONT (LE)"_s);
    ASSERT_NE(pont, nullptr);
    EXPECT_EQ(pont->titreFrancais(), u"Titre"_s);
    EXPECT_EQ(pont->realisateurs(), QStringList({u"A"_s, u"B"_s, QString()}));
    EXPECT_EQ(pont->annee(), u"-"_s);
    EXPECT_EQ(pont->genres(), QStringList({u"Drame"_s, u" Comédie"_s}));
    EXPECT_EQ(pont->resume(), u"Résumé"_s);
    EXPECT_EQ(pont->motsCles(), QStringList({u"guerre"_s, QString(), u"espion"_s, u"amour"_s}));
}

TEST_F(ImportFiche, AHostilePageIsStoredAsTextAndTheCatalogueStillSavesAndReads)
{
    // Control characters, a summary line of 10 MB and an empty last line.
    const QByteArray resume(10 * 1024 * 1024, 'r');
    regle(Hote::Principal, "/getfilm.html",
          "Ti\x01tre\x1b[31m\r\nA\r\n1959\r\nF\r\nG\r\n9\r\nX\r\n" + resume +
              "\r\nD\r\nO\x7f\r\n\r\n");
    importer(u"PONT (LE)"_s);
    const TFicheFilm *pont = fiche(u"PONT (LE)"_s);
    ASSERT_NE(pont, nullptr);
    EXPECT_EQ(pont->titreFrancais(), u"Ti\x01tre\x1b[31m"_s);
    EXPECT_EQ(pont->resume().size(), resume.size());
    EXPECT_EQ(pont->motsCles(), QStringList({u"-"_s})) << "an empty line 11";

    dm().ecrireBaseFilms();
    dm().lireBaseFilms();
    ASSERT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(dm().fichesFilms().front()->titreFrancais(), u"Titre[31m"_s)
        << "what XML cannot carry is left out, the rest reads back";
    EXPECT_EQ(dm().fichesFilms().front()->resume().size(), resume.size());
}

TEST_F(ImportFiche, FailuresAreReportedAndLeaveTheCatalogueAndTheCoversAlone)
{
    importer(u"PONT (LE)"_s);
    const QByteArray couverture = repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s);
    const QByteArray dixLignes = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n";
    const struct
    {
        const char *cas;
        std::function<void()> preparer;
    } pannes[] = {
        {"ten lines",
         [&] {
             regle(Hote::Principal, "/getfilm.html", dixLignes);
         }},
        {"an error page with status 200",
         [&] {
             regle(Hote::Principal, "/getfilm.html", "<html><body>Erreur</body></html>");
         }},
        {"status 500",
         [&] {
             regle(Hote::Principal, "/getfilm.html", {}, 500);
         }},
        {"a redirect loop",
         [&] {
             ServeurCouvertures::Regle boucle;
             boucle.chemin = "/getfilm.html";
             boucle.redirections = 100;
             site.serveur().ajouterRegle(boucle);
         }},
        {"a stalled host",
         [&] {
             ServeurCouvertures::Regle muet;
             muet.chemin = "/getfilm.html";
             muet.attenteMs = -1;
             site.serveur().ajouterRegle(muet);
         }},
        {"a cover that is an HTML page",
         [&] {
             regle(Hote::Donnees, "/DATA/zipcache/", "<html><body>Introuvable</body></html>");
         }},
    };
    for (const auto &panne : pannes) {
        site.serveur().effacerRegles();
        panne.preparer();
        dialogues.appels.clear();
        importer(u"ENFANTS DU PARADIS (LES)"_s);
        EXPECT_EQ(dialogues.erreurs(), QStringList({connexion})) << panne.cas;
        EXPECT_EQ(dm().fichesFilms().size(), 1u) << panne.cas;
        EXPECT_FALSE(
            QFile::exists(repertoire.fichier(u"IMAGES_FILMS/ENFANTS DU PARADIS (LES).jpg"_s)))
            << panne.cas;
        EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s), couverture) << panne.cas;
        EXPECT_FALSE(fp().ongletImports().barreProgGestion().isVisible()) << panne.cas;
    }
}

TEST_F(ImportFiche, AnEmptyCoverBodyIsWrittenAsAnEmptyFile)
{
    regle(Hote::Donnees, "/DATA/zipcache/", QByteArray(""));
    importer(u"PONT (LE)"_s);
    ASSERT_NE(fiche(u"PONT (LE)"_s), nullptr);
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/PONT (LE).jpg"_s)));
    EXPECT_TRUE(repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s).isEmpty());
}

TEST_F(ImportFiche, NothingHappensWithoutAChosenTitle)
{
    fp().action(u"ajouterFilm"_s)->trigger();
    EXPECT_TRUE(site.serveur().requetes().isEmpty());
    EXPECT_FALSE(fp().ongletImports().barreProgGestion().isVisible());
}

TEST_F(ImportFiche, TheSheetFetchesAMissingCoverAndShowsItAtOnce)
{
    importer(u"PONT (LE)"_s);
    importer(u"ATALANTE (L')"_s); // its sheet, with its own cover, is shown now
    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"IMAGES_FILMS/PONT (LE).jpg"_s)));
    site.serveur().effacerRequetes();
    fp().selectionnerTitre(u"Le Pont"_s);
    fp().action(u"chargerFicheFilm"_s)->trigger();
    EXPECT_EQ(site.serveur().requetes().size(), 2);
    const QImage telechargee(repertoire.fichier(u"IMAGES_FILMS/PONT (LE).jpg"_s));
    ASSERT_FALSE(telechargee.isNull());
    const QImage montree = fp().findChild<TImage *>(u"imageFilm"_s)->picture().toImage();
    ASSERT_FALSE(montree.isNull());
    const QColor attendu =
        telechargee.pixelColor(telechargee.width() / 2, telechargee.height() / 8);
    const QColor vu = montree.pixelColor(montree.width() / 2, montree.height() / 8);
    EXPECT_LT(std::abs(attendu.red() - vu.red()) + std::abs(attendu.green() - vu.green()), 40)
        << "the downloaded cover, not the picture shown before";
}

TEST_F(ImportFiche, TheReloadPutsTheCoverBackUnderTheCardsName)
{
    importer(u"PONT (LE)"_s);
    auto &pont = *dm().fichesFilms().front();
    pont.setCheminImage(u"IMAGES_FILMS\\PONT (LE).bmp"_s);
    repertoire.ecrire(u"IMAGES_FILMS/PONT (LE).bmp"_s, "BM");
    fp().listeFilms().setCurrentRow(0);
    fp().action(u"rechargerEditionImageSites"_s)->trigger();
    EXPECT_EQ(pont.cheminImage(), u"IMAGES_FILMS\\PONT (LE).jpg"_s);
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/PONT (LE).bmp"_s)));
}

TEST_F(ImportFiche, AnIdentifierNeverNamesAFileOutsideTheCoverFolder)
{
    TFicheFilm intrus(u"../../../tmp/ECHAPPE"_s, u"x"_s, {}, {}, {}, {}, {}, {}, {}, {}, {}, {});
    dm().telechargerImage(intrus);
    EXPECT_EQ(intrus.cheminImage(), u"IMAGES_FILMS\\.._.._.._tmp_ECHAPPE.jpg"_s);
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/.._.._.._tmp_ECHAPPE.jpg"_s)));
    EXPECT_FALSE(QFile::exists(u"/tmp/ECHAPPE.jpg"_s));
}

} // namespace

// The three operations that talk to the cover site, each against every misbehaviour of the
// stand-in: each ends with its usual message within the time-outs, holds no more than the body
// cap in memory, and leaves the catalogue, the title index and the covers on disk as they were.
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "import/Jpeg.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/ServeurDeTest.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using Hote = ServeurCouvertures::Hote;
using Regle = ServeurCouvertures::Regle;

namespace {

constexpr qint64 k_gigaOctet = 1LL << 30;
// Far below the gigabyte bodies, far above the 64 MiB body cap and what the address sanitizer
// keeps of the memory freed meanwhile.
constexpr qint64 k_memoireMax = 700LL << 20;
// The silence allowed in these tests (30 s in the program), and the longest a case may take.
constexpr int k_silenceMs = 1000;
constexpr qint64 k_dureeMaxMs = 15'000;

qint64 crete()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// Bytes that are no text: NUL bytes and line ends among them, so that they make enough lines.
QByteArray binaire()
{
    std::mt19937 hasard(7);
    QByteArray octets(64 * 1024, Qt::Uninitialized);
    for (char &c : octets)
        c = char(hasard());
    return octets;
}

// A misbehaviour, set on a rule that already names its host and path.
struct Panne
{
    const char *nom;
    std::function<void(Regle &)> regler;
};

// What the transport can do wrong, whatever the request.
const QList<Panne> &pannesDeTransport()
{
    static const QList<Panne> pannes = {
        {"boucle de redirections",
         [](Regle &r) {
             r.redirections = 1000;
         }},
        {"1 Gio annoncé",
         [](Regle &r) {
             r.tailleCorps = k_gigaOctet;
         }},
        {"1 Gio sans longueur",
         [](Regle &r) {
             r.tailleCorps = k_gigaOctet;
             r.sansLongueur = true;
         }},
        {"1 Gio en fragments",
         [](Regle &r) {
             r.tailleCorps = k_gigaOctet;
             r.fragmente = true;
         }},
        {"longueur mensongère",
         [](Regle &r) {
             r.longueurAnnoncee = 10'000'000;
         }},
        {"serveur muet",
         [](Regle &r) {
             r.attenteMs = -1;
         }},
        {"silence au milieu du corps",
         [](Regle &r) {
             r.tailleCorps = 10'000'000;
             r.silenceApres = 100'000;
         }},
        {"fragments malformés",
         [](Regle &r) {
             r.fragmentsMalformes = true;
         }},
        {"coupure après l'en-tête",
         [](Regle &r) {
             r.couperApresEntete = true;
         }},
    };
    return pannes;
}

// Answers of 200 whose body is no picture, for a cover.
QList<Panne> pasDesImages()
{
    const QByteArray octets = binaire();
    return {{"page HTML en guise de couverture",
             [](Regle &r) {
                 r.statut = 200;
                 r.typeContenu = "text/html";
                 r.corps = "<html><body><h1>Couverture introuvable</h1></body></html>";
             }},
            {"couverture binaire", [octets](Regle &r) {
                 r.statut = 200;
                 r.corps = octets;
             }}};
}

class SiteHostile : public ::testing::Test
{
protected:
    ServeurDeTest site;
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Tdm_Kinolux> dm;
    qint64 memoireAuDepart = 0;
    int casEssayes = 0;

    void SetUp() override
    {
        site.ecrireIni(repertoire.chemin());
        dm = std::make_unique<Tdm_Kinolux>(repertoire.chemin(), &dialogues);
        dm->connexion().definirDelais(k_silenceMs, k_silenceMs);
        // A fresh index, a card with its cover, the catalogue saved: what must stay as it is.
        ASSERT_TRUE(dm->telechargerListeTitres());
        std::unique_ptr<TFicheFilm> pont = dm->importerFiche(u"PONT (LE)"_s);
        ASSERT_TRUE(pont);
        ASSERT_TRUE(dm->ajouterFicheFilm(pont));
        dm->ecrireBaseFilms();
        ASSERT_TRUE(dialogues.appels.isEmpty());
        ASSERT_TRUE(Jpeg::enTeteLisible(repertoire.lire(u"IMAGES_FILMS/PONT (LE).jpg"_s)));
        memoireAuDepart = crete();
    }

    void TearDown() override { RecordProperty("cas", casEssayes); }

    // The bytes of every file of the program's directory, by name.
    std::map<QString, QByteArray> fichiers() const
    {
        std::map<QString, QByteArray> contenu;
        QDirIterator it(repertoire.chemin(), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString chemin = it.next();
            contenu[chemin.mid(repertoire.chemin().size())] =
                repertoire.lire(chemin.mid(repertoire.chemin().size() + 1));
        }
        return contenu;
    }

    // Sets the misbehaviour on each (host, path) given; the stand-in answers the rest normally.
    void casser(const Panne &panne, const QList<std::pair<Hote, QByteArray>> &cibles)
    {
        site.serveur().effacerRegles();
        for (const auto &[hote, chemin] : cibles) {
            Regle regle;
            regle.hote = hote;
            regle.chemin = chemin;
            panne.regler(regle);
            site.serveur().ajouterRegle(regle);
        }
        dialogues.appels.clear();
    }

    // Runs one case and checks what every case must leave.
    void essayer(const Panne &panne, const std::function<void()> &operation)
    {
        SCOPED_TRACE(panne.nom);
        ++casEssayes;
        const std::map<QString, QByteArray> avant = fichiers();
        const QStringList titres = dm->listeTitres();
        QElapsedTimer chrono;
        chrono.start();
        operation();
        EXPECT_LT(chrono.elapsed(), k_dureeMaxMs);
        EXPECT_LT(crete() - memoireAuDepart, k_memoireMax)
            << "peak memory grew by " << (crete() - memoireAuDepart) / (1 << 20) << " MiB";
        const std::map<QString, QByteArray> apres = fichiers();
        for (const auto &[nom, octets] : apres) {
            const auto ancien = avant.find(nom);
            EXPECT_TRUE(ancien != avant.end() && ancien->second == octets)
                << nom.toStdString() << (ancien == avant.end() ? " appeared" : " changed");
        }
        EXPECT_EQ(apres.size(), avant.size()) << "a file of the program's directory went away";
        EXPECT_EQ(dm->listeTitres(), titres);
        EXPECT_EQ(dm->fichesFilms().size(), 1u);
    }

    // The text of the Erreur the cover download throws; empty when it throws none.
    QString telecharger(TFicheFilm &fiche)
    {
        try {
            dm->telechargerImage(fiche);
        } catch (const Erreur &erreur) {
            return erreur.texte();
        }
        return {};
    }

    // The site behaves again: each test then checks that its operation works, nothing stuck.
    void retablir()
    {
        site.serveur().effacerRegles();
        dialogues.appels.clear();
    }
};

TEST_F(SiteHostile, LaMiseAJourDeLIndexEchoueProprement)
{
    for (const Panne &panne : pannesDeTransport()) {
        casser(panne, {{Hote::Principal, "/DATA/movies.txt"}});
        essayer(panne, [&] {
            EXPECT_FALSE(dm->telechargerListeTitres()) << panne.nom;
            EXPECT_EQ(dialogues.erreurs(), QStringList({Tdm_Kinolux::messageConnexion}))
                << panne.nom;
        });
    }
    retablir();
    EXPECT_TRUE(dm->telechargerListeTitres());
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

TEST_F(SiteHostile, LImportDUneFicheEchoueProprement)
{
    QList<Panne> pannes = pannesDeTransport();
    const QByteArray octets = binaire();
    ASSERT_TRUE(octets.contains('\0'));
    ASSERT_GE(octets.count('\n'), 11);
    pannes.append({"page binaire", [octets](Regle &r) {
                       r.statut = 200;
                       r.corps = octets;
                   }});
    for (const Panne &panne : pannes) {
        casser(panne, {{Hote::Principal, "/getfilm.html"}});
        essayer(panne, [&] {
            EXPECT_EQ(dm->importerFiche(u"ENFANTS DU PARADIS (LES)"_s), nullptr);
            EXPECT_EQ(dialogues.erreurs(), QStringList({Tdm_Kinolux::messageConnexion}));
        });
    }

    // A sound page, but what comes as its cover is no picture.
    for (const Panne &panne : pasDesImages()) {
        casser(panne, {{Hote::Donnees, "/DATA/zipcache/"}, {Hote::Affiches, "/affiches/"}});
        essayer(panne, [&] {
            EXPECT_EQ(dm->importerFiche(u"ARMÉE DES OMBRES (L')"_s), nullptr);
            EXPECT_EQ(dialogues.erreurs(), QStringList({Tdm_Kinolux::messageConnexion}));
        });
    }
    retablir();
    EXPECT_NE(dm->importerFiche(u"ENFANTS DU PARADIS (LES)"_s), nullptr);
    EXPECT_TRUE(dialogues.erreurs().isEmpty());
}

TEST_F(SiteHostile, LeTelechargementDUneCouvertureGardeCelleQuiEstLa)
{
    TFicheFilm &pont = *dm->fichesFilms().front();
    const QString cheminImage = pont.cheminImage();
    const QList<std::pair<Hote, QByteArray>> couvertures = {{Hote::Principal, "/getjpg.html/"},
                                                            {Hote::Donnees, "/DATA/zipcache/"},
                                                            {Hote::Affiches, "/affiches/"}};

    // No site gives a cover: the user is told, and the cover already there stays.
    for (const Panne &panne : pannesDeTransport()) {
        casser(panne, couvertures);
        essayer(panne, [&] {
            EXPECT_EQ(telecharger(pont), QString()) << panne.nom;
            EXPECT_EQ(dialogues.nombre(u"message"_s), 1);
            EXPECT_EQ(dialogues.appels.value(0).texte, u"Image indisponible !"_s);
            EXPECT_EQ(pont.cheminImage(), cheminImage);
        });
    }

    // A site gives something that is no picture: the download fails, the card is unchanged.
    for (const Panne &panne : pasDesImages()) {
        casser(panne, couvertures);
        pont.setCheminImage(u"IMAGES_FILMS\\PONT (LE).bmp"_s);
        essayer(panne, [&] {
            EXPECT_EQ(telecharger(pont),
                      u"La couverture reçue pour « PONT (LE) » n'est pas une image JPEG."_s);
            EXPECT_EQ(pont.cheminImage(), u"IMAGES_FILMS\\PONT (LE).bmp"_s);
        });
        pont.setCheminImage(cheminImage);
    }
    retablir();
    EXPECT_EQ(telecharger(pont), QString());
    EXPECT_TRUE(dialogues.appels.isEmpty());
}

} // namespace

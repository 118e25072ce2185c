// A save killed at any moment leaves the catalogue as it was before or as it is after, never
// in between.
#include "tests/catalogue/OutilsCatalogue.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 5000;

// `nombre` cards of a few hundred bytes each, `version` in their titles, summaries and comments.
Catalogue catalogue(int nombre, const QString &version)
{
    const QString resume = u"Un homme revient dans son village après la guerre (%1) et découvre "
                           "que sa maison a été vendue ; il cherche l'acheteur."_s.arg(version);
    Catalogue fiches;
    fiches.reserve(size_t(nombre));
    for (int i = 0; i < nombre; ++i) {
        const QString id = u"FILM %1"_s.arg(i);
        auto fiche = std::make_unique<TFicheFilm>(
            id, u"Le Film %1 %2"_s.arg(i).arg(version), u"1975"_s, u"1 h 45"_s, resume,
            u"Gaumont"_s, u"-"_s, QStringList{u"Jean Réalisateur"_s},
            QStringList{u"France"_s, u"Italie"_s}, QStringList{u"Drame"_s, u"Guerre"_s},
            QStringList{u"Acteur Un"_s, u"Actrice Deux"_s, version}, QStringList{u"guerre"_s});
        fiche->setNiveauPreference(i % 11);
        fiche->setNomSupport(u"DVD "_s + id);
        fiche->setTypeSupport(u"DVD-VIDEO"_s);
        fiche->setCheminFichier(u"-"_s);
        fiche->setCheminImage(u"IMAGES_FILMS\\"_s + id + u".jpg"_s);
        fiche->setCodec(u"MPEG2"_s);
        fiche->setCommentaire(version);
        fiches.push_back(std::move(fiche));
    }
    return fiches;
}

QStringList fichiers(const RepertoireTest &repertoire)
{
    return QDir(repertoire.chemin()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(CatalogueEnregistrementTue, ApresChaqueSIGKILLLeCatalogueEstLAncienOuLeNouveau)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    dm.lireBaseFilms();
    Catalogue autre = catalogue(k_fiches, u"nouvelle"_s);
    dm.echangerFiches(catalogue(k_fiches, u"ancienne"_s));

    // The two files a save may leave, and how long one save takes. Both load.
    std::vector<qint64> durees;
    QByteArray octets[2];
    for (int i = 0; i < 4; ++i) {
        autre = dm.echangerFiches(std::move(autre));
        QElapsedTimer chrono;
        chrono.start();
        dm.ecrireBaseFilms();
        durees.push_back(chrono.nsecsElapsed() / 1000);
        octets[i % 2] = programme.base();
    }
    // The file holds the old catalogue now, and the data module the old cards.
    const QByteArray &ancien = octets[1];
    const QByteArray &nouveau = octets[0];
    ASSERT_NE(ancien, nouveau);
    for (const QByteArray &contenu : {ancien, nouveau}) {
        Programme relu;
        EXPECT_EQ(relu.lire(contenu).size(), size_t(k_fiches));
    }
    std::sort(durees.begin(), durees.end());
    const qint64 duree = durees[durees.size() / 2];
    RecordProperty("microsecondes_par_enregistrement", int(duree));
    RecordProperty("octets", int(nouveau.size()));
    const QStringList attendus = fichiers(programme.repertoire);

    // Each child saves the two catalogues in turn until killed, and says when it begins each save
    // (the change before it goes to the journal first, which takes its own time); the kills are
    // spread over the first three saves and what follows each.
    constexpr int k_coups = 100;
    std::mt19937 hasard(20240611);
    int anciens = 0, nouveaux = 0, temporaires = 0;
    for (int coup = 0; coup < k_coups; ++coup) {
        const int sauvegarde = 1 + coup % 3;
        const auto attente = std::chrono::microseconds(
            qint64((coup + std::uniform_real_distribution<double>(0, 1)(hasard)) * 1.5 *
                   double(duree) / k_coups));
        int tube[2];
        ASSERT_EQ(pipe(tube), 0);
        const pid_t enfant = fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            close(tube[0]);
            for (int n = 0; n < 1000; ++n) {
                autre = dm.echangerFiches(std::move(autre));
                if (write(tube[1], "p", 1) != 1)
                    _exit(4);
                try {
                    dm.ecrireBaseFilms();
                } catch (...) {
                    _exit(2);
                }
            }
            _exit(3);
        }
        close(tube[1]);
        char pret = 0;
        for (int n = 0; n < sauvegarde; ++n)
            ASSERT_EQ(read(tube[0], &pret, 1), 1);
        std::this_thread::sleep_for(attente);
        ASSERT_EQ(kill(enfant, SIGKILL), 0);
        int statut = 0;
        ASSERT_EQ(waitpid(enfant, &statut, 0), enfant);
        close(tube[0]);
        ASSERT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGKILL)
            << "coup " << coup << ": the child ended by itself (" << statut << ")";

        const QByteArray base = programme.base();
        ASSERT_TRUE(base == ancien || base == nouveau)
            << "coup " << coup << " after " << attente.count() << " µs: " << base.size()
            << " bytes, neither catalogue";
        (base == ancien ? anciens : nouveaux) += 1;
        // Either file is known to load; a fresh data module reads it now and then all the same.
        if (coup % 10 == 0) {
            Tdm_Kinolux relecteur(programme.repertoire.chemin());
            const QString erreur = texteErreur([&] { relecteur.lireBaseFilms(); });
            ASSERT_TRUE(erreur.isEmpty()) << "coup " << coup << ": " << erreur.toStdString();
            ASSERT_EQ(relecteur.fichesFilms().size(), size_t(k_fiches));
            EXPECT_EQ(relecteur.fichesFilms().back()->commentaire(),
                      base == ancien ? u"ancienne"_s : u"nouvelle"_s);
        }

        // A temporary file of the killed save may stay beside the catalogue, under a name of its
        // own: never the catalogue's, never one of a kept copy. Each child finds the file
        // another process (the child before it) wrote since its parent saved: it keeps that
        // version under a dated name first, and the kept versions rotate.
        for (const QString &nom : fichiers(programme.repertoire)) {
            if (attendus.contains(nom))
                continue;
            // The journal of the child's unsaved change.
            if (nom.startsWith(u"baseFilm.journal"_s)) {
                QFile::remove(programme.repertoire.fichier(nom));
                continue;
            }
            if (QRegularExpression(u"^baseFilm\\.bdf\\.(\\d{8}-\\d{6}(-\\d+)?\\.bak|[1-5])$"_s)
                    .match(nom)
                    .hasMatch()) {
                QFile::remove(programme.repertoire.fichier(nom));
                continue;
            }
            EXPECT_TRUE(nom.startsWith(u"baseFilm.bdf."_s)) << nom.toStdString();
            EXPECT_FALSE(nom.endsWith(u".bak"_s)) << nom.toStdString();
            ++temporaires;
            QFile::remove(programme.repertoire.fichier(nom));
        }
    }
    RecordProperty("anciens", anciens);
    RecordProperty("nouveaux", nouveaux);
    RecordProperty("temporaires_laisses", temporaires);
    EXPECT_EQ(anciens + nouveaux, k_coups);
    // The kills hit both sides of the renaming.
    EXPECT_GT(anciens, 0);
    EXPECT_GT(nouveaux, 0);

    // The program goes on saving over whatever the kills left; a version the last child wrote
    // whole is kept aside first.
    dm.ecrireBaseFilms();
    dm.lireBaseFilms();
    EXPECT_EQ(dm.fichesFilms().size(), size_t(k_fiches));
    QStringList restants = fichiers(programme.repertoire);
    const QStringList datees = restants.filter(QRegularExpression(u"\\.bak$"_s));
    EXPECT_LE(datees.size(), 1) << datees.join(u' ').toStdString();
    const QRegularExpression copies(u"^baseFilm\\.bdf\\.([1-5]|.*\\.bak)$"_s);
    QStringList autres = attendus;
    autres.removeIf([&](const QString &nom) { return copies.match(nom).hasMatch(); });
    EXPECT_TRUE(restants.contains(u"baseFilm.bdf.1"_s));
    restants.removeIf([&](const QString &nom) { return copies.match(nom).hasMatch(); });
    EXPECT_EQ(restants, autres);
}

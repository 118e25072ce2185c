// A session killed at any moment: the next start gets back exactly the commands whose records
// reached the journal, and saving then gives the catalogue the killed run had in memory.
#include "catalogue/Tdm_Kinolux.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/DialoguesScriptes.h"

#include <QDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_commandes = 200;
constexpr int k_fiches = 30;

using Etat = std::vector<TFicheFilm>;

Etat etat(const Tdm_Kinolux &dm)
{
    Etat e;
    for (const auto &fiche : dm.fichesFilms())
        e.push_back(*fiche);
    return e;
}

// Command `n` of the session; the same seed on the same catalogue gives the same commands.
void commande(Tdm_Kinolux &dm, std::mt19937 &hasard, int n)
{
    const auto taille = dm.fichesFilms().size();
    const auto une = [&] {
        return dm.cle(hasard() % taille);
    };
    const int genre = int(hasard() % 9);
    if (n % 50 == 49) {
        dm.ecrireBaseFilms();
    } else if (genre == 0 || taille < 3) {
        auto fiche = ficheSimple(u"NOUVEAU %1"_s.arg(n));
        commeRelue(*fiche);
        dm.ajouterFicheFilm(fiche);
    } else if (genre <= 3) {
        dm.modifierFiche(une(), [&](TFicheFilm &f) {
            f.setTitreFrancais(u"Titre %1 é"_s.arg(n));
            f.genres().append(u"Genre %1"_s.arg(n % 7));
        });
    } else if (genre == 4) {
        dm.supprimerFiches({une()});
    } else if (genre == 5) {
        Tdm_Kinolux::Etape etape(dm);
        for (int i = 0; i < 3; ++i)
            dm.modifierFiche(une(), [&](TFicheFilm &f) { f.setNiveauPreference(n % 11); });
        dm.supprimerFiches({une()});
    } else if (genre == 6 && dm.pileAnnulation().canUndo()) {
        dm.pileAnnulation().undo();
    } else if (genre == 7 && dm.pileAnnulation().canRedo()) {
        dm.pileAnnulation().redo();
    } else {
        dm.modifierFiche(une(), [&](TFicheFilm &f) { f.setAnnee(QString::number(1900 + n)); });
    }
}

QByteArray catalogueDeDepart()
{
    QByteArray fiches;
    for (int i = 0; i < k_fiches; ++i)
        fiches += "<ficheFilm><idFilm>FILM " + QByteArray::number(i) +
                  "</idFilm><titreFrancais>Film " + QByteArray::number(i) +
                  "</titreFrancais></ficheFilm>";
    return baseAvec(fiches);
}

// The folder as it was before the session: the catalogue alone.
void remettre(const RepertoireTest &repertoire)
{
    QDir dossier(repertoire.chemin());
    for (const QString &nom : dossier.entryList({u"baseFilm.*"_s}, QDir::Files | QDir::Hidden))
        dossier.remove(nom);
    repertoire.ecrire(u"baseFilm.bdf"_s, catalogueDeDepart());
}

} // namespace

TEST(JournalTue, ApresChaqueSIGKILLLaReprisRendLesCommandesJournalisees)
{
    // The catalogue after each command, made by the same session run to its end.
    std::vector<Etat> etats;
    {
        RepertoireTest repertoire;
        remettre(repertoire);
        Tdm_Kinolux dm(repertoire.chemin());
        dm.lireBaseFilms();
        dm.recupererJournal();
        etats.push_back(etat(dm));
        std::mt19937 hasard(1789);
        for (int n = 0; n < k_commandes; ++n) {
            commande(dm, hasard, n);
            etats.push_back(etat(dm));
        }
    }

    RepertoireTest repertoire;
    constexpr int k_coups = 100;
    std::mt19937 hasardCoups(20261209);
    int avantLaFin = 0, auMilieu = 0, recuperees = 0;
    for (int coup = 0; coup < k_coups; ++coup) {
        remettre(repertoire);
        auto dm = std::make_unique<Tdm_Kinolux>(repertoire.chemin());
        dm->lireBaseFilms();
        dm->recupererJournal();
        // The kill comes after a number of commands drawn at random, at a random moment of the
        // next one (a command takes a few milliseconds, most of them waiting for the disk).
        const int cible = int(hasardCoups() % (k_commandes + 1));
        const auto attente =
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 4000)(hasardCoups));

        int tube[2];
        ASSERT_EQ(pipe(tube), 0);
        const pid_t enfant = fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            close(tube[0]);
            std::mt19937 hasard(1789);
            for (int n = 0; n < k_commandes; ++n) {
                try {
                    commande(*dm, hasard, n);
                } catch (...) {
                    _exit(2);
                }
                // Told once the command's record is on the disk.
                const int faites = n + 1;
                if (write(tube[1], &faites, sizeof faites) != sizeof faites)
                    _exit(4);
            }
            _exit(3);
        }
        close(tube[1]);
        int faites = 0, lu = 0;
        while (faites < cible && read(tube[0], &lu, sizeof lu) == sizeof lu)
            faites = lu;
        std::this_thread::sleep_for(attente);
        kill(enfant, SIGKILL);
        int statut = 0;
        ASSERT_EQ(waitpid(enfant, &statut, 0), enfant);
        ASSERT_TRUE(WIFSIGNALED(statut) || (WIFEXITED(statut) && WEXITSTATUS(statut) == 3))
            << "coup " << coup << ": " << statut;
        while (read(tube[0], &lu, sizeof lu) == sizeof lu)
            faites = lu;
        close(tube[0]);
        dm.reset();

        // The next start takes the journal back.
        DialoguesScriptes dialogues;
        dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
        {
            Tdm_Kinolux reprise(repertoire.chemin(), &dialogues);
            reprise.lireBaseFilms();
            recuperees += reprise.recupererJournal() > 0;
            const Etat repris = etat(reprise);
            // The command running at the kill may have reached the disk before it was told.
            const bool commeDit = repris == etats[size_t(faites)];
            const bool unDePlus = faites < k_commandes && repris == etats[size_t(faites) + 1];
            ASSERT_TRUE(commeDit || unDePlus) << "coup " << coup << ": " << faites
                                              << " commands told, " << repris.size() << " cards";
            reprise.ecrireBaseFilms();
        }
        Tdm_Kinolux relu(repertoire.chemin(), &dialogues);
        relu.lireBaseFilms();
        EXPECT_EQ(relu.recupererJournal(), 0);
        ASSERT_TRUE(etat(relu) == etats[size_t(faites)] ||
                    (faites < k_commandes && etat(relu) == etats[size_t(faites) + 1]))
            << "coup " << coup;
        avantLaFin += faites < k_commandes;
        auMilieu += faites > 10 && faites < k_commandes - 10;
    }
    RecordProperty("tues_avant_la_fin", avantLaFin);
    RecordProperty("tues_au_milieu", auMilieu);
    RecordProperty("reprises", recuperees);
    // The kills hit the session all along.
    EXPECT_GT(auMilieu, k_coups / 3);
    EXPECT_GT(recuperees, k_coups / 3);
}

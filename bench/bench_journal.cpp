// The safety nets at 35,000 cards: one change written to the journal and flushed to the disk,
// the recovery of 1,000 journal records, one step undone.
#include "bench/DialoguesMuets.h"
#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;
constexpr int k_enregistrements = 1000;

const QTemporaryDir &repertoire()
{
    return GenerateurCatalogue::dossierAvecBase(QStringLiteral(KINOLUX_MODELE), k_fiches);
}

// A data module on the catalogue, the film list's order made as the views make it.
std::unique_ptr<Tdm_Kinolux> demarrer(Dialogues *dialogues = nullptr)
{
    auto dm = std::make_unique<Tdm_Kinolux>(repertoire().path(), dialogues);
    dm->lireBaseFilms();
    dm->recupererJournal();
    dm->modele().lignesParTitre();
    return dm;
}

// One validation of the editor: the card changed, its record appended and flushed (fdatasync),
// the model told.
void EnregistrementJournal(benchmark::State &etat)
{
    const auto dm = demarrer();
    int n = 0;
    for (auto _ : etat) {
        dm->modifierFiche(dm->cle(size_t(n * 7919) % k_fiches),
                          [n](TFicheFilm &f) { f.setAnnee(QString::number(1900 + n % 100)); });
        ++n;
    }
    dm->detruireFichesFilms();
}

// A run stopped after 1,000 commands; the next one reads the catalogue (not timed) and takes the
// journal back.
void RecuperationJournal(benchmark::State &etat)
{
    const QString journal = repertoire().filePath(u"baseFilm.journal"_s);
    const QString garde = repertoire().filePath(u"journal.garde"_s);
    {
        const auto dm = demarrer();
        for (int n = 0; n < k_enregistrements; ++n) {
            if (n % 10 == 9) {
                dm->supprimerFiches({dm->cle(size_t(n * 31) % dm->fichesFilms().size())});
                continue;
            }
            dm->modifierFiche(dm->cle(size_t(n * 7919) % k_fiches), [n](TFicheFilm &f) {
                f.setTitreFrancais(u"Titre repris %1"_s.arg(n));
                f.genres().append(u"Repris"_s);
            });
        }
        QFile::remove(garde);
        QFile::copy(journal, garde);
    }
    DialoguesMuets oui;
    oui.reponse = Dialogues::Reponse::Oui;
    int rejoues = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        auto dm = std::make_unique<Tdm_Kinolux>(repertoire().path(), &oui);
        dm->lireBaseFilms();
        QFile::remove(journal);
        QFile::copy(garde, journal);
        etat.ResumeTiming();
        rejoues = dm->recupererJournal();
        etat.PauseTiming();
        dm->detruireFichesFilms();
        dm.reset();
        etat.ResumeTiming();
    }
    etat.counters["commandes"] = rejoues;
    QFile::remove(garde);
}

// Undoing the editor's validation of one card, and a deletion (the card back at its place).
void AnnulerModification(benchmark::State &etat)
{
    const auto dm = demarrer();
    int n = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        dm->modifierFiche(dm->cle(size_t(n++ * 7919) % k_fiches),
                          [](TFicheFilm &f) { f.setTitreFrancais(u"Un autre titre"_s); });
        etat.ResumeTiming();
        dm->pileAnnulation().undo();
    }
    dm->detruireFichesFilms();
}

void AnnulerSuppression(benchmark::State &etat)
{
    const auto dm = demarrer();
    int n = 0;
    for (auto _ : etat) {
        etat.PauseTiming();
        dm->supprimerFiches({dm->cle(size_t(n++ * 7919) % k_fiches)});
        etat.ResumeTiming();
        dm->pileAnnulation().undo();
    }
    dm->detruireFichesFilms();
}

BENCHMARK(EnregistrementJournal)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(RecuperationJournal)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(5);
BENCHMARK(AnnulerModification)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(AnnulerSuppression)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    return lancerBenchmarks<QCoreApplication>(argc, argv, "bench_journal");
}

// The overview window at collection scale, on the offscreen platform: the table after a new
// catalogue, its sorts, a keystroke of the quick filter and a multi-edit of 1,000 cards.
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/ModificationGroupee.h"
#include "catalogue/Statistiques.h"
#include "catalogue/Tdm_Kinolux.h"
#include "views/FenetreVueEnsemble.h"
#include "views/OngletStatistiques.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

struct Programme : ProgrammeCharge
{
    Programme()
        : ProgrammeCharge(k_fiches)
    {
        fp().action(u"afficherVueEnsemble"_s)->trigger();
        vue().resize(1000, 700);
        vue().tableFilms().viewport()->repaint();
    }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    FenetreVueEnsemble &vue() { return *fp().vueEnsemble(); }
};

Programme &programme()
{
    return *programmeBench<Programme>();
}

// A new catalogue of the same cards: the model and the table start again, and the first screen
// is painted.
void TableApresChargement(benchmark::State &etat)
{
    Programme &p = programme();
    for (auto _ : etat) {
        p.dm().adopterFiches({});
        p.vue().tableFilms().viewport()->repaint();
    }
    etat.counters["fiches"] = double(p.vue().modele().rowCount());
}

// A sort by one column after a sort by another: every card's key is made again.
void Trier(benchmark::State &etat)
{
    Programme &p = programme();
    QTableView &table = p.vue().tableFilms();
    const int colonne = int(etat.range(0));
    const int autre = colonne == ChampsFiche::Annee ? ChampsFiche::Duree : ChampsFiche::Annee;
    for (auto _ : etat) {
        etat.PauseTiming();
        table.sortByColumn(autre, Qt::AscendingOrder);
        etat.ResumeTiming();
        table.sortByColumn(colonne, Qt::AscendingOrder);
        table.viewport()->repaint();
    }
    table.sortByColumn(ChampsFiche::TitreFrancais, Qt::AscendingOrder);
}

// One keystroke on a filter of two words, typed on and taken back.
void FiltreDeuxMots(benchmark::State &etat)
{
    Programme &p = programme();
    QLineEdit &filtre = p.vue().editFiltreRapide();
    filtre.setText(u"foret hive"_s);
    int tour = 0;
    for (auto _ : etat) {
        filtre.setText(tour++ % 2 ? u"foret hive"_s : u"foret hiver"_s);
        p.vue().tableFilms().viewport()->repaint();
    }
    etat.counters["lignes"] = double(p.vue().modele().rowCount());
    filtre.clear();
}

// A genre given to 1,000 cards, the catalogue window's views following.
void ModifierMilleFiches(benchmark::State &etat)
{
    Programme &p = programme();
    std::vector<CleFiche> cles;
    for (size_t i = 0; i < 1000; ++i)
        cles.push_back(p.dm().cle(i * 30));
    static int tour = 0;
    for (auto _ : etat) {
        const ModificationGroupee::Modification genre{ChampsFiche::Genres,
                                                      ModificationGroupee::Operation::AjouterEntree,
                                                      u"Genre %1"_s.arg(tour++)};
        const auto bilan = ModificationGroupee::appliquer(p.dm(), cles, genre);
        p.fp().suivreCatalogue();
        p.vue().tableFilms().viewport()->repaint();
        if (bilan.modifiees != 1000)
            etat.SkipWithError("not every card changed");
    }
}

// Every chart's counts and the totals over the whole catalogue.
void StatistiquesCalculees(benchmark::State &etat)
{
    Programme &p = programme();
    for (auto _ : etat) {
        const auto resultat =
            Statistiques::calculer(Statistiques::fichesMontrees(p.vue().modele()));
        benchmark::DoNotOptimize(resultat.films);
    }
}

// The tab shown after a click on it: counted, charted and painted.
void StatistiquesAffichees(benchmark::State &etat)
{
    Programme &p = programme();
    QTabWidget &onglets = p.vue().pcVueEnsemble();
    OngletStatistiques &statistiques = p.vue().ongletStatistiques();
    p.vue().show();
    for (auto _ : etat) {
        etat.PauseTiming();
        onglets.setCurrentIndex(0);
        // A change while hidden: the tab has its charts to make again.
        p.vue().editFiltreRapide().setText(u"x"_s);
        p.vue().editFiltreRapide().clear();
        etat.ResumeTiming();
        onglets.setCurrentWidget(&statistiques);
        statistiques.repaint();
    }
}

// The charts made again after the quick filter changed, the tab shown.
void StatistiquesApresFiltre(benchmark::State &etat)
{
    Programme &p = programme();
    OngletStatistiques &statistiques = p.vue().ongletStatistiques();
    p.vue().show();
    p.vue().pcVueEnsemble().setCurrentWidget(&statistiques);
    int tour = 0;
    for (auto _ : etat) {
        p.vue().editFiltreRapide().setText(tour++ % 2 ? u"foret"_s : QString());
        statistiques.MAJ_Statistiques();
        statistiques.repaint();
    }
    p.vue().editFiltreRapide().clear();
    p.vue().pcVueEnsemble().setCurrentIndex(0);
}

} // namespace

BENCHMARK(StatistiquesCalculees)->Apply(enMillisecondes);
BENCHMARK(StatistiquesAffichees)->Apply(enMillisecondes);
BENCHMARK(StatistiquesApresFiltre)->Apply(enMillisecondes);
BENCHMARK(TableApresChargement)->Apply(enMillisecondes);
BENCHMARK(Trier)->Arg(ChampsFiche::TitreFrancais)->Arg(ChampsFiche::Annee)->Apply(enMillisecondes);
BENCHMARK(FiltreDeuxMots)->Apply(enMillisecondes);
BENCHMARK(ModifierMilleFiches)->Apply(enMillisecondes);

int main(int argc, char **argv)
{
    return executerBenchs<Programme>(argc, argv, "bench_vue_ensemble");
}

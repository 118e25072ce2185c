// The overview window at collection scale, on the offscreen platform: the table after a new
// catalogue, its sorts, a keystroke of the quick filter and a multi-edit of 1,000 cards.
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/ChampsFiche.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/ModificationGroupee.h"
#include "catalogue/Tdm_Kinolux.h"
#include "views/FenetreVueEnsemble.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QLineEdit>
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

} // namespace

BENCHMARK(TableApresChargement)->Apply(enMillisecondes);
BENCHMARK(Trier)->Arg(ChampsFiche::TitreFrancais)->Arg(ChampsFiche::Annee)->Apply(enMillisecondes);
BENCHMARK(FiltreDeuxMots)->Apply(enMillisecondes);
BENCHMARK(ModifierMilleFiches)->Apply(enMillisecondes);

int main(int argc, char **argv)
{
    return executerBenchs<Programme>(argc, argv, "bench_vue_ensemble");
}

// The catalogue window at collection scale, on the offscreen platform.
#include "app/Kinolux.h"
#include "bench/GenerateurCatalogue.h"
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TTransparentWnd.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

// A program directory: the delivered files, a generated catalogue and one large cover.
struct Programme : ProgrammeCharge
{
    Programme()
        : ProgrammeCharge(k_fiches)
    {

        // The cover of the card benchmarked below: a 1000 x 1400 JPEG, as covers can be.
        const TFicheFilm &fiche = *kinolux->dm_Kinolux().fichesFilms().front();
        QImage couverture(1000, 1400, QImage::Format_RGB32);
        couverture.fill(QColor(90, 60, 40));
        couverture.save(kinolux->dm_Kinolux().chemin(fiche.cheminImage()), "JPG", 90);
    }
};

Programme &programme()
{
    return *programmeBench<Programme>();
}

void ChargerBaseEtVues(benchmark::State &etat)
{
    TKinoluxFPrincipale &fp = programme().fp();
    for (auto _ : etat)
        fp.chargerBaseExecute();
    etat.counters["fiches"] = double(fp.listeFilms().count());
}

void MAJ_ListeFilms(benchmark::State &etat)
{
    TKinoluxFPrincipale &fp = programme().fp();
    for (auto _ : etat)
        fp.MAJ_ListeFilms();
    etat.counters["fiches"] = double(fp.listeFilms().count());
}

// A validation on one card, as far as the views follow it row by row: the card retitled (its
// row of the film list moves, the model tells every view), then a field the film list does not
// show. The tree and the search, which their refresh rebuilds whole, are measured apart.
void ValiderChampUneFiche(benchmark::State &etat)
{
    Tdm_Kinolux &dm = programme().kinolux->dm_Kinolux();
    TKinoluxFPrincipale &fp = programme().fp();
    fp.MAJ_ListeFilms();
    const CleFiche cle = dm.cle(dm.fichesFilms().size() / 2);
    const QString titres[] = {u"Aaa premier titre"_s, u"Zzz dernier titre"_s};
    int tour = 0;
    for (auto _ : etat) {
        const QString &titre = titres[tour++ % 2];
        dm.modifierFiche(cle, [&](TFicheFilm &fiche) { fiche.setTitreFrancais(titre); });
        dm.modifierFiche(cle, [&](TFicheFilm &fiche) { fiche.setDuree(titre); });
    }
    etat.counters["fiches"] = double(fp.listeFilms().count());
}

// Ctrl+Z in the catalogue window after a validation: the card as it was, then the window's
// refresh (the film list kept row by row, the tree and the search rebuilt, the sheet shown).
void AnnulerDansLaFenetre(benchmark::State &etat)
{
    Tdm_Kinolux &dm = programme().kinolux->dm_Kinolux();
    TKinoluxFPrincipale &fp = programme().fp();
    fp.MAJ_ListeFilms();
    const CleFiche cle = dm.cle(dm.fichesFilms().size() / 3);
    for (auto _ : etat) {
        etat.PauseTiming();
        dm.modifierFiche(cle, [](TFicheFilm &fiche) { fiche.setTitreFrancais(u"Aaa annulé"_s); });
        etat.ResumeTiming();
        fp.annulerModificationExecute();
    }
}

void ChargerFicheFilm(benchmark::State &etat)
{
    TKinoluxFPrincipale &fp = programme().fp();
    const TFicheFilm *fiche = programme().kinolux->dm_Kinolux().fichesFilms().front().get();
    const auto lignes = fp.listeFilms().findItems(fiche->titreFrancais(), Qt::MatchExactly);
    fp.listeFilms().setCurrentItem(lignes.first());
    for (auto _ : etat)
        fp.chargerFicheFilmExecute();
}

} // namespace

BENCHMARK(ChargerBaseEtVues)->Apply(enMillisecondes);
BENCHMARK(MAJ_ListeFilms)->Apply(enMillisecondes);
BENCHMARK(ValiderChampUneFiche)->Apply(enMillisecondes);
BENCHMARK(ChargerFicheFilm)->Apply(enMillisecondes);
BENCHMARK(AnnulerDansLaFenetre)->Apply(enMillisecondes);

int main(int argc, char **argv)
{
    return executerBenchs<Programme>(argc, argv, "bench_fenetre");
}

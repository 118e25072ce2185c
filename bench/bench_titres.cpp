// The import tab's filter over a title index of 200,000 lines, beside grep on the same file.
#include "app/Kinolux.h"
#include "bench/GenerateurCatalogue.h"
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TTransparentWnd.h"
#include "import/ListeTitres.h"
#include "views/OngletImports.h"
#include "views/TKinoluxFPrincipale.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_titres = 200000;
const QString k_fragment = u"LES"_s;

struct Programme : ProgrammeBench
{
    Programme()
        : ProgrammeBench(0)
    {
        // The generated index replaces the delivered one before the program reads it.
        kinolux.reset();
        QFile index(dossier.filePath(u"movies.txt"_s));
        if (index.open(QIODevice::WriteOnly))
            index.write(GenerateurCatalogue::listeTitres(k_titres));
        index.close();
        kinolux = std::make_unique<Kinolux>(dossier.path(), dialogues);
    }
    OngletImports &onglet() { return kinolux->KinoluxFPrincipale().ongletImports(); }
};

Programme &programme()
{
    return *programmeBench<Programme>();
}

// arg 0: the empty fragment (every title listed); arg 1: a three-letter fragment.
void FiltreOnglet(benchmark::State &etat)
{
    OngletImports &onglet = programme().onglet();
    onglet.editGestionTitreFilm().setText(etat.range(0) ? k_fragment : QString());
    for (auto _ : etat)
        onglet.tempoGestionRafraichTimer();
    etat.counters["listes"] = double(onglet.listeMovieCovers().count());
}

void FiltrePur(benchmark::State &etat)
{
    const QStringList &titres = programme().kinolux->dm_Kinolux().listeTitres();
    qsizetype retenus = 0;
    for (auto _ : etat)
        retenus = ListeTitres::filtrer(titres, k_fragment).size();
    etat.counters["listes"] = double(retenus);
}

void GrepF(benchmark::State &etat)
{
    const QString grep = QStandardPaths::findExecutable(u"grep"_s);
    const QString fichier = programme().dossier.filePath(u"movies.txt"_s);
    for (auto _ : etat) {
        QProcess processus;
        processus.start(grep, {u"-c"_s, u"-F"_s, k_fragment, fichier});
        processus.waitForFinished();
        benchmark::DoNotOptimize(processus.readAllStandardOutput());
    }
}

} // namespace

BENCHMARK(FiltreOnglet)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK(FiltrePur)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(GrepF)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

int main(int argc, char **argv)
{
    // FiltrePur: the substring walk over the index in memory; GrepF: grep -c -F on the file.
    return executerBenchs<Programme>(argc, argv, "bench_titres",
                                     {{"FiltrePur", "GrepF"}, {"FiltreOnglet/1", "GrepF"}});
}

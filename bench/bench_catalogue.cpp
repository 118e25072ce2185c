#include "bench/GenerateurCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "import/ListeTitres.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 20000;
constexpr int k_titres = 200000;

// A program directory holding the template and a generated catalogue, made once.
const QTemporaryDir &repertoire()
{
    static const QTemporaryDir dossier = [] {
        QTemporaryDir d;
        QFile::copy(QStringLiteral(KINOLUX_MODELE), d.filePath(u"baseFilmModele.bdf"_s));
        GenerateurCatalogue::ecrireBase(d.path(), k_fiches);
        return d;
    }();
    return dossier;
}

void LireEcrireBaseFilms(benchmark::State &etat)
{
    Tdm_Kinolux dm(repertoire().path());
    const qint64 taille = QFileInfo(dm.chemin(u"baseFilm.bdf"_s)).size();
    for (auto _ : etat) {
        dm.lireBaseFilms();
        dm.ecrireBaseFilms();
    }
    etat.SetBytesProcessed(etat.iterations() * taille);
    etat.counters["fiches"] = double(dm.fichesFilms().size());
    etat.counters["Mo"] = double(taille) / 1e6;
}

void Xmllint(benchmark::State &etat)
{
    const QString xmllint = QStandardPaths::findExecutable(u"xmllint"_s);
    if (xmllint.isEmpty()) {
        etat.SkipWithError("xmllint not found (Debian package libxml2-utils)");
        return;
    }
    const QString base = repertoire().filePath(u"baseFilm.bdf"_s);
    const QString sortie = repertoire().filePath(u"xmllint.bdf"_s);
    for (auto _ : etat) {
        if (QProcess::execute(xmllint, {u"--output"_s, sortie, base}) != 0) {
            etat.SkipWithError("xmllint failed");
            break;
        }
    }
    etat.SetBytesProcessed(etat.iterations() * QFileInfo(base).size());
}

void DecouperListeTitres(benchmark::State &etat)
{
    const QByteArray octets = GenerateurCatalogue::listeTitres(k_titres);
    qsizetype lignes = 0;
    for (auto _ : etat)
        lignes = ListeTitres::decouperLignes(octets).size();
    etat.counters["lignes"] = double(lignes);
}

BENCHMARK(LireEcrireBaseFilms)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(Xmllint)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(DecouperListeTitres)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// Keeps the median real time of every benchmark for the summary.
class Rapporteur final : public benchmark::ConsoleReporter
{
public:
    Rapporteur()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
    {
    }

    std::map<std::string, double> medianes; // milliseconds

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medianes[run.run_name.function_name] =
                    run.GetAdjustedRealTime() * 1e3 /
                    benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Rapporteur rapporteur;
    benchmark::RunSpecifiedBenchmarks(&rapporteur);
    benchmark::Shutdown();

    const auto &m = rapporteur.medianes;
    std::printf("\nMedians (real time):\n");
    for (const auto &[nom, ms] : m)
        std::printf("  %-22s %9.1f ms\n", nom.c_str(), ms);
    const auto nous = m.find("LireEcrireBaseFilms");
    const auto reference = m.find("Xmllint");
    if (nous != m.end() && reference != m.end() && reference->second > 0) {
        std::printf("  lireBaseFilms + ecrireBaseFilms / xmllint --output = %.2f\n",
                    nous->second / reference->second);
    }
    return 0;
}

#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

// The console report of Google Benchmark, keeping the median real time of every benchmark so
// that a program can print them again with the ratios to the reference tools run beside it.
// When KINOLUX_BENCH_FIGURES names a file, every median (and every figure added by hand) is also
// appended to it as "program:name<TAB>value" lines, for scripts/bench's table.
class Rapporteur final : public benchmark::ConsoleReporter
{
public:
    explicit Rapporteur(std::string programme)
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
        , m_programme(std::move(programme))
    {
    }

    std::map<std::string, double> medianes; // milliseconds, by benchmark name
    std::map<std::string, double> autres;   // figures that are not times, by name

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                std::string nom = run.run_name.function_name;
                if (!run.run_name.args.empty())
                    nom += "/" + run.run_name.args;
                medianes[nom] = run.GetAdjustedRealTime() * 1e3 /
                                benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void ajouter(const std::string &nom, double valeur) { autres[nom] = valeur; }

    // Prints every median, then each ratio "ours / reference" whose two figures were measured,
    // and appends the figures to the table file if one is named.
    void imprimer(const std::vector<std::pair<std::string, std::string>> &rapports) const
    {
        std::printf("\nMedians (real time):\n");
        for (const auto &[nom, ms] : medianes)
            std::printf("  %-34s %9.2f ms\n", nom.c_str(), ms);
        for (const auto &[nom, valeur] : autres)
            std::printf("  %-34s %9.2f\n", nom.c_str(), valeur);
        for (const auto &[nous, reference] : rapports) {
            const auto a = medianes.find(nous);
            const auto b = medianes.find(reference);
            if (a != medianes.end() && b != medianes.end() && b->second > 0)
                std::printf("  %s / %s = %.2f\n", nous.c_str(), reference.c_str(),
                            a->second / b->second);
        }

        const char *table = std::getenv("KINOLUX_BENCH_FIGURES");
        if (!table || !*table)
            return;
        if (FILE *f = std::fopen(table, "a")) {
            for (const auto *figures : {&medianes, &autres})
                for (const auto &[nom, valeur] : *figures)
                    std::fprintf(f, "%s:%s\t%.3f\n", m_programme.c_str(), nom.c_str(), valeur);
            std::fclose(f);
        }
    }

private:
    std::string m_programme;
};

// The main of a Google Benchmark program: the application object of its kind, the benchmarks
// asked for on the command line, then the medians and the ratios of `rapports` printed again.
template <typename Application>
int lancerBenchmarks(int argc, char **argv, const char *programme,
                     const std::vector<std::pair<std::string, std::string>> &rapports = {})
{
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Rapporteur rapporteur(programme);
    benchmark::RunSpecifiedBenchmarks(&rapporteur);
    benchmark::Shutdown();
    rapporteur.imprimer(rapports);
    return 0;
}

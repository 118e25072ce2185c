#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

// The console report of Google Benchmark, keeping the median real time of every benchmark so
// that a program can print them again with the ratios to the reference tools run beside it.
class Rapporteur final : public benchmark::ConsoleReporter
{
public:
    Rapporteur()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
    {
    }

    std::map<std::string, double> medianes; // milliseconds, by benchmark name

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

    // Prints every median, then each ratio "ours / reference" whose two figures were measured.
    void imprimer(const std::vector<std::pair<std::string, std::string>> &rapports) const
    {
        std::printf("\nMedians (real time):\n");
        for (const auto &[nom, ms] : medianes)
            std::printf("  %-34s %9.2f ms\n", nom.c_str(), ms);
        for (const auto &[nous, reference] : rapports) {
            const auto a = medianes.find(nous);
            const auto b = medianes.find(reference);
            if (a != medianes.end() && b != medianes.end() && b->second > 0)
                std::printf("  %s / %s = %.2f\n", nous.c_str(), reference.c_str(),
                            a->second / b->second);
        }
    }
};

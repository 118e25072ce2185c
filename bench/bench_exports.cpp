#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "catalogue/ChampsFiche.h"
#include "echanges/Csv.h"
#include "echanges/Impression.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

std::vector<ChampsFiche::Champ> toutesLesColonnes()
{
    std::vector<ChampsFiche::Champ> colonnes;
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
        colonnes.push_back(static_cast<ChampsFiche::Champ>(c));
    return colonnes;
}

// Every field of every card, as the catalogue window exports them.
void ExporterCsv(benchmark::State &etat)
{
    const auto colonnes = toutesLesColonnes();
    qsizetype taille = 0;
    for (auto _ : etat)
        taille = Csv::ecrire(GenerateurCatalogue::copies(k_fiches), colonnes).size();
    etat.counters["Mo"] = double(taille) / 1e6;
}

// The same file read back: cut into records, then made into new cards.
void ImporterCsv(benchmark::State &etat)
{
    const QByteArray octets =
        Csv::ecrire(GenerateurCatalogue::copies(k_fiches), toutesLesColonnes());
    size_t nombre = 0;
    for (auto _ : etat) {
        const Csv::Tableau tableau = Csv::lire(octets, u"catalogue.csv"_s);
        nombre = Csv::fiches(tableau, u"catalogue.csv"_s, [](const QString &) {
                     return false;
                 }).fiches.size();
    }
    etat.counters["fiches"] = double(nombre);
}

void PdfListe(benchmark::State &etat)
{
    QTemporaryDir dossier;
    const Impression::Entree entree{Impression::Mise::Liste, &GenerateurCatalogue::copies(k_fiches),
                                    nullptr};
    for (auto _ : etat) {
        Progression progression;
        Impression::exporterPdf(entree, dossier.filePath(u"liste.pdf"_s), progression);
    }
}

BENCHMARK(ExporterCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(ImporterCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(PdfListe)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return lancerBenchmarks<QGuiApplication>(argc, argv, "bench_exports");
}

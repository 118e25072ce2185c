#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "import/ListeTitres.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;
constexpr int k_titres = 200000;

// A program directory holding the template and a generated catalogue, made once.
const QTemporaryDir &repertoire()
{
    return GenerateurCatalogue::dossierAvecBase(QStringLiteral(KINOLUX_MODELE), k_fiches);
}

void LireBaseFilms(benchmark::State &etat)
{
    Tdm_Kinolux dm(repertoire().path());
    const qint64 taille = QFileInfo(dm.chemin(u"baseFilm.bdf"_s)).size();
    for (auto _ : etat)
        dm.lireBaseFilms();
    etat.SetBytesProcessed(etat.iterations() * taille);
    etat.counters["fiches"] = double(dm.fichesFilms().size());
    etat.counters["Mo"] = double(taille) / 1e6;
}

void EcrireBaseFilms(benchmark::State &etat)
{
    Tdm_Kinolux dm(repertoire().path());
    dm.lireBaseFilms();
    for (auto _ : etat)
        dm.ecrireBaseFilms();
    etat.SetBytesProcessed(etat.iterations() * QFileInfo(dm.chemin(u"baseFilm.bdf"_s)).size());
}

// The reference: libxml2 parsing the same file, as a separate process.
void XmllintNoout(benchmark::State &etat)
{
    const QString xmllint = QStandardPaths::findExecutable(u"xmllint"_s);
    if (xmllint.isEmpty()) {
        etat.SkipWithError("xmllint not found (Debian package libxml2-utils)");
        return;
    }
    const QString base = repertoire().filePath(u"baseFilm.bdf"_s);
    for (auto _ : etat) {
        if (QProcess::execute(xmllint, {u"--noout"_s, base}) != 0) {
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

BENCHMARK(LireBaseFilms)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(EcrireBaseFilms)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(XmllintNoout)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7);
BENCHMARK(DecouperListeTitres)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    return lancerBenchmarks<QCoreApplication>(
        argc, argv, "bench_catalogue",
        {{"LireBaseFilms", "XmllintNoout"}, {"EcrireBaseFilms", "XmllintNoout"}});
}

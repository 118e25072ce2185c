// A video file's name cleaned and matched against a title index of 200,000 lines.
#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "echanges/NomVideo.h"
#include "import/ListeTitres.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSet>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_titres = 200000;

// Names of every kind, in turn: titles of the index itself, titles sharing some of their words,
// a slip in a word, words run together, a common word alone, nothing near.
const QStringList k_noms = {
    u"Le.Pont.Des.Ombres.1959.MULTi.1080p.BluRay.x264-GROUP.mkv"_s,
    u"La.Foret.Rouge.2004.FRENCH.DVDRip.XviD-LOST.avi"_s,
    u"Chateau.de.Minuit.Perdu.1971.1080p.WEB-DL.H.264.mkv"_s,
    u"Le.Silance.des.Innocents.1991.TRUEFRENCH.DVDRip.avi"_s,
    u"Lhorloge.1962.DVDRip.XviD.avi"_s,
    u"Zorglub.Contre.Attaque.2015.WEB-DL.1080p.mkv"_s,
    u"Nuit.2010.720p.HDTV.x264.mkv"_s,
    u"[YTS.MX] Le Quai des Brumes (1938) [1080p].mp4"_s,
};

const QStringList &titresGeneres()
{
    static const QStringList titres =
        ListeTitres::decouperLignes(GenerateurCatalogue::listeTitres(k_titres));
    return titres;
}

// The generated index repeats its four thousand titles some fifty times each, so that most names
// find their title at once; a real one has nearly as many titles as lines. Each generated title
// here gets a made-up word of two or three syllables in front: nearly every line is then a title
// of its own, the vocabulary counts thousands of words, and every name goes through the word
// and distance searches over 200,000 distinct titles.
const QStringList &titresVaries()
{
    static const QStringList titres = [] {
        static const QStringList syllabes = {
            u"BA"_s,  u"CO"_s,  u"DI"_s,  u"FU"_s,  u"GA"_s,  u"LO"_s,  u"MI"_s,  u"NE"_s,
            u"PA"_s,  u"RI"_s,  u"SO"_s,  u"TU"_s,  u"VE"_s,  u"ZA"_s,  u"JO"_s,  u"KI"_s,
            u"BRU"_s, u"CHA"_s, u"TRO"_s, u"QUE"_s, u"GRI"_s, u"PLO"_s, u"STE"_s, u"VAN"_s};
        QRandomGenerator tirage(7);
        const auto syllabe = [&] {
            return syllabes[qsizetype(tirage.bounded(syllabes.size()))];
        };
        QStringList varies;
        varies.reserve(titresGeneres().size());
        for (const QString &titre : titresGeneres()) {
            QString mot = syllabe() + syllabe();
            if (tirage.bounded(2))
                mot += syllabe();
            varies.append(mot + u' ' + titre);
        }
        return varies;
    }();
    return titres;
}

const NomVideo::IndexTitres &indexTitres(bool varie)
{
    static const NomVideo::IndexTitres genere(titresGeneres());
    static const NomVideo::IndexTitres autre(titresVaries());
    return varie ? autre : genere;
}

// One name of the list a time, in turn; the time is that of one name.
void classer(benchmark::State &etat, const NomVideo::IndexTitres &titres)
{
    qsizetype i = 0;
    qsizetype trouves = 0;
    for (auto _ : etat) {
        const NomVideo::TitreDevine devine = NomVideo::nettoyer(k_noms[i]);
        trouves += titres.meilleurs(devine.titre, 5).size();
        i = (i + 1) % k_noms.size();
    }
    etat.counters["candidats"] =
        benchmark::Counter(double(trouves), benchmark::Counter::kAvgIterations);
}

// The figure of the table: over distinct titles.
void NettoyerEtClasser(benchmark::State &etat)
{
    classer(etat, indexTitres(true));
}

// Over the generated index as it is.
void NettoyerEtClasserGenere(benchmark::State &etat)
{
    classer(etat, indexTitres(false));
}

// The slowest name of the list, over the index of distinct titles.
void PireNom(benchmark::State &etat)
{
    const NomVideo::IndexTitres &titres = indexTitres(true);
    const QString nom = k_noms[etat.range(0)];
    for (auto _ : etat)
        benchmark::DoNotOptimize(titres.meilleurs(NomVideo::nettoyer(nom).titre, 5));
}

void ConstruireIndex(benchmark::State &etat)
{
    const QStringList &titres = etat.range(0) ? titresVaries() : titresGeneres();
    for (auto _ : etat)
        benchmark::DoNotOptimize(NomVideo::IndexTitres(titres).taille());
    etat.counters["distincts"] = double(QSet<QString>(titres.begin(), titres.end()).size());
}

void Nettoyer(benchmark::State &etat)
{
    qsizetype i = 0;
    for (auto _ : etat) {
        benchmark::DoNotOptimize(NomVideo::nettoyer(k_noms[i]));
        i = (i + 1) % k_noms.size();
    }
}

BENCHMARK(NettoyerEtClasser)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(NettoyerEtClasserGenere)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(PireNom)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(ConstruireIndex)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(Nettoyer)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    return lancerBenchmarks<QCoreApplication>(argc, argv, "bench_nom_video");
}

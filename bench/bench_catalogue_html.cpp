#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "echanges/CatalogueHtml.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

// The folders written by the runs. They are removed only once every benchmark has run: on ext4
// without a journal (this machine's), files created within minutes of many others being removed
// cost several times as much, which would measure the removal of the previous run. Run the
// program a few minutes after the last large removal for steady figures.
QTemporaryDir &sorties()
{
    static QTemporaryDir dossier;
    return dossier;
}

QString nouveauDossier()
{
    static int numero = 0;
    return sorties().filePath(u"catalogue-%1"_s.arg(++numero));
}

// The whole export, covers left out.
void ExporterSansCouvertures(benchmark::State &etat)
{
    const CatalogueHtml::Entree entree{&GenerateurCatalogue::copies(k_fiches), nullptr, {}};
    QString dossier;
    for (auto _ : etat) {
        etat.PauseTiming();
        dossier = nouveauDossier();
        etat.ResumeTiming();
        Progression progression;
        CatalogueHtml::exporter(entree, dossier, progression);
    }
    etat.counters["pages"] = double(QDir(dossier + u"/fiches"_s).count() - 2);
}

// The reference: xsltproc on the same stylesheet and the same document, as a separate process.
void Xsltproc(benchmark::State &etat)
{
    const QString xsltproc = u"/usr/bin/xsltproc"_s;
    if (!QFile::exists(xsltproc)) {
        etat.SkipWithError("xsltproc not found (Debian package xsltproc)");
        return;
    }
    QTemporaryDir dossier;
    const QString document = dossier.filePath(u"catalogue.xml"_s);
    {
        QFile fichier(document);
        if (!fichier.open(QIODevice::WriteOnly) ||
            fichier.write(CatalogueHtml::documentXml(
                {&GenerateurCatalogue::copies(k_fiches), nullptr, {}})) < 0) {
            etat.SkipWithError("cannot write the document");
            return;
        }
    }
    for (auto _ : etat) {
        etat.PauseTiming();
        const QString sortie = nouveauDossier();
        etat.ResumeTiming();
        if (QProcess::execute(xsltproc, {u"-o"_s, sortie + u"/index.html"_s,
                                         QStringLiteral(KINOLUX_FEUILLE_HTML), document}) != 0) {
            etat.SkipWithError("xsltproc failed");
            break;
        }
    }
}

BENCHMARK(ExporterSansCouvertures)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(Xsltproc)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    const int code = lancerBenchmarks<QCoreApplication>(argc, argv, "bench_catalogue_html",
                                                        {{"ExporterSansCouvertures", "Xsltproc"}});
    sorties().remove();
    return code;
}

#pragma once

#include "app/Kinolux.h"
#include "bench/DialoguesMuets.h"
#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "chrome/TTransparentWnd.h"
#include "views/TKinoluxFPrincipale.h"

#include <QApplication>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

// The whole program on a temporary directory holding the delivered files of the build (the
// programs left out) and, when `fiches` > 0, a generated catalogue of that many cards.
struct ProgrammeBench
{
    QTemporaryDir dossier;
    DialoguesMuets dialogues;
    std::unique_ptr<Kinolux> kinolux;

    explicit ProgrammeBench(int fiches)
    {
        const QDir livres(QStringLiteral(KINOLUX_BIN));
        QDirIterator it(livres.path(), QDir::Files | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo source(it.next());
            if (source.isExecutable())
                continue;
            const QString relatif = livres.relativeFilePath(source.filePath());
            QDir(dossier.path()).mkpath(QFileInfo(relatif).path());
            QFile::copy(source.filePath(), dossier.filePath(relatif));
        }
        if (fiches > 0)
            GenerateurCatalogue::ecrireBase(dossier.path(), fiches);
        kinolux = std::make_unique<Kinolux>(dossier.path(), dialogues);
    }
};

// The same over a generated catalogue, read at once: every view of the catalogue window filled.
struct ProgrammeCharge : ProgrammeBench
{
    explicit ProgrammeCharge(int fiches)
        : ProgrammeBench(fiches)
    {
        fp().chargerBaseExecute();
    }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
};

// The program of a benchmark run, made at first use. `main` frees it with
// `programmeBench<P>(true)` while the application object still exists.
template <typename P> P *programmeBench(bool liberer = false)
{
    static std::unique_ptr<P> programme;
    if (liberer) {
        programme.reset();
        return nullptr;
    }
    if (!programme)
        programme = std::make_unique<P>();
    return programme.get();
}

// The application of a benchmark of windows: the offscreen platform, fades without waits, and
// without the offscreen platform's warning at every step of a fade.
class ApplicationBench : public QApplication
{
public:
    ApplicationBench(int &argc, char **argv)
        : QApplication(preparer(argc), argv)
    {
        TTransparentWnd::definirAttenteFondu(0);
    }

private:
    static int &preparer(int &argc)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QtMessageHandler precedent = nullptr;
        precedent = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &contexte, const QString &message) {
                if (!message.startsWith(
                        QLatin1String("This plugin does not support setting window opacity")))
                    precedent(type, contexte, message);
            });
        return argc;
    }
};

// The settings of every measurement of a window: milliseconds of real time, medians of five runs.
// Given to a benchmark's Apply.
inline void enMillisecondes(benchmark::internal::Benchmark *mesure)
{
    mesure->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->UseRealTime();
}

// The main function of a benchmark of the program P: runs the benchmarks, frees the program while
// the application still exists, then prints the medians and the ratios asked for.
template <typename P>
int executerBenchs(int argc, char **argv, const char *nom,
                   const std::vector<std::pair<std::string, std::string>> &rapports = {})
{
    ApplicationBench application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Rapporteur rapporteur(nom);
    benchmark::RunSpecifiedBenchmarks(&rapporteur);
    benchmark::Shutdown();
    programmeBench<P>(true);
    rapporteur.imprimer(rapports);
    return 0;
}

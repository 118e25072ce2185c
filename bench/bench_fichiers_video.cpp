#include "bench/Rapporteur.h"
#include "echanges/AnalyseDossier.h"
#include "tests/support/FfmpegDeTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir &dossier()
{
    static QTemporaryDir d;
    return d;
}

// A collection as a media centre keeps it: 2,500 folders, each with the film, its .nfo, its
// poster and its subtitles: 10,000 files.
const QString &arbre()
{
    static const QString racine = [] {
        const QString chemin = dossier().filePath(u"arbre"_s);
        for (int i = 0; i < 2500; ++i) {
            const QString film = u"%1/Lettre %2/Film.%3.(19%4).1080p"_s.arg(chemin)
                                     .arg(QChar(u'A' + i % 26))
                                     .arg(i)
                                     .arg(i % 100, 2, 10, QChar(u'0'));
            QDir().mkpath(film);
            for (const char *nom : {"/film.mkv", "/film.nfo", "/poster.jpg", "/film.fr.srt"}) {
                QFile fichier(film + QLatin1StringView(nom));
                if (!fichier.open(QIODevice::WriteOnly))
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(fichier.fileName()));
            }
        }
        return chemin;
    }();
    return racine;
}

// 100 real video files, made by ffmpeg: copies of its three kinds.
const QStringList &centFichiers()
{
    static const QStringList fichiers = [] {
        QStringList liste;
        const VideosDeTest::Sorte sortes[] = {VideosDeTest::Sorte::MkvH264DeuxLangues,
                                              VideosDeTest::Sorte::Mp4H265,
                                              VideosDeTest::Sorte::AviMpeg4};
        QStringList modeles;
        for (const auto sorte : sortes) {
            const QString modele =
                dossier().filePath(u"modele%1.%2"_s.arg(int(sorte)).arg(extension(sorte)));
            if (const QString erreur = VideosDeTest::faire(sorte, modele); !erreur.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(erreur));
                return liste;
            }
            modeles.append(modele);
        }
        for (int i = 0; i < 100; ++i) {
            const QString &modele = modeles[i % 3];
            const QString copie =
                dossier().filePath(u"cent/Film %1.%2"_s.arg(i).arg(QFileInfo(modele).suffix()));
            QDir().mkpath(QFileInfo(copie).absolutePath());
            QFile::copy(modele, copie);
            liste.append(copie);
        }
        return liste;
    }();
    return fichiers;
}

void ListerDixMilleFichiers(benchmark::State &etat)
{
    const QString &racine = arbre();
    qsizetype videos = 0;
    for (auto _ : etat) {
        Progression progression;
        videos = AnalyseDossier::lister(racine, {}, progression).videos.size();
    }
    etat.counters["videos"] = double(videos);
}

// The facts of 100 files as a folder analysis reads them (both cores), with an empty index.
void MediaInfoCentFichiers(benchmark::State &etat)
{
    const QStringList &fichiers = centFichiers();
    if (fichiers.size() != 100) {
        etat.SkipWithError("ffmpeg could not make the files");
        return;
    }
    const NomVideo::IndexTitres index({});
    qsizetype lus = 0;
    for (auto _ : etat) {
        Progression progression;
        lus = AnalyseDossier::proposerTout(fichiers, index, progression).propositions.size();
    }
    etat.counters["lus"] = double(lus);
}

// The reference: the mediainfo command on the same 100 files, in one process.
void Mediainfo(benchmark::State &etat)
{
    const QStringList &fichiers = centFichiers();
    const QString mediainfo = u"/usr/bin/mediainfo"_s;
    if (fichiers.size() != 100 || !QFile::exists(mediainfo)) {
        etat.SkipWithError("mediainfo not found (Debian package mediainfo)");
        return;
    }
    for (auto _ : etat) {
        QProcess processus;
        processus.setStandardOutputFile(QProcess::nullDevice());
        processus.start(mediainfo, fichiers);
        if (!processus.waitForFinished(60'000) || processus.exitCode() != 0) {
            etat.SkipWithError("mediainfo failed");
            break;
        }
    }
}

BENCHMARK(ListerDixMilleFichiers)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(MediaInfoCentFichiers)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(Mediainfo)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    return lancerBenchmarks<QCoreApplication>(argc, argv, "bench_fichiers_video",
                                              {{"MediaInfoCentFichiers", "Mediainfo"}});
}

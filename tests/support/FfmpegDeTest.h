#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Small real video files made by ffmpeg for the tests and benchmarks: a second of its test
// picture, 320×240, with sound tracks of sine tones.

namespace VideosDeTest {

using namespace Qt::StringLiterals;

enum class Sorte
{
    MkvH264DeuxLangues, // Matroska, H.264, AAC 5.1 "fre" then AAC 2.0 "eng", subtitles "fre"
    Mp4H265,            // MPEG-4, H.265, AAC 2.0 "fre" and AAC 2.0 "eng"
    AviMpeg4,           // AVI, MPEG-4 Visual, MP3 mono
    SonSeul,            // Matroska holding one AAC track and no picture
};

inline QStringList arguments(Sorte sorte, const QString &sortie)
{
    const QStringList image{u"-f"_s, u"lavfi"_s, u"-i"_s,
                            u"testsrc=size=320x240:rate=25:duration=1"_s};
    const QStringList son{u"-f"_s, u"lavfi"_s, u"-i"_s, u"sine=frequency=440:duration=1"_s};
    const QStringList son2{u"-f"_s, u"lavfi"_s, u"-i"_s, u"sine=frequency=660:duration=1"_s};
    QStringList a{u"-v"_s, u"error"_s, u"-y"_s};
    switch (sorte) {
    case Sorte::MkvH264DeuxLangues: {
        const QString srt = QFileInfo(sortie).dir().filePath(u"st.srt"_s);
        QFile sousTitres(srt);
        if (sousTitres.open(QIODevice::WriteOnly))
            sousTitres.write("1\n00:00:00,000 --> 00:00:00,900\nBonjour\n\n");
        sousTitres.close();
        a << image << son << son2 << u"-i"_s << srt;
        a << QStringList{u"-map"_s,
                         u"0"_s,
                         u"-map"_s,
                         u"1"_s,
                         u"-map"_s,
                         u"2"_s,
                         u"-map"_s,
                         u"3"_s,
                         u"-c:v"_s,
                         u"libx264"_s,
                         u"-preset"_s,
                         u"ultrafast"_s,
                         u"-c:a"_s,
                         u"aac"_s,
                         u"-ac:a:0"_s,
                         u"6"_s,
                         u"-ac:a:1"_s,
                         u"2"_s,
                         u"-c:s"_s,
                         u"srt"_s,
                         u"-metadata:s:a:0"_s,
                         u"language=fre"_s,
                         u"-metadata:s:a:1"_s,
                         u"language=eng"_s,
                         u"-metadata:s:s:0"_s,
                         u"language=fre"_s};
        break;
    }
    case Sorte::Mp4H265:
        a << image << son << son2
          << QStringList{u"-map"_s,
                         u"0"_s,
                         u"-map"_s,
                         u"1"_s,
                         u"-map"_s,
                         u"2"_s,
                         u"-c:v"_s,
                         u"libx265"_s,
                         u"-preset"_s,
                         u"ultrafast"_s,
                         u"-x265-params"_s,
                         u"log-level=error"_s,
                         u"-tag:v"_s,
                         u"hvc1"_s,
                         u"-c:a"_s,
                         u"aac"_s,
                         u"-ac"_s,
                         u"2"_s,
                         u"-metadata:s:a:0"_s,
                         u"language=fre"_s,
                         u"-metadata:s:a:1"_s,
                         u"language=eng"_s};
        break;
    case Sorte::AviMpeg4:
        a << image << son
          << QStringList{u"-c:v"_s, u"mpeg4"_s, u"-c:a"_s, u"libmp3lame"_s, u"-ac"_s, u"1"_s};
        break;
    case Sorte::SonSeul:
        a << son << QStringList{u"-c:a"_s, u"aac"_s};
        break;
    }
    return a << sortie;
}

inline QString extension(Sorte sorte)
{
    switch (sorte) {
    case Sorte::Mp4H265:
        return u"mp4"_s;
    case Sorte::AviMpeg4:
        return u"avi"_s;
    default:
        return u"mkv"_s;
    }
}

// Makes a file of that kind at `chemin`; the reason when ffmpeg is missing or fails, else "".
inline QString faire(Sorte sorte, const QString &chemin)
{
    const QString ffmpeg = QStandardPaths::findExecutable(u"ffmpeg"_s);
    if (ffmpeg.isEmpty())
        return u"ffmpeg is missing (scripts/dependances installs it)"_s;
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QProcess processus;
    processus.setProcessChannelMode(QProcess::MergedChannels);
    processus.start(ffmpeg, arguments(sorte, chemin));
    if (!processus.waitForFinished(120'000) || processus.exitCode() != 0) {
        QFile::remove(chemin);
        return u"ffmpeg failed: "_s + QString::fromLocal8Bit(processus.readAll());
    }
    return QString();
}

} // namespace VideosDeTest

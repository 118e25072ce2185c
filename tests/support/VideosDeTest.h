#pragma once

#include "tests/support/FfmpegDeTest.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The files of each kind made once a test program and copied where a test wants them.
namespace VideosDeTest {

// The model file of a kind, made at its first use; empty (and a test failure) when ffmpeg fails.
inline QString modele(Sorte sorte)
{
    static QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"modele%1.%2"_s.arg(int(sorte)).arg(extension(sorte)));
    if (QFileInfo::exists(chemin))
        return chemin;
    if (const QString erreur = faire(sorte, chemin); !erreur.isEmpty()) {
        ADD_FAILURE() << erreur.toStdString();
        return QString();
    }
    return chemin;
}

// A copy of a kind's file at `chemin` (folders made as needed).
inline bool copier(Sorte sorte, const QString &chemin)
{
    const QString source = modele(sorte);
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    return !source.isEmpty() && QFile::copy(source, chemin);
}

} // namespace VideosDeTest

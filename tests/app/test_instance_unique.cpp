#include "app/InstanceUnique.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>

#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Run by the tests below as a program of its own: a second start on the folder named by
// KINOLUX_DOSSIER_INSTANCE, which exits with 0 when it could take the folder, 3 when not; with
// KINOLUX_TENIR set, it keeps the folder until it is killed.
TEST(InstanceUnique, DISABLED_DeuxiemeProcessus)
{
    InstanceUnique instance(qEnvironmentVariable("KINOLUX_DOSSIER_INSTANCE"));
    const bool pris = instance.acquerir();
    if (pris && qEnvironmentVariableIsSet("KINOLUX_TENIR")) {
        for (;;)
            QThread::sleep(1);
    }
    // Straight out, as a second start that gives up does: nothing of the test program's own
    // shutdown runs.
    std::fflush(nullptr);
    _exit(pris ? 0 : 3);
}

namespace {

void lancer(QProcess &processus, const QString &dossier, bool tenir)
{
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(u"KINOLUX_DOSSIER_INSTANCE"_s, dossier);
    if (tenir)
        environnement.insert(u"KINOLUX_TENIR"_s, u"1"_s);
    processus.setProcessEnvironment(environnement);
    processus.start(QCoreApplication::applicationFilePath(),
                    {u"--gtest_also_run_disabled_tests"_s,
                     u"--gtest_filter=InstanceUnique.DISABLED_DeuxiemeProcessus"_s});
}

int deuxiemeProcessus(const QString &dossier)
{
    QProcess processus;
    lancer(processus, dossier, false);
    // The first run answers the second's call while it waits.
    if (!processus.waitForStarted(10'000))
        return -1;
    QElapsedTimer attente;
    attente.start();
    while (!processus.waitForFinished(20)) {
        QCoreApplication::processEvents();
        if (attente.elapsed() > 30'000) {
            ADD_FAILURE() << "the second process hangs: " << processus.readAll().toStdString();
            processus.kill();
            processus.waitForFinished();
            return -2;
        }
    }
    return processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1;
}

} // namespace

TEST(InstanceUnique, UnSecondProcessusSurLeMemeDossierRefuseEtAppelleLePremier)
{
    QTemporaryDir dossier;
    QTemporaryDir autre;
    InstanceUnique premiere(dossier.path());
    ASSERT_TRUE(premiere.acquerir());
    QSignalSpy appels(&premiere, &InstanceUnique::appelee);

    EXPECT_EQ(deuxiemeProcessus(dossier.path()), 3);
    EXPECT_TRUE(appels.count() == 1 || appels.wait(5000)) << "the first run is called forward";
    EXPECT_EQ(deuxiemeProcessus(autre.path()), 0) << "another folder is free";

    // In the same process too, a second holder is refused while the first lives.
    InstanceUnique seconde(dossier.path());
    EXPECT_FALSE(seconde.acquerir());
}

TEST(InstanceUnique, LeVerrouDUnProcessusMortEstRepris)
{
    QTemporaryDir dossier;
    // A run that holds the folder, then dies without a word.
    QProcess tue;
    lancer(tue, dossier.path(), true);
    ASSERT_TRUE(tue.waitForStarted(10'000));
    const QString verrou = QDir(dossier.path()).filePath(u"kinolux.lock"_s);
    // Held once the run's number is in it: before, the file is there but still empty.
    const QLockFile lecteur(verrou);
    qint64 pid = 0;
    QString hote;
    QString programme;
    for (int i = 0; i < 500 && !lecteur.getLockInfo(&pid, &hote, &programme); ++i)
        QThread::msleep(20);
    ASSERT_EQ(pid, tue.processId());
    InstanceUnique tantQuIlVit(dossier.path());
    EXPECT_FALSE(tantQuIlVit.acquerir());
    tue.kill();
    ASSERT_TRUE(tue.waitForFinished(10'000));
    ASSERT_TRUE(QFile::exists(verrou)) << "SIGKILL leaves the lock behind";

    InstanceUnique instance(dossier.path());
    EXPECT_TRUE(instance.acquerir());
    EXPECT_EQ(deuxiemeProcessus(dossier.path()), 3);
}

// A run killed between creating its lock and writing its number in it.
TEST(InstanceUnique, UnVerrouVideQuePersonneNeTientEstRepris)
{
    QTemporaryDir dossier;
    const QString verrou = QDir(dossier.path()).filePath(u"kinolux.lock"_s);
    QFile vide(verrou);
    ASSERT_TRUE(vide.open(QIODevice::WriteOnly));
    const QDateTime ilYaUneMinute = QDateTime::currentDateTime().addSecs(-60);
    ASSERT_TRUE(vide.setFileTime(ilYaUneMinute, QFileDevice::FileModificationTime));

    // Still held natively: a run in the middle of taking it, never robbed.
    ASSERT_EQ(::flock(vide.handle(), LOCK_EX | LOCK_NB), 0);
    InstanceUnique tenu(dossier.path());
    EXPECT_FALSE(tenu.acquerir());
    vide.close();

    InstanceUnique instance(dossier.path());
    EXPECT_TRUE(instance.acquerir());
    EXPECT_EQ(deuxiemeProcessus(dossier.path()), 3) << "and it holds the folder for real";
}

TEST(InstanceUnique, ChaqueDossierASonServeur)
{
    QTemporaryDir a;
    QTemporaryDir b;
    EXPECT_NE(InstanceUnique::nomServeur(a.path()), InstanceUnique::nomServeur(b.path()));
    EXPECT_EQ(InstanceUnique::nomServeur(a.path()),
              InstanceUnique::nomServeur(a.path() + u"/./"_s));
    EXPECT_LE(InstanceUnique::nomServeur(a.path()).size(), 40) << "a short socket name";
}

#include "chrome/TformMessageFlash.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double unPas = 1.0 / 255 + 1e-6;

} // namespace

class MessageFlash : public ::testing::Test
{
protected:
    QTimer &fermeture() { return *flash.findChild<QTimer *>(u"timerFermeture"_s); }
    QTimer &demarrage() { return *flash.findChild<QTimer *>(u"timerDemarrage"_s); }
    QLabel &label() { return *flash.findChild<QLabel *>(u"lbMessageStatus"_s); }
    QProgressBar &barre() { return *flash.findChild<QProgressBar *>(u"barreProgr"_s); }

    // Shown and faded in.
    void afficherOpaque()
    {
        flash.afficher();
        flash.timerDemarrageTimer();
    }

    TformMessageFlash flash;
};

TEST_F(MessageFlash, CreatedHiddenWithItsControls)
{
    EXPECT_EQ(flash.objectName(), u"formMessageFlash"_s);
    EXPECT_TRUE(flash.isHidden());
    EXPECT_EQ(flash.size(), QSize(492, 32));
    const Qt::WindowFlags drapeaux = flash.windowFlags();
    EXPECT_TRUE(drapeaux.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(drapeaux.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(flash.windowType(), Qt::Tool);
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE((flash.frameGeometry().center() - ecran.center()).manhattanLength(), 2);

    EXPECT_NE(flash.findChild<QWidget *>(u"pbFond"_s), nullptr);
    EXPECT_NE(flash.findChild<QObject *>(u"TransparentWnd1"_s), nullptr);
    EXPECT_EQ(flash.texte(), u"Essai texte"_s);
    EXPECT_EQ(label().geometry(), QRect(0, 10, 492, 13));
    EXPECT_TRUE(label().alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(barre().geometry(), QRect(48, 24, 401, 8));
    EXPECT_TRUE(barre().isHidden());

    EXPECT_EQ(fermeture().interval(), 500);
    EXPECT_EQ(demarrage().interval(), 100);
    EXPECT_FALSE(fermeture().isActive());
    EXPECT_FALSE(demarrage().isActive());
}

TEST_F(MessageFlash, ShowStartsTransparentThenFadesIn)
{
    flash.definirTexte(u"Enregistrement TERMINE."_s);
    flash.afficher();
    EXPECT_TRUE(flash.isVisible());
    EXPECT_NEAR(flash.windowOpacity(), 0.0, unPas);
    EXPECT_TRUE(demarrage().isActive());

    flash.timerDemarrageTimer();
    EXPECT_FALSE(demarrage().isActive());
    EXPECT_NEAR(flash.windowOpacity(), 1.0, unPas);
    EXPECT_EQ(flash.texte(), u"Enregistrement TERMINE."_s);
}

TEST_F(MessageFlash, ShowingWhileShownOnlyChangesTheText)
{
    afficherOpaque();
    flash.fermer(800);
    QThread::msleep(50);
    const auto restant = fermeture().remainingTime();

    flash.definirTexte(u"Liste de lecture enregistrée."_s);
    flash.afficher();
    EXPECT_EQ(flash.texte(), u"Liste de lecture enregistrée."_s);
    EXPECT_NEAR(flash.windowOpacity(), 1.0, unPas);
    EXPECT_FALSE(demarrage().isActive());
    EXPECT_TRUE(fermeture().isActive());
    EXPECT_LE(fermeture().remainingTime(), restant);
}

TEST_F(MessageFlash, FermerKeepsTheCountForTheSameDelayAndRestartsForAnother)
{
    afficherOpaque();
    flash.fermer(800);
    EXPECT_TRUE(fermeture().isActive());
    EXPECT_EQ(fermeture().interval(), 800);
    // Coarse timers may fire up to 5 % late: a count restarted now would still have 760 ms.
    QThread::msleep(150);
    flash.fermer(800);
    EXPECT_LT(fermeture().remainingTime(), 730);

    // Bounds loose enough for a loaded machine to stall a while between two lines.
    flash.fermer(300);
    EXPECT_EQ(fermeture().interval(), 300);
    EXPECT_GT(fermeture().remainingTime(), 150);
    QThread::msleep(60);
    flash.fermer(800);
    EXPECT_GT(fermeture().remainingTime(), 500) << "restarted, not the 300 ms count going on";

    // A negative delay closes as soon as the event loop runs rather than never.
    flash.fermer(-5);
    EXPECT_TRUE(fermeture().isActive());
    EXPECT_EQ(fermeture().interval(), 0);
}

TEST_F(MessageFlash, CloseFadesOutHidesAndTheNextShowStartsOver)
{
    afficherOpaque();
    flash.fermer(200);
    flash.timerFermetureTimer();
    EXPECT_FALSE(fermeture().isActive());
    EXPECT_TRUE(flash.isHidden());
    EXPECT_NEAR(flash.windowOpacity(), 0.0, unPas);

    flash.afficher();
    EXPECT_TRUE(flash.isVisible());
    EXPECT_NEAR(flash.windowOpacity(), 0.0, unPas);
    EXPECT_TRUE(demarrage().isActive());
    flash.timerDemarrageTimer();
    EXPECT_NEAR(flash.windowOpacity(), 1.0, unPas);
}

TEST_F(MessageFlash, ClosingAHiddenWindowLeavesItHidden)
{
    flash.fermer(200);
    EXPECT_TRUE(fermeture().isActive());
    flash.timerFermetureTimer();
    EXPECT_TRUE(flash.isHidden());
    EXPECT_FALSE(demarrage().isActive());
}

TEST_F(MessageFlash, TimersRunTheFadesFromTheEventLoop)
{
    flash.afficher();
    flash.fermer(150);
    QElapsedTimer chrono;
    chrono.start();
    while (!flash.isHidden() && chrono.elapsed() < 3000)
        QTest::qWait(10);
    EXPECT_TRUE(flash.isHidden());
    EXPECT_GE(chrono.elapsed(), 140);
    EXPECT_FALSE(demarrage().isActive());
    EXPECT_FALSE(fermeture().isActive());
}

TEST_F(MessageFlash, LongTextIsCutAtBothEdgesNotWrapped)
{
    afficherOpaque();
    flash.definirTexte(u"Lancement de la liste de lecture... "_s + QString(200, u'W'));
    EXPECT_EQ(label().geometry(), QRect(0, 10, 492, 13));
    EXPECT_FALSE(label().wordWrap());
    const QImage image = label().grab().toImage();
    auto encre = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 60)
                return true;
        return false;
    };
    bool gauche = false;
    bool droite = false;
    for (int x = 0; x < 6; ++x) {
        gauche = gauche || encre(x);
        droite = droite || encre(491 - x);
    }
    EXPECT_TRUE(gauche);
    EXPECT_TRUE(droite);
}

TEST_F(MessageFlash, ProgressStaysWithinItsRange)
{
    flash.afficherProgression(true);
    EXPECT_FALSE(barre().isHidden());
    flash.definirProgression(40);
    EXPECT_EQ(barre().value(), 40);
    flash.definirProgression(150);
    EXPECT_EQ(barre().value(), 100);
    flash.definirProgression(-3);
    EXPECT_EQ(barre().value(), 0);
    flash.afficherProgression(false);
    EXPECT_TRUE(barre().isHidden());
}

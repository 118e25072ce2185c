#include "chrome/TTransparentWnd.h"

#include <QElapsedTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// windowOpacity() reads back the stored byte: compare within one step of it.
constexpr double unPas = 1.0 / 255 + 1e-6;

} // namespace

struct CasAlpha
{
    int opacite;
    int alpha;
};

class Alpha : public ::testing::TestWithParam<CasAlpha>
{
};

TEST_P(Alpha, OpacityInPercentBecomesAnAlphaByte)
{
    const auto [opacite, alpha] = GetParam();
    EXPECT_EQ(TTransparentWnd::alpha(static_cast<qint8>(opacite)), alpha);

    QWidget fenetre;
    TTransparentWnd::ApplyOpacity(fenetre.winId(), static_cast<qint8>(opacite));
    EXPECT_NEAR(fenetre.windowOpacity(), alpha / 255.0, unPas);
}

// Values outside 0..100 stay within the byte instead of wrapping round.
INSTANTIATE_TEST_SUITE_P(Transparence, Alpha,
                         ::testing::Values(CasAlpha{100, 255}, CasAlpha{50, 127}, CasAlpha{1, 2},
                                           CasAlpha{0, 0}, CasAlpha{99, 252}, CasAlpha{127, 255},
                                           CasAlpha{-1, 0}, CasAlpha{-100, 0}));

TEST(Transparence, SetTransparencyActsOnTheOwnersNativeWindow)
{
    QWidget fenetre;
    TTransparentWnd transparent(&fenetre);
    EXPECT_EQ(fenetre.internalWinId(), WId{0});

    transparent.SetTransparency(100);
    EXPECT_NE(fenetre.internalWinId(), WId{0});
    EXPECT_NEAR(fenetre.windowOpacity(), 0.0, unPas);

    transparent.SetTransparency(50);
    EXPECT_NEAR(fenetre.windowOpacity(), 0.5, unPas);
    transparent.SetTransparency(0);
    EXPECT_NEAR(fenetre.windowOpacity(), 1.0, unPas);
    EXPECT_EQ(transparent.parent(), &fenetre);
}

TEST(Transparence, UnknownHandleIsIgnored)
{
    QWidget fenetre;
    const WId inconnu = fenetre.winId() + 0x10000;
    TTransparentWnd::ApplyOpacity(inconnu, 50);
    TTransparentWnd::ApplyOpacity(0, 50);
    EXPECT_NEAR(fenetre.windowOpacity(), 1.0, unPas);
}

TEST(Transparence, FadeStepWaitIsOneSettingForTheProgram)
{
    const int avant = TTransparentWnd::attenteFondu();
    TTransparentWnd::definirAttenteFondu(30);
    EXPECT_EQ(TTransparentWnd::attenteFondu(), 30);
    QElapsedTimer chrono;
    chrono.start();
    TTransparentWnd::attendreFondu();
    EXPECT_GE(chrono.elapsed(), 29);

    TTransparentWnd::definirAttenteFondu(0);
    chrono.restart();
    for (int k = 0; k < 100; ++k)
        TTransparentWnd::attendreFondu();
    EXPECT_LT(chrono.elapsed(), 20);
    TTransparentWnd::definirAttenteFondu(avant);
}

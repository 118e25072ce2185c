#include "chrome/TTransparentWnd.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

QtMessageHandler gestionnairePrecedent = nullptr;

// The offscreen platform stores a window's opacity but warns at every step of a fade.
void filtrerMessages(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support setting window opacity")))
        return;
    gestionnairePrecedent(type, contexte, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    gestionnairePrecedent = qInstallMessageHandler(filtrerMessages);
    QApplication application(argc, argv);
    TTransparentWnd::definirAttenteFondu(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

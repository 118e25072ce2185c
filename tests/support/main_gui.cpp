#include "chrome/TTransparentWnd.h"

#include <QApplication>
#include <QTemporaryDir>

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
    // The desktop's trash, where covers of deleted cards go, is one of the test program's own.
    QTemporaryDir donnees;
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        qputenv("XDG_DATA_HOME", donnees.path().toUtf8());
    TTransparentWnd::definirAttenteFondu(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

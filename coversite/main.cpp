// kinolux-coversite [--donnees DIR] [--ports P1,P2,P3] [--ini FILE]: the stand-in cover service on
// loopback.
#include "coversite/ServeurCouvertures.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

int g_signal[2] = {-1, -1};

// Only write() is safe in a signal handler: the event loop reads the byte and quits.
void surSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signal[0], &c, 1);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"kinolux-coversite"_s);

    QCommandLineParser analyseur;
    analyseur.setApplicationDescription(u"Stand-in cover service of Kinolux, on 127.0.0.1."_s);
    analyseur.addHelpOption();
    const QCommandLineOption optionDonnees(
        u"donnees"_s, u"Demo data folder (default: coversite-donnees beside the program)."_s,
        u"DIR"_s, QCoreApplication::applicationDirPath() + u"/coversite-donnees"_s);
    const QCommandLineOption optionPorts(
        u"ports"_s, u"Ports of the main, data and poster hosts (default: 8081,8082,8083)."_s,
        u"P1,P2,P3"_s, u"8081,8082,8083"_s);
    const QCommandLineOption optionIni(
        u"ini"_s, u"Once listening, write the program's kinolux.ini naming these hosts to FILE."_s,
        u"FILE"_s);
    analyseur.addOption(optionDonnees);
    analyseur.addOption(optionPorts);
    analyseur.addOption(optionIni);
    analyseur.process(application);

    const QStringList textes = analyseur.value(optionPorts).split(u',');
    std::array<quint16, 3> ports{};
    bool portsValides = textes.size() == 3;
    for (qsizetype i = 0; portsValides && i < 3; ++i)
        ports.at(static_cast<size_t>(i)) = textes.at(i).toUShort(&portsValides);
    if (!portsValides) {
        std::fprintf(stderr, "kinolux-coversite: --ports takes three port numbers: P1,P2,P3\n");
        return 2;
    }

    ServeurCouvertures serveur(analyseur.value(optionDonnees));
    QString erreur;
    if (!serveur.demarrer(ports, &erreur)) {
        std::fprintf(stderr, "kinolux-coversite: %s\n", qPrintable(erreur));
        return 1;
    }

    // Ports 0 take free ones: the ini file tells the program (or a test) which.
    if (analyseur.isSet(optionIni)) {
        const QByteArray texte =
            "[sites]\nprincipal=" + serveur.adresse(ServeurCouvertures::Principal).toLatin1() +
            "\ndonnees=" + serveur.adresse(ServeurCouvertures::Donnees).toLatin1() +
            "\naffiches=" + serveur.adresse(ServeurCouvertures::Affiches).toLatin1() + '\n';
        QSaveFile ini(analyseur.value(optionIni));
        if (!ini.open(QIODevice::WriteOnly) || ini.write(texte) != texte.size() || !ini.commit()) {
            std::fprintf(stderr, "kinolux-coversite: %s: %s\n",
                         qPrintable(analyseur.value(optionIni)), qPrintable(ini.errorString()));
            return 1;
        }
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal) != 0) {
        std::perror("kinolux-coversite: socketpair");
        return 1;
    }
    QSocketNotifier notificateur(g_signal[1], QSocketNotifier::Read);
    QObject::connect(&notificateur, &QSocketNotifier::activated, &application,
                     [] { QCoreApplication::quit(); });
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    std::printf("prêt\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

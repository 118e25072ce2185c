#include "app/DialoguesQt.h"
#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/Erreur.h"
#include "catalogue/RepertoireDonnees.h"
#include "chrome/Images.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    application.setWindowIcon(QPixmap::fromImage(Images::iconeProgramme()));

    // The standard buttons of message boxes in French, when Qt's translations are installed.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    DialoguesQt dialogues;
    // An installed program keeps the user's files in the user's own folder; a folder that cannot
    // be made or filled stops the program rather than showing an empty catalogue.
    QString repertoire;
    try {
        repertoire = RepertoireDonnees::choisir(QCoreApplication::applicationDirPath());
    } catch (const Erreur &erreur) {
        dialogues.erreur(erreur.texte());
        return 1;
    }
    Kinolux kinolux(repertoire, dialogues);
    QObject::connect(&kinolux.KinoluxPC(), &TKinoluxPC::fermee, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    kinolux.KinoluxPC().show();
    return application.exec();
}

#include "app/DialoguesQt.h"
#include "app/InstanceUnique.h"
#include "app/Kinolux.h"
#include "app/TKinoluxPC.h"
#include "catalogue/Erreur.h"
#include "catalogue/RepertoireDonnees.h"
#include "chrome/Images.h"
#include "views/TKinoluxFPrincipale.h"

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
    // One run writes to a folder: a second one brings the first to the front and stops.
    InstanceUnique instance(repertoire);
    if (!instance.acquerir()) {
        dialogues.message(QStringLiteral("Kinolux"),
                          QStringLiteral("Kinolux est déjà ouvert sur ce catalogue."));
        return 0;
    }
    Kinolux kinolux(repertoire, dialogues);
    QObject::connect(&instance, &InstanceUnique::appelee, &application, [&kinolux] {
        QWidget *fenetre = &kinolux.KinoluxPC();
        if (QWidget *catalogue = &kinolux.KinoluxFPrincipale(); catalogue->isVisible())
            fenetre = catalogue;
        fenetre->show();
        fenetre->setWindowState(fenetre->windowState() & ~Qt::WindowMinimized);
        fenetre->raise();
        fenetre->activateWindow();
    });
    QObject::connect(&kinolux.KinoluxPC(), &TKinoluxPC::fermee, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    kinolux.KinoluxPC().show();
    return application.exec();
}

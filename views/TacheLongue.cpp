#include "views/TacheLongue.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

bool executerTache(QWidget *parent, const QString &libelle,
                   const std::function<void(Progression &)> &travail)
{
    Progression progression;
    std::exception_ptr erreur;
    bool annulee = false;
    std::unique_ptr<QThread> fil(QThread::create([&] {
        try {
            travail(progression);
        } catch (const Progression::Annulation &) {
            annulee = true;
        } catch (...) {
            erreur = std::current_exception();
        }
    }));

    QProgressDialog barre(libelle, u"Annuler"_s, 0, 0, parent);
    barre.setObjectName(u"barreProgression"_s);
    barre.setWindowTitle(u"Kinolux"_s);
    barre.setWindowModality(Qt::ApplicationModal);
    barre.setMinimumDuration(400);
    barre.setAutoReset(false);
    barre.setAutoClose(false);
    QObject::connect(&barre, &QProgressDialog::canceled, &barre,
                     [&progression] { progression.annuler(); });
    QTimer suivi;
    suivi.setInterval(50);
    QObject::connect(&suivi, &QTimer::timeout, &barre, [&barre, &progression] {
        const qint64 total = progression.total();
        if (total > 0 && total < std::numeric_limits<int>::max()) {
            barre.setMaximum(int(total));
            barre.setValue(int(std::min(progression.fait(), total)));
        }
    });

    QEventLoop boucle;
    QObject::connect(fil.get(), &QThread::finished, &boucle, &QEventLoop::quit);
    fil->start();
    suivi.start();
    boucle.exec();
    fil->wait();
    suivi.stop();
    barre.close();
    if (erreur)
        std::rethrow_exception(erreur);
    return !annulee;
}

// The poster wall over 35,000 cards with real 600 x 850 JPEG covers, on the offscreen platform:
// the first screen with and without the desktop's thumbnails, the longest stall of the GUI thread
// while scrolling from top to bottom, and the memory the wall adds. The covers are 50 pictures,
// each file of a card a hard link to one of them: every card has a file of its own to decode.
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "views/FenetreVueEnsemble.h"
#include "views/OngletAffiches.h"
#include "views/TKinoluxFPrincipale.h"
#include "views/Vignettes.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;
constexpr int k_images = 50;
constexpr int k_repetitions = 5;

double memoireMo()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : status.readAll().split('\n'))
        if (ligne.startsWith("VmRSS:"))
            return ligne.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

double tasMo()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

double mediane(std::vector<double> valeurs)
{
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[valeurs.size() / 2];
}

// 50 covers of 600 x 850, then a hard link to one of them for each card.
void couvertures(Tdm_Kinolux &dm, const QString &dossier)
{
    for (int i = 0; i < k_images; ++i) {
        QImage image(600, 850, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 7 % 360, 120, 160));
        QPainter peintre(&image);
        peintre.setPen(Qt::white);
        peintre.setFont(QFont(u"DejaVu Serif"_s, 40));
        for (int ligne = 0; ligne < 12; ++ligne)
            peintre.drawText(40, 80 + ligne * 64, u"Affiche %1 %2"_s.arg(i).arg(ligne));
        peintre.end();
        image.save(dossier + u"/%1.jpg"_s.arg(i), "JPG", 85);
    }
    for (size_t i = 0; i < dm.fichesFilms().size(); ++i) {
        const QString cible = dm.chemin(dm.fichesFilms()[i]->cheminImage());
        QFile::remove(cible);
        const QByteArray source = QFile::encodeName(dossier + u"/%1.jpg"_s.arg(i % k_images));
        if (::link(source.constData(), QFile::encodeName(cible).constData()) != 0)
            QFile::copy(QString::fromLocal8Bit(source), cible);
    }
}

} // namespace

int main(int argc, char **argv)
{
    ApplicationBench application(argc, argv);
    Rapporteur rapporteur("bench_affiches");
    QTemporaryDir cache;
    QTemporaryDir images;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    {
        ProgrammeCharge programme(k_fiches);
        TKinoluxFPrincipale &fp = programme.fp();
        couvertures(programme.kinolux->dm_Kinolux(), images.path());
        fp.action(u"afficherVueEnsemble"_s)->trigger();
        FenetreVueEnsemble &vue = *fp.vueEnsemble();
        vue.resize(1000, 720);
        vue.show();
        QCoreApplication::processEvents();
        OngletAffiches &affiches = vue.ongletAffiches();
        QListView &grille = affiches.grilleAffiches();
        Vignettes &vignettes = affiches.vignettes();
        const double memoireAvant = memoireMo();
        const double tasAvant = tasMo();

        // The tab opened, until every cell in view is painted with its cover.
        const auto premierEcran = [&] {
            vue.pcVueEnsemble().setCurrentIndex(0);
            QCoreApplication::processEvents();
            vignettes.viderMemoire();
            QElapsedTimer chrono;
            chrono.start();
            vue.pcVueEnsemble().setCurrentWidget(&affiches);
            QCoreApplication::processEvents();
            grille.viewport()->repaint();
            vignettes.attendre();
            grille.viewport()->repaint();
            return double(chrono.nsecsElapsed()) / 1e6;
        };
        std::vector<double> froids, chauds;
        for (int i = 0; i < k_repetitions; ++i) {
            QDir(cache.path() + u"/thumbnails"_s).removeRecursively();
            froids.push_back(premierEcran());
        }
        for (int i = 0; i < k_repetitions; ++i)
            chauds.push_back(premierEcran());
        rapporteur.ajouter("PremierEcranFroid_ms", mediane(froids));
        rapporteur.ajouter("PremierEcranChaud_ms", mediane(chauds));

        // Top to bottom in 100 steps; each step is what the GUI thread does before the next. The
        // longest step of a scroll, median of five scrolls (one step of one scroll is at the
        // mercy of the machine's other work).
        QScrollBar &defilement = *grille.verticalScrollBar();
        std::vector<double> arrets;
        for (int tour = 0; tour < k_repetitions; ++tour) {
            defilement.setValue(0);
            vignettes.attendre();
            vignettes.viderMemoire();
            double arretMaximal = 0;
            for (int pas = 1; pas <= 100; ++pas) {
                QElapsedTimer chrono;
                chrono.start();
                defilement.setValue(defilement.maximum() * pas / 100);
                QCoreApplication::processEvents();
                grille.viewport()->repaint();
                arretMaximal = std::max(arretMaximal, double(chrono.nsecsElapsed()) / 1e6);
            }
            vignettes.attendre();
            arrets.push_back(arretMaximal);
        }
        rapporteur.ajouter("ArretMaximalDefilement_ms", mediane(arrets));
        rapporteur.ajouter("MemoireMur_Mo",
                           std::max(memoireMo() - memoireAvant, tasMo() - tasAvant));
        rapporteur.ajouter("Fiches", double(grille.model()->rowCount()));
    }
    rapporteur.imprimer({});
    return 0;
}

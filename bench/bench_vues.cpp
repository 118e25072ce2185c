// The classification tree and the search over 35,000 cards, on the offscreen platform.
#include "app/Kinolux.h"
#include "bench/GenerateurCatalogue.h"
#include "bench/ProgrammeBench.h"
#include "bench/Rapporteur.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/PaintBox.h"
#include "chrome/TTransparentWnd.h"
#include "views/OngletClassement.h"
#include "views/OngletRecherche.h"
#include "views/TKinoluxFPrincipale.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

struct Programme : ProgrammeCharge
{
    Programme()
        : ProgrammeCharge(k_fiches)
    {
    }
    OngletClassement &classement() { return *fp().findChild<OngletClassement *>(u"tabClasses"_s); }
    OngletRecherche &recherche() { return *fp().findChild<OngletRecherche *>(u"tabRecherche"_s); }
    void choisirClassement(int index)
    {
        fp().findChild<QGroupBox *>(u"rgClassementType"_s)
            ->findChildren<QRadioButton *>()
            .at(index)
            ->setChecked(true);
    }
};

Programme &programme()
{
    return *programmeBench<Programme>();
}

void MAJ_Classement(benchmark::State &etat)
{
    programme().choisirClassement(int(etat.range(0)));
    OngletClassement &onglet = programme().classement();
    for (auto _ : etat)
        onglet.MAJ_ClassementExecute();
    const QTreeWidget &arbre = onglet.arbreClassementFilms();
    int films = 0;
    for (int i = 0; i < arbre.topLevelItemCount(); ++i)
        films += arbre.topLevelItem(i)->childCount();
    etat.counters["groupes"] = arbre.topLevelItemCount();
    etat.counters["films"] = films;
    programme().choisirClassement(0);
}

void MAJ_Recherche(benchmark::State &etat)
{
    OngletRecherche &onglet = programme().recherche();
    for (auto _ : etat)
        onglet.MAJ_RechercheExecute();
    etat.counters["acteurs"] =
        programme().fp().findChild<QComboBox *>(u"cbRechercheActeurs"_s)->count();
}

// "Nom du Film" and "Acteur" ticked: a title fragment and an actor of the catalogue.
void RechercherRecherche(benchmark::State &etat)
{
    TKinoluxFPrincipale &fp = programme().fp();
    OngletRecherche &onglet = programme().recherche();
    onglet.MAJ_RechercheExecute();
    fp.findChild<QCheckBox *>(u"chbRechercheNomFilm"_s)->setChecked(true);
    fp.findChild<QLineEdit *>(u"editRecherche"_s)->setText(u"pont"_s);
    fp.findChild<QCheckBox *>(u"chbRechercheActeur"_s)->setChecked(true);
    fp.findChild<QComboBox *>(u"cbRechercheActeurs"_s)->setCurrentIndex(0);
    for (auto _ : etat)
        onglet.rechercherRechercheExecute();
    etat.counters["resultats"] = onglet.listeRecherche().count();
}

// The refresh of all views: the film list, the tree (by first letter, or by genre) and the
// search's choice boxes.
void MAJ_ListeFilms(benchmark::State &etat)
{
    programme().choisirClassement(int(etat.range(0)));
    TKinoluxFPrincipale &fp = programme().fp();
    for (auto _ : etat)
        fp.MAJ_ListeFilms();
    etat.counters["fiches"] = double(fp.listeFilms().count());
    programme().choisirClassement(0);
}

} // namespace

BENCHMARK(MAJ_Classement)->DenseRange(0, 5)->Apply(enMillisecondes);
BENCHMARK(MAJ_Recherche)->Apply(enMillisecondes);
BENCHMARK(RechercherRecherche)->Apply(enMillisecondes);
BENCHMARK(MAJ_ListeFilms)->Arg(0)->Arg(1)->Apply(enMillisecondes);

int main(int argc, char **argv)
{
    return executerBenchs<Programme>(argc, argv, "bench_vues");
}

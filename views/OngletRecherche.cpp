#include "views/OngletRecherche.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletRecherche::OngletRecherche(QWidget *parent)
    : Onglet(u"tabRecherche"_s, u"barreRecherche"_s, u"Recherche"_s, parent)
{
    contenu().addStretch(1);
}

void OngletRecherche::relier(const Tdm_Kinolux &dm,
                             std::function<void(const QString &)> afficherFiche)
{
    m_dm = &dm;
    m_afficherFiche = std::move(afficherFiche);
}

void OngletRecherche::MAJ_RechercheExecute()
{
}

void OngletRecherche::rechercherRechercheExecute()
{
}

void OngletRecherche::afficherRechercheFicheExecute()
{
}

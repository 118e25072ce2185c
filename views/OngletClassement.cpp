#include "views/OngletClassement.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletClassement::OngletClassement(QWidget *parent)
    : Onglet(u"tabClasses"_s, u"barreTitreClasses"_s, u"Classements"_s, parent)
{
    contenu().addStretch(1);
}

void OngletClassement::relier(const Tdm_Kinolux &dm,
                              std::function<void(const QString &)> afficherFiche)
{
    m_dm = &dm;
    m_afficherFiche = std::move(afficherFiche);
}

void OngletClassement::MAJ_ClassementExecute()
{
}

void OngletClassement::afficherClassementFicheExecute()
{
}

#include "views/OngletClassement.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletClassement::OngletClassement(QWidget *parent)
    : Onglet(u"tabClasses"_s, u"barreTitreClasses"_s, u"Classements"_s, parent)
{
    contenu().addStretch(1);
}

#include "views/OngletEdition.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletEdition::OngletEdition(QWidget *parent)
    : Onglet(u"tabEdition"_s, u"barreEdition"_s, u"Edition de la Fiche"_s, parent)
{
    contenu().addStretch(1);
}

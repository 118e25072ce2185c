#include "views/OngletListeLecture.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletListeLecture::OngletListeLecture(QWidget *parent)
    : Onglet(u"tabListeLecture"_s, u"barreTitreListeLecture"_s, u"Liste de Lecture"_s, parent)
{
    contenu().addStretch(1);
}

#include "views/OngletRecherche.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletRecherche::OngletRecherche(QWidget *parent)
    : Onglet(u"tabRecherche"_s, u"barreRecherche"_s, u"Recherche"_s, parent)
{
    contenu().addStretch(1);
}

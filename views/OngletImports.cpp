#include "views/OngletImports.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletImports::OngletImports(QWidget *parent)
    : Onglet(u"tabImportsFiches"_s, u"barreGestion"_s, u"Importations de Fiches"_s, parent)
{
    contenu().addStretch(1);
}

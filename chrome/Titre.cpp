#include "chrome/Titre.h"

#include <QLabel>

using namespace Qt::StringLiterals;

QLabel *creerTitre(QWidget *parent, const QString &nom, const QString &texte, const QColor &couleur)
{
    auto *label = new QLabel(texte, parent);
    label->setObjectName(nom);
    QFont police(u"Tahoma"_s, 8);
    police.setBold(true);
    label->setFont(police);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, couleur);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

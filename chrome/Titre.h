#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

// A window's title label: bold Tahoma 8 points, centred, transparent. Two of them, black and
// white, drawn 2 pixels right and 1 down from each other, give the shadowed title.
QLabel *creerTitre(QWidget *parent, const QString &nom, const QString &texte,
                   const QColor &couleur);

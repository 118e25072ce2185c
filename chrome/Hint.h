#pragma once

#include <QString>

class QWidget;

// A control's hint is its tool tip. Controls that do not show their hint keep it all the same
// (other code reads it back), but never pop it up.
void definirHint(QWidget &controle, const QString &hint, bool affiche);

#pragma once

#include <QString>

#include <functional>

class QWidget;

// Runs the action of this name from the action list of the window that holds `controle`, so the
// command reports its errors like every other; a control outside the catalogue window (a tab
// on its own) runs `sansFenetre` instead.
void declencherAction(const QWidget &controle, const QString &nom,
                      const std::function<void()> &sansFenetre);

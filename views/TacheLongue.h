#pragma once

#include "echanges/Progression.h"

#include <QString>

#include <functional>

class QWidget;

// Runs `travail` on a thread of its own while a progress bar with a cancel button tells how far
// it is (shown only when it lasts); returns once it is over, the other windows waiting meanwhile.
// False when the user stopped it (the work raised Progression::Annulation). An error raised by
// the work is raised again here, on the GUI thread.
bool executerTache(QWidget *parent, const QString &libelle,
                   const std::function<void(Progression &)> &travail);

#pragma once

#include <QAction>
#include <QList>

#include <functional>

class Dialogues;
class Tdm_Kinolux;

// "Annuler" (Ctrl+Z) and "Rétablir" (Ctrl+Maj+Z), the actions `annulerModification` and
// `retablirModification` of a window, children of `conteneur`: each runs its handler through the
// error box; their captions name the step they would undo or do again, and they are greyed when
// there is none.
QList<QAction *> creerActionsAnnulation(Tdm_Kinolux &dm, Dialogues &dialogues, QObject *conteneur,
                                        std::function<void()> annuler,
                                        std::function<void()> retablir);

#pragma once

class QWidget;

// Places a top-level window at the centre of its screen (the primary one before it is shown).
void centrerSurEcran(QWidget &fenetre);

#pragma once

#include "catalogue/SauvegardesBase.h"

#include <QDialog>
#include <QList>

class QListWidget;
class QPushButton;

// "Restaurer une sauvegarde…": the kept versions of the catalogue file, newest first, with their
// date and number of cards.
class DialogueSauvegardes final : public QDialog
{
    Q_OBJECT

public:
    explicit DialogueSauvegardes(QList<SauvegardesBase::Sauvegarde> sauvegardes,
                                 QWidget *parent = nullptr);

    // The chosen version; none while no row is chosen.
    const SauvegardesBase::Sauvegarde *choisie() const;

    QListWidget &listeSauvegardes() { return *m_liste; }
    QPushButton &boutonRestaurer() { return *m_restaurer; }

private:
    QList<SauvegardesBase::Sauvegarde> m_sauvegardes;
    QListWidget *m_liste;
    QPushButton *m_restaurer;
};

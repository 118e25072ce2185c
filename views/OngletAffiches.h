#pragma once

#include "catalogue/TFicheFilm.h"

#include <QWidget>

#include <functional>

class ModeleVueEnsemble;
class QItemSelectionModel;
class QListView;
class QSlider;
class Tdm_Kinolux;
class Vignettes;

// The overview's tab "Affiches": every film of the table as its cover, its title and its year, in
// the table's order and filter, with the table's selection. Covers are decoded off the GUI
// thread, for the cells in view and a page ahead; a placeholder shows until they arrive.
class OngletAffiches final : public QWidget
{
    Q_OBJECT

public:
    OngletAffiches(const Tdm_Kinolux &dm, ModeleVueEnsemble &vue, QItemSelectionModel &selection,
                   std::function<void(CleFiche)> afficherFiche, QWidget *parent = nullptr);
    ~OngletAffiches() override;

    QListView &grilleAffiches() { return *m_grille; }
    QSlider &tbTailleAffiches() { return *m_taille; }
    Vignettes &vignettes() { return *m_vignettes; }
    int hauteurAffiche() const;

public slots:
    void tbTailleAffichesChange();
    // Asks for the covers of the cells in view and of the next page, forgets the others.
    void demanderVisibles();

private:
    const Tdm_Kinolux &m_dm;
    ModeleVueEnsemble &m_vue;
    std::function<void(CleFiche)> m_afficherFiche;
    Vignettes *m_vignettes;
    QListView *m_grille;
    QSlider *m_taille;
};

#pragma once

#include "views/Onglet.h"

class PaintBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTimer;
class Tdm_Kinolux;

// The import tab: the cover site's title index, filtered by a title fragment 2000 ms after the
// last change of the fragment, and the buttons that update the index and import a card.
class OngletImports final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletImports(QWidget *parent = nullptr);
    void relier(const Tdm_Kinolux &dm);

    QListWidget &listeMovieCovers() { return *m_listeMovieCovers; }
    QLineEdit &editGestionTitreFilm() { return *m_editGestionTitreFilm; }
    QProgressBar &barreProgGestion() { return *m_barreProgGestion; }
    PaintBox &boutonMAJListeMovieCovers() { return *m_boutonMAJListeMovieCovers; }
    PaintBox &boutonAjouterFilm() { return *m_boutonAjouterFilm; }

public slots:
    // Re-arms the filter: it runs once, 2000 ms after the last call.
    void editGestionTitreFilmChange();
    void tempoGestionRafraichTimer();

signals:
    void titreDoubleClique();

private:
    const Tdm_Kinolux *m_dm = nullptr;
    QListWidget *m_listeMovieCovers;
    QLabel *m_lbNbTitresMovieCovers;
    PaintBox *m_boutonMAJListeMovieCovers;
    PaintBox *m_boutonAjouterFilm;
    QLineEdit *m_editGestionTitreFilm;
    QLabel *m_lbGestionStatus;
    QProgressBar *m_barreProgGestion;
    QTimer *m_tempoGestionRafraich;
};

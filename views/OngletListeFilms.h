#pragma once

#include "catalogue/Tdm_Kinolux.h"
#include "views/Onglet.h"

class PaintBox;
class QListWidget;
class TFicheFilm;
class TImage;

// The film-list tab: one row per card, sorted by French title ignoring letter case, each row
// carrying its card; the catalogue commands' buttons at its foot.
class OngletListeFilms final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletListeFilms(QWidget *parent = nullptr);

    QListWidget &listeFilms() { return *m_listeFilms; }
    // Rebuilds the rows from the catalogue; no row is selected afterwards.
    void remplir(const Catalogue &fiches);
    TFicheFilm *ficheSelectionnee() const;
    static TFicheFilm *ficheDeLigne(const QListWidget &liste, int ligne);

    PaintBox &boutonSupprimerFiche() { return *m_boutonSupprimerFiche; }
    PaintBox &boutonNouvelleFicheVide() { return *m_boutonNouvelleFicheVide; }
    PaintBox &boutonLFAjouterListeLecture() { return *m_boutonLFAjouterListeLecture; }
    PaintBox &boutonGestionEnregistrer() { return *m_boutonGestionEnregistrer; }
    TImage &boutonAPropos() { return *m_boutonAPropos; }

signals:
    // The user picked a row (mouse or keyboard).
    void ligneChoisie();

protected:
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    // The selected row, -1 when none.
    int ligneSelectionnee() const;

    QListWidget *m_listeFilms;
    PaintBox *m_boutonSupprimerFiche;
    PaintBox *m_boutonNouvelleFicheVide;
    PaintBox *m_boutonLFAjouterListeLecture;
    PaintBox *m_boutonGestionEnregistrer;
    TImage *m_boutonAPropos;
    int m_ligneAvantTouche = -1;
};

#pragma once

#include "catalogue/TFicheFilm.h"
#include "views/Onglet.h"

#include <QPointer>

#include <vector>

class ModeleCatalogue;
class PaintBox;
class QListWidget;
class TImage;

// The film-list tab: one row per card of the catalogue model, sorted by French title ignoring
// letter case, each row tied to its card's number; the catalogue commands' buttons at its foot.
// A card retitled moves its row to its new place at once.
class OngletListeFilms final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletListeFilms(QWidget *parent = nullptr);
    ~OngletListeFilms() override;

    void relier(const ModeleCatalogue &modele);

    QListWidget &listeFilms() { return *m_listeFilms; }
    // Rebuilds the rows from the catalogue model; no row is selected afterwards.
    void remplir();
    // The number of the selected row's card, of a row's card; 0 for none.
    CleFiche cleSelectionnee() const;
    CleFiche cleDeLigne(int ligne) const;
    // The row of a card's number; -1 when no row shows it.
    int ligneDe(CleFiche cle) const;
    // The card of the selected row, while it is in the catalogue.
    const TFicheFilm *ficheSelectionnee() const;

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
    // A card of the model changed: its row goes where its title now sorts, still selected if it
    // was.
    void placerLignes(const QModelIndex &premier, const QModelIndex &dernier);

    QPointer<const ModeleCatalogue> m_modele;
    // The number of each row's card, row by row: kept beside the rows rather than in them, as a
    // value a row would cost an allocation of its own, two at a fill of 35,000 rows. It follows
    // every row the list gains or loses.
    std::vector<CleFiche> m_cles;
    QListWidget *m_listeFilms;
    PaintBox *m_boutonSupprimerFiche;
    PaintBox *m_boutonNouvelleFicheVide;
    PaintBox *m_boutonLFAjouterListeLecture;
    PaintBox *m_boutonGestionEnregistrer;
    TImage *m_boutonAPropos;
    int m_ligneAvantTouche = -1;
};

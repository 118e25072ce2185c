#pragma once

#include "views/Onglet.h"

#include <QPointer>

#include <functional>

class PaintBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class ModeleCatalogue;

// The search tab: cards found by several criteria at once.
class OngletRecherche final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletRecherche(QWidget *parent = nullptr);
    // `afficherFiche` shows the card of a French title on the sheet, as the film list does.
    void relier(const ModeleCatalogue &modele, std::function<void(const QString &)> afficherFiche);

    QListWidget &listeRecherche() { return *m_listeRecherche; }

public slots:
    void MAJ_RechercheExecute();
    void rechercherRechercheExecute();
    void afficherRechercheFicheExecute();

private:
    QPointer<const ModeleCatalogue> m_modele;
    std::function<void(const QString &)> m_afficherFiche;

    QListWidget *m_listeRecherche;
    QLineEdit *m_editRecherche;
    QCheckBox *m_chbRechercheNomFilm;
    QCheckBox *m_chbRechercheMotCle;
    QCheckBox *m_chbRechercheActeur;
    QComboBox *m_cbRechercheActeurs;
    QCheckBox *m_chbRechercheDistrib;
    QComboBox *m_cbRechercheDistrib;
    QCheckBox *m_chbRechercheRealis;
    QComboBox *m_cbRechercheRealis;
    QCheckBox *m_chbRechercheAnnee;
    QComboBox *m_cbRechercheAnnee;
    PaintBox *m_boutonRechercher;
};

#pragma once

#include "views/Onglet.h"

#include <functional>

class Tdm_Kinolux;

// The search tab: cards found by several criteria at once.
class OngletRecherche final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletRecherche(QWidget *parent = nullptr);
    // `afficherFiche` shows the card of a French title on the sheet, as the film list does.
    void relier(const Tdm_Kinolux &dm, std::function<void(const QString &)> afficherFiche);

public slots:
    void MAJ_RechercheExecute();
    void rechercherRechercheExecute();
    void afficherRechercheFicheExecute();

private:
    const Tdm_Kinolux *m_dm = nullptr;
    std::function<void(const QString &)> m_afficherFiche;
};

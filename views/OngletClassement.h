#pragma once

#include "views/Onglet.h"

#include "catalogue/TFicheFilm.h"

#include <QIcon>
#include <QPointer>

#include <functional>
#include <vector>

class PaintBox;
class QButtonGroup;
class QGroupBox;
class ModeleCatalogue;
class QTreeWidget;
class QTreeWidgetItem;

// The classification tab: the catalogue as a tree of groups.
class OngletClassement final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletClassement(QWidget *parent = nullptr);
    // `afficherFiche` shows the card of a French title on the sheet, as the film list does.
    void relier(const ModeleCatalogue &modele, std::function<void(const QString &)> afficherFiche);

    QTreeWidget &arbreClassementFilms() { return *m_arbreClassementFilms; }
    // The number of a film node's card; 0 for a group node.
    static CleFiche cleDuNoeud(const QTreeWidgetItem &noeud);
    // The card of a film node while it is in the catalogue; none for a group node.
    const TFicheFilm *ficheDuNoeud(const QTreeWidgetItem &noeud) const;

public slots:
    void MAJ_ClassementExecute();
    void afficherClassementFicheExecute();

private:
    // The pictures of a medium-type group: the group's, and its films' (the film picture when
    // selected).
    struct IconesSupport
    {
        QIcon groupe;
        QIcon film;
    };
    const IconesSupport &iconesSupport(int image);
    QPointer<const ModeleCatalogue> m_modele;
    std::function<void(const QString &)> m_afficherFiche;

    QTreeWidget *m_arbreClassementFilms;
    PaintBox *m_boutonClassementAfficherFicheFilm;
    QGroupBox *m_rgClassementType;
    QButtonGroup *m_types;
    std::vector<IconesSupport> m_iconesSupport; // made at the first use
};

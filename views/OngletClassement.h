#pragma once

#include "views/Onglet.h"

#include <QIcon>
#include <QPointer>

#include <functional>
#include <vector>

class PaintBox;
class QButtonGroup;
class QGroupBox;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TFicheFilm;
class Tdm_Kinolux;

// The classification tab: the catalogue as a tree of groups.
class OngletClassement final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletClassement(QWidget *parent = nullptr);
    // `afficherFiche` shows the card of a French title on the sheet, as the film list does.
    void relier(const Tdm_Kinolux &dm, std::function<void(const QString &)> afficherFiche);

    QTreeWidget &arbreClassementFilms() { return *m_arbreClassementFilms; }
    // The card of a film node; none for a group node.
    static const TFicheFilm *ficheDuNoeud(const QTreeWidgetItem &noeud);

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
    // The cards in the film list's order (the catalogue's when the tab stands alone).
    std::vector<const TFicheFilm *> fichesDeLaListe();

    const Tdm_Kinolux *m_dm = nullptr;
    std::function<void(const QString &)> m_afficherFiche;
    QPointer<QListWidget> m_listeFilms;

    QTreeWidget *m_arbreClassementFilms;
    PaintBox *m_boutonClassementAfficherFicheFilm;
    QGroupBox *m_rgClassementType;
    QButtonGroup *m_types;
    std::vector<IconesSupport> m_iconesSupport; // made at the first use
};

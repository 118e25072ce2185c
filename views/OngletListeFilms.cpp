#include "views/OngletListeFilms.h"

#include "catalogue/ModeleCatalogue.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"

#include <QFrame>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

OngletListeFilms::OngletListeFilms(QWidget *parent)
    : Onglet(u"tabListFilm"_s, u"barreTitreListeFilms"_s, u"Liste des Films"_s, parent)
    , m_listeFilms(new QListWidget(this))
    , m_boutonSupprimerFiche(creerBouton(u"boutonSupprimerFiche"_s, u"Supprimer le Film"_s))
    , m_boutonNouvelleFicheVide(creerBouton(u"boutonNouvelleFicheVide"_s, u"Nouvelle Fiche"_s))
    , m_boutonLFAjouterListeLecture(
          creerBouton(u"boutonLFAjouterListeLecture"_s, u"Ajouter à la liste de lecture"_s))
    , m_boutonGestionEnregistrer(
          creerBouton(u"boutonGestionEnregistrer"_s, u"Sauvegarder Base Film"_s))
    , m_boutonAPropos(new TImage(this))
{
    m_listeFilms->setObjectName(u"listeFilms"_s);
    m_listeFilms->setUniformItemSizes(true);
    m_listeFilms->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette palette = m_listeFilms->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    m_listeFilms->setPalette(palette);
    // A row picked by the user, with the mouse or the keys; rows selected by the program do
    // not show their card by themselves.
    m_listeFilms->installEventFilter(this);
    m_listeFilms->viewport()->installEventFilter(this);
    const QAbstractItemModel *lignes = m_listeFilms->model();
    connect(lignes, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                m_cles.insert(m_cles.begin() + premiere, size_t(derniere - premiere + 1), 0);
            });
    connect(lignes, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                m_cles.erase(m_cles.begin() + premiere, m_cles.begin() + derniere + 1);
            });
    connect(lignes, &QAbstractItemModel::modelReset, this,
            [this] { m_cles.assign(size_t(m_listeFilms->count()), 0); });

    m_boutonAPropos->setObjectName(u"boutonAPropos"_s);
    m_boutonAPropos->setFixedSize(41, 33);
    m_boutonAPropos->setCenter(true);
    m_boutonAPropos->setProportional(true);
    m_boutonAPropos->setPicture(QPixmap::fromImage(Images::aProposPetit()));
    m_boutonAPropos->setCursor(Qt::PointingHandCursor);
    definirHint(*m_boutonAPropos, u"A propos de Kinolux"_s, true);

    // The catalogue commands, stacked at the foot of the tab.
    auto *panneau = new QWidget(this);
    panneau->setObjectName(u"panelControlesListeFilms"_s);
    auto *commandes = new QVBoxLayout(panneau);
    commandes->setContentsMargins(0, 2, 0, 0);
    commandes->setSpacing(2);
    auto *bevel1 = new QFrame(panneau);
    bevel1->setObjectName(u"Bevel1"_s);
    bevel1->setFrameShape(QFrame::HLine);
    bevel1->setFrameShadow(QFrame::Sunken);
    bevel1->setFixedHeight(9);
    for (QWidget *controle :
         {static_cast<QWidget *>(m_boutonSupprimerFiche),
          static_cast<QWidget *>(m_boutonNouvelleFicheVide),
          static_cast<QWidget *>(m_boutonLFAjouterListeLecture), static_cast<QWidget *>(bevel1),
          static_cast<QWidget *>(m_boutonGestionEnregistrer)}) {
        controle->setParent(panneau);
        commandes->addWidget(controle);
    }
    m_boutonAPropos->setParent(panneau);
    commandes->addWidget(m_boutonAPropos, 0, Qt::AlignRight);

    contenu().addWidget(m_listeFilms, 1);
    contenu().addWidget(panneau);
}

OngletListeFilms::~OngletListeFilms()
{
    // The list's rows go with the list, once this tab is no longer one: they are not followed.
    disconnect(m_listeFilms->model(), nullptr, this, nullptr);
}

void OngletListeFilms::relier(const ModeleCatalogue &modele)
{
    m_modele = &modele;
    connect(&modele, &QAbstractItemModel::dataChanged, this, &OngletListeFilms::placerLignes);
}

void OngletListeFilms::remplir()
{
    // Sorted as a list box sorts, ignoring letter case (and with accented letters beside their
    // base letter); equal titles keep the catalogue's order. The model keeps that order.
    const std::vector<int> vide;
    const std::vector<int> &ordre = m_modele ? m_modele->lignesParTitre() : vide;
    std::vector<CleFiche> cles(ordre.size());
    for (size_t ligne = 0; ligne < ordre.size(); ++ligne)
        cles[ligne] = m_modele->cle(ordre[ligne]);

    // After a card added or deleted most rows stand as they were: the rows before and after the
    // difference are kept (their titles brought up to date), only the ones between are made
    // again. The list then looks as if rebuilt: no row selected, shown from its top.
    const size_t anciennes = m_cles.size();
    size_t debut = 0;
    while (debut < anciennes && debut < cles.size() && m_cles[debut] == cles[debut])
        ++debut;
    size_t fin = 0;
    while (fin < anciennes - debut && fin < cles.size() - debut &&
           m_cles[anciennes - 1 - fin] == cles[cles.size() - 1 - fin])
        ++fin;
    constexpr size_t k_differenceMaximale = 64;
    const bool garder = anciennes - debut - fin + cles.size() - debut - fin <= k_differenceMaximale;

    m_listeFilms->setUpdatesEnabled(false);
    m_listeFilms->setCurrentRow(-1);
    if (!garder) {
        m_listeFilms->clear();
        debut = 0;
        fin = 0;
    }
    for (size_t retiree = anciennes - debut - fin; retiree > 0; --retiree)
        delete m_listeFilms->takeItem(int(debut));
    QStringList titres;
    for (size_t ligne = debut; ligne < cles.size() - fin; ++ligne)
        titres.append(m_modele->fiche(ordre[ligne]).titreFrancais());
    m_listeFilms->insertItems(int(debut), titres);
    for (size_t ligne = 0; ligne < cles.size(); ++ligne) {
        if (ligne >= debut && ligne < cles.size() - fin)
            continue;
        QListWidgetItem *item = m_listeFilms->item(int(ligne));
        const QString &titre = m_modele->fiche(ordre[ligne]).titreFrancais();
        if (item->text() != titre)
            item->setText(titre);
    }
    m_cles = std::move(cles);
    m_listeFilms->setCurrentRow(-1);
    m_listeFilms->scrollToTop();
    m_listeFilms->setUpdatesEnabled(true);
}

void OngletListeFilms::placerLignes(const QModelIndex &premier, const QModelIndex &dernier)
{
    if (!m_modele)
        return;
    for (int ligneModele = premier.row(); ligneModele <= dernier.row(); ++ligneModele) {
        const CleFiche cle = m_modele->cle(ligneModele);
        const QString &titre = m_modele->fiche(ligneModele).titreFrancais();
        const auto trouvee = std::find(m_cles.begin(), m_cles.end(), cle);
        const int ligne = int(trouvee - m_cles.begin());
        if (trouvee == m_cles.end() || m_listeFilms->item(ligne)->text() == titre)
            continue;

        // Its place in the model's order, counted among the rows that the list shows.
        const std::vector<int> &ordre = m_modele->lignesParTitre();
        int place = 0;
        for (const int autre : ordre) {
            if (autre == ligneModele)
                break;
            ++place;
        }
        const bool choisie = ligne == ligneSelectionnee();
        QListWidgetItem *item = m_listeFilms->takeItem(ligne);
        item->setText(titre);
        place = std::min(place, m_listeFilms->count());
        m_listeFilms->insertItem(place, item);
        m_cles[size_t(place)] = cle;
        if (choisie)
            m_listeFilms->setCurrentItem(item);
    }
}

bool OngletListeFilms::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_listeFilms->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *souris = static_cast<QMouseEvent *>(event);
        if (souris->button() == Qt::LeftButton &&
            m_listeFilms->itemAt(souris->position().toPoint()))
            emit ligneChoisie();
    } else if (objet == m_listeFilms && event->type() == QEvent::KeyPress) {
        m_ligneAvantTouche = ligneSelectionnee();
    } else if (objet == m_listeFilms && event->type() == QEvent::KeyRelease) {
        // The selected row, not the current one: a list given the focus makes its first row
        // current without selecting it, and a key that then selects that row picks it.
        const int ligne = ligneSelectionnee();
        if (ligne != m_ligneAvantTouche && ligne >= 0)
            emit ligneChoisie();
    }
    return Onglet::eventFilter(objet, event);
}

int OngletListeFilms::ligneSelectionnee() const
{
    const auto selection = m_listeFilms->selectedItems();
    return selection.isEmpty() ? -1 : m_listeFilms->row(selection.first());
}

CleFiche OngletListeFilms::cleDeLigne(int ligne) const
{
    return ligne >= 0 && size_t(ligne) < m_cles.size() ? m_cles[size_t(ligne)] : 0;
}

int OngletListeFilms::ligneDe(CleFiche cle) const
{
    const auto trouvee = cle ? std::find(m_cles.begin(), m_cles.end(), cle) : m_cles.end();
    return trouvee == m_cles.end() ? -1 : int(trouvee - m_cles.begin());
}

CleFiche OngletListeFilms::cleSelectionnee() const
{
    const int ligne = ligneSelectionnee();
    return ligne < 0 ? 0 : cleDeLigne(ligne);
}

const TFicheFilm *OngletListeFilms::ficheSelectionnee() const
{
    const CleFiche cle = cleSelectionnee();
    if (!m_modele || cle == 0)
        return nullptr;
    const int ligne = m_modele->ligne(cle);
    return ligne < 0 ? nullptr : &m_modele->fiche(ligne);
}

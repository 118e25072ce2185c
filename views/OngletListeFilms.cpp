#include "views/OngletListeFilms.h"

#include "catalogue/TFicheFilm.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"

#include <QCollator>
#include <QFrame>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

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

void OngletListeFilms::remplir(const Catalogue &fiches)
{
    // Sorted as a list box sorts, ignoring letter case (and with accented letters beside their
    // base letter); equal titles keep the catalogue's order.
    QCollator collation(QLocale(QLocale::French, QLocale::France));
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> cles;
    cles.reserve(fiches.size());
    for (const auto &fiche : fiches)
        cles.push_back(collation.sortKey(fiche->titreFrancais()));
    std::vector<size_t> ordre(fiches.size());
    std::iota(ordre.begin(), ordre.end(), size_t(0));
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](size_t a, size_t b) { return cles[a].compare(cles[b]) < 0; });

    QStringList titres;
    titres.reserve(qsizetype(ordre.size()));
    for (size_t i : ordre)
        titres.append(fiches[i]->titreFrancais());

    m_listeFilms->setUpdatesEnabled(false);
    m_listeFilms->clear();
    m_listeFilms->addItems(titres);
    for (int ligne = 0; ligne < int(ordre.size()); ++ligne)
        m_listeFilms->item(ligne)->setData(
            Qt::UserRole,
            QVariant::fromValue(reinterpret_cast<quintptr>(fiches[ordre[size_t(ligne)]].get())));
    m_listeFilms->setCurrentRow(-1);
    m_listeFilms->setUpdatesEnabled(true);
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

TFicheFilm *OngletListeFilms::ficheDeLigne(const QListWidget &liste, int ligne)
{
    const QListWidgetItem *item = liste.item(ligne);
    return item ? reinterpret_cast<TFicheFilm *>(item->data(Qt::UserRole).value<quintptr>())
                : nullptr;
}

TFicheFilm *OngletListeFilms::ficheSelectionnee() const
{
    const auto selection = m_listeFilms->selectedItems();
    if (selection.isEmpty())
        return nullptr;
    return ficheDeLigne(*m_listeFilms, m_listeFilms->row(selection.first()));
}

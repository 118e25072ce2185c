#include "views/OngletAffiches.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Images.h"
#include "views/Vignettes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_hauteurTexte = 32;

QSize tailleCellule(int hauteur)
{
    return {hauteur * 7 / 10 + 12, hauteur + k_hauteurTexte + 8};
}

// A cell: the cover (or the placeholder while it comes, and for a cover that cannot be shown),
// the French title elided and the year below.
class DelegueAffiche final : public QStyledItemDelegate
{
public:
    DelegueAffiche(const Tdm_Kinolux &dm, const ModeleVueEnsemble &vue, Vignettes &vignettes,
                   const OngletAffiches &onglet)
        : QStyledItemDelegate(const_cast<OngletAffiches *>(&onglet))
        , m_dm(dm)
        , m_vue(vue)
        , m_vignettes(vignettes)
        , m_onglet(onglet)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return tailleCellule(m_onglet.hauteurAffiche());
    }

    void paint(QPainter *peintre, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int hauteur = m_onglet.hauteurAffiche();
        const QRect cellule = option.rect.adjusted(3, 3, -3, -3);
        if (option.state & QStyle::State_Selected)
            peintre->fillRect(option.rect, option.palette.highlight());
        const CleFiche cle = m_vue.cle(index);
        const TFicheFilm *fiche = m_dm.fiche(cle);
        if (!fiche)
            return;
        const QRect zone(cellule.left(), cellule.top(), cellule.width(), hauteur);
        const QImage *image =
            m_vignettes.image(cle, m_dm.cheminInterieur(fiche->cheminImage()), hauteur);
        const QImage &montree = image && !image->isNull() ? *image : attente(hauteur);
        const QSize taille = montree.size().scaled(zone.size(), Qt::KeepAspectRatio);
        const QRect cible(zone.left() + (zone.width() - taille.width()) / 2,
                          zone.top() + (zone.height() - taille.height()) / 2, taille.width(),
                          taille.height());
        peintre->drawImage(cible, montree);

        peintre->setPen(option.state & QStyle::State_Selected
                            ? option.palette.highlightedText().color()
                            : option.palette.text().color());
        const QRect texte(cellule.left(), zone.bottom() + 2, cellule.width(), k_hauteurTexte);
        const QFontMetrics mesure(option.font);
        peintre->drawText(texte.adjusted(0, 0, 0, -k_hauteurTexte / 2),
                          Qt::AlignHCenter | Qt::AlignTop,
                          mesure.elidedText(fiche->titreFrancais(), Qt::ElideRight, texte.width()));
        peintre->drawText(texte.adjusted(0, k_hauteurTexte / 2, 0, 0),
                          Qt::AlignHCenter | Qt::AlignTop, fiche->annee());
    }

private:
    // The program's "no image" picture at the cell's height, made once a height.
    const QImage &attente(int hauteur) const
    {
        if (m_attente.height() != hauteur)
            m_attente = Images::sansImage().scaledToHeight(hauteur, Qt::SmoothTransformation);
        return m_attente;
    }

    const Tdm_Kinolux &m_dm;
    const ModeleVueEnsemble &m_vue;
    Vignettes &m_vignettes;
    const OngletAffiches &m_onglet;
    mutable QImage m_attente;
};

} // namespace

OngletAffiches::OngletAffiches(const Tdm_Kinolux &dm, ModeleVueEnsemble &vue,
                               QItemSelectionModel &selection,
                               std::function<void(CleFiche)> afficherFiche, QWidget *parent)
    : QWidget(parent)
    , m_dm(dm)
    , m_vue(vue)
    , m_afficherFiche(std::move(afficherFiche))
    , m_vignettes(new Vignettes(this))
    , m_grille(new QListView(this))
    , m_taille(new QSlider(Qt::Horizontal, this))
{
    setObjectName(u"tabAffiches"_s);
    m_taille->setObjectName(u"tbTailleAffiches"_s);
    m_taille->setRange(96, 320);
    m_taille->setValue(160);
    m_taille->setToolTip(u"Hauteur des affiches"_s);

    m_grille->setObjectName(u"grilleAffiches"_s);
    m_grille->setViewMode(QListView::IconMode);
    m_grille->setResizeMode(QListView::Adjust);
    m_grille->setMovement(QListView::Static);
    m_grille->setUniformItemSizes(true);
    m_grille->setLayoutMode(QListView::Batched);
    m_grille->setBatchSize(2000);
    m_grille->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grille->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grille->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grille->setModel(&vue);
    m_grille->setModelColumn(ChampsFiche::TitreFrancais);
    // The table's selection: a card chosen here is chosen there.
    m_grille->setSelectionModel(&selection);
    m_grille->setItemDelegate(new DelegueAffiche(dm, vue, *m_vignettes, *this));
    m_grille->setGridSize(tailleCellule(m_taille->value()));
    QPalette palette = m_grille->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    m_grille->setPalette(palette);

    auto *haut = new QHBoxLayout;
    haut->addStretch(1);
    haut->addWidget(new QLabel(u"Taille :"_s, this));
    haut->addWidget(m_taille);
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(4, 4, 4, 4);
    disposition->addLayout(haut);
    disposition->addWidget(m_grille, 1);

    connect(m_taille, &QSlider::valueChanged, this, &OngletAffiches::tbTailleAffichesChange);
    connect(m_grille, &QListView::doubleClicked, this, [this](const QModelIndex &index) {
        if (const CleFiche cle = m_vue.cle(index); cle && m_afficherFiche)
            m_afficherFiche(cle);
    });
    connect(m_grille->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &OngletAffiches::demanderVisibles);
    connect(m_vignettes, &Vignettes::prete, this, [this](CleFiche cle) {
        const QModelIndex index = m_vue.indexDe(cle, ChampsFiche::TitreFrancais);
        if (index.isValid())
            m_grille->update(index);
    });
}

OngletAffiches::~OngletAffiches() = default;

int OngletAffiches::hauteurAffiche() const
{
    return m_taille->value();
}

void OngletAffiches::tbTailleAffichesChange()
{
    m_grille->setGridSize(tailleCellule(m_taille->value()));
    m_grille->doItemsLayout();
    demanderVisibles();
}

void OngletAffiches::demanderVisibles()
{
    // The cells of the viewport and of the page below it; the others' requests are forgotten.
    const QRect vue = m_grille->viewport()->rect();
    const QSize pas = m_grille->gridSize();
    if (pas.isEmpty())
        return;
    const QModelIndex premier = m_grille->indexAt(QPoint(pas.width() / 2, pas.height() / 2));
    const int parLigne = std::max(1, vue.width() / pas.width());
    const int parPage = parLigne * (vue.height() / pas.height() + 1);
    const int debut = premier.isValid() ? premier.row() : 0;
    const int fin = std::min(m_vue.rowCount(), debut + 2 * parPage);
    QSet<CleFiche> gardees;
    for (int ligne = debut; ligne < fin; ++ligne) {
        const CleFiche cle = m_vue.cle(m_vue.index(ligne, ChampsFiche::TitreFrancais));
        gardees.insert(cle);
        // The cells in view ask for themselves as they are painted; those of the next page here.
        const TFicheFilm *fiche = m_dm.fiche(cle);
        if (ligne >= debut + parPage && fiche)
            m_vignettes->image(cle, m_dm.cheminInterieur(fiche->cheminImage()), hauteurAffiche());
    }
    m_vignettes->garderSeulement(gardees);
}

#include "views/OngletClassement.h"

#include "catalogue/Classement.h"
#include "catalogue/ModeleCatalogue.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "views/ActionFenetre.h"
#include "views/IconesFiche.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QIcon>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A film node answers its text, card and picture itself: a plain item keeps each as a role
// value, several allocations per node on trees of 100,000 nodes. Its text lies in the texts of
// the whole tree, which the nodes share.
class NoeudFilm final : public QTreeWidgetItem
{
public:
    NoeudFilm(std::shared_ptr<const QString> textes, const Classement::Film &film, CleFiche cle,
              QIcon icone)
        : QTreeWidgetItem(UserType)
        , m_textes(std::move(textes))
        , m_debut(film.debut)
        , m_longueur(film.longueur)
        , m_cle(cle)
        , m_icone(std::move(icone))
    {
    }

    QVariant data(int colonne, int role) const override
    {
        if (colonne == 0) {
            switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return QString(m_textes->constData() + m_debut, m_longueur);
            case Qt::UserRole:
                return QVariant::fromValue(m_cle);
            case Qt::DecorationRole:
                return m_icone.isNull() ? QVariant() : QVariant(m_icone);
            default:
                break;
            }
        }
        return QTreeWidgetItem::data(colonne, role);
    }

private:
    std::shared_ptr<const QString> m_textes;
    qsizetype m_debut;
    qsizetype m_longueur;
    CleFiche m_cle;
    QIcon m_icone;
};

// Rows as high with pictures as without.
class HauteurLigne final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize taille = QStyledItemDelegate::sizeHint(option, index);
        taille.setHeight(std::max(taille.height(), 18));
        return taille;
    }
};

} // namespace

OngletClassement::OngletClassement(QWidget *parent)
    : Onglet(u"tabClasses"_s, u"barreTitreClasses"_s, u"Classements"_s, parent)
    , m_arbreClassementFilms(new QTreeWidget(this))
    , m_boutonClassementAfficherFicheFilm(
          creerBouton(u"boutonClassementAfficherFicheFilm"_s, u"Afficher la fiche"_s))
    , m_rgClassementType(new QGroupBox(u"Classement : "_s, this))
    , m_types(new QButtonGroup(this))
{
    m_arbreClassementFilms->setObjectName(u"arbreClassementFilms"_s);
    m_arbreClassementFilms->setHeaderHidden(true);
    m_arbreClassementFilms->setColumnCount(1);
    m_arbreClassementFilms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_arbreClassementFilms->setSelectionMode(QAbstractItemView::SingleSelection);
    m_arbreClassementFilms->setIndentation(19);
    m_arbreClassementFilms->setUniformRowHeights(true);
    m_arbreClassementFilms->setIconSize(QSize(16, 16));
    m_arbreClassementFilms->setItemDelegate(new HauteurLigne(m_arbreClassementFilms));
    QPalette palette = m_arbreClassementFilms->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    m_arbreClassementFilms->setPalette(palette);
    connect(m_arbreClassementFilms, &QTreeWidget::itemDoubleClicked, this, [this] {
        declencherAction(*this, u"afficherClassementFiche"_s,
                         [this] { afficherClassementFicheExecute(); });
    });
    connect(m_boutonClassementAfficherFicheFilm, &PaintBox::clic, this, [this] {
        declencherAction(*this, u"afficherClassementFiche"_s,
                         [this] { afficherClassementFicheExecute(); });
    });

    m_rgClassementType->setObjectName(u"rgClassementType"_s);
    auto *items = new QVBoxLayout(m_rgClassementType);
    items->setContentsMargins(6, 2, 6, 4);
    items->setSpacing(1);
    const QString libelles[Classement::nombreTypes] = {
        u"Alphabétique"_s,      u"par Genres"_s,      u"par Nationalités"_s,
        u"par Distributeurs"_s, u"par Préférences"_s, u"par Types de Support"_s};
    for (int index = 0; index < Classement::nombreTypes; ++index) {
        auto *item = new QRadioButton(libelles[index], m_rgClassementType);
        m_types->addButton(item, index);
        items->addWidget(item);
    }
    m_types->button(Classement::alphabetique)->setChecked(true);
    connect(m_types, &QButtonGroup::idClicked, this, [this] {
        declencherAction(*this, u"MAJ_Classement"_s, [this] { MAJ_ClassementExecute(); });
    });

    contenu().addWidget(m_arbreClassementFilms, 1);
    contenu().addWidget(m_boutonClassementAfficherFicheFilm);
    contenu().addWidget(m_rgClassementType);
}

void OngletClassement::relier(const ModeleCatalogue &modele,
                              std::function<void(const QString &)> afficherFiche)
{
    m_modele = &modele;
    m_afficherFiche = std::move(afficherFiche);
}

CleFiche OngletClassement::cleDuNoeud(const QTreeWidgetItem &noeud)
{
    return noeud.data(0, Qt::UserRole).value<CleFiche>();
}

const TFicheFilm *OngletClassement::ficheDuNoeud(const QTreeWidgetItem &noeud) const
{
    const CleFiche cle = cleDuNoeud(noeud);
    const int ligne = m_modele && cle != 0 ? m_modele->ligne(cle) : -1;
    return ligne < 0 ? nullptr : &m_modele->fiche(ligne);
}

const OngletClassement::IconesSupport &OngletClassement::iconesSupport(int image)
{
    if (m_iconesSupport.empty()) {
        const QList<QImage> &images = Images::listeImages();
        const QPixmap selection = QPixmap::fromImage(images.at(Images::imageFilmSelectionne));
        for (const QImage &normale : images) {
            const QPixmap pixmap = QPixmap::fromImage(normale);
            QIcon groupe(pixmap);
            groupe.addPixmap(pixmap, QIcon::Selected);
            QIcon film(pixmap);
            film.addPixmap(selection, QIcon::Selected);
            m_iconesSupport.push_back({groupe, film});
        }
    }
    return m_iconesSupport.at(size_t(image));
}

void OngletClassement::MAJ_ClassementExecute()
{
    const int type = m_types->checkedId();
    // The cards in the film list's order.
    std::vector<const TFicheFilm *> fiches;
    std::vector<CleFiche> cles;
    if (m_modele) {
        const std::vector<int> &ordre = m_modele->lignesParTitre();
        fiches.reserve(ordre.size());
        cles.reserve(ordre.size());
        for (const int ligne : ordre) {
            fiches.push_back(&m_modele->fiche(ligne));
            cles.push_back(m_modele->cle(ligne));
        }
    }
    Classement::Arbre arbre = Classement::grouper(fiches, type);
    const auto textes = std::make_shared<const QString>(std::move(arbre.textes));

    QList<QTreeWidgetItem *> noeuds;
    noeuds.reserve(qsizetype(arbre.groupes.size()));
    for (const Classement::Groupe &groupe : arbre.groupes) {
        auto *noeud = new QTreeWidgetItem(QStringList{groupe.cle});
        IconesSupport icones;
        if (type == Classement::parTypesSupport) {
            icones = iconesSupport(IconesFiche::imageSupport(groupe.cle));
            noeud->setIcon(0, icones.groupe);
        }
        QList<QTreeWidgetItem *> films;
        films.reserve(qsizetype(groupe.films.size()));
        for (const Classement::Film &film : groupe.films)
            films.append(new NoeudFilm(textes, film, cles[film.position], icones.film));
        noeud->addChildren(films);
        noeuds.append(noeud);
    }

    m_arbreClassementFilms->setUpdatesEnabled(false);
    m_arbreClassementFilms->clear();
    m_arbreClassementFilms->addTopLevelItems(noeuds);
    m_arbreClassementFilms->setUpdatesEnabled(true);
}

void OngletClassement::afficherClassementFicheExecute()
{
    const QList<QTreeWidgetItem *> selection = m_arbreClassementFilms->selectedItems();
    if (selection.isEmpty())
        return;
    const TFicheFilm *fiche = ficheDuNoeud(*selection.first());
    if (fiche && m_afficherFiche)
        m_afficherFiche(fiche->titreFrancais());
}

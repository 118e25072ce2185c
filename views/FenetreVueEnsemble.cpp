#include "views/FenetreVueEnsemble.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/ModificationGroupee.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Ecran.h"
#include "chrome/PaintBox.h"
#include "chrome/Titre.h"
#include "chrome/UKinoluxGraphic.h"
#include "views/ActionsAnnulation.h"
#include "views/ActionsMenu.h"
#include "views/DialogueDoublons.h"
#include "views/DialogueModificationSelection.h"
#include "views/DialogueSauvegardes.h"
#include "views/Exportations.h"
#include "views/FichiersVideo.h"
#include "views/IconesFiche.h"
#include "views/OngletAffiches.h"
#include "views/OngletStatistiques.h"

#include <QAction>
#include <QActionGroup>
#include <QCache>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ChampsFiche::Champ;

namespace {

const QString k_groupe = u"vueEnsemble"_s;
constexpr int k_versionReglages = 1;
constexpr int k_hauteurLigne = 20;
constexpr int k_hauteurAvecCouverture = 48;

// The preference as its face and its number; the cover as a small picture, read at that size.
class DelegueVueEnsemble final : public QStyledItemDelegate
{
public:
    DelegueVueEnsemble(const Tdm_Kinolux &dm, const ModeleVueEnsemble &modele, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_dm(dm)
        , m_modele(modele)
        , m_couvertures(400)
    {
    }

    void paint(QPainter *peintre, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (index.column() != ChampsFiche::NiveauPreference &&
            index.column() != ChampsFiche::CheminImage)
            return QStyledItemDelegate::paint(peintre, option, index);
        QStyleOptionViewItem vide = option;
        initStyleOption(&vide, index);
        vide.text.clear();
        QStyledItemDelegate::paint(peintre, vide, QModelIndex());
        const QRect zone = option.rect.adjusted(2, 1, -2, -1);
        if (index.column() == ChampsFiche::NiveauPreference) {
            const int niveau = index.data().toInt();
            if (const auto nom = IconesFiche::iconePreference(niveau)) {
                const QPixmap &visage = icone(*nom);
                peintre->drawPixmap(zone.left(), zone.top() + (zone.height() - 16) / 2, visage);
            }
            peintre->drawText(zone.adjusted(20, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                              QString::number(niveau));
            return;
        }
        const QPixmap image = couverture(index, zone.height());
        if (!image.isNull())
            peintre->drawPixmap(zone.left() + (zone.width() - image.width()) / 2,
                                zone.top() + (zone.height() - image.height()) / 2, image);
    }

private:
    const QPixmap &icone(const QString &nom) const
    {
        auto trouvee = m_icones.find(nom);
        if (trouvee == m_icones.end()) {
            QImageReader lecteur(m_dm.chemin(u"icones/"_s + nom));
            lecteur.setScaledSize({16, 16});
            trouvee = m_icones.insert(nom, QPixmap::fromImage(lecteur.read()));
        }
        return *trouvee;
    }

    QPixmap couverture(const QModelIndex &index, int hauteur) const
    {
        const TFicheFilm *fiche = m_dm.fiche(m_modele.cle(index));
        if (!fiche)
            return {};
        const QString fichier = m_dm.cheminInterieur(fiche->cheminImage());
        if (fichier.isEmpty())
            return {};
        const QString cle = fichier + u'|' + QString::number(hauteur);
        if (const QPixmap *connue = m_couvertures.object(cle))
            return *connue;
        QImageReader lecteur(fichier);
        const QSize taille = lecteur.size();
        if (taille.isValid() && taille.height() > 0 && taille.height() < 20000 &&
            taille.width() < 20000)
            lecteur.setScaledSize(taille.scaled(hauteur * 3, hauteur, Qt::KeepAspectRatio));
        const QImage image = lecteur.read();
        auto *pixmap = new QPixmap(QPixmap::fromImage(image));
        m_couvertures.insert(cle, pixmap);
        return *pixmap;
    }

    const Tdm_Kinolux &m_dm;
    const ModeleVueEnsemble &m_modele;
    mutable QHash<QString, QPixmap> m_icones;
    mutable QCache<QString, QPixmap> m_couvertures;
};

bool visibleParDefaut(int colonne)
{
    switch (colonne) {
    case ChampsFiche::TitreFrancais:
    case ChampsFiche::Annee:
    case ChampsFiche::Realisateurs:
    case ChampsFiche::Genres:
    case ChampsFiche::Duree:
    case ChampsFiche::NiveauPreference:
    case ChampsFiche::NomSupport:
    case ChampsFiche::TypeSupport:
        return true;
    default:
        return false;
    }
}

} // namespace

FenetreVueEnsemble::FenetreVueEnsemble(Tdm_Kinolux &dm, Dialogues &dialogues, Liens liens,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dm(dm)
    , m_dialogues(dialogues)
    , m_liens(std::move(liens))
    , m_modele(new ModeleVueEnsemble(dm.modele(), this))
    , m_fond(new PaintBox(this))
    , m_titreOmbre(creerTitre(this, u"lbTitreVueEnsembleOmbre"_s, u"Vue d'ensemble"_s, Qt::black))
    , m_titre(creerTitre(this, u"lbTitreVueEnsemble"_s, u"Vue d'ensemble"_s, Qt::white))
    , m_pcVueEnsemble(new QTabWidget(this))
    , m_editFiltreRapide(new QLineEdit)
    , m_lbNombreFilms(new QLabel)
    , m_tableFilms(new QTableView)
    , m_boutonExporter(new QToolButton)
    , m_boutonFichiersVideo(new QToolButton)
    , m_boutonCatalogue(new QToolButton)
{
    setObjectName(u"fenetreVueEnsemble"_s);
    setWindowTitle(u"Vue d'ensemble"_s);
    resize(900, 600);
    setMinimumSize(480, 320);
    m_fond->setObjectName(u"fondVueEnsemble"_s);
    connect(m_fond, &PaintBox::peindre, this, &FenetreVueEnsemble::fondPaint);
    m_pcVueEnsemble->setObjectName(u"pcVueEnsemble"_s);

    auto *page = new QWidget;
    page->setObjectName(u"tabTableFilms"_s);
    m_editFiltreRapide->setObjectName(u"editFiltreRapide"_s);
    m_editFiltreRapide->setPlaceholderText(u"Filtrer : mots, genre:drame, annee:1960-1969, "
                                           "acteur:gabin, pref:>7"_s);
    m_editFiltreRapide->setClearButtonEnabled(true);
    m_lbNombreFilms->setObjectName(u"lbNombreFilms"_s);
    m_tableFilms->setObjectName(u"tableFilms"_s);
    m_tableFilms->setModel(m_modele);
    m_tableFilms->setItemDelegate(new DelegueVueEnsemble(dm, *m_modele, m_tableFilms));
    m_tableFilms->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableFilms->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableFilms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableFilms->setSortingEnabled(true);
    m_tableFilms->setWordWrap(false);
    m_tableFilms->setAlternatingRowColors(true);
    m_tableFilms->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_tableFilms->verticalHeader()->hide();
    m_tableFilms->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableFilms->verticalHeader()->setDefaultSectionSize(k_hauteurLigne);
    QHeaderView *entete = m_tableFilms->horizontalHeader();
    entete->setSectionsMovable(true);
    entete->setContextMenuPolicy(Qt::CustomContextMenu);
    entete->setHighlightSections(false);
    connect(entete, &QHeaderView::customContextMenuRequested, this,
            &FenetreVueEnsemble::menuColonnes);
    m_tableFilms->installEventFilter(this);
    QPalette palette = m_tableFilms->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    palette.setColor(QPalette::AlternateBase, QColor(246, 240, 226));
    m_tableFilms->setPalette(palette);

    auto *haut = new QHBoxLayout;
    haut->addWidget(m_editFiltreRapide, 1);
    haut->addWidget(m_lbNombreFilms);
    haut->addWidget(m_boutonCatalogue);
    haut->addWidget(m_boutonFichiersVideo);
    haut->addWidget(m_boutonExporter);
    auto *contenu = new QVBoxLayout(page);
    contenu->setContentsMargins(4, 4, 4, 4);
    contenu->addLayout(haut);
    contenu->addWidget(m_tableFilms, 1);
    m_pcVueEnsemble->addTab(page, u"Films"_s);
    m_ongletStatistiques =
        new OngletStatistiques(dm, *m_modele, dialogues, [this](const QString &filtre) {
            m_editFiltreRapide->setText(filtre);
            m_pcVueEnsemble->setCurrentIndex(0);
        });
    m_ongletAffiches =
        new OngletAffiches(dm, *m_modele, *m_tableFilms->selectionModel(), m_liens.afficherFiche);
    m_pcVueEnsemble->insertTab(1, m_ongletAffiches, u"Affiches"_s);
    m_pcVueEnsemble->addTab(m_ongletStatistiques, u"Statistiques"_s);

    connect(m_editFiltreRapide, &QLineEdit::textChanged, this,
            &FenetreVueEnsemble::editFiltreRapideChange);
    connect(m_tableFilms, &QTableView::doubleClicked, this,
            &FenetreVueEnsemble::afficherFicheSelectionExecute);
    // The table loses a row before the catalogue has lost its card: the count follows both.
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_modele, signal, this, &FenetreVueEnsemble::MAJ_Nombre);
        connect(&dm.modele(), signal, this, &FenetreVueEnsemble::MAJ_Nombre);
    }
    connect(m_modele, &QAbstractItemModel::modelReset, this, &FenetreVueEnsemble::MAJ_Nombre);
    connect(m_modele, &QAbstractItemModel::layoutChanged, this, &FenetreVueEnsemble::MAJ_Nombre);
    // A new catalogue (a reload) keeps what was selected and where the table was.
    connect(&dm, &Tdm_Kinolux::catalogueAReinitialiser, this,
            &FenetreVueEnsemble::retenirSelection);
    connect(m_modele, &QAbstractItemModel::modelReset, this,
            &FenetreVueEnsemble::retrouverSelection);

    creerActions();
    creerMenuExporter();
    creerMenuFichiersVideo();
    creerMenuCatalogue();
    // The poster wall offers the table's commands on the same selection.
    m_ongletAffiches->grilleAffiches().addActions(m_tableFilms->actions());
    colonnesParDefaut();
    lireReglages();
    MAJ_Nombre();
}

FenetreVueEnsemble::~FenetreVueEnsemble()
{
    // The table and its model go with the window's children, after this: nothing of theirs is
    // followed any more.
    disconnect(m_modele, nullptr, this, nullptr);
    disconnect(&m_dm.modele(), nullptr, this, nullptr);
    disconnect(&m_dm, nullptr, this, nullptr);
}

void FenetreVueEnsemble::creerActions()
{
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsVueEnsemble"_s);
    const struct
    {
        QString nom;
        QString legende;
        QKeySequence touche;
        void (FenetreVueEnsemble::*gestionnaire)();
    } actions[] = {
        {u"afficherFicheSelection"_s, u"Afficher la fiche"_s, QKeySequence(),
         &FenetreVueEnsemble::afficherFicheSelectionExecute},
        {u"ajouterSelectionListeLecture"_s, u"Ajouter à la liste de lecture"_s, QKeySequence(),
         &FenetreVueEnsemble::ajouterSelectionListeLectureExecute},
        {u"modifierSelection"_s, u"Modifier la sélection…"_s, QKeySequence(Qt::CTRL | Qt::Key_M),
         &FenetreVueEnsemble::modifierSelectionExecute},
        {u"supprimerSelection"_s, u"Supprimer la sélection"_s, QKeySequence(QKeySequence::Delete),
         &FenetreVueEnsemble::supprimerSelectionExecute},
    };
    for (const auto &description : actions) {
        auto *action = new QAction(description.legende, liste);
        action->setObjectName(description.nom);
        action->setShortcut(description.touche);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_tableFilms->addAction(action);
        connect(action, &QAction::triggered, this, [this, gestionnaire = description.gestionnaire] {
            executerCommande(m_dialogues, [this, gestionnaire] { (this->*gestionnaire)(); });
        });
    }
}

void FenetreVueEnsemble::creerMenuExporter()
{
    m_exportations = new Exportations(
        m_dm, m_dialogues, this,
        [this] {
            Exportations::Portee portee;
            portee.cles = m_exporterSelection->isChecked()
                              ? selection()
                              : Exportations::toutLeCatalogue(m_dm).cles;
            portee.colonnes = colonnesVisibles();
            return portee;
        },
        m_liens.suivreCatalogue);
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsExportsVueEnsemble"_s);
    auto *portee = new QActionGroup(liste);
    auto *tout = new QAction(u"Tout le catalogue"_s, portee);
    tout->setObjectName(u"exporterTout"_s);
    tout->setCheckable(true);
    tout->setChecked(true);
    m_exporterSelection = new QAction(u"La sélection"_s, portee);
    m_exporterSelection->setObjectName(u"exporterSelection"_s);
    m_exporterSelection->setCheckable(true);

    auto *menu = new QMenu(this);
    menu->setObjectName(u"menuExporter"_s);
    menu->addSection(u"Exporter"_s);
    menu->addAction(tout);
    menu->addAction(m_exporterSelection);
    menu->addSeparator();
    m_exportations->remplirMenu(*menu, m_exportations->creerActions(liste));
    // Each time the menu opens, the choice follows the table: the selection when it holds
    // several films, the whole catalogue otherwise.
    connect(menu, &QMenu::aboutToShow, this, [this, tout] {
        const qsizetype choisis = m_tableFilms->selectionModel()->selectedRows().size();
        m_exporterSelection->setText(u"La sélection (%1 films)"_s.arg(choisis));
        m_exporterSelection->setEnabled(choisis > 0);
        (choisis > 1 ? m_exporterSelection : tout)->setChecked(true);
        tout->setText(u"Tout le catalogue (%1 films)"_s.arg(m_dm.fichesFilms().size()));
    });

    m_boutonExporter->setObjectName(u"boutonExporter"_s);
    m_boutonExporter->setText(u"Exporter…"_s);
    m_boutonExporter->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_boutonExporter->setPopupMode(QToolButton::InstantPopup);
    m_boutonExporter->setMenu(menu);
}

void FenetreVueEnsemble::creerMenuFichiersVideo()
{
    m_fichiersVideo = new FichiersVideo(m_dm, m_dialogues, this, m_liens.suivreCatalogue);
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsFichiersVueEnsemble"_s);
    auto *menu = new QMenu(this);
    menu->setObjectName(u"menuFichiersVideo"_s);
    menu->addActions(m_fichiersVideo->creerActions(liste));
    m_boutonFichiersVideo->setObjectName(u"boutonFichiersVideo"_s);
    m_boutonFichiersVideo->setText(u"Fichiers vidéo…"_s);
    m_boutonFichiersVideo->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_boutonFichiersVideo->setPopupMode(QToolButton::InstantPopup);
    m_boutonFichiersVideo->setMenu(menu);
}

void FenetreVueEnsemble::creerMenuCatalogue()
{
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsCatalogueVueEnsemble"_s);
    auto *menu = new QMenu(this);
    menu->setObjectName(u"menuCatalogue"_s);
    const QList<QAction *> annulation = creerActionsAnnulation(
        m_dm, m_dialogues, liste, [this] { annulerModificationExecute(); },
        [this] { retablirModificationExecute(); });
    addActions(annulation);
    menu->addActions(annulation);
    menu->addSeparator();
    menu->addActions(creerActionsMenu<FenetreVueEnsemble>(
        *this, m_dialogues, liste,
        {{u"restaurerSauvegarde"_s, u"Restaurer une sauvegarde…"_s,
          &FenetreVueEnsemble::restaurerSauvegardeExecute},
         {u"chercherDoublons"_s, u"Chercher les doublons…"_s,
          &FenetreVueEnsemble::chercherDoublonsExecute}}));
    m_boutonCatalogue->setObjectName(u"boutonCatalogue"_s);
    m_boutonCatalogue->setText(u"Catalogue…"_s);
    m_boutonCatalogue->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_boutonCatalogue->setPopupMode(QToolButton::InstantPopup);
    m_boutonCatalogue->setMenu(menu);
}

void FenetreVueEnsemble::annulerModificationExecute()
{
    m_dm.pileAnnulation().undo();
    if (m_liens.suivreCatalogue)
        m_liens.suivreCatalogue();
}

void FenetreVueEnsemble::retablirModificationExecute()
{
    m_dm.pileAnnulation().redo();
    if (m_liens.suivreCatalogue)
        m_liens.suivreCatalogue();
}

DialogueDoublons *FenetreVueEnsemble::dialogueDoublons() const
{
    return m_dialogueDoublons;
}

void FenetreVueEnsemble::chercherDoublonsExecute()
{
    if (m_dialogueDoublons)
        m_dialogueDoublons->deleteLater();
    m_dialogueDoublons = new DialogueDoublons(m_dm, m_dialogues, m_liens.suivreCatalogue, this);
    if (m_dialogueDoublons->groupes().empty()) {
        m_dialogues.message(u"Doublons"_s, u"Aucun doublon trouvé."_s);
        return;
    }
    m_dialogueDoublons->open();
}

DialogueSauvegardes *FenetreVueEnsemble::dialogueSauvegardes() const
{
    return m_dialogueSauvegardes;
}

void FenetreVueEnsemble::restaurerSauvegardeExecute()
{
    QList<SauvegardesBase::Sauvegarde> sauvegardes = m_dm.sauvegardes();
    if (sauvegardes.isEmpty()) {
        m_dialogues.message(u"Restaurer une sauvegarde"_s,
                            u"Aucune sauvegarde pour l'instant : chaque enregistrement garde le "
                            "fichier qu'il remplace."_s);
        return;
    }
    if (m_dialogueSauvegardes)
        m_dialogueSauvegardes->deleteLater();
    m_dialogueSauvegardes = new DialogueSauvegardes(std::move(sauvegardes), this);
    connect(m_dialogueSauvegardes, &QDialog::accepted, this,
            [this] { executerCommande(m_dialogues, [this] { appliquerSauvegarde(); }); });
    m_dialogueSauvegardes->open();
}

void FenetreVueEnsemble::appliquerSauvegarde()
{
    DialogueSauvegardes *dialogue = m_dialogueSauvegardes;
    const SauvegardesBase::Sauvegarde *choisie = dialogue ? dialogue->choisie() : nullptr;
    if (!choisie)
        return;
    const QString chemin = choisie->chemin;
    if (m_dialogues.question(u"Restaurer une sauvegarde"_s,
                             u"Remplacer les %1 fiches du catalogue en mémoire par les %2 de "
                             "« %3 » ? « Annuler » (Ctrl+Z) remet le catalogue actuel."_s
                                 .arg(m_dm.fichesFilms().size())
                                 .arg(choisie->fiches)
                                 .arg(QFileInfo(chemin).fileName()),
                             false) != Dialogues::Reponse::Oui)
        return;
    m_dm.restaurerSauvegarde(chemin);
    if (m_liens.suivreCatalogue)
        m_liens.suivreCatalogue();
}

std::vector<ChampsFiche::Champ> FenetreVueEnsemble::colonnesVisibles() const
{
    const QHeaderView *entete = m_tableFilms->horizontalHeader();
    std::vector<Champ> colonnes;
    for (int visuel = 0; visuel < entete->count(); ++visuel) {
        const int colonne = entete->logicalIndex(visuel);
        if (!entete->isSectionHidden(colonne))
            colonnes.push_back(static_cast<Champ>(colonne));
    }
    return colonnes;
}

DialogueModificationSelection *FenetreVueEnsemble::dialogueModification() const
{
    return m_dialogue;
}

QAction *FenetreVueEnsemble::action(const QString &nom) const
{
    return findChild<QAction *>(nom);
}

void FenetreVueEnsemble::colonnesParDefaut()
{
    QHeaderView *entete = m_tableFilms->horizontalHeader();
    for (int colonne = 0; colonne < ChampsFiche::NombreChamps; ++colonne) {
        entete->moveSection(entete->visualIndex(colonne), colonne);
        entete->setSectionHidden(colonne, !visibleParDefaut(colonne));
        entete->resizeSection(colonne, colonne == ChampsFiche::TitreFrancais ? 260 : 110);
    }
    entete->resizeSection(ChampsFiche::Annee, 56);
    entete->resizeSection(ChampsFiche::Duree, 70);
    entete->resizeSection(ChampsFiche::NiveauPreference, 70);
    entete->resizeSection(ChampsFiche::CheminImage, 56);
    m_tableFilms->sortByColumn(ChampsFiche::TitreFrancais, Qt::AscendingOrder);
    m_tableFilms->verticalHeader()->setDefaultSectionSize(k_hauteurLigne);
}

void FenetreVueEnsemble::menuColonnes(const QPoint &position)
{
    QHeaderView *entete = m_tableFilms->horizontalHeader();
    QMenu menu(this);
    menu.setObjectName(u"menuColonnes"_s);
    for (int colonne = 0; colonne < ChampsFiche::NombreChamps; ++colonne) {
        const QString libelle = colonne == ChampsFiche::CheminImage
                                    ? u"Couverture"_s
                                    : ChampsFiche::libelle(static_cast<Champ>(colonne));
        QAction *choix = menu.addAction(libelle);
        choix->setCheckable(true);
        choix->setChecked(!entete->isSectionHidden(colonne));
        connect(choix, &QAction::toggled, this, [this, entete, colonne](bool visible) {
            entete->setSectionHidden(colonne, !visible);
            if (colonne == ChampsFiche::CheminImage)
                m_tableFilms->verticalHeader()->setDefaultSectionSize(
                    visible ? k_hauteurAvecCouverture : k_hauteurLigne);
        });
    }
    menu.addSeparator();
    connect(menu.addAction(u"Colonnes par défaut"_s), &QAction::triggered, this,
            &FenetreVueEnsemble::colonnesParDefaut);
    menu.exec(entete->mapToGlobal(position));
}

void FenetreVueEnsemble::lireReglages()
{
    QSettings reglages(m_dm.chemin(u"kinolux.ini"_s), QSettings::IniFormat);
    reglages.beginGroup(k_groupe);
    if (reglages.value(u"version"_s).toInt() != k_versionReglages) {
        centrerSurEcran(*this);
        return;
    }
    // What cannot be read leaves the defaults; the next close writes the settings again.
    const QByteArray geometrie = reglages.value(u"geometrie"_s).toByteArray();
    if (geometrie.isEmpty() || !restoreGeometry(geometrie))
        centrerSurEcran(*this);
    QHeaderView *entete = m_tableFilms->horizontalHeader();
    if (!entete->restoreState(reglages.value(u"colonnes"_s).toByteArray()) ||
        entete->count() != ChampsFiche::NombreChamps) {
        colonnesParDefaut();
        return;
    }
    m_tableFilms->sortByColumn(entete->sortIndicatorSection(), entete->sortIndicatorOrder());
    m_tableFilms->verticalHeader()->setDefaultSectionSize(
        entete->isSectionHidden(ChampsFiche::CheminImage) ? k_hauteurLigne
                                                          : k_hauteurAvecCouverture);
}

void FenetreVueEnsemble::enregistrerReglages() const
{
    QSettings reglages(m_dm.chemin(u"kinolux.ini"_s), QSettings::IniFormat);
    reglages.beginGroup(k_groupe);
    reglages.setValue(u"version"_s, k_versionReglages);
    reglages.setValue(u"geometrie"_s, saveGeometry());
    reglages.setValue(u"colonnes"_s, m_tableFilms->horizontalHeader()->saveState());
}

void FenetreVueEnsemble::closeEvent(QCloseEvent *event)
{
    enregistrerReglages();
    event->accept();
}

void FenetreVueEnsemble::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_fond->setGeometry(rect());
    m_titre->setGeometry(0, 17, width(), 16);
    m_titreOmbre->setGeometry(2, 18, width(), 16);
    m_pcVueEnsemble->setGeometry(16, 48, width() - 32, height() - 48 - 16);
}

void FenetreVueEnsemble::fondPaint()
{
    UKinoluxGraphic::dessinerFond(*m_fond);
    UKinoluxGraphic::dessinerBandeau(*m_fond, 15);
}

bool FenetreVueEnsemble::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_tableFilms && event->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent *>(event)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            action(u"afficherFicheSelection"_s)->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

void FenetreVueEnsemble::MAJ_Nombre()
{
    m_lbNombreFilms->setText(m_modele->texteNombre());
}

void FenetreVueEnsemble::editFiltreRapideChange()
{
    m_modele->definirFiltre(m_editFiltreRapide->text());
    MAJ_Nombre();
}

std::vector<CleFiche> FenetreVueEnsemble::selection() const
{
    QModelIndexList lignes = m_tableFilms->selectionModel()->selectedRows();
    std::sort(lignes.begin(), lignes.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    std::vector<CleFiche> cles;
    cles.reserve(size_t(lignes.size()));
    for (const QModelIndex &ligne : lignes)
        cles.push_back(m_modele->cle(ligne));
    return cles;
}

void FenetreVueEnsemble::selectionnerFiche(CleFiche cle)
{
    const QModelIndex index = m_modele->indexDe(cle, ChampsFiche::TitreFrancais);
    if (!index.isValid())
        return;
    m_tableFilms->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
    m_tableFilms->scrollTo(index);
}

void FenetreVueEnsemble::afficherFicheSelectionExecute()
{
    const QModelIndex courant = m_tableFilms->currentIndex();
    const CleFiche cle = courant.isValid() ? m_modele->cle(courant) : 0;
    if (cle && m_liens.afficherFiche)
        m_liens.afficherFiche(cle);
}

void FenetreVueEnsemble::ajouterSelectionListeLectureExecute()
{
    QStringList titres;
    for (const CleFiche cle : selection()) {
        if (const TFicheFilm *fiche = m_dm.fiche(cle))
            titres.append(fiche->titreFrancais());
    }
    if (m_liens.ajouterALaListeDeLecture)
        m_liens.ajouterALaListeDeLecture(titres);
}

void FenetreVueEnsemble::supprimerSelectionExecute()
{
    const std::vector<CleFiche> cles = selection();
    if (cles.empty())
        return;
    const TFicheFilm *premiere = m_dm.fiche(cles.front());
    const QString question =
        cles.size() == 1 && premiere
            ? u"Etes-vous sûr de vouloir supprimer \""_s + premiere->idFilm() + u"\" ?"_s
            : u"Etes-vous sûr de vouloir supprimer les %1 films sélectionnés ?"_s.arg(cles.size());
    if (m_dialogues.question(u"Confirmation"_s, question, true) != Dialogues::Reponse::Oui)
        return;
    m_dm.supprimerFiches(cles);
    if (m_liens.suivreCatalogue)
        m_liens.suivreCatalogue();
}

void FenetreVueEnsemble::modifierSelectionExecute()
{
    std::vector<CleFiche> cles = selection();
    if (cles.empty())
        return;
    if (m_dialogue)
        m_dialogue->deleteLater();
    m_dialogue = new DialogueModificationSelection(m_dm, std::move(cles), this);
    m_dialogue->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialogue, &QDialog::accepted, this,
            [this] { executerCommande(m_dialogues, [this] { appliquerModification(); }); });
    m_dialogue->open();
}

void FenetreVueEnsemble::appliquerModification()
{
    if (!m_dialogue)
        return;
    const ModificationGroupee::Modification modification = m_dialogue->modification();
    const std::vector<CleFiche> cles = m_dialogue->changees();
    const ModificationGroupee::Bilan bilan =
        ModificationGroupee::appliquer(m_dm, cles, modification);
    if (m_liens.suivreCatalogue)
        m_liens.suivreCatalogue();
    if (!bilan.echec.isEmpty())
        m_dialogues.erreur(u"La modification s'est arrêtée à la fiche « %1 » : %2\n%3 fiche(s) "
                           "modifiée(s) avant elle le restent."_s.arg(bilan.echec, bilan.raison)
                               .arg(bilan.modifiees));
}

void FenetreVueEnsemble::retenirSelection()
{
    m_idsRetenus.clear();
    for (const CleFiche cle : selection()) {
        if (const TFicheFilm *fiche = m_dm.fiche(cle))
            m_idsRetenus.append(fiche->idFilm());
    }
    m_defilementRetenu = m_tableFilms->verticalScrollBar()->value();
}

void FenetreVueEnsemble::retrouverSelection()
{
    const QSet<QString> ids(m_idsRetenus.begin(), m_idsRetenus.end());
    m_idsRetenus.clear();
    if (!ids.isEmpty()) {
        const ModeleCatalogue &source = m_dm.modele();
        QItemSelection choix;
        for (int ligne = 0; ligne < source.rowCount(); ++ligne) {
            if (!ids.contains(source.fiche(ligne).idFilm()))
                continue;
            const QModelIndex index = m_modele->mapFromSource(source.index(ligne, 0));
            if (index.isValid())
                choix.select(index, index);
        }
        m_tableFilms->selectionModel()->select(choix, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    }
    m_tableFilms->verticalScrollBar()->setValue(m_defilementRetenu);
}

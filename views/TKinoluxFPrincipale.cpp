#include "views/TKinoluxFPrincipale.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Commande.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Ecran.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TAboutBox.h"
#include "chrome/TImage.h"
#include "chrome/TTransparentWnd.h"
#include "chrome/TformMessageFlash.h"
#include "chrome/Titre.h"
#include "chrome/UKinoluxGraphic.h"
#include "views/ActionsAnnulation.h"
#include "views/DialogueModificationSelection.h"
#include "views/Exportations.h"
#include "views/FenetreVueEnsemble.h"
#include "views/FicheFilm.h"
#include "views/OngletClassement.h"
#include "views/OngletEdition.h"
#include "views/OngletImports.h"
#include "views/OngletListeFilms.h"
#include "views/OngletListeLecture.h"
#include "views/OngletRecherche.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// One action of the action list: its name, category and caption, and the handler it runs.
struct DescriptionAction
{
    const char16_t *nom;
    const char16_t *categorie;
    const char16_t *legende;
    std::function<void()> gestionnaire;
};

template <typename T> std::function<void()> par(T *objet, void (T::*gestionnaire)())
{
    return [objet, gestionnaire] {
        (objet->*gestionnaire)();
    };
}

const QString k_titre = u"Orvandel Kinolux 2007"_s;

} // namespace

TKinoluxFPrincipale::TKinoluxFPrincipale(Dialogues &dialogues, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogues(dialogues)
    , m_fond(new PaintBox(this))
    , m_lbTitreOmbre(creerTitre(this, u"lbTitreOmbre"_s, k_titre, Qt::black))
    , m_blTitre(creerTitre(this, u"blTitre"_s, k_titre, Qt::white))
    , m_panelContenant(new QWidget(this))
    , m_splitter1(new QSplitter(Qt::Horizontal, m_panelContenant))
    , m_pcControles(new QTabWidget(m_splitter1))
    , m_ongletListeFilms(new OngletListeFilms)
    , m_ongletClassement(new OngletClassement)
    , m_ongletListeLecture(new OngletListeLecture)
    , m_ongletImports(new OngletImports)
    , m_ongletRecherche(new OngletRecherche)
    , m_ongletEdition(new OngletEdition)
    , m_panelInfoFilm(new FicheFilm(m_splitter1))
    , m_transparentWnd1(new TTransparentWnd(this))
    , m_boutonVueEnsemble(new TImage(this))
    , m_boutonExporter(new TImage(this))
    , m_timerDemarre(new QTimer(this))
{
    setObjectName(u"KinoluxFPrincipale"_s);
    setWindowTitle(u"Kinolux"_s);
    setFont(QFont(u"MS Sans Serif"_s, 8));
    resize(792, 570);
    setMinimumSize(792, 570);

    m_fond->setObjectName(u"fond"_s);
    connect(m_fond, &PaintBox::peindre, this, &TKinoluxFPrincipale::fondPaint);

    m_panelContenant->setObjectName(u"PanelContenant"_s);
    auto *disposition = new QHBoxLayout(m_panelContenant);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(m_splitter1);

    m_splitter1->setObjectName(u"Splitter1"_s);
    m_splitter1->setHandleWidth(2);
    m_splitter1->setChildrenCollapsible(false);

    m_pcControles->setObjectName(u"pcControles"_s);
    m_pcControles->setTabPosition(QTabWidget::West);
    m_pcControles->setMinimumWidth(225);
    m_pcControles->setIconSize(QSize(16, 16));
    const QList<QImage> &images = Images::listeImages();
    const struct
    {
        QWidget *onglet;
        int image;
        QString hint;
    } onglets[] = {
        {m_ongletListeFilms, Images::imageListeFilms, u"Liste de Films"_s},
        {m_ongletClassement, Images::imageClassement, u"Films Classés"_s},
        {m_ongletListeLecture, Images::imageListeLecture, u"Liste de lecture"_s},
        {m_ongletImports, Images::imageImportWeb, u"Importations de Fiches"_s},
        {m_ongletRecherche, Images::imageRecherche, u"Recherche"_s},
        {m_ongletEdition, Images::imageEdition, QString()},
    };
    for (const auto &onglet : onglets) {
        const int index = m_pcControles->addTab(
            onglet.onglet, QIcon(QPixmap::fromImage(images.at(onglet.image))), {});
        m_pcControles->setTabToolTip(index, onglet.hint);
    }
    m_pcControles->setTabVisible(m_pcControles->indexOf(m_ongletEdition), false);
    m_pcControles->setCurrentWidget(m_ongletListeFilms);

    m_splitter1->addWidget(m_pcControles);
    m_splitter1->addWidget(m_panelInfoFilm);
    m_splitter1->setStretchFactor(0, 0);
    m_splitter1->setStretchFactor(1, 1);
    m_splitter1->setSizes({260, 500});
    QSplitterHandle *poignee = m_splitter1->handle(1);
    QPalette noir = poignee->palette();
    noir.setColor(QPalette::Window, Qt::black);
    poignee->setPalette(noir);
    poignee->setAutoFillBackground(true);

    m_transparentWnd1->setObjectName(u"TransparentWnd1"_s);
    m_timerDemarre->setObjectName(u"TimerDemarre"_s);
    m_timerDemarre->setInterval(200);
    connect(m_timerDemarre, &QTimer::timeout, this, &TKinoluxFPrincipale::TimerDemarreTimer);

    creerActions();
    creerActionsVues();
    declencher(&m_ongletListeFilms->boutonSupprimerFiche(), &PaintBox::clic, u"supprimerFilm"_s);
    declencher(&m_ongletListeFilms->boutonNouvelleFicheVide(), &PaintBox::clic,
               u"creerNouvelleFiche"_s);
    declencher(&m_ongletListeFilms->boutonLFAjouterListeLecture(), &PaintBox::clic,
               u"ajouterDansListeLecture"_s);
    declencher(&m_ongletListeFilms->boutonGestionEnregistrer(), &PaintBox::clic,
               u"sauvegarderBase"_s);
    declencher(m_ongletListeFilms, &OngletListeFilms::ligneChoisie, u"chargerFicheFilm"_s);
    declencher(&m_ongletImports->boutonMAJListeMovieCovers(), &PaintBox::clic,
               u"MAJListeMovieCovers"_s);
    declencher(&m_ongletImports->boutonAjouterFilm(), &PaintBox::clic, u"ajouterFilm"_s);
    declencher(m_ongletImports, &OngletImports::titreDoubleClique, u"ajouterFilm"_s);
    declencher(m_panelInfoFilm, &FicheFilm::lireFilm, u"lireFilm"_s);
    declencher(m_panelInfoFilm, &FicheFilm::ajouterDansListeLecture, u"ajouterDansListeLecture"_s);
    connect(&m_ongletListeFilms->boutonAPropos(), &TImage::clic, this,
            &TKinoluxFPrincipale::boutonAProposClick);

    centrerSurEcran(*this);
}

TKinoluxFPrincipale::~TKinoluxFPrincipale() = default;

void TKinoluxFPrincipale::creerActions()
{
    using F = TKinoluxFPrincipale;
    OngletClassement *classement = m_ongletClassement;
    OngletRecherche *recherche = m_ongletRecherche;
    OngletListeLecture *lecture = m_ongletListeLecture;
    OngletEdition *edition = m_ongletEdition;
    const DescriptionAction actions[] = {
        {u"MAJListeMovieCovers", u"IMPORT_FICHES", u"MAJListeMovieCovers",
         par(this, &F::MAJListeMovieCoversExecute)},
        {u"ajouterFilm", u"IMPORT_FICHES", u"Ajouter un Film", par(this, &F::ajouterFilmExecute)},
        {u"chargerFicheFilm", u"LISTE_FILM", u"chargerFicheFilm",
         par(this, &F::chargerFicheFilmExecute)},
        {u"sauvegarderBase", u"LISTE_FILM", u"Sauvegarder la base de Films",
         par(this, &F::sauvegarderBaseExecute)},
        {u"chargerBase", u"", u"Charger Base", par(this, &F::chargerBaseExecute)},
        {u"supprimerFilm", u"LISTE_FILM", u"Supprimer le Film",
         par(this, &F::supprimerFilmExecute)},
        {u"creerNouvelleFiche", u"LISTE_FILM", u"creerNouvelleFiche",
         par(this, &F::creerNouvelleFicheExecute)},
        {u"detruireListeFilms", u"LISTE_FILM", u"detruireListeFilms",
         par(this, &F::detruireListeFilmsExecute)},
        {u"detruireObjetsListes", u"", u"detruireObjetsListes",
         par(this, &F::detruireObjetsListesExecute)},
        {u"detruireListesCBEdition", u"EDITION", u"detruireListesCBEdition",
         par(this, &F::detruireListesCBEditionExecute)},
        {u"MAJ_EditionChamp", u"EDITION", u"MAJ_EditionChamp",
         par(edition, &OngletEdition::MAJ_EditionChampExecute)},
        {u"validerEditionChamp", u"EDITION", u"validerEditionChamp",
         par(edition, &OngletEdition::validerEditionChampExecute)},
        {u"MAJ_EditionListe", u"EDITION", u"MAJ_EditionListe",
         par(edition, &OngletEdition::MAJ_EditionListeExecute)},
        {u"validerEditionListe", u"EDITION", u"validerEditionListe",
         par(edition, &OngletEdition::validerEditionListeExecute)},
        {u"MAJ_EditionSupp", u"EDITION", u"Réinitialiser les valeurs",
         par(edition, &OngletEdition::MAJ_EditionSuppExecute)},
        {u"validerEditionSupp", u"EDITION", u"validerEditionSupp",
         par(edition, &OngletEdition::validerEditionSuppExecute)},
        {u"rechargerEditionImageSites", u"EDITION", u"rechargerEditionImageSites",
         par(this, &F::rechargerEditionImageSitesExecute)},
        {u"MAJ_Classement", u"CLASSEMENT", u"MAJ_Classement",
         par(classement, &OngletClassement::MAJ_ClassementExecute)},
        {u"afficherClassementFiche", u"CLASSEMENT", u"afficherClassementFiche",
         par(classement, &OngletClassement::afficherClassementFicheExecute)},
        {u"MAJ_Recherche", u"RECHERCHE", u"MAJ_Recherche",
         par(recherche, &OngletRecherche::MAJ_RechercheExecute)},
        {u"rechercherRecherche", u"RECHERCHE", u"rechercherRecherche",
         par(recherche, &OngletRecherche::rechercherRechercheExecute)},
        {u"afficherRechercheFiche", u"RECHERCHE", u"afficherRechercheFiche",
         par(recherche, &OngletRecherche::afficherRechercheFicheExecute)},
        {u"ajouterDansListeLecture", u"", u"ajouterDansListeLecture",
         par(lecture, &OngletListeLecture::ajouterDansListeLectureExecute)},
        {u"lireFilm", u"", u"lireFilm", par(lecture, &OngletListeLecture::lireFilmExecute)},
        {u"lireListeLecture", u"LISTE_LECTURE", u"lireListeLecture",
         par(lecture, &OngletListeLecture::lireListeLectureExecute)},
        {u"supprimerListeLectureCoches", u"LISTE_LECTURE", u"supprimerListeLectureCoches",
         par(lecture, &OngletListeLecture::supprimerListeLectureCochesExecute)},
        {u"enregistrerListeLecture", u"LISTE_LECTURE", u"enregistrerListeLecture",
         par(lecture, &OngletListeLecture::enregistrerListeLectureExecute)},
        {u"chargerListeLecture", u"LISTE_LECTURE", u"chargerListeLecture",
         par(lecture, &OngletListeLecture::chargerListeLectureExecute)},
    };

    auto *listeActions = new QObject(this);
    listeActions->setObjectName(u"listeActions"_s);
    for (const DescriptionAction &description : actions) {
        auto *action = new QAction(QString::fromUtf16(description.legende), listeActions);
        action->setObjectName(QString::fromUtf16(description.nom));
        action->setProperty("categorie", QString::fromUtf16(description.categorie));
        relierAction(*action, description.gestionnaire);
    }
    action(u"MAJListeMovieCovers"_s)->setToolTip(u"Mettre à jour la liste de MovieCovers"_s);
    action(u"ajouterFilm"_s)->setToolTip(u"Ajouter un Film"_s);
}

void TKinoluxFPrincipale::creerActionsVues()
{
    // The windows beyond the catalogue window have actions of their own, beside the list of the
    // catalogue's commands.
    auto *listeActionsVues = new QObject(this);
    listeActionsVues->setObjectName(u"listeActionsVues"_s);
    auto *vueEnsemble = new QAction(u"Vue d'ensemble du catalogue"_s, listeActionsVues);
    vueEnsemble->setObjectName(u"afficherVueEnsemble"_s);
    vueEnsemble->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    vueEnsemble->setShortcutContext(Qt::WindowShortcut);
    addAction(vueEnsemble);
    relierAction(*vueEnsemble, [this] { afficherVueEnsembleExecute(); });

    m_boutonVueEnsemble->setObjectName(u"boutonVueEnsemble"_s);
    m_boutonVueEnsemble->setFixedSize(22, 18);
    m_boutonVueEnsemble->setCenter(true);
    m_boutonVueEnsemble->setPicture(QPixmap::fromImage(Images::iconeVueEnsemble()));
    m_boutonVueEnsemble->setCursor(Qt::PointingHandCursor);
    definirHint(*m_boutonVueEnsemble, u"Vue d'ensemble du catalogue"_s, true);
    connect(m_boutonVueEnsemble, &TImage::clic, vueEnsemble, &QAction::trigger);

    m_boutonExporter->setObjectName(u"boutonExporter"_s);
    m_boutonExporter->setFixedSize(22, 18);
    m_boutonExporter->setCenter(true);
    m_boutonExporter->setPicture(QPixmap::fromImage(Images::iconeExporter()));
    m_boutonExporter->setCursor(Qt::PointingHandCursor);
    definirHint(*m_boutonExporter, u"Exporter ou importer le catalogue"_s, true);
}

void TKinoluxFPrincipale::creerActionsExports()
{
    // The whole catalogue, by title, every field.
    m_exportations = new Exportations(
        *m_dm, m_dialogues, this, [dm = m_dm] { return Exportations::toutLeCatalogue(*dm); },
        [this] { suivreCatalogue(); });
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsExports"_s);
    const QList<QAction *> actions = m_exportations->creerActions(liste);
    connect(m_boutonExporter, &TImage::clic, this, [this, actions] {
        QMenu menu(this);
        menu.setObjectName(u"menuExporter"_s);
        m_exportations->remplirMenu(menu, actions);
        menu.exec(m_boutonExporter->mapToGlobal(QPoint(0, m_boutonExporter->height())));
    });
}

void TKinoluxFPrincipale::creerActionsAnnulation()
{
    auto *liste = new QObject(this);
    liste->setObjectName(u"listeActionsAnnulation"_s);
    addActions(::creerActionsAnnulation(
        *m_dm, m_dialogues, liste, [this] { annulerModificationExecute(); },
        [this] { retablirModificationExecute(); }));
}

void TKinoluxFPrincipale::annulerModificationExecute()
{
    m_dm->pileAnnulation().undo();
    suivreCatalogue();
}

void TKinoluxFPrincipale::retablirModificationExecute()
{
    m_dm->pileAnnulation().redo();
    suivreCatalogue();
}

const TFicheFilm *TKinoluxFPrincipale::ficheDuTitre(const QString &titre) const
{
    if (!m_dm)
        return nullptr;
    const ModeleCatalogue &modele = m_dm->modele();
    const int ligne = modele.ligneDuTitre(titre);
    return ligne < 0 ? nullptr : &modele.fiche(ligne);
}

void TKinoluxFPrincipale::afficherFicheDuTitre(const QString &titre)
{
    selectionnerTitre(titre);
    chargerFicheFilmExecute();
}

void TKinoluxFPrincipale::relierAction(QAction &action, std::function<void()> gestionnaire)
{
    // What a command changes in the catalogue is one step of the undo history.
    connect(&action, &QAction::triggered, this, [this, gestionnaire = std::move(gestionnaire)] {
        std::optional<Tdm_Kinolux::Etape> etape;
        if (m_dm)
            etape.emplace(*m_dm);
        executerCommande(m_dialogues, gestionnaire);
    });
}

void TKinoluxFPrincipale::relier(Tdm_Kinolux &dm, TformMessageFlash &flash, TAboutBox &aPropos)
{
    m_dm = &dm;
    m_flash = &flash;
    m_aPropos = &aPropos;
    creerActionsExports();
    creerActionsAnnulation();
    const ModeleCatalogue &modele = dm.modele();
    m_ongletListeFilms->relier(modele);
    m_ongletImports->relier(dm);
    const auto afficherFiche = [this](const QString &titre) {
        afficherFicheDuTitre(titre);
    };
    m_ongletClassement->relier(modele, afficherFiche);
    m_ongletRecherche->relier(modele, afficherFiche);
    m_ongletListeLecture->relier(dm, flash,
                                 [this] { return m_ongletListeFilms->ficheSelectionnee(); });
    m_ongletEdition->relier(dm, m_dialogues, *m_ongletListeFilms,
                            {[this] { chargerFicheFilmExecute(); },
                             [this] { m_ongletClassement->MAJ_ClassementExecute(); },
                             [this] {
                                 m_ongletRecherche->MAJ_RechercheExecute();
                             }});
}

void TKinoluxFPrincipale::definirPanneauControle(QWidget *panneau)
{
    m_panneauControle = panneau;
}

QAction *TKinoluxFPrincipale::action(const QString &nom) const
{
    return findChild<QAction *>(nom);
}

QListWidget &TKinoluxFPrincipale::listeFilms()
{
    return m_ongletListeFilms->listeFilms();
}

void TKinoluxFPrincipale::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TKinoluxFPrincipale::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TKinoluxFPrincipale::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_fond->setGeometry(rect());
    m_blTitre->setGeometry(0, 17, width(), 16);
    m_lbTitreOmbre->setGeometry(2, 18, width(), 16);
    m_panelContenant->setGeometry(16, 48, width() - 32, height() - 48 - 16);
    // In the band, right of the title: it moves none of the window's controls.
    m_boutonVueEnsemble->move(width() - 16 - m_boutonVueEnsemble->width(), 16);
    m_boutonVueEnsemble->raise();
    m_boutonExporter->move(m_boutonVueEnsemble->x() - 4 - m_boutonExporter->width(), 16);
    m_boutonExporter->raise();
}

void TKinoluxFPrincipale::FormShow()
{
    if (m_panneauControle)
        m_panneauControle->hide();
    m_transparentWnd1->SetTransparency(100);
    m_timerDemarre->start();
}

void TKinoluxFPrincipale::FormClose()
{
    if (m_panneauControle)
        m_panneauControle->show();
}

void TKinoluxFPrincipale::TimerDemarreTimer()
{
    m_timerDemarre->stop();
    for (int k = 0; k <= 96; k += 4) {
        m_transparentWnd1->SetTransparency(static_cast<qint8>(100 - k));
        TTransparentWnd::attendreFondu();
    }
    m_transparentWnd1->SetTransparency(0);

    // The catalogue is read until one load has succeeded; reading it again at a later showing
    // would throw away the cards in memory and every unsaved change.
    if (m_baseChargee)
        return;
    if (!executerCommande(m_dialogues, [this] { chargerBaseExecute(); }))
        return;
    if (!executerCommande(m_dialogues,
                          [this] { m_ongletListeLecture->chargerListeLectureExecute(); }))
        return;
    m_ongletImports->editGestionTitreFilmChange();
}

void TKinoluxFPrincipale::fondPaint()
{
    UKinoluxGraphic::dessinerFond(*m_fond);
    UKinoluxGraphic::dessinerBandeau(*m_fond, 15);
}

void TKinoluxFPrincipale::boutonAProposClick()
{
    m_aPropos->exec();
}

void TKinoluxFPrincipale::MAJ_ListeFilms()
{
    m_ongletListeFilms->remplir();
    m_ongletClassement->MAJ_ClassementExecute();
    m_ongletRecherche->MAJ_RechercheExecute();
}

void TKinoluxFPrincipale::chargerBaseExecute()
{
    try {
        m_dm->lireBaseFilms();
    } catch (...) {
        // The cards the views showed are gone: no view may keep one.
        MAJ_ListeFilms();
        throw;
    }
    m_baseChargee = true;
    MAJ_ListeFilms();
    // The changes a run that stopped without saving left in the journal, when the user wants
    // them back.
    if (m_dm->recupererJournal() > 0)
        MAJ_ListeFilms();
}

void TKinoluxFPrincipale::MAJListeMovieCoversExecute()
{
    m_flash->definirTexte(u"Mise à jour de la liste des Fiches disponibles... CONNEXION"_s);
    m_flash->afficher();
    if (m_dm->telechargerListeTitres()) {
        m_flash->definirTexte(u"Mise à jour de la liste des Fiches disponibles... ACTUALISATION"_s);
        m_ongletImports->editGestionTitreFilmChange();
        m_flash->fermer(800);
        m_flash->definirTexte(u"Mise à jour de la liste des Fiches disponibles... TERMINEE"_s);
    } else {
        m_flash->fermer(800);
        m_flash->definirTexte(u"Mise à jour... STOPPER"_s);
    }
}

void TKinoluxFPrincipale::ajouterFilmExecute()
{
    QListWidget &titres = m_ongletImports->listeMovieCovers();
    const QList<QListWidgetItem *> selection = titres.selectedItems();
    if (selection.isEmpty())
        return;
    const QString titre = selection.first()->text();
    QProgressBar &barre = m_ongletImports->barreProgGestion();
    barre.setValue(0);
    barre.show();
    barre.setValue(13);

    // A title already in the catalogue is not fetched at all: its card and its cover file stay
    // as they are.
    bool ajoute = false;
    if (!m_dm->contientIdFilm(titre)) {
        std::unique_ptr<TFicheFilm> fiche = m_dm->importerFiche(titre);
        ajoute = fiche && m_dm->ajouterFicheFilm(fiche);
    }
    barre.setValue(70);
    MAJ_ListeFilms();
    barre.setValue(100);
    barre.hide();
    if (!ajoute)
        return;

    m_flash->definirTexte(u"Film "_s + titre + u" ajoutée."_s);
    m_flash->afficher();
    selectionnerTitre(m_dm->fichesFilms().back()->titreFrancais());
    chargerFicheFilmExecute();
    m_flash->fermer(200);
}

void TKinoluxFPrincipale::rechargerEditionImageSitesExecute()
{
    if (const CleFiche cle = m_ongletListeFilms->cleSelectionnee(); m_dm->fiche(cle))
        m_dm->telechargerImage(cle);
    chargerFicheFilmExecute();
}

void TKinoluxFPrincipale::selectionnerTitre(const QString &titre)
{
    QListWidget &liste = listeFilms();
    for (int ligne = 0; ligne < liste.count(); ++ligne) {
        if (liste.item(ligne)->text().compare(titre, Qt::CaseInsensitive) == 0) {
            liste.setCurrentRow(ligne);
            return;
        }
    }
    liste.setCurrentRow(-1);
}

void TKinoluxFPrincipale::chargerFicheFilmExecute()
{
    const CleFiche cle = m_ongletListeFilms->cleSelectionnee();
    if (!m_dm->fiche(cle))
        return;
    m_panelInfoFilm->afficher(cle, *m_dm);
    m_pcControles->setTabVisible(m_pcControles->indexOf(m_ongletEdition), true);
    m_ongletEdition->MAJ_Edition();
    emit ficheAffichee(cle);
}

FenetreVueEnsemble *TKinoluxFPrincipale::vueEnsemble() const
{
    return m_vueEnsemble;
}

void TKinoluxFPrincipale::afficherVueEnsembleExecute()
{
    if (!m_vueEnsemble) {
        FenetreVueEnsemble::Liens liens{
            [this](CleFiche cle) { afficherFiche(cle); },
            [this](const QStringList &titres) { m_ongletListeLecture->ajouterTitres(titres); },
            [this] {
                suivreCatalogue();
            }};
        m_vueEnsemble = new FenetreVueEnsemble(*m_dm, m_dialogues, std::move(liens), this);
        connect(this, &TKinoluxFPrincipale::ficheAffichee, m_vueEnsemble,
                &FenetreVueEnsemble::selectionnerFiche);
    }
    m_vueEnsemble->show();
    m_vueEnsemble->raise();
    m_vueEnsemble->activateWindow();
    if (const CleFiche cle = m_ongletListeFilms->cleSelectionnee())
        m_vueEnsemble->selectionnerFiche(cle);
}

void TKinoluxFPrincipale::afficherFiche(CleFiche cle)
{
    const int ligne = m_ongletListeFilms->ligneDe(cle);
    if (ligne < 0)
        return;
    listeFilms().setCurrentRow(ligne);
    executerCommande(m_dialogues, [this] { chargerFicheFilmExecute(); });
}

void TKinoluxFPrincipale::suivreCatalogue()
{
    const CleFiche choisie = m_ongletListeFilms->cleSelectionnee();
    m_ongletListeFilms->remplir();
    m_ongletClassement->MAJ_ClassementExecute();
    m_ongletRecherche->MAJ_RechercheExecute();
    afficherFiche(choisie);
}

void TKinoluxFPrincipale::sauvegarderBaseExecute()
{
    m_dm->ecrireBaseFilms();
    m_flash->definirTexte(u"Enregistrement TERMINE."_s);
    m_flash->afficher();
    m_flash->fermer(800);
}

void TKinoluxFPrincipale::detruireListeFilmsExecute()
{
    m_dm->detruireFichesFilms();
    MAJ_ListeFilms();
}

void TKinoluxFPrincipale::detruireListesCBEditionExecute()
{
    // The editing tab's value lists are freed with its choice boxes.
    m_ongletEdition->detruireListesCBEdition();
}

void TKinoluxFPrincipale::detruireObjetsListesExecute()
{
    detruireListesCBEditionExecute();
    detruireListeFilmsExecute();
}

void TKinoluxFPrincipale::creerNouvelleFicheExecute()
{
    const QString saisi = m_dialogues.saisie(
        u"Création de fiche de film"_s, u"Veuillez saisir l'identifiant de la nouvelle fiche :"_s);
    if (saisi.isEmpty())
        return;
    // Only a to z become capitals; accented letters stay as typed.
    QString identifiant = saisi;
    for (QChar &c : identifiant) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    auto fiche = ChampsFiche::nouvelleFiche(identifiant, saisi);
    fiche->setTitreFrancais(identifiant);
    fiche->setCheminImage(u"IMAGES_FILMS\\"_s + saisi + u".jpg"_s);

    // An identifier already in the catalogue is refused before anything is downloaded: the
    // cover of the card that has it stays as it is.
    if (!m_dm->contientIdFilm(identifiant)) {
        m_dm->telechargerImage(*fiche);
        m_dm->ajouterFicheFilm(fiche);
    }
    MAJ_ListeFilms();
}

void TKinoluxFPrincipale::supprimerFilmExecute()
{
    QListWidget &liste = listeFilms();
    const int ligne = liste.selectedItems().isEmpty() ? -1 : liste.currentRow();
    if (const TFicheFilm *fiche =
            ligne >= 0 ? m_dm->fiche(m_ongletListeFilms->cleDeLigne(ligne)) : nullptr)
        m_dm->supprimerFiche(fiche->idFilm());
    MAJ_ListeFilms();
    const int lignes = liste.count();
    if (ligne >= 0 && ligne < lignes)
        liste.setCurrentRow(ligne);
    else if (ligne > 0 && lignes > 0 && ligne == lignes)
        liste.setCurrentRow(ligne - 1);
    chargerFicheFilmExecute();
}

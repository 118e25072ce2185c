#include "views/TKinoluxFPrincipale.h"

#include "app/Commande.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Ecran.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TAboutBox.h"
#include "chrome/TImage.h"
#include "chrome/TTransparentWnd.h"
#include "chrome/TformMessageFlash.h"
#include "chrome/Titre.h"
#include "chrome/UKinoluxGraphic.h"
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
#include <QProgressBar>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct DescriptionAction
{
    const char16_t *nom;
    const char16_t *categorie;
    const char16_t *legende;
};

const DescriptionAction k_actions[] = {
    {u"MAJListeMovieCovers", u"IMPORT_FICHES", u"MAJListeMovieCovers"},
    {u"ajouterFilm", u"IMPORT_FICHES", u"Ajouter un Film"},
    {u"chargerFicheFilm", u"LISTE_FILM", u"chargerFicheFilm"},
    {u"sauvegarderBase", u"LISTE_FILM", u"Sauvegarder la base de Films"},
    {u"chargerBase", u"", u"Charger Base"},
    {u"supprimerFilm", u"LISTE_FILM", u"Supprimer le Film"},
    {u"creerNouvelleFiche", u"LISTE_FILM", u"creerNouvelleFiche"},
    {u"detruireListeFilms", u"LISTE_FILM", u"detruireListeFilms"},
    {u"detruireObjetsListes", u"", u"detruireObjetsListes"},
    {u"detruireListesCBEdition", u"EDITION", u"detruireListesCBEdition"},
    {u"MAJ_EditionChamp", u"EDITION", u"MAJ_EditionChamp"},
    {u"validerEditionChamp", u"EDITION", u"validerEditionChamp"},
    {u"MAJ_EditionListe", u"EDITION", u"MAJ_EditionListe"},
    {u"validerEditionListe", u"EDITION", u"validerEditionListe"},
    {u"MAJ_EditionSupp", u"EDITION", u"Réinitialiser les valeurs"},
    {u"validerEditionSupp", u"EDITION", u"validerEditionSupp"},
    {u"rechargerEditionImageSites", u"EDITION", u"rechargerEditionImageSites"},
    {u"MAJ_Classement", u"CLASSEMENT", u"MAJ_Classement"},
    {u"afficherClassementFiche", u"CLASSEMENT", u"afficherClassementFiche"},
    {u"MAJ_Recherche", u"RECHERCHE", u"MAJ_Recherche"},
    {u"rechercherRecherche", u"RECHERCHE", u"rechercherRecherche"},
    {u"afficherRechercheFiche", u"RECHERCHE", u"afficherRechercheFiche"},
    {u"ajouterDansListeLecture", u"", u"ajouterDansListeLecture"},
    {u"lireFilm", u"", u"lireFilm"},
    {u"lireListeLecture", u"LISTE_LECTURE", u"lireListeLecture"},
    {u"supprimerListeLectureCoches", u"LISTE_LECTURE", u"supprimerListeLectureCoches"},
    {u"enregistrerListeLecture", u"LISTE_LECTURE", u"enregistrerListeLecture"},
    {u"chargerListeLecture", u"LISTE_LECTURE", u"chargerListeLecture"},
};

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
    declencher(&m_ongletListeFilms->boutonSupprimerFiche(), SIGNAL(clic()), u"supprimerFilm"_s);
    declencher(&m_ongletListeFilms->boutonNouvelleFicheVide(), SIGNAL(clic()),
               u"creerNouvelleFiche"_s);
    declencher(&m_ongletListeFilms->boutonLFAjouterListeLecture(), SIGNAL(clic()),
               u"ajouterDansListeLecture"_s);
    declencher(&m_ongletListeFilms->boutonGestionEnregistrer(), SIGNAL(clic()),
               u"sauvegarderBase"_s);
    declencher(m_ongletListeFilms, SIGNAL(ligneChoisie()), u"chargerFicheFilm"_s);
    declencher(&m_ongletImports->boutonMAJListeMovieCovers(), SIGNAL(clic()),
               u"MAJListeMovieCovers"_s);
    declencher(&m_ongletImports->boutonAjouterFilm(), SIGNAL(clic()), u"ajouterFilm"_s);
    declencher(m_ongletImports, SIGNAL(titreDoubleClique()), u"ajouterFilm"_s);
    declencher(m_panelInfoFilm, SIGNAL(lireFilm()), u"lireFilm"_s);
    declencher(m_panelInfoFilm, SIGNAL(ajouterDansListeLecture()), u"ajouterDansListeLecture"_s);
    connect(&m_ongletListeFilms->boutonAPropos(), &TImage::clic, this,
            &TKinoluxFPrincipale::boutonAProposClick);

    centrerSurEcran(*this);
}

TKinoluxFPrincipale::~TKinoluxFPrincipale() = default;

void TKinoluxFPrincipale::creerActions()
{
    auto *listeActions = new QObject(this);
    listeActions->setObjectName(u"listeActions"_s);
    for (const DescriptionAction &description : k_actions) {
        auto *action = new QAction(QString::fromUtf16(description.legende), listeActions);
        action->setObjectName(QString::fromUtf16(description.nom));
        action->setProperty("categorie", QString::fromUtf16(description.categorie));
    }
    action(u"MAJListeMovieCovers"_s)->setToolTip(u"Mettre à jour la liste de MovieCovers"_s);
    action(u"ajouterFilm"_s)->setToolTip(u"Ajouter un Film"_s);

    relierAction(u"MAJListeMovieCovers"_s, [this] { MAJListeMovieCoversExecute(); });
    relierAction(u"ajouterFilm"_s, [this] { ajouterFilmExecute(); });
    relierAction(u"chargerFicheFilm"_s, [this] { chargerFicheFilmExecute(); });
    relierAction(u"sauvegarderBase"_s, [this] { sauvegarderBaseExecute(); });
    relierAction(u"chargerBase"_s, [this] { chargerBaseExecute(); });
    relierAction(u"creerNouvelleFiche"_s, [this] { creerNouvelleFicheExecute(); });
    relierAction(u"supprimerFilm"_s, [this] { supprimerFilmExecute(); });
    relierAction(u"detruireListeFilms"_s, [this] { detruireListeFilmsExecute(); });
    relierAction(u"detruireListesCBEdition"_s, [this] { detruireListesCBEditionExecute(); });
    relierAction(u"detruireObjetsListes"_s, [this] { detruireObjetsListesExecute(); });
    relierAction(u"rechargerEditionImageSites"_s, [this] { rechargerEditionImageSitesExecute(); });

    OngletClassement *classement = m_ongletClassement;
    relierAction(u"MAJ_Classement"_s, [classement] { classement->MAJ_ClassementExecute(); });
    relierAction(u"afficherClassementFiche"_s,
                 [classement] { classement->afficherClassementFicheExecute(); });
    OngletRecherche *recherche = m_ongletRecherche;
    relierAction(u"MAJ_Recherche"_s, [recherche] { recherche->MAJ_RechercheExecute(); });
    relierAction(u"rechercherRecherche"_s,
                 [recherche] { recherche->rechercherRechercheExecute(); });
    relierAction(u"afficherRechercheFiche"_s,
                 [recherche] { recherche->afficherRechercheFicheExecute(); });
    OngletListeLecture *lecture = m_ongletListeLecture;
    relierAction(u"ajouterDansListeLecture"_s,
                 [lecture] { lecture->ajouterDansListeLectureExecute(); });
    relierAction(u"lireFilm"_s, [lecture] { lecture->lireFilmExecute(); });
    relierAction(u"lireListeLecture"_s, [lecture] { lecture->lireListeLectureExecute(); });
    relierAction(u"supprimerListeLectureCoches"_s,
                 [lecture] { lecture->supprimerListeLectureCochesExecute(); });
    relierAction(u"enregistrerListeLecture"_s,
                 [lecture] { lecture->enregistrerListeLectureExecute(); });
    relierAction(u"chargerListeLecture"_s, [lecture] { lecture->chargerListeLectureExecute(); });
    OngletEdition *edition = m_ongletEdition;
    relierAction(u"MAJ_EditionChamp"_s, [edition] { edition->MAJ_EditionChampExecute(); });
    relierAction(u"validerEditionChamp"_s, [edition] { edition->validerEditionChampExecute(); });
    relierAction(u"MAJ_EditionListe"_s, [edition] { edition->MAJ_EditionListeExecute(); });
    relierAction(u"validerEditionListe"_s, [edition] { edition->validerEditionListeExecute(); });
    relierAction(u"MAJ_EditionSupp"_s, [edition] { edition->MAJ_EditionSuppExecute(); });
    relierAction(u"validerEditionSupp"_s, [edition] { edition->validerEditionSuppExecute(); });
}

TFicheFilm *TKinoluxFPrincipale::ficheDuTitre(const QString &titre)
{
    QListWidget &liste = listeFilms();
    for (int ligne = 0; ligne < liste.count(); ++ligne) {
        if (liste.item(ligne)->text().compare(titre, Qt::CaseInsensitive) == 0)
            return OngletListeFilms::ficheDeLigne(liste, ligne);
    }
    return nullptr;
}

void TKinoluxFPrincipale::afficherFicheDuTitre(const QString &titre)
{
    selectionnerTitre(titre);
    chargerFicheFilmExecute();
}

void TKinoluxFPrincipale::relierAction(const QString &nom, std::function<void()> gestionnaire)
{
    connect(action(nom), &QAction::triggered, this, [this, gestionnaire = std::move(gestionnaire)] {
        executerCommande(m_dialogues, gestionnaire);
    });
}

void TKinoluxFPrincipale::declencher(QObject *source, const char *signal, const QString &nomAction)
{
    connect(source, signal, action(nomAction), SLOT(trigger()));
}

void TKinoluxFPrincipale::relier(Tdm_Kinolux &dm, TformMessageFlash &flash, TAboutBox &aPropos)
{
    m_dm = &dm;
    m_flash = &flash;
    m_aPropos = &aPropos;
    m_ongletImports->relier(dm);
    const auto afficherFiche = [this](const QString &titre) {
        afficherFicheDuTitre(titre);
    };
    m_ongletClassement->relier(dm, afficherFiche);
    m_ongletRecherche->relier(dm, afficherFiche);
    m_ongletListeLecture->relier(
        dm, flash, [this] { return m_ongletListeFilms->ficheSelectionnee(); },
        [this](const QString &titre) { return ficheDuTitre(titre); });
    m_ongletEdition->relier(dm, m_dialogues, listeFilms(),
                            {[this] { MAJ_ListeFilms(); }, [this] { chargerFicheFilmExecute(); },
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
    m_ongletListeFilms->remplir(m_dm->fichesFilms());
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
    if (TFicheFilm *fiche = m_ongletListeFilms->ficheSelectionnee())
        m_dm->telechargerImage(*fiche);
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
    TFicheFilm *fiche = m_ongletListeFilms->ficheSelectionnee();
    if (!fiche)
        return;
    m_panelInfoFilm->afficher(*fiche, *m_dm);
    m_pcControles->setTabVisible(m_pcControles->indexOf(m_ongletEdition), true);
    m_ongletEdition->MAJ_Edition();
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
    const QString tiret = u"-"_s;
    auto fiche = std::make_unique<TFicheFilm>(identifiant, identifiant, tiret, tiret, tiret, tiret,
                                              tiret, QStringList(), QStringList(), QStringList(),
                                              QStringList(), QStringList());
    fiche->setCheminImage(u"IMAGES_FILMS\\"_s + saisi + u".jpg"_s);
    fiche->setNiveauPreference(5);
    fiche->setNomSupport(u"DVD "_s + Tdm_Kinolux::normaliserTitre(saisi));
    fiche->setTypeSupport(u"DVD-VIDEO"_s);
    fiche->setCheminFichier(tiret);
    fiche->setCodec(u"MPEG2"_s);
    fiche->setCommentaire(tiret);

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
    if (ligne >= 0)
        m_dm->supprimerFiche(OngletListeFilms::ficheDeLigne(liste, ligne)->idFilm());
    MAJ_ListeFilms();
    const int lignes = liste.count();
    if (ligne >= 0 && ligne < lignes)
        liste.setCurrentRow(ligne);
    else if (ligne > 0 && lignes > 0 && ligne == lignes)
        liste.setCurrentRow(ligne - 1);
    chargerFicheFilmExecute();
}

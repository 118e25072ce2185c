#include "views/OngletEdition.h"

#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Edition.h"
#include "catalogue/TFicheFilm.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/TImage.h"
#include "echanges/AnalyseDossier.h"
#include "views/ActionFenetre.h"
#include "views/IconesFiche.h"
#include "views/LecteurFaits.h"
#include "views/OngletListeFilms.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString k_filtreVideo =
    u"Fichier AVI|*.avi|Fichier WMV|*.wmv|Fichier vidéo "
    u"(mpeg)(*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe)|*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe|Fichier "
    u"divX (*.divx;*.div;*.tix;*.mp4;*.gt;*.mov)|*.divx;*.div;*.tix;*.mp4;*.gt;*.mov|Tous les "
    u"fichiers|*.*|"_s;
const QString k_filtreImage =
    u"Fichier image (*.jpg;*.jpeg;*.bmp;*emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*emf;*.wmf|"_s;

// Pictures of the image list used by the tab's buttons.
enum : int
{
    imageSupprimer = 2,
    imageRafraichir = 8,
    imageValider = 14,
    imageReinitialiser = 15,
    imageAjouterListe = 21
};

QWidget *creerPanneau(QWidget *parent, const QString &nom, const QColor &couleur)
{
    auto *panneau = new QWidget(parent);
    panneau->setObjectName(nom);
    if (couleur.isValid()) {
        panneau->setAutoFillBackground(true);
        QPalette palette = panneau->palette();
        palette.setColor(QPalette::Window, couleur);
        panneau->setPalette(palette);
    }
    return panneau;
}

QLabel *creerLibelle(QWidget *parent, const QString &nom, const QString &texte)
{
    auto *label = new QLabel(texte, parent);
    label->setObjectName(nom);
    return label;
}

TImage *creerBoutonImage(QWidget *parent, const QString &nom, int image, int cote = 16)
{
    auto *bouton = new TImage(parent);
    bouton->setObjectName(nom);
    bouton->setFixedSize(cote, cote);
    bouton->setCenter(true);
    bouton->setStretch(cote != 16);
    bouton->setProportional(true);
    bouton->setPicture(QPixmap::fromImage(Images::listeImages().at(image)));
    bouton->setCursor(Qt::PointingHandCursor);
    return bouton;
}

QComboBox *creerChoix(QWidget *parent, const QString &nom, const QStringList &entrees)
{
    auto *choix = new QComboBox(parent);
    choix->setObjectName(nom);
    choix->setEditable(false);
    choix->addItems(entrees);
    choix->setCurrentIndex(-1);
    return choix;
}

} // namespace

OngletEdition::OngletEdition(QWidget *parent)
    : Onglet(u"tabEdition"_s, u"barreEdition"_s, u"Edition de la Fiche"_s, parent)
    , m_cbEditionChoixChamp(nullptr)
    , m_editEditionModifChamp(new QLineEdit(this))
    , m_cbEditionChoixListe(nullptr)
    , m_listeEditionModifListe(new QListWidget(this))
    , m_tbEditionPref(new QSlider(Qt::Horizontal, this))
    , m_imgEditionPref(new TImage(this))
    , m_editEditionNomSupport(new QLineEdit(this))
    , m_groupeTypeSupport(new QGroupBox(u"Type du support"_s, this))
    , m_rgTypeSupport(new QButtonGroup(this))
    , m_imgEditionSupport(new TImage(this))
    , m_imgEdition(new TImage(this))
    , m_btEditionFichier(new QPushButton(u"Fichier..."_s, this))
    , m_lecteurFaits(new LecteurFaits(this))
{
    connect(m_lecteurFaits, &LecteurFaits::lus, this, &OngletEdition::faitsLus);
    // Field panel.
    QWidget *panel1 = creerPanneau(this, u"Panel1"_s, QColor(0xC0, 0xDC, 0xC0));
    panel1->setFixedHeight(80);
    m_cbEditionChoixChamp = creerChoix(
        panel1, u"cbEditionChoixChamp"_s,
        {u"Titre Français"_s, u"Titre Original"_s, u"Année"_s, u"Durée"_s, u"Distributeur"_s});
    m_editEditionModifChamp->setParent(panel1);
    m_editEditionModifChamp->setObjectName(u"editEditionModifChamp"_s);
    TImage *validerChamp =
        creerBoutonImage(panel1, u"boutonEditionValiderModifChamp"_s, imageValider);
    TImage *reinitChamp =
        creerBoutonImage(panel1, u"boutonEditionReinitChamp"_s, imageReinitialiser);
    auto *grilleChamp = new QGridLayout(panel1);
    grilleChamp->setContentsMargins(4, 3, 4, 3);
    grilleChamp->setSpacing(2);
    grilleChamp->addWidget(creerLibelle(panel1, u"Label9"_s, u"Champ à modifier :"_s), 0, 0);
    grilleChamp->addWidget(reinitChamp, 0, 1, Qt::AlignRight);
    grilleChamp->addWidget(m_cbEditionChoixChamp, 1, 0, 1, 2);
    grilleChamp->addWidget(m_editEditionModifChamp, 2, 0, 1, 2);
    grilleChamp->addWidget(validerChamp, 3, 1, Qt::AlignRight);
    grilleChamp->setColumnStretch(0, 1);

    // List panel.
    QWidget *panelListes = creerPanneau(this, u"panelModifListes"_s, QColor(0xA6, 0xCA, 0xF0));
    panelListes->setFixedHeight(112);
    m_cbEditionChoixListe = creerChoix(panelListes, u"cbEditionChoixListe"_s, {});
    m_listeEditionModifListe->setParent(panelListes);
    m_listeEditionModifListe->setObjectName(u"listeEditionModifListe"_s);
    m_listeEditionModifListe->setSelectionMode(QAbstractItemView::SingleSelection);
    TImage *ajouter =
        creerBoutonImage(panelListes, u"boutonEditionAjouterDansListe"_s, imageAjouterListe);
    TImage *retirer =
        creerBoutonImage(panelListes, u"boutonEditionRetirerDeListe"_s, imageSupprimer);
    TImage *validerListe =
        creerBoutonImage(panelListes, u"boutonEditionValiderModifListe"_s, imageValider);
    TImage *reinitListe =
        creerBoutonImage(panelListes, u"boutonEditionReinitModifListe"_s, imageReinitialiser);
    auto *grilleListe = new QGridLayout(panelListes);
    grilleListe->setContentsMargins(4, 3, 4, 3);
    grilleListe->setSpacing(2);
    grilleListe->addWidget(creerLibelle(panelListes, u"Label10"_s, u"Liste à modifier :"_s), 0, 0);
    grilleListe->addWidget(reinitListe, 0, 1, Qt::AlignRight);
    grilleListe->addWidget(m_cbEditionChoixListe, 1, 0, 1, 2);
    grilleListe->addWidget(m_listeEditionModifListe, 2, 0, 3, 1);
    grilleListe->addWidget(ajouter, 2, 1);
    grilleListe->addWidget(retirer, 3, 1);
    grilleListe->addWidget(validerListe, 4, 1, Qt::AlignBottom);
    grilleListe->setColumnStretch(0, 1);
    grilleListe->setRowStretch(4, 1);

    // Supplement panel.
    QWidget *panelSupp = creerPanneau(this, u"panelEditionModifSupp"_s, QColor());
    m_tbEditionPref->setParent(panelSupp);
    m_tbEditionPref->setObjectName(u"tbEditionPref"_s);
    m_tbEditionPref->setRange(0, 10);
    m_tbEditionPref->setPageStep(1);
    m_tbEditionPref->setValue(5);
    m_tbEditionPref->setTickPosition(QSlider::TicksBelow);
    m_imgEditionPref->setParent(panelSupp);
    m_imgEditionPref->setObjectName(u"imgEditionPref"_s);
    m_imgEditionPref->setFixedSize(32, 32);
    m_imgEditionPref->setStretch(true);
    m_imgEditionPref->setProportional(true);
    m_editEditionNomSupport->setParent(panelSupp);
    m_editEditionNomSupport->setObjectName(u"editEditionNomSupport"_s);
    m_groupeTypeSupport->setParent(panelSupp);
    m_groupeTypeSupport->setObjectName(u"rgTypeSupport"_s);
    m_rgTypeSupport->setObjectName(u"rgTypeSupportBoutons"_s);
    auto *types = new QVBoxLayout(m_groupeTypeSupport);
    types->setContentsMargins(4, 2, 4, 2);
    types->setSpacing(0);
    for (int i = 0; i < Edition::typesSupport().size(); ++i) {
        auto *radio = new QRadioButton(Edition::typesSupport().at(i), m_groupeTypeSupport);
        m_rgTypeSupport->addButton(radio, i);
        types->addWidget(radio);
    }
    m_imgEditionSupport->setParent(panelSupp);
    m_imgEditionSupport->setObjectName(u"imgEditionSupport"_s);
    m_imgEditionSupport->setFixedSize(62, 88);
    m_imgEditionSupport->setCenter(true);
    TImage *recharger =
        creerBoutonImage(panelSupp, u"boutonEditionRechargeImageSites"_s, imageRafraichir, 33);
    m_imgEdition->setParent(panelSupp);
    m_imgEdition->setObjectName(u"imgEdition"_s);
    m_imgEdition->setFixedSize(145, 81);
    m_imgEdition->setCenter(true);
    m_imgEdition->setStretch(true);
    m_imgEdition->setProportional(true);
    m_imgEdition->setCursor(Qt::PointingHandCursor);
    definirHint(*m_imgEdition, QString(), true);
    m_btEditionFichier->setParent(panelSupp);
    m_btEditionFichier->setObjectName(u"btEditionFichier"_s);
    definirHint(*m_btEditionFichier, QString(), true);
    TImage *reinitSupp =
        creerBoutonImage(panelSupp, u"boutonEditionReinitSupp"_s, imageReinitialiser);
    TImage *validerSupp = creerBoutonImage(panelSupp, u"Image5"_s, imageValider);

    auto *grilleSupp = new QGridLayout(panelSupp);
    grilleSupp->setContentsMargins(4, 3, 4, 3);
    grilleSupp->setSpacing(2);
    grilleSupp->addWidget(creerLibelle(panelSupp, u"Label11"_s, u"Préférence :"_s), 0, 0, 1, 3);
    grilleSupp->addWidget(m_imgEditionPref, 0, 3, 2, 1, Qt::AlignRight);
    grilleSupp->addWidget(m_tbEditionPref, 1, 0, 1, 3);
    grilleSupp->addWidget(creerLibelle(panelSupp, u"Label16"_s, u"Nom du support :"_s), 2, 0, 1, 4);
    grilleSupp->addWidget(m_editEditionNomSupport, 3, 0, 1, 4);
    grilleSupp->addWidget(m_groupeTypeSupport, 4, 0, 1, 3);
    grilleSupp->addWidget(m_imgEditionSupport, 4, 3, Qt::AlignCenter);
    grilleSupp->addWidget(creerLibelle(panelSupp, u"Label13"_s, u"Image :"_s), 5, 0, 1, 4);
    grilleSupp->addWidget(recharger, 6, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grilleSupp->addWidget(m_imgEdition, 6, 1, 1, 3, Qt::AlignCenter);
    grilleSupp->addWidget(m_btEditionFichier, 7, 0, 1, 2, Qt::AlignLeft);
    grilleSupp->addWidget(reinitSupp, 7, 2, Qt::AlignRight);
    grilleSupp->addWidget(validerSupp, 7, 3, Qt::AlignLeft);
    grilleSupp->setColumnStretch(1, 1);
    grilleSupp->setRowStretch(8, 1);

    contenu().addWidget(panel1);
    contenu().addWidget(panelListes);
    contenu().addWidget(panelSupp, 1);

    // The buttons run their actions, which report errors like every command; a tab standing
    // alone runs the handler itself.
    const auto lancer = [this](TImage *bouton, const QString &action,
                               void (OngletEdition::*gestionnaire)()) {
        connect(bouton, &TImage::clic, this, [this, bouton, action, gestionnaire] {
            declencherAction(*bouton, action, [this, gestionnaire] {
                if (m_dialogues)
                    executerCommande(*m_dialogues,
                                     [this, gestionnaire] { (this->*gestionnaire)(); });
            });
        });
    };
    lancer(validerChamp, u"validerEditionChamp"_s, &OngletEdition::validerEditionChampExecute);
    lancer(reinitChamp, u"MAJ_EditionChamp"_s, &OngletEdition::MAJ_EditionChampExecute);
    lancer(validerListe, u"validerEditionListe"_s, &OngletEdition::validerEditionListeExecute);
    lancer(reinitListe, u"MAJ_EditionListe"_s, &OngletEdition::MAJ_EditionListeExecute);
    lancer(reinitSupp, u"MAJ_EditionSupp"_s, &OngletEdition::MAJ_EditionSuppExecute);
    lancer(validerSupp, u"validerEditionSupp"_s, &OngletEdition::validerEditionSuppExecute);
    connect(recharger, &TImage::clic, this,
            [recharger] { declencherAction(*recharger, u"rechargerEditionImageSites"_s, [] {}); });
    connect(ajouter, &TImage::clic, this, &OngletEdition::boutonEditionAjouterDansListeClick);
    connect(retirer, &TImage::clic, this, &OngletEdition::boutonEditionRetirerDeListeClick);
    connect(m_cbEditionChoixChamp, &QComboBox::activated, this,
            &OngletEdition::cbEditionChoixChampChange);
    connect(m_cbEditionChoixListe, &QComboBox::activated, this,
            &OngletEdition::cbEditionChoixListeChange);
    connect(m_tbEditionPref, &QSlider::valueChanged, this, &OngletEdition::tbEditionPrefChange);
    connect(m_rgTypeSupport, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche)
            rgTypeSupportClick();
    });
    connect(m_btEditionFichier, &QPushButton::clicked, this, &OngletEdition::btEditionFichierClick);
    connect(m_imgEdition, &TImage::clic, this, [this] {
        if (m_dialogues)
            executerCommande(*m_dialogues, [this] { imgEditionClick(); });
    });
}

void OngletEdition::relier(Tdm_Kinolux &dm, Dialogues &dialogues,
                           const OngletListeFilms &listeFilms, Fenetre fenetre)
{
    m_dm = &dm;
    m_dialogues = &dialogues;
    m_listeFilms = &listeFilms;
    m_fenetre = std::move(fenetre);
    // The icon of the track bar's position before any fill.
    tbEditionPrefChange();
}

CleFiche OngletEdition::cleEditee() const
{
    if (!m_listeFilms || !m_dm || m_cle == 0)
        return 0;
    const CleFiche cle = m_listeFilms->cleSelectionnee();
    return cle == m_cle && m_dm->fiche(cle) ? cle : 0;
}

const TFicheFilm *OngletEdition::ficheEditee() const
{
    const CleFiche cle = cleEditee();
    return cle ? m_dm->fiche(cle) : nullptr;
}

void OngletEdition::rafraichir()
{
    if (m_fenetre.chargerFicheFilm)
        m_fenetre.chargerFicheFilm();
    if (m_fenetre.MAJ_Classement)
        m_fenetre.MAJ_Classement();
    if (m_fenetre.MAJ_Recherche)
        m_fenetre.MAJ_Recherche();
}

QPixmap OngletEdition::icone(const QString &nom, int cote) const
{
    if (!m_dm)
        return {};
    QImageReader lecteur(m_dm->chemin(u"icones/"_s + nom));
    const QImage image = lecteur.read();
    if (image.isNull())
        return {};
    return QPixmap::fromImage(
        image.scaled(cote, cote, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void OngletEdition::definirCheminImage(const QString &chemin)
{
    m_cheminImage = chemin;
    definirHint(*m_imgEdition, chemin, true);
}

void OngletEdition::definirCheminFichier(const QString &chemin)
{
    m_cheminFichier = chemin;
    definirHint(*m_btEditionFichier, chemin, true);
    m_faits = {};
    m_cheminFaits.clear();
    m_lecteurFaits->demander(cheminAbsolu(chemin));
}

QString OngletEdition::cheminAbsolu(const QString &chemin) const
{
    return m_dm ? AnalyseDossier::cheminVideo(chemin, m_dm->repertoire()) : QString();
}

void OngletEdition::faitsLus(const QString &chemin, const FaitsVideo::Faits &faits)
{
    if (chemin != cheminAbsolu(m_cheminFichier))
        return;
    m_faits = faits;
    m_cheminFaits = chemin;
    // The path stays the whole hint of a file that is not there: nothing to say of it.
    if (faits.lu || (m_fichierChoisi && faits.existe))
        definirHint(*m_btEditionFichier, hintFichierVideo(m_cheminFichier, &faits), true);
    emit faitsFichierLus();
}

void OngletEdition::detruireListesCBEdition()
{
    m_cbEditionChoixChamp->clear();
    m_cbEditionChoixListe->clear();
    m_cle = 0;
}

void OngletEdition::MAJ_Edition()
{
    const CleFiche cle = m_listeFilms ? m_listeFilms->cleSelectionnee() : 0;
    const TFicheFilm *fiche = m_dm ? m_dm->fiche(cle) : nullptr;
    if (!fiche)
        return;
    detruireListesCBEdition();

    // Each entry carries its own snapshot of the card's value: the resets read it back.
    const QStringList &champs = Edition::entreesChamps();
    for (int i = 0; i < champs.size(); ++i)
        m_cbEditionChoixChamp->addItem(champs.at(i), QStringList{Edition::valeurChamp(*fiche, i)});
    const QStringList &listes = Edition::entreesListes();
    for (int i = 0; i < listes.size(); ++i)
        m_cbEditionChoixListe->addItem(listes.at(i), Edition::valeurListe(*fiche, i));
    m_cbEditionChoixChamp->setCurrentIndex(-1);
    m_cbEditionChoixListe->setCurrentIndex(-1);

    m_tbEditionPref->setValue(Edition::preferenceBornee(fiche->niveauPreference()));
    m_editEditionNomSupport->setText(fiche->nomSupport());
    const int type = Edition::indexTypeSupport(fiche->typeSupport());
    if (type >= 0) {
        m_rgTypeSupport->button(type)->setChecked(true);
    } else if (QAbstractButton *coche = m_rgTypeSupport->checkedButton()) {
        m_rgTypeSupport->setExclusive(false);
        coche->setChecked(false);
        m_rgTypeSupport->setExclusive(true);
    }
    // A cover that cannot be read leaves the editor without a picture rather than with the
    // previous card's: validating then writes no cover at all. One outside the program's
    // directory is not read, so that validating never copies a file from elsewhere into it.
    m_couverture = {};
    if (const QString fichier = m_dm->cheminInterieur(fiche->cheminImage()); !fichier.isEmpty()) {
        try {
            m_couverture = Edition::lireCouverture(fichier);
        } catch (const Erreur &) {
            m_couverture = {};
        }
    }
    m_imgEdition->setPicture(QPixmap::fromImage(m_couverture.image));
    definirCheminImage(fiche->cheminImage());
    definirCheminFichier(fiche->cheminFichier());
    m_fichierChoisi = false;

    m_cle = cle;
}

void OngletEdition::cbEditionChoixChampChange()
{
    const int entree = m_cbEditionChoixChamp->currentIndex();
    if (!ficheEditee() || entree < 0)
        return;
    m_editEditionModifChamp->setText(
        m_cbEditionChoixChamp->itemData(entree).toStringList().value(0));
}

void OngletEdition::MAJ_EditionChampExecute()
{
    cbEditionChoixChampChange();
}

void OngletEdition::validerEditionChampExecute()
{
    const CleFiche cle = cleEditee();
    if (!cle)
        return;
    // A new French title moves the card's row of the film list where the title sorts, the row
    // staying selected; the tree and the search are refreshed below.
    const int entree = m_cbEditionChoixChamp->currentIndex();
    if (entree >= 0) {
        const QString valeur = m_editEditionModifChamp->text();
        m_dm->modifierFiche(
            cle, [&](TFicheFilm &fiche) { Edition::ecrireChamp(fiche, entree, valeur); });
    }
    rafraichir();
}

void OngletEdition::cbEditionChoixListeChange()
{
    const int entree = m_cbEditionChoixListe->currentIndex();
    if (!ficheEditee() || entree < 0)
        return;
    m_listeEditionModifListe->clear();
    m_listeEditionModifListe->addItems(m_cbEditionChoixListe->itemData(entree).toStringList());
}

void OngletEdition::MAJ_EditionListeExecute()
{
    cbEditionChoixListeChange();
}

void OngletEdition::boutonEditionAjouterDansListeClick()
{
    if (!m_dialogues)
        return;
    const QString valeur = m_dialogues->saisie(
        u"Ajout d'un élément"_s, u"Veuillez saisir la valeur du nouvel élément de la liste"_s);
    if (!valeur.isEmpty())
        m_listeEditionModifListe->addItem(valeur);
}

void OngletEdition::boutonEditionRetirerDeListeClick()
{
    const auto selection = m_listeEditionModifListe->selectedItems();
    if (!selection.isEmpty())
        delete m_listeEditionModifListe->takeItem(m_listeEditionModifListe->row(selection.first()));
}

void OngletEdition::validerEditionListeExecute()
{
    const CleFiche cle = cleEditee();
    if (!cle)
        return;
    const int entree = m_cbEditionChoixListe->currentIndex();
    if (entree >= 0) {
        QStringList lignes;
        for (int ligne = 0; ligne < m_listeEditionModifListe->count(); ++ligne)
            lignes.append(m_listeEditionModifListe->item(ligne)->text());
        m_dm->modifierFiche(
            cle, [&](TFicheFilm &fiche) { Edition::ecrireListe(fiche, entree, lignes); });
    }
    rafraichir();
}

void OngletEdition::tbEditionPrefChange()
{
    if (const auto nom = IconesFiche::iconePreference(m_tbEditionPref->value()))
        m_imgEditionPref->setPicture(icone(*nom, 32));
}

void OngletEdition::rgTypeSupportClick()
{
    const int type = m_rgTypeSupport->checkedId();
    if (type < 0)
        return;
    m_imgEditionSupport->setPicture(
        icone(IconesFiche::iconeSupport(Edition::typesSupport().at(type)), 48));
}

void OngletEdition::btEditionFichierClick()
{
    if (!m_dialogues)
        return;
    const QString fichier = m_dialogues->ouvrirFichier(u"Association d'un fichier video"_s,
                                                       k_filtreVideo, m_cheminFichier);
    if (!fichier.isEmpty()) {
        definirCheminFichier(fichier);
        m_fichierChoisi = true;
    }
}

void OngletEdition::imgEditionClick()
{
    if (!m_dialogues)
        return;
    const QString fichier =
        m_dialogues->ouvrirFichier(u"Importation d'image"_s, k_filtreImage, m_cheminImage);
    if (fichier.isEmpty())
        return;
    m_couverture = Edition::lireCouverture(fichier);
    m_imgEdition->setPicture(QPixmap::fromImage(m_couverture.image));
    definirCheminImage(fichier);
}

void OngletEdition::MAJ_EditionSuppExecute()
{
    MAJ_Edition();
}

void OngletEdition::validerEditionSuppExecute()
{
    const CleFiche cle = cleEditee();
    if (!cle)
        return;
    m_dm->modifierFiche(cle, [this](TFicheFilm &fiche) {
        fiche.setNiveauPreference(m_tbEditionPref->value());
        fiche.setNomSupport(m_editEditionNomSupport->text());
        if (QAbstractButton *type = m_rgTypeSupport->checkedButton())
            fiche.setTypeSupport(Edition::typesSupport().at(m_rgTypeSupport->id(type)));
        // Without a picture there is nothing to write: the card keeps its cover file and its
        // path.
        if (!m_couverture.vide()) {
            const QString nouveau = Edition::nouveauCheminImage(fiche.idFilm(), m_cheminImage);
            Edition::enregistrerCouverture(*m_dm, m_couverture.octets, fiche.cheminImage(),
                                           nouveau);
            fiche.setCheminImage(nouveau);
        }
        fiche.setCheminFichier(m_cheminFichier);
        if (m_fichierChoisi) {
            // Validated before the reading came back: the facts are read here and now.
            const QString video = cheminAbsolu(m_cheminFichier);
            if (m_cheminFaits != video) {
                m_faits = FaitsVideo::lire(video);
                m_cheminFaits = video;
            }
            FaitsVideo::ecrireDans(fiche, m_faits);
        }
    });
    m_fichierChoisi = false;
    rafraichir();
}

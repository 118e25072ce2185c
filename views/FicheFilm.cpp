#include "views/FicheFilm.h"

#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"
#include "chrome/UKinoluxGraphic.h"
#include "echanges/AnalyseDossier.h"
#include "views/IconesFiche.h"
#include "views/LecteurFaits.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor creme(255, 251, 240);

QLabel *creerLibelle(QWidget *parent, const QString &nom, const QString &texte)
{
    auto *label = new QLabel(texte, parent);
    label->setObjectName(nom);
    return label;
}

QLabel *creerValeur(QWidget *parent, const QString &nom, bool italique = false)
{
    auto *label = creerLibelle(parent, nom, u"-"_s);
    QFont police = label->font();
    police.setBold(true);
    police.setItalic(italique);
    label->setFont(police);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

void noirSurBlanc(QWidget *controle)
{
    QPalette palette = controle->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    controle->setPalette(palette);
    QFont police = controle->font();
    police.setBold(true);
    controle->setFont(police);
}

QListWidget *creerListe(QWidget *parent, const QString &nom)
{
    auto *liste = new QListWidget(parent);
    liste->setObjectName(nom);
    noirSurBlanc(liste);
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    return liste;
}

TImage *creerImage(QWidget *parent, const QString &nom, QSize taille)
{
    auto *image = new TImage(parent);
    image->setObjectName(nom);
    image->setFixedSize(taille);
    image->setCenter(true);
    return image;
}

TImage *creerBoutonImage(QWidget *parent, const QString &nom, const QImage &picture,
                         const QString &hint)
{
    auto *image = creerImage(parent, nom, picture.size());
    image->setPicture(QPixmap::fromImage(picture));
    image->setCursor(Qt::PointingHandCursor);
    definirHint(*image, hint, true);
    return image;
}

// An icon of `icones/`, drawn at the size the control shows it.
QPixmap chargerIcone(const Tdm_Kinolux &dm, const QString &nom, int cote)
{
    const QString chemin = dm.chemin(u"icones/"_s + nom);
    QImageReader lecteur(chemin);
    QImage image;
    if (QFileInfo(chemin).isFile())
        image = lecteur.read();
    if (image.isNull())
        throw Erreur(u"Impossible d'ouvrir le fichier « %1 » : %2"_s.arg(
            chemin,
            QFileInfo::exists(chemin) ? lecteur.errorString() : u"le fichier n'existe pas."_s));
    return QPixmap::fromImage(
        image.scaled(cote, cote, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

FicheFilm::FicheFilm(QWidget *parent)
    : QWidget(parent)
    , m_barreTitreFilm(new PaintBox(this))
    , m_lbTitreO(creerValeur(this, u"lbTitreO"_s, true))
    , m_lbAnnee(creerValeur(this, u"lbAnnee"_s))
    , m_lbDuree(creerValeur(this, u"lbDuree"_s))
    , m_lbNations(creerValeur(this, u"lbNations"_s))
    , m_lbGenre(creerValeur(this, u"lbGenre"_s))
    , m_lbDistrib(creerValeur(this, u"lbDistrib"_s))
    , m_listeRealisateursFilm(creerListe(this, u"listeRealisateursFilm"_s))
    , m_listeActeurs(creerListe(this, u"listeActeurs"_s))
    , m_memoResume(new QPlainTextEdit(this))
    , m_imageFilm(new TImage(this))
    , m_lbIDFilm(creerLibelle(this, u"lbIDFilm"_s, u"Identifiant : -"_s))
    , m_barrePreference(new QProgressBar(this))
    , m_imgPref(creerImage(this, u"imgPref"_s, {49, 33}))
    , m_editFicheNomSupport(new QLineEdit(u"-"_s, this))
    , m_imgFicheSupport(creerImage(this, u"imgFicheSupport"_s, {81, 57}))
    , m_lecteurFaits(new LecteurFaits(this))
{
    connect(m_lecteurFaits, &LecteurFaits::lus, this,
            [this](const QString &chemin, const FaitsVideo::Faits &faits) {
                if (chemin == m_fichierAbsolu && faits.lu)
                    definirHint(*m_imgFicheSupport, hintFichierVideo(m_cheminFichier, &faits),
                                true);
            });
    setObjectName(u"panelInfoFilm"_s);
    setAutoFillBackground(true);

    m_barreTitreFilm->setObjectName(u"barreTitreFilm"_s);
    m_barreTitreFilm->setFixedHeight(17);
    definirHint(*m_barreTitreFilm, u"-"_s, false);
    connect(m_barreTitreFilm, &PaintBox::peindre, this, &FicheFilm::barreTitreFilmPaint);

    m_imageFilm->setObjectName(u"imageFilm"_s);
    m_imageFilm->setMinimumSize(249, 345);
    m_imageFilm->setCenter(true);
    m_imageFilm->setStretch(true);
    m_imageFilm->setProportional(true);
    m_imageFilm->setPicture(QPixmap::fromImage(Images::imageDepart()));

    auto *lbPreference = creerLibelle(this, u"lbPreference"_s, u"Preference :"_s);
    m_barrePreference->setObjectName(u"barrePreference"_s);
    m_barrePreference->setRange(0, 10);
    m_barrePreference->setValue(0);
    m_barrePreference->setTextVisible(false);
    m_barrePreference->setFixedHeight(12);

    auto *image1 = creerBoutonImage(this, u"Image1"_s, Images::lireFilm(), u"Lire le film"_s);
    connect(image1, &TImage::clic, this, &FicheFilm::lireFilm);
    auto *ajouter =
        creerBoutonImage(this, u"boutonAjouterListeLecture"_s, Images::ajouterListeLecture(),
                         u"Ajouter dans la liste de lecture"_s);
    connect(ajouter, &TImage::clic, this, &FicheFilm::ajouterDansListeLecture);
    auto *ajouter2 =
        creerBoutonImage(this, u"boutonAjouterListeLecture2"_s, Images::ajouterListeLecture(),
                         u"Ajouter dans la liste de lecture"_s);
    connect(ajouter2, &TImage::clic, this, &FicheFilm::ajouterDansListeLecture);

    m_memoResume->setObjectName(u"memoResume"_s);
    m_memoResume->setReadOnly(true);
    m_memoResume->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    noirSurBlanc(m_memoResume);

    m_editFicheNomSupport->setObjectName(u"editFicheNomSupport"_s);
    m_editFicheNomSupport->setReadOnly(true);
    QPalette palette = m_editFicheNomSupport->palette();
    palette.setColor(QPalette::Base, creme);
    m_editFicheNomSupport->setPalette(palette);
    definirHint(*m_editFicheNomSupport, u"-"_s, true);
    definirHint(*m_imgFicheSupport, QString(), true);

    m_lbIDFilm->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Left: the cover, the preference and the playback buttons. Right: the fields.
    auto *gauche = new QGridLayout;
    gauche->addWidget(m_imageFilm, 0, 0, 1, 4);
    gauche->addWidget(lbPreference, 1, 0);
    gauche->addWidget(m_imgPref, 1, 1);
    gauche->addWidget(m_barrePreference, 1, 2, 1, 2);
    gauche->addWidget(image1, 2, 0, 1, 2, Qt::AlignLeft);
    gauche->addWidget(ajouter, 2, 2, 1, 2, Qt::AlignRight);
    gauche->setRowStretch(0, 1);
    gauche->setColumnStretch(2, 1);

    auto *champs = new QGridLayout;
    int ligne = 0;
    auto ajouterChamp = [&](const QString &nom, const QString &texte, QWidget *valeur) {
        champs->addWidget(creerLibelle(this, nom, texte), ligne, 0, Qt::AlignTop);
        champs->addWidget(valeur, ligne++, 1, 1, 2);
    };
    auto *titreO = creerLibelle(this, u"Label1"_s, u"Titre original : "_s);
    QFont italique = titreO->font();
    italique.setItalic(true);
    titreO->setFont(italique);
    champs->addWidget(titreO, ligne, 0);
    champs->addWidget(m_lbTitreO, ligne++, 1, 1, 2);
    ajouterChamp(u"Label5"_s, u"Année : "_s, m_lbAnnee);
    ajouterChamp(u"Label3"_s, u"Durée :"_s, m_lbDuree);
    ajouterChamp(u"Label4"_s, u"Nationalité(s) :"_s, m_lbNations);
    ajouterChamp(u"Label2"_s, u"Genre(s) :"_s, m_lbGenre);
    ajouterChamp(u"Label6"_s, u"Distributeur(s) :"_s, m_lbDistrib);
    champs->addWidget(creerLibelle(this, u"Label7"_s, u"Réalisateur(s) : "_s), ligne++, 0, 1, 3);
    m_listeRealisateursFilm->setFixedHeight(52);
    champs->addWidget(m_listeRealisateursFilm, ligne++, 0, 1, 3);
    champs->addWidget(creerLibelle(this, u"Label8"_s, u"Acteur(s) : "_s), ligne++, 0, 1, 3);
    champs->addWidget(m_listeActeurs, ligne, 0, 1, 3);
    champs->setRowStretch(ligne++, 2);
    champs->addWidget(creerLibelle(this, u"Label17"_s, u"Support :"_s), ligne++, 0, 1, 3);
    champs->addWidget(m_editFicheNomSupport, ligne, 0, 1, 2, Qt::AlignVCenter);
    auto *support = new QHBoxLayout;
    support->addWidget(ajouter2);
    support->addWidget(m_imgFicheSupport);
    champs->addLayout(support, ligne++, 2);
    champs->addWidget(creerLibelle(this, u"Label12"_s, u"Résumé : "_s), ligne++, 0, 1, 3);
    champs->addWidget(m_memoResume, ligne, 0, 1, 3);
    champs->setRowStretch(ligne++, 3);
    champs->setColumnStretch(1, 1);

    auto *corps = new QHBoxLayout;
    corps->addLayout(gauche);
    corps->addLayout(champs, 1);
    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 4);
    principal->addWidget(m_barreTitreFilm);
    principal->addLayout(corps, 1);
    principal->addWidget(m_lbIDFilm);
    corps->setContentsMargins(6, 2, 6, 0);
    m_lbIDFilm->setContentsMargins(0, 0, 6, 0);
}

void FicheFilm::barreTitreFilmPaint()
{
    UKinoluxGraphic::dessinerBarreTitre(*m_barreTitreFilm, m_barreTitreFilm->toolTip());
}

void FicheFilm::afficher(CleFiche cle, Tdm_Kinolux &dm)
{
    const TFicheFilm *carte = dm.fiche(cle);
    if (!carte)
        return;
    const TFicheFilm &fiche = *carte;
    definirHint(*m_barreTitreFilm, fiche.titreFrancais(), false);
    m_lbTitreO->setText(fiche.titreOriginal());
    m_lbAnnee->setText(fiche.annee());
    m_lbDuree->setText(fiche.duree());
    m_lbNations->setText(fiche.nationnalites().join(u", "_s));
    m_lbGenre->setText(fiche.genres().join(u", "_s));
    m_lbDistrib->setText(fiche.distributeurFR());
    m_listeRealisateursFilm->clear();
    m_listeRealisateursFilm->addItems(fiche.realisateurs());
    m_listeActeurs->clear();
    m_listeActeurs->addItems(fiche.acteurs());
    m_memoResume->setPlainText(fiche.resume());
    m_barreTitreFilm->update();

    // The cover just downloaded is shown at once, not at the card's next showing. A stored path
    // that leads out of the program's directory counts as no cover: nothing is read there.
    if (!chargerCouverture(dm.cheminInterieur(fiche.cheminImage()))) {
        dm.completerCouverture(cle);
        chargerCouverture(dm.cheminInterieur(fiche.cheminImage()));
    }

    m_lbIDFilm->setText(u"Identifiant : "_s + fiche.idFilm());
    m_barrePreference->setValue(std::clamp(fiche.niveauPreference(), 0, 10));
    if (const auto icone = IconesFiche::iconePreference(fiche.niveauPreference()))
        m_imgPref->setPicture(chargerIcone(dm, *icone, 32));
    m_editFicheNomSupport->setText(fiche.nomSupport());
    m_editFicheNomSupport->setCursorPosition(0);
    definirHint(*m_editFicheNomSupport, fiche.nomSupport(), true);
    m_imgFicheSupport->setPicture(
        chargerIcone(dm, IconesFiche::iconeSupport(fiche.typeSupport()), 48));
    definirHint(*m_imgFicheSupport, fiche.cheminFichier(), true);
    m_cheminFichier = fiche.cheminFichier();
    m_fichierAbsolu = AnalyseDossier::cheminVideo(m_cheminFichier, dm.repertoire());
    m_lecteurFaits->demander(m_fichierAbsolu);
}

bool FicheFilm::chargerCouverture(const QString &chemin)
{
    if (!QFileInfo(chemin).isFile())
        return false;
    QImageReader lecteur(chemin);
    const QSize taille = lecteur.size();
    const QSize cible = m_imageFilm->size().expandedTo({249, 345}) * devicePixelRatio();
    // JPEG decodes straight to a smaller size: a large cover costs no more than a small one.
    if (taille.isValid() && (taille.width() > cible.width() || taille.height() > cible.height()))
        lecteur.setScaledSize(taille.scaled(cible, Qt::KeepAspectRatio));
    const QImage image = lecteur.read();
    if (image.isNull())
        return false;
    m_imageFilm->setPicture(QPixmap::fromImage(image));
    return true;
}

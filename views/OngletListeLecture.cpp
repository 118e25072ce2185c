#include "views/OngletListeLecture.h"

#include "catalogue/ListeLecture.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/TFicheFilm.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TImage.h"
#include "chrome/TformMessageFlash.h"
#include "views/ActionFenetre.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString k_fichierListe = u"listeLecture.ldl"_s;
const QString k_fichierPls = u"kinolux.pls"_s;
const QString k_lancement = u"Lancement de la liste de lecture... "_s;

// Pictures of the image list used by the tab's buttons.
constexpr int k_imageEnregistrer = 1;
constexpr int k_imageSupprimer = 2;

TImage *creerImage(QWidget *parent, const QString &nom, const QImage &image, int cote)
{
    auto *bouton = new TImage(parent);
    bouton->setObjectName(nom);
    bouton->setFixedSize(cote, cote);
    bouton->setCenter(true);
    bouton->setPicture(QPixmap::fromImage(image));
    bouton->setCursor(Qt::PointingHandCursor);
    return bouton;
}

QImage agrandie(int index, int cote)
{
    return Images::listeImages().at(index).scaled(cote, cote, Qt::KeepAspectRatio,
                                                  Qt::SmoothTransformation);
}

} // namespace

OngletListeLecture::OngletListeLecture(QWidget *parent)
    : Onglet(u"tabListeLecture"_s, u"barreTitreListeLecture"_s, u"Liste de Lecture"_s, parent)
    , m_listeLecture(new QListWidget(this))
    , m_boutonListeLectureDecocherTous(
          creerBouton(u"boutonListeLectureDecocherTous"_s, u"Tout décocher"_s))
{
    m_listeLecture->setObjectName(u"listeLecture"_s);
    m_listeLecture->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listeLecture->setUniformItemSizes(true);
    // A long title is cut with an ellipsis rather than pushing a scroll bar under the list.
    m_listeLecture->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = m_listeLecture->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    m_listeLecture->setPalette(palette);

    auto *panneau = new QWidget(this);
    panneau->setObjectName(u"panelListeLecture"_s);
    m_boutonListeLectureDecocherTous->setParent(panneau);
    m_boutonListeLectureEnregistrer = creerImage(panneau, u"boutonListeLectureEnregistrer"_s,
                                                 agrandie(k_imageEnregistrer, 24), 32);
    definirHint(*m_boutonListeLectureEnregistrer, u"Enregistrer la liste de lecture"_s, false);
    m_boutonListeLectureSupprimer =
        creerImage(panneau, u"boutonListeLectureSupprimer"_s, agrandie(k_imageSupprimer, 24), 32);
    m_boutonListeLectureSupprimer2 = creerImage(panneau, u"boutonListeLectureSupprimer2"_s,
                                                Images::listeImages().at(k_imageSupprimer), 17);
    m_boutonListeLectureLire = creerImage(
        panneau, u"boutonListeLectureLire"_s,
        Images::lireFilm().scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation), 32);
    definirHint(*m_boutonListeLectureLire, u"Lire"_s, true);

    auto *ligneDecocher = new QHBoxLayout;
    ligneDecocher->setSpacing(2);
    ligneDecocher->addWidget(m_boutonListeLectureSupprimer2);
    ligneDecocher->addWidget(m_boutonListeLectureDecocherTous, 1);
    auto *ligneBoutons = new QHBoxLayout;
    ligneBoutons->setContentsMargins(2, 0, 2, 0);
    ligneBoutons->setSpacing(4);
    ligneBoutons->addWidget(m_boutonListeLectureEnregistrer);
    ligneBoutons->addWidget(m_boutonListeLectureSupprimer);
    ligneBoutons->addStretch(1);
    ligneBoutons->addWidget(m_boutonListeLectureLire);
    auto *commandes = new QVBoxLayout(panneau);
    commandes->setContentsMargins(0, 2, 0, 3);
    commandes->setSpacing(4);
    commandes->addLayout(ligneDecocher);
    commandes->addLayout(ligneBoutons);

    contenu().addWidget(m_listeLecture, 1);
    contenu().addWidget(panneau);

    connect(m_boutonListeLectureDecocherTous, &PaintBox::clic, this,
            &OngletListeLecture::boutonListeLectureDecocherTousClick);
    const auto relierImage = [this](TImage *bouton, const QString &action,
                                    void (OngletListeLecture::*gestionnaire)()) {
        connect(bouton, &TImage::clic, this, [this, bouton, action, gestionnaire] {
            declencherAction(*bouton, action, [this, gestionnaire] { (this->*gestionnaire)(); });
        });
    };
    relierImage(m_boutonListeLectureEnregistrer, u"enregistrerListeLecture"_s,
                &OngletListeLecture::enregistrerListeLectureExecute);
    relierImage(m_boutonListeLectureSupprimer, u"supprimerListeLectureCoches"_s,
                &OngletListeLecture::supprimerListeLectureCochesExecute);
    relierImage(m_boutonListeLectureSupprimer2, u"supprimerListeLectureCoches"_s,
                &OngletListeLecture::supprimerListeLectureCochesExecute);
    relierImage(m_boutonListeLectureLire, u"lireListeLecture"_s,
                &OngletListeLecture::lireListeLectureExecute);
}

void OngletListeLecture::relier(Tdm_Kinolux &dm, TformMessageFlash &flash,
                                std::function<const TFicheFilm *()> ficheSelectionnee)
{
    m_dm = &dm;
    m_flash = &flash;
    m_ficheSelectionnee = std::move(ficheSelectionnee);
}

QStringList OngletListeLecture::entrees() const
{
    QStringList titres;
    titres.reserve(m_listeLecture->count());
    for (int i = 0; i < m_listeLecture->count(); ++i)
        titres.append(m_listeLecture->item(i)->text());
    return titres;
}

void OngletListeLecture::ajouterEntree(const QString &titre)
{
    auto *entree = new QListWidgetItem(titre, m_listeLecture);
    entree->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entree->setCheckState(Qt::Unchecked);
}

void OngletListeLecture::ajouterDansListeLectureExecute()
{
    const TFicheFilm *fiche = m_ficheSelectionnee ? m_ficheSelectionnee() : nullptr;
    if (!fiche)
        return;
    const QString titre = fiche->titreFrancais();
    ajouterEntree(titre);
    m_flash->definirTexte(u"Film "_s + titre + u" ajouté dans la liste de lecture"_s);
    m_flash->afficher();
    m_flash->fermer(800);
}

void OngletListeLecture::ajouterTitres(const QStringList &titres)
{
    if (titres.isEmpty())
        return;
    for (const QString &titre : titres)
        ajouterEntree(titre);
    m_flash->definirTexte(titres.size() == 1
                              ? u"Film "_s + titres.first() + u" ajouté dans la liste de lecture"_s
                              : u"%1 films ajoutés dans la liste de lecture"_s.arg(titres.size()));
    m_flash->afficher();
    m_flash->fermer(800);
}

void OngletListeLecture::lireFilmExecute()
{
    const TFicheFilm *fiche = m_ficheSelectionnee ? m_ficheSelectionnee() : nullptr;
    if (!fiche)
        return;
    m_dm->lancerFichier(fiche->cheminFichier());
    m_flash->definirTexte(u"Lecture du Film "_s + fiche->titreFrancais() + u" lancée..."_s);
    m_flash->afficher();
    m_flash->fermer(800);
}

void OngletListeLecture::boutonListeLectureDecocherTousClick()
{
    for (int i = 0; i < m_listeLecture->count(); ++i)
        m_listeLecture->item(i)->setCheckState(Qt::Unchecked);
}

void OngletListeLecture::supprimerListeLectureCochesExecute()
{
    for (int i = m_listeLecture->count() - 1; i >= 0; --i) {
        if (m_listeLecture->item(i)->checkState() == Qt::Checked)
            delete m_listeLecture->takeItem(i);
    }
}

void OngletListeLecture::enregistrerListeLectureExecute()
{
    ListeLecture::ecrire(m_dm->chemin(k_fichierListe), ListeLecture::enOctets(entrees()));
    m_flash->definirTexte(u"Liste de lecture enregistrée."_s);
    m_flash->afficher();
    m_flash->fermer(300);
}

void OngletListeLecture::chargerListeLectureExecute()
{
    // A missing or unreadable file leaves the playlist as it is.
    QFile fichier(m_dm->chemin(k_fichierListe));
    if (!fichier.open(QIODevice::ReadOnly))
        return;
    const QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        return;
    m_listeLecture->clear();
    for (const QString &titre : ListeLecture::lignes(octets))
        ajouterEntree(titre);
}

void OngletListeLecture::lireListeLectureExecute()
{
    m_flash->definirTexte(k_lancement + u"Création"_s);
    m_flash->afficherProgression(true);
    m_flash->definirProgression(0);
    m_flash->afficher();

    const QStringList titres = entrees();
    const int nombre = int(titres.size());
    const ModeleCatalogue &modele = m_dm->modele();
    QStringList chemins;
    for (int i = 0; i < nombre; ++i) {
        const int ligne = modele.ligneDuTitre(titres.at(i));
        if (ligne < 0) {
            abandonnerLancement();
            return;
        }
        m_flash->definirTexte(k_lancement + titres.at(i));
        m_flash->definirProgression(i * (94 / nombre));
        chemins.append(modele.fiche(ligne).cheminFichier());
    }

    const QString fichier = m_dm->chemin(k_fichierPls);
    try {
        ListeLecture::ecrire(fichier, ListeLecture::enOctets(ListeLecture::lignesPls(chemins)));
    } catch (...) {
        abandonnerLancement();
        throw;
    }
    m_dm->lancerFichier(fichier);

    m_flash->definirTexte(k_lancement + u"TERMINE."_s);
    m_flash->definirProgression(100);
    m_flash->afficherProgression(false);
    m_flash->fermer(500);
}

void OngletListeLecture::abandonnerLancement()
{
    m_flash->afficherProgression(false);
    m_flash->fermer(500);
}

#include "views/OngletRecherche.h"

#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Recherche.h"
#include "chrome/PaintBox.h"
#include "views/ActionFenetre.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QCheckBox *creerCase(QWidget *parent, const QString &nom, const QString &legende)
{
    auto *coche = new QCheckBox(legende, parent);
    coche->setObjectName(nom);
    return coche;
}

QComboBox *creerChoix(QWidget *parent, const QString &nom)
{
    auto *choix = new QComboBox(parent);
    choix->setObjectName(nom);
    choix->setEditable(true);
    choix->setInsertPolicy(QComboBox::NoInsert);
    // Sized by a few characters, not by measuring every value offered.
    choix->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    choix->setMinimumContentsLength(6);
    return choix;
}

void remplir(QComboBox &choix, const QStringList &valeurs)
{
    choix.setUpdatesEnabled(false);
    choix.clear();
    choix.addItems(valeurs);
    choix.setCurrentIndex(-1);
    choix.clearEditText();
    choix.setUpdatesEnabled(true);
}

} // namespace

OngletRecherche::OngletRecherche(QWidget *parent)
    : Onglet(u"tabRecherche"_s, u"barreRecherche"_s, u"Recherche"_s, parent)
    , m_listeRecherche(new QListWidget(this))
    , m_editRecherche(new QLineEdit(this))
    , m_chbRechercheNomFilm(creerCase(this, u"chbRechercheNomFilm"_s, u"Nom du Film"_s))
    , m_chbRechercheMotCle(creerCase(this, u"chbRechercheMotCle"_s, u"Mot Clé"_s))
    , m_chbRechercheActeur(creerCase(this, u"chbRechercheActeur"_s, u"Acteur"_s))
    , m_cbRechercheActeurs(creerChoix(this, u"cbRechercheActeurs"_s))
    , m_chbRechercheDistrib(creerCase(this, u"chbRechercheDistrib"_s, u"Distributeur"_s))
    , m_cbRechercheDistrib(creerChoix(this, u"cbRechercheDistrib"_s))
    , m_chbRechercheRealis(creerCase(this, u"chbRechercheRealis"_s, u"Realisateur"_s))
    , m_cbRechercheRealis(creerChoix(this, u"cbRechercheRealis"_s))
    , m_chbRechercheAnnee(creerCase(this, u"chbRechercheAnnee"_s, u"Année"_s))
    , m_cbRechercheAnnee(creerChoix(this, u"cbRechercheAnnee"_s))
    , m_boutonRechercher(creerBouton(u"boutonRechercher"_s, u"Rechercher"_s))
{
    m_listeRecherche->setObjectName(u"listeRecherche"_s);
    m_listeRecherche->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listeRecherche->setUniformItemSizes(true);
    QPalette palette = m_listeRecherche->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    palette.setColor(QPalette::Text, QColor(128, 0, 0));
    m_listeRecherche->setPalette(palette);
    connect(m_listeRecherche, &QListWidget::itemDoubleClicked, this, [this] {
        declencherAction(*this, u"afficherRechercheFiche"_s,
                         [this] { afficherRechercheFicheExecute(); });
    });

    m_editRecherche->setObjectName(u"editRecherche"_s);
    m_boutonRechercher->setFixedHeight(16);
    connect(m_boutonRechercher, &PaintBox::clic, this, [this] {
        declencherAction(*this, u"rechercherRecherche"_s, [this] { rechercherRechercheExecute(); });
    });

    auto *criteres = new QGridLayout;
    criteres->setContentsMargins(2, 2, 2, 2);
    criteres->setHorizontalSpacing(4);
    criteres->setVerticalSpacing(3);
    criteres->addWidget(m_editRecherche, 0, 0, 1, 2);
    criteres->addWidget(m_chbRechercheNomFilm, 1, 0);
    criteres->addWidget(m_chbRechercheMotCle, 1, 1);
    criteres->addWidget(m_chbRechercheActeur, 2, 0);
    criteres->addWidget(m_cbRechercheActeurs, 2, 1);
    criteres->addWidget(m_chbRechercheDistrib, 3, 0);
    criteres->addWidget(m_cbRechercheDistrib, 3, 1);
    criteres->addWidget(m_chbRechercheRealis, 4, 0);
    criteres->addWidget(m_cbRechercheRealis, 4, 1);
    criteres->addWidget(m_chbRechercheAnnee, 5, 0);
    criteres->addWidget(m_cbRechercheAnnee, 5, 1);
    criteres->setColumnStretch(1, 1);

    contenu().addWidget(m_listeRecherche, 1);
    contenu().addLayout(criteres);
    contenu().addWidget(m_boutonRechercher);
}

void OngletRecherche::relier(const ModeleCatalogue &modele,
                             std::function<void(const QString &)> afficherFiche)
{
    m_modele = &modele;
    m_afficherFiche = std::move(afficherFiche);
}

void OngletRecherche::MAJ_RechercheExecute()
{
    const Recherche::Valeurs valeurs =
        m_modele ? Recherche::valeursOffertes(m_modele->fichesFilms()) : Recherche::Valeurs{};
    remplir(*m_cbRechercheActeurs, valeurs.acteurs);
    remplir(*m_cbRechercheDistrib, valeurs.distributeurs);
    remplir(*m_cbRechercheRealis, valeurs.realisateurs);
    remplir(*m_cbRechercheAnnee, valeurs.annees);
}

void OngletRecherche::rechercherRechercheExecute()
{
    Recherche::Criteres criteres;
    criteres.nomFilm = m_chbRechercheNomFilm->isChecked();
    criteres.motCle = m_chbRechercheMotCle->isChecked();
    criteres.acteur = m_chbRechercheActeur->isChecked();
    criteres.distributeur = m_chbRechercheDistrib->isChecked();
    criteres.realisateur = m_chbRechercheRealis->isChecked();
    criteres.annee = m_chbRechercheAnnee->isChecked();
    criteres.texte = m_editRecherche->text();
    criteres.acteurChoisi = m_cbRechercheActeurs->currentText();
    criteres.distributeurChoisi = m_cbRechercheDistrib->currentText();
    criteres.realisateurChoisi = m_cbRechercheRealis->currentText();
    criteres.anneeChoisie = m_cbRechercheAnnee->currentText();

    const QStringList titres =
        m_modele ? Recherche::rechercher(m_modele->fichesFilms(), criteres) : QStringList();
    m_listeRecherche->setUpdatesEnabled(false);
    m_listeRecherche->clear();
    m_listeRecherche->addItems(titres);
    m_listeRecherche->setUpdatesEnabled(true);
}

void OngletRecherche::afficherRechercheFicheExecute()
{
    const QList<QListWidgetItem *> selection = m_listeRecherche->selectedItems();
    if (!selection.isEmpty() && m_afficherFiche)
        m_afficherFiche(selection.first()->text());
}

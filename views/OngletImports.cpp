#include "views/OngletImports.h"

#include "catalogue/Tdm_Kinolux.h"
#include "chrome/PaintBox.h"
#include "import/ListeTitres.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QFrame *creerTrait(QWidget *parent, const QString &nom)
{
    auto *trait = new QFrame(parent);
    trait->setObjectName(nom);
    trait->setFrameShape(QFrame::HLine);
    trait->setFrameShadow(QFrame::Sunken);
    return trait;
}

} // namespace

OngletImports::OngletImports(QWidget *parent)
    : Onglet(u"tabImportsFiches"_s, u"barreGestion"_s, u"Importations de Fiches"_s, parent)
    , m_listeMovieCovers(new QListWidget(this))
    , m_lbNbTitresMovieCovers(new QLabel(u"-"_s, this))
    , m_boutonMAJListeMovieCovers(creerBouton(u"boutonMAJListeMovieCovers"_s, u"Mettre à jour"_s))
    , m_boutonAjouterFilm(creerBouton(u"boutonAjouterFilm"_s, u"Ajouter le film"_s))
    , m_editGestionTitreFilm(new QLineEdit(this))
    , m_lbGestionStatus(new QLabel(u"Recherche en cours..."_s, this))
    , m_barreProgGestion(new QProgressBar(this))
    , m_tempoGestionRafraich(new QTimer(this))
{
    auto *label14 = new QLabel(u"Liste des Fiches disponibles :"_s, this);
    label14->setObjectName(u"Label14"_s);

    m_listeMovieCovers->setObjectName(u"listeMovieCovers"_s);
    m_listeMovieCovers->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listeMovieCovers->setUniformItemSizes(true);
    QPalette palette = m_listeMovieCovers->palette();
    palette.setColor(QPalette::Base, QColor(255, 251, 240));
    palette.setColor(QPalette::Text, Qt::blue);
    m_listeMovieCovers->setPalette(palette);
    connect(m_listeMovieCovers, &QListWidget::itemDoubleClicked, this,
            &OngletImports::titreDoubleClique);

    auto *panelCommandesGestion = new QWidget(this);
    panelCommandesGestion->setObjectName(u"panelCommandesGestion"_s);
    panelCommandesGestion->setFixedHeight(145);

    m_lbNbTitresMovieCovers->setObjectName(u"lbNbTitresMovieCovers"_s);
    m_lbNbTitresMovieCovers->setAlignment(Qt::AlignCenter);
    QFont gras(u"Tahoma"_s, 8);
    gras.setBold(true);
    m_lbNbTitresMovieCovers->setFont(gras);
    QPalette gris = m_lbNbTitresMovieCovers->palette();
    gris.setColor(QPalette::WindowText, Qt::gray);
    m_lbNbTitresMovieCovers->setPalette(gris);

    auto *label15 = new QLabel(u"Titre de film contenant :"_s, panelCommandesGestion);
    label15->setObjectName(u"Label15"_s);
    m_editGestionTitreFilm->setObjectName(u"editGestionTitreFilm"_s);
    // Every letter typed becomes its capital, as the index is written.
    connect(m_editGestionTitreFilm, &QLineEdit::textEdited, this, [this](const QString &texte) {
        const QString capitales = texte.toUpper();
        if (capitales == texte)
            return;
        const int curseur = m_editGestionTitreFilm->cursorPosition();
        m_editGestionTitreFilm->setText(capitales);
        m_editGestionTitreFilm->setCursorPosition(curseur);
    });
    connect(m_editGestionTitreFilm, &QLineEdit::textChanged, this,
            &OngletImports::editGestionTitreFilmChange);

    m_lbGestionStatus->setObjectName(u"lbGestionStatus"_s);
    m_lbGestionStatus->setAlignment(Qt::AlignCenter);
    QFont italique = m_lbGestionStatus->font();
    italique.setItalic(true);
    m_lbGestionStatus->setFont(italique);
    m_lbGestionStatus->hide();

    m_barreProgGestion->setObjectName(u"barreProgGestion"_s);
    m_barreProgGestion->setRange(0, 100);
    m_barreProgGestion->setTextVisible(false);
    m_barreProgGestion->setFixedHeight(12);
    m_barreProgGestion->hide();

    m_tempoGestionRafraich->setObjectName(u"tempoGestionRafraich"_s);
    m_tempoGestionRafraich->setInterval(2000);
    // Two seconds after the last key, not up to 5 % sooner as a coarse timer may fire.
    m_tempoGestionRafraich->setTimerType(Qt::PreciseTimer);
    connect(m_tempoGestionRafraich, &QTimer::timeout, this,
            &OngletImports::tempoGestionRafraichTimer);

    auto *commandes = new QVBoxLayout(panelCommandesGestion);
    commandes->setContentsMargins(0, 2, 0, 0);
    commandes->setSpacing(3);
    m_lbNbTitresMovieCovers->setParent(panelCommandesGestion);
    m_boutonMAJListeMovieCovers->setParent(panelCommandesGestion);
    m_boutonAjouterFilm->setParent(panelCommandesGestion);
    m_editGestionTitreFilm->setParent(panelCommandesGestion);
    m_lbGestionStatus->setParent(panelCommandesGestion);
    m_barreProgGestion->setParent(panelCommandesGestion);
    commandes->addWidget(m_lbNbTitresMovieCovers);
    commandes->addWidget(m_boutonMAJListeMovieCovers);
    commandes->addWidget(creerTrait(panelCommandesGestion, u"bGestionBas"_s));
    commandes->addWidget(m_boutonAjouterFilm);
    commandes->addWidget(creerTrait(panelCommandesGestion, u"Bevel2"_s));
    commandes->addWidget(label15);
    commandes->addWidget(m_editGestionTitreFilm);
    commandes->addWidget(m_lbGestionStatus);
    commandes->addStretch(1);
    commandes->addWidget(m_barreProgGestion);

    contenu().addWidget(label14);
    contenu().addWidget(m_listeMovieCovers, 1);
    contenu().addWidget(panelCommandesGestion);
}

void OngletImports::relier(const Tdm_Kinolux &dm)
{
    m_dm = &dm;
}

void OngletImports::editGestionTitreFilmChange()
{
    m_tempoGestionRafraich->stop();
    m_tempoGestionRafraich->start();
}

void OngletImports::tempoGestionRafraichTimer()
{
    m_barreProgGestion->setValue(0);
    m_barreProgGestion->show();
    m_lbGestionStatus->show();
    m_barreProgGestion->setValue(5);
    m_listeMovieCovers->clear();
    m_barreProgGestion->setValue(10);

    const QStringList &titres = m_dm->listeTitres();
    const QStringList retenus = ListeTitres::filtrer(titres, m_editGestionTitreFilm->text());
    m_listeMovieCovers->addItems(retenus);
    // The walk moves the bar by 80 / count (truncated) per title; nothing is drawn meanwhile.
    if (!titres.isEmpty())
        m_barreProgGestion->setValue(10 + int(titres.size()) * int(80 / titres.size()));

    m_lbNbTitresMovieCovers->setText(QString::number(m_listeMovieCovers->count()) + u" titres"_s);
    m_barreProgGestion->setValue(100);
    m_barreProgGestion->hide();
    m_lbGestionStatus->hide();
    m_tempoGestionRafraich->stop();
}

#include "views/OngletStatistiques.h"

#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Erreur.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

using namespace Qt::StringLiterals;
using Statistiques::Graphique;

namespace {

constexpr Graphique k_graphiques[] = {Graphique::Decennies,    Graphique::Genres,
                                      Graphique::Nationalites, Graphique::Distributeurs,
                                      Graphique::Supports,     Graphique::Preferences};

const char16_t *const k_noms[] = {u"decennies",     u"genres",   u"nationalites",
                                  u"distributeurs", u"supports", u"preferences"};

bool horizontal(Graphique g)
{
    return g == Graphique::Genres || g == Graphique::Nationalites || g == Graphique::Distributeurs;
}

void ecrire(const QString &fichier, const QByteArray &octets)
{
    QSaveFile sortie(fichier);
    if (!sortie.open(QIODevice::WriteOnly) || sortie.write(octets) != octets.size() ||
        !sortie.commit())
        throw Erreur(u"Impossible d'écrire « %1 » : %2"_s.arg(QDir::toNativeSeparators(fichier),
                                                              sortie.errorString()));
}

} // namespace

OngletStatistiques::OngletStatistiques(const Tdm_Kinolux &dm, const ModeleVueEnsemble &vue,
                                       Dialogues &dialogues,
                                       std::function<void(const QString &)> filtrer,
                                       QWidget *parent)
    : QWidget(parent)
    , m_dm(dm)
    , m_vue(vue)
    , m_dialogues(dialogues)
    , m_filtrer(std::move(filtrer))
    , m_delai(new QTimer(this))
    , m_titre(new QLabel(this))
    , m_totaux(new QLabel(this))
{
    setObjectName(u"tabStatistiques"_s);
    m_titre->setObjectName(u"lbStatistiquesTitre"_s);
    QFont gras = m_titre->font();
    gras.setBold(true);
    m_titre->setFont(gras);
    m_totaux->setObjectName(u"lbStatistiquesTotaux"_s);
    m_totaux->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_delai->setObjectName(u"tempoStatistiques"_s);
    m_delai->setSingleShot(true);
    m_delai->setInterval(0);
    connect(m_delai, &QTimer::timeout, this, &OngletStatistiques::MAJ_Statistiques);

    auto *copier = new QPushButton(u"Copier les totaux"_s, this);
    copier->setObjectName(u"boutonCopierTotaux"_s);
    connect(copier, &QPushButton::clicked, this,
            [this] { executerCommande(m_dialogues, [this] { copierTotauxExecute(); }); });

    auto *grille = new QGridLayout;
    for (const Graphique g : k_graphiques) {
        auto *graphique = new QChart;
        graphique->setTitle(Statistiques::titre(g));
        graphique->legend()->hide();
        graphique->setAnimationOptions(QChart::NoAnimation);
        graphique->setMargins(QMargins(2, 2, 2, 2));
        auto *vueGraphique = new QChartView(graphique, this);
        vueGraphique->setObjectName(u"graphique_"_s + QString::fromUtf16(k_noms[int(g)]));
        vueGraphique->setRenderHint(QPainter::Antialiasing);
        vueGraphique->setMinimumSize(380, 250);
        auto *exporter = new QToolButton(vueGraphique);
        exporter->setObjectName(u"boutonExporter_"_s + QString::fromUtf16(k_noms[int(g)]));
        exporter->setText(u"Exporter"_s);
        exporter->setToolTip(u"Enregistrer le graphique en PNG et en SVG"_s);
        exporter->move(4, 4);
        connect(exporter, &QToolButton::clicked, this,
                [this, g] { executerCommande(m_dialogues, [this, g] { exporterGraphique(g); }); });
        m_graphiques[size_t(g)] = graphique;
        m_vues[size_t(g)] = vueGraphique;
        grille->addWidget(vueGraphique, int(g) / 2, int(g) % 2);
    }

    auto *pied = new QVBoxLayout;
    pied->addWidget(m_totaux);
    pied->addWidget(copier, 0, Qt::AlignLeft);
    grille->addLayout(pied, 3, 0, 1, 2);

    auto *contenu = new QWidget;
    contenu->setLayout(grille);
    auto *defilement = new QScrollArea(this);
    defilement->setWidget(contenu);
    defilement->setWidgetResizable(true);
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(4, 4, 4, 4);
    disposition->addWidget(m_titre);
    disposition->addWidget(defilement, 1);

    // The charts follow the table: its rows filtered, added, removed or changed.
    const QAbstractItemModel *table = &vue;
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(table, signal, this, &OngletStatistiques::aRefaire);
    connect(table, &QAbstractItemModel::modelReset, this, &OngletStatistiques::aRefaire);
    connect(table, &QAbstractItemModel::layoutChanged, this, &OngletStatistiques::aRefaire);
    connect(table, &QAbstractItemModel::dataChanged, this, &OngletStatistiques::aRefaire);
}

OngletStatistiques::~OngletStatistiques() = default;

void OngletStatistiques::aRefaire()
{
    m_perime = true;
    // Hidden, the charts are made again only when shown; shown, once the change is over.
    if (isVisible())
        m_delai->start();
}

void OngletStatistiques::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_perime)
        MAJ_Statistiques();
}

void OngletStatistiques::MAJ_Statistiques()
{
    m_delai->stop();
    m_perime = false;
    const std::vector<const TFicheFilm *> fiches = Statistiques::fichesMontrees(m_vue);
    m_resultat = Statistiques::calculer(fiches);
    const int total = static_cast<const QAbstractItemModel *>(m_vue.sourceModel())->rowCount();
    m_titre->setText(m_resultat.films == total
                         ? u"Statistiques sur tout le catalogue"_s
                         : u"Statistiques sur %1 film%2"_s.arg(m_resultat.films)
                               .arg(m_resultat.films > 1 ? u"s"_s : QString()));
    m_totaux->setText(Statistiques::totaux(m_resultat));
    for (const Graphique g : k_graphiques)
        remplir(g);
}

void OngletStatistiques::remplir(Graphique g)
{
    QChart &graphique = *m_graphiques[size_t(g)];
    graphique.removeAllSeries();
    // A chart gives an axis it lets go of back to its caller.
    for (QAbstractAxis *axe : graphique.axes()) {
        graphique.removeAxis(axe);
        delete axe;
    }

    const std::vector<Statistiques::Compte> &comptes = m_resultat.de(g);
    auto *barres = new QBarSet(Statistiques::titre(g));
    QStringList valeurs;
    int maximum = 0;
    // Horizontal bars read from the top: the most frequent first.
    const bool couchees = horizontal(g);
    QStringList libelles;
    for (size_t i = 0; i < comptes.size(); ++i) {
        const Statistiques::Compte &compte = comptes[couchees ? comptes.size() - 1 - i : i];
        *barres << compte.nombre;
        valeurs << compte.valeur;
        // A decade is named by its first year under its bar: "1960" for 1960-1969.
        libelles << (g == Graphique::Decennies && compte.valeur != Statistiques::inconnu()
                         ? compte.valeur.left(compte.valeur.indexOf(u'-'))
                         : compte.valeur);
        maximum = std::max(maximum, compte.nombre);
    }
    barres->setColor(QColor(0x6A, 0x5A, 0x9C));
    connect(barres, &QBarSet::clicked, this,
            [this, g, valeurs](int index) { choisirBarre(g, valeurs.value(index)); });
    QAbstractBarSeries *serie =
        couchees ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries) : new QBarSeries;
    serie->append(barres);
    serie->setBarWidth(0.7);
    graphique.addSeries(serie);

    auto *categories = new QBarCategoryAxis;
    categories->append(libelles);
    QFont petite = categories->labelsFont();
    petite.setPointSizeF(7.5);
    categories->setLabelsFont(petite);
    categories->setTruncateLabels(false);
    if (g == Graphique::Supports)
        categories->setLabelsAngle(-20);
    auto *nombres = new QValueAxis;
    nombres->setRange(0, std::max(1, maximum + maximum / 8 + 1));
    nombres->setLabelFormat(u"%d"_s);
    nombres->applyNiceNumbers();
    graphique.addAxis(categories, couchees ? Qt::AlignLeft : Qt::AlignBottom);
    graphique.addAxis(nombres, couchees ? Qt::AlignBottom : Qt::AlignLeft);
    serie->attachAxis(categories);
    serie->attachAxis(nombres);
}

void OngletStatistiques::choisirBarre(Graphique graphique, const QString &valeur)
{
    const QString filtre = Statistiques::filtrePour(graphique, valeur);
    if (!filtre.isEmpty() && m_filtrer)
        m_filtrer(filtre);
}

void OngletStatistiques::copierTotauxExecute()
{
    QGuiApplication::clipboard()->setText(m_titre->text() + u'\n' + m_totaux->text());
}

void OngletStatistiques::exporterGraphique(Graphique g)
{
    QChartView &vue = *m_vues[size_t(g)];
    const QString nom = QString::fromUtf16(k_noms[int(g)]);
    const QString dossier = m_dm.chemin(u"exports"_s);
    if (!QDir().mkpath(dossier))
        throw Erreur(
            u"Impossible de créer le dossier « %1 »."_s.arg(QDir::toNativeSeparators(dossier)));

    // The export button is not part of the picture.
    const auto boutons = vue.findChildren<QToolButton *>();
    for (QToolButton *bouton : boutons)
        bouton->hide();
    QByteArray png;
    QBuffer tamponPng(&png);
    tamponPng.open(QIODevice::WriteOnly);
    vue.grab().save(&tamponPng, "PNG");
    QByteArray svg;
    QBuffer tamponSvg(&svg);
    QSvgGenerator generateur;
    generateur.setOutputDevice(&tamponSvg);
    generateur.setSize(vue.size());
    generateur.setViewBox(QRect(QPoint(0, 0), vue.size()));
    generateur.setTitle(Statistiques::titre(g));
    {
        QPainter peintre(&generateur);
        vue.render(&peintre);
    }
    for (QToolButton *bouton : boutons)
        bouton->show();
    ecrire(dossier + u'/' + nom + u".png"_s, png);
    ecrire(dossier + u'/' + nom + u".svg"_s, svg);
    m_dialogues.message(QCoreApplication::applicationName(),
                        u"Graphique enregistré : exports\\%1.png et exports\\%1.svg"_s.arg(nom));
}

#include "views/DialogueDoublons.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Commande.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString raisons(unsigned r)
{
    QStringList textes;
    if (r & Doublons::MemeTitre)
        textes.append(u"même titre et même année"_s);
    if (r & Doublons::MemeTitreOriginal)
        textes.append(u"même titre original et même année"_s);
    if (r & Doublons::MemeFichier)
        textes.append(u"même fichier vidéo"_s);
    if (r & Doublons::MemeCouverture)
        textes.append(u"même couverture"_s);
    return textes.join(u", "_s);
}

} // namespace

DialogueDoublons::DialogueDoublons(Tdm_Kinolux &dm, Dialogues &dialogues,
                                   std::function<void()> suivreCatalogue, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_dialogues(dialogues)
    , m_suivreCatalogue(std::move(suivreCatalogue))
    , m_groupesListe(new QListWidget)
    , m_table(new QTableWidget)
    , m_raisons(new QLabel)
    , m_fusionner(new QPushButton(u"Fusionner"_s))
    , m_pasDoublons(new QPushButton(u"Ce ne sont pas des doublons"_s))
{
    setObjectName(u"dialogueDoublons"_s);
    setWindowTitle(u"Doublons"_s);
    resize(1000, 560);
    m_groupesListe->setObjectName(u"listeGroupesDoublons"_s);
    m_table->setObjectName(u"tableDoublons"_s);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_fusionner->setObjectName(u"boutonFusionner"_s);
    m_pasDoublons->setObjectName(u"boutonPasDoublons"_s);

    auto *droite = new QWidget;
    auto *colonne = new QVBoxLayout(droite);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(m_raisons);
    colonne->addWidget(m_table, 1);
    auto *separation = new QSplitter;
    separation->addWidget(m_groupesListe);
    separation->addWidget(droite);
    separation->setStretchFactor(1, 3);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Close);
    boutons->button(QDialogButtonBox::Close)->setText(u"Fermer"_s);
    boutons->addButton(m_pasDoublons, QDialogButtonBox::ActionRole);
    boutons->addButton(m_fusionner, QDialogButtonBox::ActionRole);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(
        new QLabel(u"Cliquez sur la valeur à garder de chaque champ, puis « Fusionner »."_s));
    disposition->addWidget(separation, 1);
    disposition->addWidget(boutons);

    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_groupesListe, &QListWidget::currentRowChanged, this,
            &DialogueDoublons::afficherGroupe);
    connect(m_table, &QTableWidget::cellClicked, this, &DialogueDoublons::choisir);
    connect(m_fusionner, &QPushButton::clicked, this,
            [this] { executerCommande(m_dialogues, [this] { fusionnerExecute(); }); });
    connect(m_pasDoublons, &QPushButton::clicked, this,
            [this] { executerCommande(m_dialogues, [this] { pasDoublonsExecute(); }); });
    chercher();
}

std::vector<std::vector<CleFiche>> DialogueDoublons::groupes() const
{
    std::vector<std::vector<CleFiche>> cles;
    for (const Groupe &groupe : m_groupes)
        cles.push_back(groupe.cles);
    return cles;
}

void DialogueDoublons::chercher()
{
    QByteArray sansImage;
    QFile placeholder(m_dm.chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s));
    if (placeholder.open(QIODevice::ReadOnly))
        sansImage = placeholder.readAll();
    const Doublons::Couvertures couvertures = Doublons::couverturesSurDisque(
        [this](const QString &chemin) { return m_dm.cheminInterieur(chemin); }, sansImage);
    const auto trouves = Doublons::chercher(
        m_dm.fichesFilms(),
        Doublons::lirePasDoublons(Doublons::fichierPasDoublons(m_dm.repertoire())), &couvertures);
    m_groupes.clear();
    m_groupesListe->clear();
    for (const Doublons::Groupe &trouve : trouves) {
        Groupe groupe{{}, trouve.raisons};
        for (const size_t place : trouve.fiches)
            groupe.cles.push_back(m_dm.cle(place));
        const TFicheFilm &premiere = *m_dm.fichesFilms()[trouve.fiches.front()];
        m_groupesListe->addItem(
            u"%1 (%2) — %3 fiches"_s.arg(premiere.titreFrancais(), premiere.annee())
                .arg(trouve.fiches.size()));
        m_groupes.push_back(std::move(groupe));
    }
    m_groupesListe->setCurrentRow(m_groupes.empty() ? -1 : 0);
    if (m_groupes.empty())
        afficherGroupe(-1);
}

std::vector<const TFicheFilm *> DialogueDoublons::fichesDuGroupe() const
{
    const int ligne = m_groupesListe->currentRow();
    std::vector<const TFicheFilm *> fiches;
    if (ligne < 0 || size_t(ligne) >= m_groupes.size())
        return fiches;
    for (const CleFiche cle : m_groupes[size_t(ligne)].cles) {
        const TFicheFilm *fiche = m_dm.fiche(cle);
        if (!fiche)
            return {};
        fiches.push_back(fiche);
    }
    return fiches;
}

void DialogueDoublons::afficherGroupe(int ligne)
{
    const std::vector<const TFicheFilm *> fiches = fichesDuGroupe();
    m_table->clear();
    m_table->setColumnCount(int(fiches.size()));
    m_table->setRowCount(fiches.empty() ? 0 : ChampsFiche::NombreChamps);
    m_fusionner->setEnabled(!fiches.empty());
    m_pasDoublons->setEnabled(!fiches.empty());
    m_raisons->setText(fiches.empty()
                           ? (m_groupes.empty() ? u"Aucun doublon."_s : QString())
                           : u"Réunies par : %1."_s.arg(raisons(m_groupes[size_t(ligne)].raisons)));
    if (fiches.empty())
        return;
    m_choix = Doublons::choixParDefaut(fiches);
    for (int c = 0; c < int(fiches.size()); ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem(fiches[size_t(c)]->idFilm()));
    for (int champ = 0; champ < ChampsFiche::NombreChamps; ++champ) {
        const auto f = ChampsFiche::Champ(champ);
        m_table->setVerticalHeaderItem(champ, new QTableWidgetItem(ChampsFiche::libelle(f)));
        for (int c = 0; c < int(fiches.size()); ++c) {
            auto *valeur = new QTableWidgetItem(ChampsFiche::enTexte(*fiches[size_t(c)], f));
            valeur->setToolTip(valeur->text());
            m_table->setItem(champ, c, valeur);
        }
    }
    marquerChoix();
}

void DialogueDoublons::choisir(int champ, int colonne)
{
    if (champ < 0 || champ >= ChampsFiche::NombreChamps || colonne < 0 ||
        colonne >= m_table->columnCount())
        return;
    m_choix[size_t(champ)] = size_t(colonne);
    marquerChoix();
}

void DialogueDoublons::marquerChoix()
{
    for (int champ = 0; champ < m_table->rowCount(); ++champ) {
        for (int c = 0; c < m_table->columnCount(); ++c) {
            QTableWidgetItem *valeur = m_table->item(champ, c);
            const bool choisie = m_choix[size_t(champ)] == size_t(c);
            QFont police = valeur->font();
            police.setBold(choisie);
            valeur->setFont(police);
            valeur->setData(Qt::CheckStateRole, choisie ? Qt::Checked : Qt::Unchecked);
        }
    }
}

void DialogueDoublons::fusionnerExecute()
{
    const int ligne = m_groupesListe->currentRow();
    const std::vector<const TFicheFilm *> fiches = fichesDuGroupe();
    if (fiches.empty())
        return;
    const TFicheFilm fusion = Doublons::fusionner(fiches, m_choix);
    const std::vector<CleFiche> cles = m_groupes[size_t(ligne)].cles;
    const CleFiche gardee = cles[m_choix[ChampsFiche::IdFilm]];
    std::vector<CleFiche> autres;
    for (const CleFiche cle : cles) {
        if (cle != gardee)
            autres.push_back(cle);
    }
    {
        Tdm_Kinolux::Etape etape(m_dm, u"la fusion de %1 fiches"_s.arg(cles.size()));
        m_dm.modifierFiche(gardee, [&fusion](TFicheFilm &fiche) { fiche = fusion; });
        m_dm.supprimerFiches(autres);
    }
    retirerGroupe(ligne);
    if (m_suivreCatalogue)
        m_suivreCatalogue();
}

void DialogueDoublons::pasDoublonsExecute()
{
    const int ligne = m_groupesListe->currentRow();
    const std::vector<const TFicheFilm *> fiches = fichesDuGroupe();
    if (fiches.empty())
        return;
    std::vector<QString> identifiants;
    for (const TFicheFilm *fiche : fiches)
        identifiants.push_back(fiche->idFilm());
    const QString fichier = Doublons::fichierPasDoublons(m_dm.repertoire());
    Doublons::PasDoublons pasDoublons = Doublons::lirePasDoublons(fichier);
    Doublons::marquer(pasDoublons, identifiants);
    Doublons::ecrirePasDoublons(fichier, pasDoublons);
    retirerGroupe(ligne);
}

void DialogueDoublons::retirerGroupe(int ligne)
{
    m_groupes.erase(m_groupes.begin() + ligne);
    delete m_groupesListe->takeItem(ligne);
    if (m_groupes.empty())
        afficherGroupe(-1);
    else
        afficherGroupe(m_groupesListe->currentRow());
}

#include "views/DialogueFichiersIntrouvables.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum Colonne
{
    ColonneFilm,
    ColonneFichier,
    ColonneTrouve,
    NombreColonnes
};

} // namespace

DialogueFichiersIntrouvables::DialogueFichiersIntrouvables(std::vector<Manquant> manquants,
                                                           QWidget *parent)
    : QDialog(parent)
    , m_manquants(std::move(manquants))
    , m_table(new QTableWidget(int(m_manquants.size()), NombreColonnes, this))
    , m_resume(new QLabel(this))
    , m_chercher(new QPushButton(u"Chercher dans un dossier…"_s, this))
    , m_mettreAJour(new QPushButton(u"Mettre à jour"_s, this))
{
    setObjectName(u"dialogueFichiersIntrouvables"_s);
    setWindowTitle(u"Fichiers introuvables"_s);
    resize(860, 480);
    m_resume->setObjectName(u"lbResumeIntrouvables"_s);
    m_resume->setText(
        u"%1 fiche(s) dont le fichier vidéo est introuvable."_s.arg(m_manquants.size()));

    m_table->setObjectName(u"tableFichiersIntrouvables"_s);
    m_table->setHorizontalHeaderLabels({u"Film"_s, u"Fichier introuvable"_s, u"Retrouvé"_s});
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    for (int ligne = 0; ligne < int(m_manquants.size()); ++ligne) {
        auto *film = new QTableWidgetItem(m_manquants[size_t(ligne)].titre);
        film->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(ligne, ColonneFilm, film);
        auto *fichier = new QTableWidgetItem(m_manquants[size_t(ligne)].chemin);
        fichier->setFlags(Qt::ItemIsEnabled);
        fichier->setToolTip(m_manquants[size_t(ligne)].chemin);
        m_table->setItem(ligne, ColonneFichier, fichier);
        auto *trouve = new QTableWidgetItem();
        trouve->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(ligne, ColonneTrouve, trouve);
    }
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(ColonneFilm, 220);
    m_table->setColumnWidth(ColonneFichier, 300);

    m_chercher->setObjectName(u"boutonChercherFichiers"_s);
    m_mettreAJour->setObjectName(u"boutonMettreAJourFichiers"_s);
    m_mettreAJour->setEnabled(false);
    auto *boutons = new QDialogButtonBox(this);
    boutons->addButton(m_chercher, QDialogButtonBox::ActionRole);
    boutons->addButton(m_mettreAJour, QDialogButtonBox::AcceptRole);
    boutons->addButton(u"Fermer"_s, QDialogButtonBox::RejectRole);
    connect(m_chercher, &QPushButton::clicked, this, &DialogueFichiersIntrouvables::chercher);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(m_resume);
    disposition->addWidget(m_table, 1);
    disposition->addWidget(boutons);
}

void DialogueFichiersIntrouvables::afficherTrouves(const QList<QStringList> &trouves)
{
    int retrouves = 0;
    for (int ligne = 0; ligne < int(m_manquants.size()) && ligne < int(trouves.size()); ++ligne) {
        m_table->removeCellWidget(ligne, ColonneTrouve);
        // The tick is the film's: the found file's cell holds the choice of files.
        QTableWidgetItem *film = m_table->item(ligne, ColonneFilm);
        const QStringList &fichiers = trouves[ligne];
        if (fichiers.isEmpty()) {
            film->setFlags(Qt::ItemIsEnabled);
            film->setData(Qt::CheckStateRole, QVariant());
            m_table->item(ligne, ColonneTrouve)->setText(u"—"_s);
            continue;
        }
        ++retrouves;
        film->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        film->setCheckState(Qt::Checked);
        m_table->item(ligne, ColonneTrouve)->setText(QString());
        // Several files of that name: the user picks, the nearest first.
        auto *choix = new QComboBox(m_table);
        choix->setObjectName(u"cbFichierRetrouve"_s);
        for (const QString &fichier : fichiers)
            choix->addItem(QDir::toNativeSeparators(fichier), fichier);
        m_table->setCellWidget(ligne, ColonneTrouve, choix);
    }
    m_resume->setText(u"%1 fiche(s) dont le fichier vidéo est introuvable ; %2 retrouvé(s)."_s
                          .arg(m_manquants.size())
                          .arg(retrouves));
    m_mettreAJour->setEnabled(retrouves > 0);
}

std::vector<std::pair<CleFiche, QString>> DialogueFichiersIntrouvables::remplacements() const
{
    std::vector<std::pair<CleFiche, QString>> choisis;
    for (int ligne = 0; ligne < int(m_manquants.size()); ++ligne) {
        const auto *choix =
            qobject_cast<const QComboBox *>(m_table->cellWidget(ligne, ColonneTrouve));
        if (choix && m_table->item(ligne, ColonneFilm)->checkState() == Qt::Checked)
            choisis.emplace_back(m_manquants[size_t(ligne)].cle, choix->currentData().toString());
    }
    return choisis;
}

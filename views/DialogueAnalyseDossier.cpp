#include "views/DialogueAnalyseDossier.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using AnalyseDossier::Source;

namespace {

QString nouvelle(const QString &titre)
{
    return u"Nouvelle fiche « %1 »"_s.arg(titre);
}

QTableWidgetItem *cellule(const QString &texte, Qt::ItemFlags drapeaux = Qt::ItemIsEnabled)
{
    auto *item = new QTableWidgetItem(texte);
    item->setFlags(drapeaux);
    item->setToolTip(texte);
    return item;
}

} // namespace

DialogueAnalyseDossier::DialogueAnalyseDossier(const QString &dossier,
                                               QList<AnalyseDossier::Proposition> propositions,
                                               QList<AnalyseDossier::Ecart> ecarts, QWidget *parent)
    : QDialog(parent)
    , m_propositions(std::move(propositions))
    , m_table(new QTableWidget(int(m_propositions.size()), NombreColonnes, this))
    , m_ecartes(new QListWidget(this))
    , m_resume(new QLabel(this))
{
    setObjectName(u"dialogueAnalyseDossier"_s);
    setWindowTitle(u"Analyser un dossier"_s);
    resize(900, 560);

    m_resume->setObjectName(u"lbResumeAnalyse"_s);
    m_resume->setText(
        u"%1 : %2 fichier(s) vidéo sans fiche, %3 laissé(s) de côté. Cochez ceux à importer."_s
            .arg(QDir::toNativeSeparators(dossier))
            .arg(m_propositions.size())
            .arg(ecarts.size()));
    m_resume->setWordWrap(true);

    m_table->setObjectName(u"tableFichiersTrouves"_s);
    m_table->setHorizontalHeaderLabels(
        {u"Fichier"_s, u"Source"_s, u"Fiche"_s, u"Année"_s, u"Vidéo"_s});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    const QDir racine(dossier);
    for (int ligne = 0; ligne < m_propositions.size(); ++ligne) {
        const AnalyseDossier::Proposition &p = m_propositions[ligne];
        auto *fichier = cellule(QDir::toNativeSeparators(racine.relativeFilePath(p.video)),
                                Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        fichier->setCheckState(Qt::Checked);
        m_table->setItem(ligne, ColonneFichier, fichier);
        const QString source = p.source == Source::Nfo     ? u"Fiche .nfo"_s
                               : p.source == Source::Index ? u"Index des titres"_s
                                                           : u"Nom du fichier"_s;
        auto *origine = cellule(source);
        if (!p.remarque.isEmpty())
            origine->setToolTip(p.remarque);
        m_table->setItem(ligne, ColonneSource, origine);
        const QString titreFichier = p.fiche.titreFrancais();
        if (p.source == Source::Index) {
            // The best titles of the index, the first chosen; the last entry keeps the file's
            // own title.
            auto *candidats = new QComboBox(m_table);
            candidats->setObjectName(u"cbCandidats"_s);
            for (const NomVideo::Candidat &candidat : p.candidats)
                candidats->addItem(candidat.titre);
            candidats->addItem(nouvelle(titreFichier));
            if (!AnalyseDossier::assezProche(p.candidats.first()))
                candidats->setCurrentIndex(candidats->count() - 1);
            m_table->setItem(ligne, ColonneFiche, cellule(QString()));
            m_table->setCellWidget(ligne, ColonneFiche, candidats);
        } else if (p.source == Source::Nfo) {
            m_table->setItem(ligne, ColonneFiche, cellule(titreFichier));
        } else {
            // A new card's title can be corrected in place.
            m_table->setItem(ligne, ColonneFiche,
                             cellule(titreFichier, Qt::ItemIsEnabled | Qt::ItemIsEditable));
        }
        m_table->setItem(ligne, ColonneAnnee,
                         cellule(p.fiche.annee() == u"-"_s ? QString() : p.fiche.annee()));
        auto *video = cellule(FaitsVideo::resume(p.faits));
        video->setToolTip(FaitsVideo::detail(p.faits));
        m_table->setItem(ligne, ColonneVideo, video);
    }
    QHeaderView *entete = m_table->horizontalHeader();
    entete->setSectionResizeMode(QHeaderView::Interactive);
    entete->setStretchLastSection(true);
    m_table->setColumnWidth(ColonneFichier, 300);
    m_table->setColumnWidth(ColonneSource, 110);
    m_table->setColumnWidth(ColonneFiche, 240);
    m_table->setColumnWidth(ColonneAnnee, 50);

    m_ecartes->setObjectName(u"listeFichiersEcartes"_s);
    for (const AnalyseDossier::Ecart &ecart : ecarts)
        m_ecartes->addItem(u"%1 — %2"_s.arg(QDir::toNativeSeparators(ecart.chemin), ecart.raison));
    m_ecartes->setMaximumHeight(110);
    m_ecartes->setVisible(!ecarts.isEmpty());
    auto *titreEcartes = new QLabel(u"Laissés de côté :"_s, this);
    titreEcartes->setVisible(!ecarts.isEmpty());

    auto *boutons = new QDialogButtonBox(this);
    QPushButton *importer = boutons->addButton(u"Importer"_s, QDialogButtonBox::AcceptRole);
    importer->setObjectName(u"boutonImporterFichiers"_s);
    importer->setEnabled(!m_propositions.isEmpty());
    boutons->addButton(u"Annuler"_s, QDialogButtonBox::RejectRole);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(m_resume);
    disposition->addWidget(m_table, 1);
    disposition->addWidget(titreEcartes);
    disposition->addWidget(m_ecartes);
    disposition->addWidget(boutons);
}

std::vector<DialogueAnalyseDossier::Choix> DialogueAnalyseDossier::choix() const
{
    std::vector<Choix> choisis;
    for (int ligne = 0; ligne < m_table->rowCount(); ++ligne) {
        if (m_table->item(ligne, ColonneFichier)->checkState() != Qt::Checked)
            continue;
        const AnalyseDossier::Proposition &p = m_propositions[ligne];
        Choix c;
        c.proposition = ligne;
        c.titre = p.fiche.titreFrancais();
        if (const auto *candidats =
                qobject_cast<const QComboBox *>(m_table->cellWidget(ligne, ColonneFiche))) {
            if (candidats->currentIndex() < p.candidats.size())
                c.candidat = candidats->currentIndex();
        } else if (p.source == Source::Vierge) {
            const QString saisi = m_table->item(ligne, ColonneFiche)->text().simplified();
            if (!saisi.isEmpty())
                c.titre = saisi;
        }
        choisis.push_back(c);
    }
    return choisis;
}

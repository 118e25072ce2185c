#include "views/DialogueModificationSelection.h"

#include "catalogue/Edition.h"
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using ModificationGroupee::Operation;

namespace {

// The preview lists this many cards at most; the count says how many there are.
constexpr size_t k_apercuMaximal = 500;

bool estListe(ChampsFiche::Champ champ)
{
    return ChampsFiche::champ(champ).genre == ChampsFiche::Genre::Liste;
}

} // namespace

DialogueModificationSelection::DialogueModificationSelection(const Tdm_Kinolux &dm,
                                                             std::vector<CleFiche> cles,
                                                             QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_cles(std::move(cles))
    , m_champ(new QComboBox(this))
    , m_operation(new QComboBox(this))
    , m_valeur(new QLineEdit(this))
    , m_resume(new QLabel(this))
    , m_apercu(new QListWidget(this))
    , m_boutons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(u"dialogueModifierSelection"_s);
    setWindowTitle(u"Modifier la sélection"_s);
    m_champ->setObjectName(u"cbModifierChamp"_s);
    for (const ChampsFiche::Champ champ : ModificationGroupee::champsModifiables())
        m_champ->addItem(ChampsFiche::libelle(champ), int(champ));
    m_operation->setObjectName(u"cbModifierOperation"_s);
    m_valeur->setObjectName(u"editModifierValeur"_s);
    m_resume->setObjectName(u"lbModifierApercu"_s);
    m_apercu->setObjectName(u"listeModifierApercu"_s);
    m_apercu->setSelectionMode(QAbstractItemView::NoSelection);
    m_boutons->button(QDialogButtonBox::Ok)->setText(u"Appliquer"_s);
    m_boutons->button(QDialogButtonBox::Cancel)->setText(u"Annuler"_s);

    auto *formulaire = new QFormLayout;
    formulaire->addRow(u"Champ :"_s, m_champ);
    formulaire->addRow(u"Opération :"_s, m_operation);
    formulaire->addRow(u"Valeur :"_s, m_valeur);
    auto *disposition = new QVBoxLayout(this);
    disposition->addLayout(formulaire);
    disposition->addWidget(m_resume);
    disposition->addWidget(m_apercu, 1);
    disposition->addWidget(m_boutons);
    resize(420, 380);

    const auto choisirChamp = [this] {
        const auto champ = static_cast<ChampsFiche::Champ>(m_champ->currentData().toInt());
        m_operation->clear();
        if (estListe(champ)) {
            m_operation->addItem(u"Ajouter l'entrée"_s, int(Operation::AjouterEntree));
            m_operation->addItem(u"Retirer l'entrée"_s, int(Operation::RetirerEntree));
        } else {
            m_operation->addItem(u"Remplacer par"_s, int(Operation::Remplacer));
        }
        // The medium types are offered as the editor offers them.
        if (champ == ChampsFiche::TypeSupport && m_valeur->text().isEmpty())
            m_valeur->setPlaceholderText(Edition::typesSupport().join(u", "_s));
        else
            m_valeur->setPlaceholderText(QString());
        MAJ_Apercu();
    };
    connect(m_champ, &QComboBox::currentIndexChanged, this, choisirChamp);
    connect(m_operation, &QComboBox::currentIndexChanged, this,
            &DialogueModificationSelection::MAJ_Apercu);
    connect(m_valeur, &QLineEdit::textChanged, this, &DialogueModificationSelection::MAJ_Apercu);
    connect(m_boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    choisirChamp();
}

ModificationGroupee::Modification DialogueModificationSelection::modification() const
{
    ModificationGroupee::Modification m;
    m.champ = static_cast<ChampsFiche::Champ>(m_champ->currentData().toInt());
    m.operation = static_cast<Operation>(m_operation->currentData().toInt());
    m.valeur = m_valeur->text();
    return m;
}

std::vector<CleFiche> DialogueModificationSelection::changees() const
{
    const ModificationGroupee::Modification m = modification();
    std::vector<CleFiche> resultat;
    try {
        ModificationGroupee::verifier(m);
    } catch (const Erreur &) {
        return resultat;
    }
    for (const CleFiche cle : m_cles) {
        if (const TFicheFilm *fiche = m_dm.fiche(cle);
            fiche && ModificationGroupee::changerait(*fiche, m))
            resultat.push_back(cle);
    }
    return resultat;
}

void DialogueModificationSelection::MAJ_Apercu()
{
    QString raison;
    try {
        ModificationGroupee::verifier(modification());
    } catch (const Erreur &e) {
        raison = e.texte();
    }
    const std::vector<CleFiche> fiches = changees();
    m_apercu->clear();
    QStringList titres;
    for (size_t i = 0; i < fiches.size() && i < k_apercuMaximal; ++i)
        titres.append(m_dm.fiche(fiches[i])->titreFrancais());
    m_apercu->addItems(titres);
    if (!raison.isEmpty())
        m_resume->setText(raison);
    else if (fiches.empty())
        m_resume->setText(u"Aucune des %1 fiches ne changera."_s.arg(m_cles.size()));
    else
        m_resume->setText(
            u"%1 fiche(s) sur %2 changeront :"_s.arg(fiches.size()).arg(m_cles.size()));
    m_boutons->button(QDialogButtonBox::Ok)->setEnabled(!fiches.empty());
}

#include "views/DialogueSauvegardes.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DialogueSauvegardes::DialogueSauvegardes(QList<SauvegardesBase::Sauvegarde> sauvegardes,
                                         QWidget *parent)
    : QDialog(parent)
    , m_sauvegardes(std::move(sauvegardes))
    , m_liste(new QListWidget(this))
    , m_restaurer(new QPushButton(u"Restaurer"_s, this))
{
    setObjectName(u"dialogueRestaurerSauvegarde"_s);
    setWindowTitle(u"Restaurer une sauvegarde"_s);
    resize(520, 300);
    const QLocale francais(QLocale::French);
    m_liste->setObjectName(u"listeSauvegardes"_s);
    for (const SauvegardesBase::Sauvegarde &sauvegarde : std::as_const(m_sauvegardes))
        m_liste->addItem(u"%1 — %2 — %3 fiche(s)"_s.arg(
            QFileInfo(sauvegarde.chemin).fileName(),
            francais.toString(sauvegarde.date, u"dd/MM/yyyy HH:mm:ss"_s),
            francais.toString(sauvegarde.fiches)));
    m_restaurer->setObjectName(u"boutonRestaurerSauvegarde"_s);
    m_restaurer->setEnabled(false);
    connect(m_liste, &QListWidget::currentRowChanged, this,
            [this](int ligne) { m_restaurer->setEnabled(ligne >= 0); });
    connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *boutons = new QDialogButtonBox(this);
    boutons->addButton(m_restaurer, QDialogButtonBox::AcceptRole);
    boutons->addButton(u"Annuler"_s, QDialogButtonBox::RejectRole);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *texte = new QLabel(u"Chaque enregistrement garde le fichier qu'il remplace. La version "
                             "choisie remplace le catalogue en mémoire ; le fichier n'est écrit "
                             "qu'au prochain enregistrement."_s,
                             this);
    texte->setWordWrap(true);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(texte);
    disposition->addWidget(m_liste, 1);
    disposition->addWidget(boutons);
}

const SauvegardesBase::Sauvegarde *DialogueSauvegardes::choisie() const
{
    const int ligne = m_liste->currentRow();
    return ligne >= 0 && ligne < m_sauvegardes.size() ? &m_sauvegardes[ligne] : nullptr;
}

#pragma once

#include "catalogue/ModificationGroupee.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class Tdm_Kinolux;

// "Modifier la sélection…": one field set for every selected card, the cards that will change
// listed before anything is applied.
class DialogueModificationSelection final : public QDialog
{
    Q_OBJECT

public:
    DialogueModificationSelection(const Tdm_Kinolux &dm, std::vector<CleFiche> cles,
                                  QWidget *parent = nullptr);

    const std::vector<CleFiche> &cles() const { return m_cles; }
    // What the controls say; Remplacer on a text field, Ajouter or Retirer on a list.
    ModificationGroupee::Modification modification() const;
    // The cards of the selection that the modification would change; none while it cannot be
    // made.
    std::vector<CleFiche> changees() const;

    QComboBox &cbModifierChamp() { return *m_champ; }
    QComboBox &cbModifierOperation() { return *m_operation; }
    QLineEdit &editModifierValeur() { return *m_valeur; }
    QListWidget &listeModifierApercu() { return *m_apercu; }
    QLabel &lbModifierApercu() { return *m_resume; }

public slots:
    void MAJ_Apercu();

private:
    const Tdm_Kinolux &m_dm;
    std::vector<CleFiche> m_cles;
    QComboBox *m_champ;
    QComboBox *m_operation;
    QLineEdit *m_valeur;
    QLabel *m_resume;
    QListWidget *m_apercu;
    QDialogButtonBox *m_boutons;
};

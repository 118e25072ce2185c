#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/Doublons.h"

#include <QDialog>

#include <functional>
#include <vector>

class Dialogues;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class Tdm_Kinolux;

// "Chercher les doublons…": the groups of cards that are likely one film (listeGroupesDoublons)
// and the chosen group side by side, a column a card, a row a field (tableDoublons). A click on a
// value chooses it for the merged card; "Fusionner" makes one card of the group (one step of the
// undo history), "Ce ne sont pas des doublons" sets the group aside for good (doublons.ini).
class DialogueDoublons final : public QDialog
{
    Q_OBJECT

public:
    DialogueDoublons(Tdm_Kinolux &dm, Dialogues &dialogues, std::function<void()> suivreCatalogue,
                     QWidget *parent = nullptr);

    QListWidget &listeGroupesDoublons() { return *m_groupesListe; }
    QTableWidget &tableDoublons() { return *m_table; }
    QPushButton &boutonFusionner() { return *m_fusionner; }
    QPushButton &boutonPasDoublons() { return *m_pasDoublons; }
    // The groups found, each as its cards' numbers.
    std::vector<std::vector<CleFiche>> groupes() const;
    // For each field, the column of the card whose value the merge keeps.
    const Doublons::Choix &choix() const { return m_choix; }

public slots:
    // Looks for the groups again over the whole catalogue.
    void chercher();
    void afficherGroupe(int ligne);
    // The value of this field (a row of the table) taken from the card of this column.
    void choisir(int champ, int colonne);
    void fusionnerExecute();
    void pasDoublonsExecute();

private:
    struct Groupe
    {
        std::vector<CleFiche> cles;
        unsigned raisons = 0;
    };
    // The cards of the shown group, none when one has gone since the search.
    std::vector<const TFicheFilm *> fichesDuGroupe() const;
    void retirerGroupe(int ligne);
    void marquerChoix();

    Tdm_Kinolux &m_dm;
    Dialogues &m_dialogues;
    std::function<void()> m_suivreCatalogue;
    std::vector<Groupe> m_groupes;
    Doublons::Choix m_choix{};
    QListWidget *m_groupesListe;
    QTableWidget *m_table;
    QLabel *m_raisons;
    QPushButton *m_fusionner;
    QPushButton *m_pasDoublons;
};

#pragma once

#include "echanges/AnalyseDossier.h"

#include <QDialog>
#include <QList>

#include <vector>

class QLabel;
class QListWidget;
class QTableWidget;

// What "Analyser un dossier…" found: a row for each new video file with the card it proposes
// (ticked), the titles of the index to choose from, and the files left aside with the reason.
class DialogueAnalyseDossier final : public QDialog
{
    Q_OBJECT

public:
    enum Colonne
    {
        ColonneFichier,
        ColonneSource,
        ColonneFiche,
        ColonneAnnee,
        ColonneVideo,
        NombreColonnes
    };

    // What the user chose for one file.
    struct Choix
    {
        qsizetype proposition = 0;
        // The index title chosen (a place in the proposition's candidates), or -1 for the card
        // of the .nfo or a new card named `titre`.
        int candidat = -1;
        QString titre;
    };

    DialogueAnalyseDossier(const QString &dossier, QList<AnalyseDossier::Proposition> propositions,
                           QList<AnalyseDossier::Ecart> ecarts, QWidget *parent = nullptr);

    const QList<AnalyseDossier::Proposition> &propositions() const { return m_propositions; }
    // The ticked rows, in the table's order.
    std::vector<Choix> choix() const;

    QTableWidget &tableFichiersTrouves() { return *m_table; }
    QListWidget &listeFichiersEcartes() { return *m_ecartes; }
    QLabel &lbResumeAnalyse() { return *m_resume; }

private:
    QList<AnalyseDossier::Proposition> m_propositions;
    QTableWidget *m_table;
    QListWidget *m_ecartes;
    QLabel *m_resume;
};

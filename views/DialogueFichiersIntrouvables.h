#pragma once

#include "catalogue/TFicheFilm.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

// "Fichiers introuvables": the cards whose video file is no longer where they say, and for each
// the file of the same name found under a folder the user chooses (a moved collection).
class DialogueFichiersIntrouvables final : public QDialog
{
    Q_OBJECT

public:
    struct Manquant
    {
        CleFiche cle = 0;
        QString titre;
        QString chemin; // as the card holds it
    };

    explicit DialogueFichiersIntrouvables(std::vector<Manquant> manquants,
                                          QWidget *parent = nullptr);

    const std::vector<Manquant> &manquants() const { return m_manquants; }
    // The files found for each card (the first proposed and ticked); rows found nothing for
    // stay unticked.
    void afficherTrouves(const QList<QStringList> &trouves);
    // The ticked cards and the file each now takes.
    std::vector<std::pair<CleFiche, QString>> remplacements() const;

    QTableWidget &tableFichiersIntrouvables() { return *m_table; }
    QPushButton &boutonChercherFichiers() { return *m_chercher; }
    QPushButton &boutonMettreAJourFichiers() { return *m_mettreAJour; }

signals:
    void chercher();

private:
    std::vector<Manquant> m_manquants;
    QTableWidget *m_table;
    QLabel *m_resume;
    QPushButton *m_chercher;
    QPushButton *m_mettreAJour;
};

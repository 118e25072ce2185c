#pragma once

#include "catalogue/Statistiques.h"

#include <QWidget>

#include <array>
#include <functional>

class Dialogues;
class ModeleVueEnsemble;
class QChart;
class QChartView;
class QLabel;
class QTimer;
class Tdm_Kinolux;

// The overview's tab "Statistiques": charts of the films the table shows, which follow its quick
// filter; a click on a bar filters the table by that value.
class OngletStatistiques final : public QWidget
{
    Q_OBJECT

public:
    // `filtrer` sets the overview's quick filter and shows the table.
    OngletStatistiques(const Tdm_Kinolux &dm, const ModeleVueEnsemble &vue, Dialogues &dialogues,
                       std::function<void(const QString &)> filtrer, QWidget *parent = nullptr);
    ~OngletStatistiques() override;

    const Statistiques::Resultat &resultat() const { return m_resultat; }
    QChart &graphique(Statistiques::Graphique g) { return *m_graphiques[size_t(g)]; }
    QLabel &lbStatistiquesTitre() { return *m_titre; }
    QLabel &lbStatistiquesTotaux() { return *m_totaux; }
    // What a click on the bar of this value does.
    void choisirBarre(Statistiques::Graphique graphique, const QString &valeur);

public slots:
    void MAJ_Statistiques();
    void copierTotauxExecute();
    // Writes the chart as PNG and SVG in the data folder's exports/ and says where.
    void exporterGraphique(Statistiques::Graphique graphique);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void aRefaire();
    void remplir(Statistiques::Graphique graphique);

    const Tdm_Kinolux &m_dm;
    const ModeleVueEnsemble &m_vue;
    Dialogues &m_dialogues;
    std::function<void(const QString &)> m_filtrer;
    Statistiques::Resultat m_resultat;
    bool m_perime = true;
    QTimer *m_delai;
    QLabel *m_titre;
    QLabel *m_totaux;
    std::array<QChart *, Statistiques::nombreGraphiques> m_graphiques{};
    std::array<QChartView *, Statistiques::nombreGraphiques> m_vues{};
};

#pragma once

#include "catalogue/ChampsFiche.h"
#include "catalogue/TFicheFilm.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class Dialogues;
class DialogueModificationSelection;
class Exportations;
class DialogueDoublons;
class DialogueSauvegardes;
class FichiersVideo;
class ModeleVueEnsemble;
class OngletAffiches;
class OngletStatistiques;
class PaintBox;
class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QToolButton;
class Tdm_Kinolux;

// The overview window "Vue d'ensemble": every card in a table, filtered as you type, sorted by any
// column, commands on a selection of several cards. It remembers its geometry and its columns in
// kinolux.ini (group [vueEnsemble]).
class FenetreVueEnsemble final : public QWidget
{
    Q_OBJECT

public:
    // What the window asks of the catalogue window.
    struct Liens
    {
        // Shows a card on the catalogue window's sheet.
        std::function<void(CleFiche)> afficherFiche;
        std::function<void(const QStringList &)> ajouterALaListeDeLecture;
        // The catalogue window's views follow a command of this window, once it is done.
        std::function<void()> suivreCatalogue;
    };

    FenetreVueEnsemble(Tdm_Kinolux &dm, Dialogues &dialogues, Liens liens,
                       QWidget *parent = nullptr);
    ~FenetreVueEnsemble() override;

    QTableView &tableFilms() { return *m_tableFilms; }
    QLineEdit &editFiltreRapide() { return *m_editFiltreRapide; }
    QLabel &lbNombreFilms() { return *m_lbNombreFilms; }
    ModeleVueEnsemble &modele() { return *m_modele; }
    QTabWidget &pcVueEnsemble() { return *m_pcVueEnsemble; }
    OngletStatistiques &ongletStatistiques() { return *m_ongletStatistiques; }
    OngletAffiches &ongletAffiches() { return *m_ongletAffiches; }
    // The numbers of the selected cards, in the table's order.
    std::vector<CleFiche> selection() const;
    QAction *action(const QString &nom) const;
    // The fields of the table's columns shown, from left to right.
    std::vector<ChampsFiche::Champ> colonnesVisibles() const;
    QToolButton &boutonExporter() { return *m_boutonExporter; }
    Exportations &exportations() { return *m_exportations; }
    QToolButton &boutonFichiersVideo() { return *m_boutonFichiersVideo; }
    FichiersVideo &fichiersVideo() { return *m_fichiersVideo; }
    QToolButton &boutonCatalogue() { return *m_boutonCatalogue; }
    DialogueSauvegardes *dialogueSauvegardes() const;
    // The doubles dialog, once opened.
    DialogueDoublons *dialogueDoublons() const;
    // The dialog of the running "Modifier la sélection…", while it is open.
    DialogueModificationSelection *dialogueModification() const;

public slots:
    void editFiltreRapideChange();
    // Selects the card's row and brings it into view (the sheet showed it).
    void selectionnerFiche(CleFiche cle);
    void afficherFicheSelectionExecute();
    void supprimerSelectionExecute();
    void ajouterSelectionListeLectureExecute();
    void modifierSelectionExecute();
    void appliquerModification();
    // "Restaurer une sauvegarde…": the kept versions of the catalogue file to choose from; the
    // chosen one replaces the catalogue in memory once the user agrees.
    void restaurerSauvegardeExecute();
    // Undo and redo of the catalogue's changes, as in the catalogue window.
    void annulerModificationExecute();
    void retablirModificationExecute();
    // "Chercher les doublons…": the groups of cards likely the same film, to merge or set aside.
    void chercherDoublonsExecute();
    void appliquerSauvegarde();
    void fondPaint();
    void enregistrerReglages() const;
    void lireReglages();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *objet, QEvent *event) override;

private:
    void creerActions();
    void creerMenuExporter();
    void creerMenuFichiersVideo();
    void creerMenuCatalogue();
    void colonnesParDefaut();
    void menuColonnes(const QPoint &position);
    void MAJ_Nombre();
    void retenirSelection();
    void retrouverSelection();

    Tdm_Kinolux &m_dm;
    Dialogues &m_dialogues;
    Liens m_liens;
    ModeleVueEnsemble *m_modele;
    PaintBox *m_fond;
    QLabel *m_titreOmbre;
    QLabel *m_titre;
    QTabWidget *m_pcVueEnsemble;
    QLineEdit *m_editFiltreRapide;
    QLabel *m_lbNombreFilms;
    QTableView *m_tableFilms;
    QToolButton *m_boutonExporter;
    Exportations *m_exportations = nullptr;
    QToolButton *m_boutonFichiersVideo;
    FichiersVideo *m_fichiersVideo = nullptr;
    QToolButton *m_boutonCatalogue;
    QPointer<DialogueSauvegardes> m_dialogueSauvegardes;
    QPointer<DialogueDoublons> m_dialogueDoublons;
    // In the export menu: the selection rather than the whole catalogue.
    QAction *m_exporterSelection = nullptr;
    OngletStatistiques *m_ongletStatistiques;
    OngletAffiches *m_ongletAffiches;
    QPointer<DialogueModificationSelection> m_dialogue;
    // Kept across a new catalogue (a reload): the identifiers selected and where the table was.
    QStringList m_idsRetenus;
    int m_defilementRetenu = 0;
};

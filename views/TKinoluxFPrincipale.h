#pragma once

#include "catalogue/TFicheFilm.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <functional>

class Dialogues;
class Exportations;
class FenetreVueEnsemble;
class FicheFilm;
class OngletClassement;
class OngletEdition;
class OngletImports;
class OngletListeFilms;
class OngletListeLecture;
class OngletRecherche;
class PaintBox;
class QLabel;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTimer;
class TAboutBox;
class TImage;
class TFicheFilm;
class TTransparentWnd;
class Tdm_Kinolux;
class TformMessageFlash;

// The catalogue window: the tabs on the left, the film sheet on the right, and the action list
// through which every command runs. It hides the control panel while it is shown and brings it
// back when it is closed; its start-up timer reads the catalogue once the window has faded in.
class TKinoluxFPrincipale final : public QWidget
{
    Q_OBJECT

public:
    explicit TKinoluxFPrincipale(Dialogues &dialogues, QWidget *parent = nullptr);
    ~TKinoluxFPrincipale() override;

    // The objects created after this window (creation order of the program).
    void relier(Tdm_Kinolux &dm, TformMessageFlash &flash, TAboutBox &aPropos);
    void definirPanneauControle(QWidget *panneau);

    QAction *action(const QString &nom) const;
    bool baseChargee() const { return m_baseChargee; }
    QListWidget &listeFilms();
    QTabWidget &pcControles() { return *m_pcControles; }
    OngletImports &ongletImports() { return *m_ongletImports; }

    // Selects the first row of the film list showing this title, ignoring letter case (none
    // when no row does).
    void selectionnerTitre(const QString &titre);
    // Selects the title's row, then shows the selected row's card (the tree, the search and the
    // playlist go back to a card this way).
    void afficherFicheDuTitre(const QString &titre);
    // The card of the film list's first row showing this title, ignoring letter case.
    const TFicheFilm *ficheDuTitre(const QString &titre) const;
    // The overview window, once it has been opened.
    FenetreVueEnsemble *vueEnsemble() const;
    Exportations *exportations() const { return m_exportations; }

signals:
    // chargerFicheFilm showed this card on the sheet.
    void ficheAffichee(CleFiche cle);

public slots:
    // The refresh of all views: the film list, then the tree and the search.
    void MAJ_ListeFilms();

    void TimerDemarreTimer();
    void fondPaint();
    void boutonAProposClick();

    // Handlers run by the actions of the same name. They raise; the actions report.
    void chargerBaseExecute();
    void MAJListeMovieCoversExecute();
    void ajouterFilmExecute();
    void rechargerEditionImageSitesExecute();
    void chargerFicheFilmExecute();
    void sauvegarderBaseExecute();
    void detruireListeFilmsExecute();
    void detruireObjetsListesExecute();
    void detruireListesCBEditionExecute();
    void creerNouvelleFicheExecute();
    void supprimerFilmExecute();

    // Opens the overview window (created at its first opening) and brings it to the front.
    void afficherVueEnsembleExecute();
    // Selects the card's row of the film list and shows it on the sheet.
    void afficherFiche(CleFiche cle);
    // The film list, the tree and the search after a change made elsewhere (the overview): the
    // selected card stays selected and is shown again.
    void suivreCatalogue();
    // The last change of the catalogue undone (Ctrl+Z), or done again (Ctrl+Maj+Z).
    void annulerModificationExecute();
    void retablirModificationExecute();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void creerActions();
    void creerActionsVues();
    // The export commands over the whole catalogue and their button, once the data module is known.
    void creerActionsExports();
    // Undo and redo, once the data module is known.
    void creerActionsAnnulation();
    // The action runs the handler through the error box of every command.
    void relierAction(QAction &action, std::function<void()> gestionnaire);
    // The control's signal triggers the action of this name.
    template <typename S> void declencher(S *source, void (S::*signal)(), const QString &nom)
    {
        connect(source, signal, action(nom), &QAction::trigger);
    }

    Dialogues &m_dialogues;
    Tdm_Kinolux *m_dm = nullptr;
    TformMessageFlash *m_flash = nullptr;
    TAboutBox *m_aPropos = nullptr;
    QWidget *m_panneauControle = nullptr;
    bool m_baseChargee = false;

    PaintBox *m_fond;
    QLabel *m_lbTitreOmbre;
    QLabel *m_blTitre;
    QWidget *m_panelContenant;
    QSplitter *m_splitter1;
    QTabWidget *m_pcControles;
    OngletListeFilms *m_ongletListeFilms;
    OngletClassement *m_ongletClassement;
    OngletListeLecture *m_ongletListeLecture;
    OngletImports *m_ongletImports;
    OngletRecherche *m_ongletRecherche;
    OngletEdition *m_ongletEdition;
    FicheFilm *m_panelInfoFilm;
    TTransparentWnd *m_transparentWnd1;
    TImage *m_boutonVueEnsemble;
    TImage *m_boutonExporter;
    Exportations *m_exportations = nullptr;
    QPointer<FenetreVueEnsemble> m_vueEnsemble;
    QTimer *m_timerDemarre;
};

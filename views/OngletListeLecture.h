#pragma once

#include "views/Onglet.h"

#include <QStringList>

#include <functional>

class PaintBox;
class QListWidget;
class TFicheFilm;
class TImage;
class Tdm_Kinolux;
class TformMessageFlash;

// The playlist tab: titles of the film list, each with a check mark that only the delete command
// reads. It is saved to listeLecture.ldl and played as kinolux.pls.
class OngletListeLecture final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletListeLecture(QWidget *parent = nullptr);
    // `ficheSelectionnee` gives the card of the film list's selected row (none without one). A
    // title goes back to the card of the film list's first row showing it, ignoring letter case.
    void relier(Tdm_Kinolux &dm, TformMessageFlash &flash,
                std::function<const TFicheFilm *()> ficheSelectionnee);

    QListWidget &listeLecture() { return *m_listeLecture; }
    QStringList entrees() const;
    // Appends these titles, unticked, and says so in the flash window.
    void ajouterTitres(const QStringList &titres);

public slots:
    void ajouterDansListeLectureExecute();
    void lireFilmExecute();
    void lireListeLectureExecute();
    void supprimerListeLectureCochesExecute();
    void enregistrerListeLectureExecute();
    void chargerListeLectureExecute();
    void boutonListeLectureDecocherTousClick();

private:
    void ajouterEntree(const QString &titre);
    // A launch given up: the flash window does not stay on screen with its progress bar.
    void abandonnerLancement();

    Tdm_Kinolux *m_dm = nullptr;
    TformMessageFlash *m_flash = nullptr;
    std::function<const TFicheFilm *()> m_ficheSelectionnee;

    QListWidget *m_listeLecture;
    PaintBox *m_boutonListeLectureDecocherTous;
    TImage *m_boutonListeLectureEnregistrer;
    TImage *m_boutonListeLectureSupprimer;
    TImage *m_boutonListeLectureSupprimer2;
    TImage *m_boutonListeLectureLire;
};

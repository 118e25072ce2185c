#pragma once

#include "views/Onglet.h"

#include <functional>

class TFicheFilm;
class Tdm_Kinolux;
class TformMessageFlash;

// The playlist tab.
class OngletListeLecture final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletListeLecture(QWidget *parent = nullptr);
    // `ficheSelectionnee` gives the card of the film list's selected row (none without one);
    // `ficheDuTitre` the card of the film list's first row showing a title, ignoring letter case.
    void relier(Tdm_Kinolux &dm, TformMessageFlash &flash,
                std::function<TFicheFilm *()> ficheSelectionnee,
                std::function<TFicheFilm *(const QString &)> ficheDuTitre);

public slots:
    void ajouterDansListeLectureExecute();
    void lireFilmExecute();
    void lireListeLectureExecute();
    void supprimerListeLectureCochesExecute();
    void enregistrerListeLectureExecute();
    void chargerListeLectureExecute();
    void boutonListeLectureDecocherTousClick();

private:
    Tdm_Kinolux *m_dm = nullptr;
    TformMessageFlash *m_flash = nullptr;
    std::function<TFicheFilm *()> m_ficheSelectionnee;
    std::function<TFicheFilm *(const QString &)> m_ficheDuTitre;
};

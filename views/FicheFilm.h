#pragma once

#include "catalogue/TFicheFilm.h"

#include <QWidget>

class LecteurFaits;
class PaintBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class TImage;
class Tdm_Kinolux;

// The film sheet `panelInfoFilm`: every shown field of one card.
class FicheFilm final : public QWidget
{
    Q_OBJECT

public:
    explicit FicheFilm(QWidget *parent = nullptr);

    // Fills the sheet from the card of this number, in the order the user sees it appear; nothing
    // for a card no longer in the catalogue. A cover that cannot be shown is downloaded, then
    // shown. Raises when the download cannot store the cover or an icon file cannot be read; the
    // steps after it are then not done.
    void afficher(CleFiche cle, Tdm_Kinolux &dm);

public slots:
    void barreTitreFilmPaint();

signals:
    void lireFilm();
    void ajouterDansListeLecture();

private:
    // The card's cover, decoded no larger than the picture shows it; false when unreadable.
    bool chargerCouverture(const QString &chemin);

    PaintBox *m_barreTitreFilm;
    QLabel *m_lbTitreO;
    QLabel *m_lbAnnee;
    QLabel *m_lbDuree;
    QLabel *m_lbNations;
    QLabel *m_lbGenre;
    QLabel *m_lbDistrib;
    QListWidget *m_listeRealisateursFilm;
    QListWidget *m_listeActeurs;
    QPlainTextEdit *m_memoResume;
    TImage *m_imageFilm;
    QLabel *m_lbIDFilm;
    QProgressBar *m_barrePreference;
    TImage *m_imgPref;
    QLineEdit *m_editFicheNomSupport;
    TImage *m_imgFicheSupport;
    // The video file of the card shown (absolute), whose facts join the medium icon's hint once
    // read.
    LecteurFaits *m_lecteurFaits;
    QString m_cheminFichier;
    QString m_fichierAbsolu;
};

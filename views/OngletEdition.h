#pragma once

#include "catalogue/TFicheFilm.h"
#include "echanges/FaitsVideo.h"
#include "views/CouvertureEdition.h"
#include "views/Onglet.h"

#include <functional>

class Dialogues;
class LecteurFaits;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class OngletListeFilms;
class QListWidget;
class QPushButton;
class QSlider;
class TImage;
class Tdm_Kinolux;

// The editing tab: one text field, one list, then the preference, medium, video file and cover
// of the card selected in the film list. Each panel's validate button writes that panel.
class OngletEdition final : public Onglet
{
    Q_OBJECT

public:
    // What the tab asks of the catalogue window.
    struct Fenetre
    {
        std::function<void()> chargerFicheFilm;
        std::function<void()> MAJ_Classement;
        std::function<void()> MAJ_Recherche;
    };

    explicit OngletEdition(QWidget *parent = nullptr);
    void relier(Tdm_Kinolux &dm, Dialogues &dialogues, const OngletListeFilms &listeFilms,
                Fenetre fenetre);

    QComboBox &cbEditionChoixChamp() { return *m_cbEditionChoixChamp; }
    QLineEdit &editEditionModifChamp() { return *m_editEditionModifChamp; }
    QComboBox &cbEditionChoixListe() { return *m_cbEditionChoixListe; }
    QListWidget &listeEditionModifListe() { return *m_listeEditionModifListe; }
    QSlider &tbEditionPref() { return *m_tbEditionPref; }
    QLineEdit &editEditionNomSupport() { return *m_editEditionNomSupport; }
    QButtonGroup &rgTypeSupport() { return *m_rgTypeSupport; }
    TImage &imgEdition() { return *m_imgEdition; }
    // The card the editor was last filled from, while it is still the selected card of the film
    // list and still in the catalogue; its number (0 for none).
    const TFicheFilm *ficheEditee() const;
    CleFiche cleEditee() const;

public slots:
    // Fills the three panels from the selected card.
    void MAJ_Edition();
    // Empties both choice boxes with their snapshots; the editor then holds no card.
    void detruireListesCBEdition();

    void cbEditionChoixChampChange();
    void MAJ_EditionChampExecute();
    void validerEditionChampExecute();
    void cbEditionChoixListeChange();
    void MAJ_EditionListeExecute();
    void boutonEditionAjouterDansListeClick();
    void boutonEditionRetirerDeListeClick();
    void validerEditionListeExecute();

    void tbEditionPrefChange();
    void rgTypeSupportClick();
    void btEditionFichierClick();
    // Raises when the chosen file is not a readable picture; nothing changes then.
    void imgEditionClick();
    void MAJ_EditionSuppExecute();
    // Writes the preference, the medium, the cover and the video file; a video file chosen
    // with "Fichier..." also gives the card its codec line and, when it has none, its running
    // time.
    void validerEditionSuppExecute();

signals:
    // The facts of the video file shown by the editor have been read (the button's hint holds
    // them).
    void faitsFichierLus();

private:
    void faitsLus(const QString &chemin, const FaitsVideo::Faits &faits);
    QString cheminAbsolu(const QString &chemin) const;
    void rafraichir();
    QPixmap icone(const QString &nom, int cote) const;
    void definirCheminImage(const QString &chemin);
    void definirCheminFichier(const QString &chemin);

    Tdm_Kinolux *m_dm = nullptr;
    Dialogues *m_dialogues = nullptr;
    const OngletListeFilms *m_listeFilms = nullptr;
    Fenetre m_fenetre;
    CleFiche m_cle = 0;

    QComboBox *m_cbEditionChoixChamp;
    QLineEdit *m_editEditionModifChamp;
    QComboBox *m_cbEditionChoixListe;
    QListWidget *m_listeEditionModifListe;
    QSlider *m_tbEditionPref;
    TImage *m_imgEditionPref;
    QLineEdit *m_editEditionNomSupport;
    QGroupBox *m_groupeTypeSupport;
    QButtonGroup *m_rgTypeSupport;
    TImage *m_imgEditionSupport;
    TImage *m_imgEdition;
    QPushButton *m_btEditionFichier;
    Edition::Couverture m_couverture;
    QString m_cheminImage;
    QString m_cheminFichier;
    LecteurFaits *m_lecteurFaits;
    // The facts of the video file, once read, and whether the user chose it in this editing.
    FaitsVideo::Faits m_faits;
    QString m_cheminFaits;
    bool m_fichierChoisi = false;
};

#pragma once

#include <QWidget>

class Dialogues;
class PaintBox;
class QAction;
class QTimer;
class TAboutBox;
class TTransparentWnd;
class Tdm_Kinolux;
class TformMessageFlash;

// The catalogue window. It hides the control panel while it is shown and brings it back when
// it is closed; its start-up timer reads the catalogue once the window has faded in.
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

public slots:
    void TimerDemarreTimer();
    void fondPaint();

    // Handlers run by the actions of the same name (they raise; the actions report).
    void chargerBaseExecute();
    void sauvegarderBaseExecute();
    void detruireListeFilmsExecute();
    void detruireObjetsListesExecute();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormShow();
    void FormClose();
    QAction *creerAction(const QString &nom, const QString &categorie, const QString &legende,
                         void (TKinoluxFPrincipale::*gestionnaire)());

    Dialogues &m_dialogues;
    Tdm_Kinolux *m_dm = nullptr;
    TformMessageFlash *m_flash = nullptr;
    TAboutBox *m_aPropos = nullptr;
    QWidget *m_panneauControle = nullptr;
    bool m_baseChargee = false;

    PaintBox *m_fond;
    TTransparentWnd *m_transparentWnd1;
    QTimer *m_timerDemarre;
};

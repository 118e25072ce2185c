#pragma once

#include <QWidget>

class Dialogues;
class PaintBox;
class QFrame;
class QLabel;
class QTimer;
class TAboutBox;
class TImage;
class TKinoluxFPrincipale;
class TTransparentWnd;

// The control panel, the program's main window: it opens the catalogue window after a
// countdown or at a click on its picture, and ends the program after asking to save.
class TKinoluxPC final : public QWidget
{
    Q_OBJECT

public:
    explicit TKinoluxPC(Dialogues &dialogues, QWidget *parent = nullptr);
    ~TKinoluxPC() override;

    // The windows created after this one (creation order of the program).
    void relier(TKinoluxFPrincipale &catalogue, TAboutBox &aPropos);

    int compteOuverture() const { return m_compteOuverture; }
    int compteFermeture() const { return m_compteFermeture; }
    int transparence() const { return m_transparence; }

public slots:
    void Timer1Timer();
    void TimerAutoOpenTimer();
    void TimerAutoCloseTimer();
    void Image1Click();
    void boutonQuitterClick();
    void boutonAProposClick();
    void fondEcranPaint();
    void boutonQuitterPaint();

signals:
    // The panel has closed: the program ends.
    void fermee();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormPaint();
    // Raises when the save fails: the close then does not happen.
    void FormCloseQuery();
    void FormClose();
    void appliquerTransparence(int transparence);

    Dialogues &m_dialogues;
    TKinoluxFPrincipale *m_catalogue = nullptr;
    TAboutBox *m_aPropos = nullptr;

    int m_compteOuverture = 0;
    int m_compteFermeture = 0;
    int m_transparence = 0;

    PaintBox *m_fondEcran;
    QLabel *m_logoKinolux;
    QLabel *m_lbTitre2;
    QLabel *m_blTitre1;
    QFrame *m_centerPanel;
    TImage *m_image1;
    PaintBox *m_boutonQuitter;
    TImage *m_boutonAPropos;
    QLabel *m_label1;
    TTransparentWnd *m_transparentWnd1;
    QTimer *m_timer1;
    QTimer *m_timerAutoOpen;
    QTimer *m_timerAutoClose;
};

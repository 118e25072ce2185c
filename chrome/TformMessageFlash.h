#pragma once

#include <QWidget>

class PaintBox;
class QLabel;
class QProgressBar;
class QTimer;
class TTransparentWnd;

// The borderless always-on-top status strip that confirms commands and fades out by itself.
class TformMessageFlash final : public QWidget
{
    Q_OBJECT

public:
    explicit TformMessageFlash(QWidget *parent = nullptr);

    void definirTexte(const QString &texte);
    QString texte() const;
    // Shows the window; when it is already shown, only brings it to the front.
    void afficher();
    void afficherProgression(bool visible);
    void definirProgression(int position);
public slots:
    // Closes the window `delai` ms from now; the same delay again does not restart the count.
    void fermer(int delai);

    void pbFondPaint();
    void timerDemarrageTimer();
    void timerFermetureTimer();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    PaintBox *m_pbFond;
    QLabel *m_lbMessageStatus;
    QProgressBar *m_barreProgr;
    TTransparentWnd *m_transparentWnd1;
    QTimer *m_timerFermeture;
    QTimer *m_timerDemarrage;
};

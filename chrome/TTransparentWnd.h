#pragma once

#include <QObject>
#include <QWidget>

#include <algorithm>

// Sets the transparency of the window that owns it, in percent (0 opaque, 100 invisible).
class TTransparentWnd final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint8 Percent READ Percent WRITE setPercent)

public:
    explicit TTransparentWnd(QWidget *proprietaire);

    qint8 Percent() const { return m_percent; }
    void setPercent(qint8 valeur) { m_percent = valeur; }

    // Applies 100 - transparence as the owner's opacity (creating its native window if needed).
    void SetTransparency(qint8 transparence);
    // alpha = opacite * 255 / 100, in integer arithmetic, as the window's uniform opacity.
    // Does nothing for a handle that names no widget of this program.
    static void ApplyOpacity(WId fenetre, qint8 opacite);
    // Kept within 0..255: an opacity outside 0..100 must not wrap around to another alpha.
    static int alpha(qint8 opacite) { return std::clamp(opacite * 255 / 100, 0, 255); }

    // The wait between two steps of every fade of the program (10 ms; tests set 0).
    static void definirAttenteFondu(int millisecondes);
    static int attenteFondu();
    static void attendreFondu();

private:
    QWidget *m_proprietaire;
    qint8 m_percent = 0;
};

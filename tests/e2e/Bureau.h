#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The X display the test runs on, seen from outside the program as a person sees it: windows
// found by their titles, the mouse and the keyboard through xdotool (XTEST, the way real devices
// reach the server), screenshots of the whole screen. A window manager (openbox) frames the
// windows, gives the keyboard to the active one and closes one at Alt+F4.
class Bureau
{
public:
    struct Fenetre
    {
        quint64 id = 0;
        QString titre;
        QRect cadre; // the client area, in screen coordinates
    };

    explicit Bureau(const QString &dossierCaptures);
    ~Bureau();
    Bureau(const Bureau &) = delete;
    Bureau &operator=(const Bureau &) = delete;

    // Starts the window manager and waits until it manages the screen; "" or the reason.
    QString demarrerGestionnaire(const QString &maison);

    // The mapped top-level windows of a process.
    QList<Fenetre> fenetres(qint64 pid) const;
    // Polls until a window of the process satisfies `critere`, within `delaiMs`.
    std::optional<Fenetre> attendre(qint64 pid, const std::function<bool(const Fenetre &)> &critere,
                                    int delaiMs) const;
    std::optional<Fenetre> attendreTitre(qint64 pid, const QString &titre, int delaiMs,
                                         quint64 sauf = 0) const;
    // Polls until no window of the process satisfies `critere`.
    bool attendreAbsence(qint64 pid, const std::function<bool(const Fenetre &)> &critere,
                         int delaiMs) const;

    void cliquer(QPoint ecran, int fois = 1) const;
    // Types into the window once it has the keyboard (a click gives it through the window
    // manager, a moment later); false when it does not get it.
    bool taper(quint64 fenetre, const QString &texte) const;
    bool touches(quint64 fenetre, const QString &combinaison) const; // "Return", "alt+F4"
    void activer(quint64 id) const;

    // The whole screen, kept as `nom` in the captures folder.
    QImage capturer(const QString &nom) const;
    // Waits (a few seconds at most) until two looks at the screen, a moment apart, are the same.
    void attendreImmobile() const;
    // A part of the screen, as it is now.
    static QImage ecran(const QRect &zone);

    // Polls `condition` every `pasMs` until it holds or `delaiMs` has passed.
    static bool attendreQue(const std::function<bool()> &condition, int delaiMs, int pasMs = 50);

private:
    bool attendreClavier(quint64 fenetre) const;
    QString executer(const QString &programme, const QStringList &arguments) const;

    QString m_captures;
    QProcess m_gestionnaire;
};

#pragma once

#include <QHash>
#include <QRect>
#include <QSize>
#include <QString>

// Where a person finds each control of the program's windows, in client coordinates of its
// window. The program's own windows are built in this process on the same display and laid out
// at their size, never shown: the places follow the program's layout instead of being copied
// into the test.
class Disposition
{
public:
    static Disposition calculer();

    QSize panneau;   // the control panel
    QSize catalogue; // the catalogue window
    QSize flash;     // the flash window

    // A control of the control panel, by name.
    QRect dansPanneau(const QString &nom) const;
    // A control of the catalogue window, by name, with its tab shown; also "onglet:N" (the tab
    // N of the tab bar), "ligne:LISTE:N" (row N of a list) and "radio:TEXT" (a radio button).
    // An empty rectangle when there is no such control.
    QRect dansCatalogue(const QString &nom) const;

private:
    QHash<QString, QRect> m_panneau;
    QHash<QString, QRect> m_catalogue;
};

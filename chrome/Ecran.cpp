#include "chrome/Ecran.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centrerSurEcran(QWidget &fenetre)
{
    const QScreen *ecran = fenetre.screen() ? fenetre.screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    QRect cadre(QPoint(0, 0), fenetre.frameGeometry().size());
    cadre.moveCenter(ecran->availableGeometry().center());
    fenetre.move(cadre.topLeft());
}

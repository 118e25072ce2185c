#include "chrome/TTransparentWnd.h"

#include <QThread>

namespace {

int attente = 10;

} // namespace

TTransparentWnd::TTransparentWnd(QWidget *proprietaire)
    : QObject(proprietaire)
    , m_proprietaire(proprietaire)
{
}

void TTransparentWnd::SetTransparency(qint8 transparence)
{
    ApplyOpacity(m_proprietaire->winId(), static_cast<qint8>(100 - transparence));
}

void TTransparentWnd::ApplyOpacity(WId fenetre, qint8 opacite)
{
    QWidget *widget = QWidget::find(fenetre);
    if (!widget)
        return;
    widget->setWindowOpacity(alpha(opacite) / 255.0);
}

void TTransparentWnd::definirAttenteFondu(int millisecondes)
{
    attente = millisecondes;
}

int TTransparentWnd::attenteFondu()
{
    return attente;
}

void TTransparentWnd::attendreFondu()
{
    if (attente > 0)
        QThread::msleep(static_cast<unsigned long>(attente));
}

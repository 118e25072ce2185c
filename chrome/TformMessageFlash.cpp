#include "chrome/TformMessageFlash.h"

#include "chrome/Ecran.h"
#include "chrome/PaintBox.h"
#include "chrome/TTransparentWnd.h"
#include "chrome/UKinoluxGraphic.h"

#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

TformMessageFlash::TformMessageFlash(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_pbFond(new PaintBox(this))
    , m_lbMessageStatus(new QLabel(u"Essai texte"_s, this))
    , m_barreProgr(new QProgressBar(this))
    , m_transparentWnd1(new TTransparentWnd(this))
    , m_timerFermeture(new QTimer(this))
    , m_timerDemarrage(new QTimer(this))
{
    setObjectName(u"formMessageFlash"_s);
    setFixedSize(492, 32);
    setFont(QFont(u"MS Sans Serif"_s, 8));
    // A status strip: it neither takes the focus from the window at work nor ends the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);

    m_pbFond->setObjectName(u"pbFond"_s);
    m_pbFond->setGeometry(rect());
    connect(m_pbFond, &PaintBox::peindre, this, &TformMessageFlash::pbFondPaint);

    m_lbMessageStatus->setObjectName(u"lbMessageStatus"_s);
    m_lbMessageStatus->setGeometry(0, 10, width(), 13);
    m_lbMessageStatus->setAlignment(Qt::AlignCenter);
    m_lbMessageStatus->setWordWrap(false);
    m_lbMessageStatus->setTextFormat(Qt::PlainText);
    QFont gras(u"MS Sans Serif"_s, 8);
    gras.setBold(true);
    m_lbMessageStatus->setFont(gras);
    QPalette palette = m_lbMessageStatus->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    m_lbMessageStatus->setPalette(palette);

    m_barreProgr->setObjectName(u"barreProgr"_s);
    m_barreProgr->setGeometry(48, 24, 401, 8);
    m_barreProgr->setRange(0, 100);
    m_barreProgr->setValue(0);
    m_barreProgr->setTextVisible(false);
    m_barreProgr->hide();

    m_transparentWnd1->setObjectName(u"TransparentWnd1"_s);

    m_timerFermeture->setObjectName(u"timerFermeture"_s);
    m_timerFermeture->setInterval(500);
    connect(m_timerFermeture, &QTimer::timeout, this, &TformMessageFlash::timerFermetureTimer);
    m_timerDemarrage->setObjectName(u"timerDemarrage"_s);
    m_timerDemarrage->setInterval(100);
    connect(m_timerDemarrage, &QTimer::timeout, this, &TformMessageFlash::timerDemarrageTimer);

    centrerSurEcran(*this);
}

void TformMessageFlash::definirTexte(const QString &texte)
{
    m_lbMessageStatus->setText(texte);
}

QString TformMessageFlash::texte() const
{
    return m_lbMessageStatus->text();
}

void TformMessageFlash::afficher()
{
    if (isVisible()) {
        raise();
        return;
    }
    centrerSurEcran(*this);
    show();
}

void TformMessageFlash::afficherProgression(bool visible)
{
    m_barreProgr->setVisible(visible);
}

void TformMessageFlash::definirProgression(int position)
{
    m_barreProgr->setValue(std::clamp(position, 0, 100));
}

void TformMessageFlash::fermer(int delai)
{
    // Like a timer whose interval is set to the value it already has: the count goes on.
    const int intervalle = std::max(delai, 0);
    if (m_timerFermeture->isActive() && m_timerFermeture->interval() == intervalle)
        return;
    m_timerFermeture->start(intervalle);
}

void TformMessageFlash::pbFondPaint()
{
    UKinoluxGraphic::dessinerFond(*m_pbFond);
}

void TformMessageFlash::timerDemarrageTimer()
{
    m_timerDemarrage->stop();
    for (int i = 2; i <= 100; ++i) {
        TTransparentWnd::attendreFondu();
        m_transparentWnd1->SetTransparency(static_cast<qint8>(100 - i));
    }
    m_transparentWnd1->SetTransparency(0);
}

void TformMessageFlash::timerFermetureTimer()
{
    m_timerFermeture->stop();
    for (int n = 100; n >= 1; --n) {
        TTransparentWnd::attendreFondu();
        m_transparentWnd1->SetTransparency(static_cast<qint8>(100 - n));
    }
    m_transparentWnd1->SetTransparency(100);
    close();
}

void TformMessageFlash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TformMessageFlash::FormShow()
{
    // Qt sends the show event before the window is mapped: it appears fully transparent.
    m_transparentWnd1->SetTransparency(100);
    m_timerDemarrage->start();
}

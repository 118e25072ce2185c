#include "app/TKinoluxPC.h"

#include "catalogue/Commande.h"
#include "chrome/Ecran.h"
#include "chrome/Hint.h"
#include "chrome/Images.h"
#include "chrome/PaintBox.h"
#include "chrome/TAboutBox.h"
#include "chrome/TImage.h"
#include "chrome/TTransparentWnd.h"
#include "chrome/Titre.h"
#include "chrome/UKinoluxGraphic.h"
#include "views/TKinoluxFPrincipale.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString titre = u"Orvandel Kinolux  2007"_s;

QLabel *placerTitre(QWidget *parent, const QString &nom, const QColor &couleur, int x, int y)
{
    QLabel *label = creerTitre(parent, nom, titre, couleur);
    label->setGeometry(x, y, 377, 16);
    return label;
}

} // namespace

TKinoluxPC::TKinoluxPC(Dialogues &dialogues, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogues(dialogues)
    , m_fondEcran(new PaintBox(this))
    , m_logoKinolux(new QLabel(this))
    , m_lbTitre2(placerTitre(this, u"lbTitre2"_s, Qt::black, 2, 113))
    , m_blTitre1(placerTitre(this, u"blTitre1"_s, Qt::white, 0, 112))
    , m_centerPanel(new QFrame(this))
    , m_image1(new TImage(m_centerPanel))
    , m_boutonQuitter(new PaintBox(this))
    , m_boutonAPropos(new TImage(this))
    , m_label1(new QLabel(u" "_s, this))
    , m_transparentWnd1(new TTransparentWnd(this))
    , m_timer1(new QTimer(this))
    , m_timerAutoOpen(new QTimer(this))
    , m_timerAutoClose(new QTimer(this))
{
    setObjectName(u"KinoluxPC"_s);
    setWindowTitle(titre);
    setFixedSize(377, 439);
    setFont(QFont(u"MS Sans Serif"_s, 8));

    m_fondEcran->setObjectName(u"fondEcran"_s);
    m_fondEcran->setGeometry(rect());
    m_fondEcran->lower();
    connect(m_fondEcran, &PaintBox::peindre, this, &TKinoluxPC::fondEcranPaint);

    m_logoKinolux->setObjectName(u"logoKinolux"_s);
    m_logoKinolux->setGeometry((377 - 249) / 2, 6, 249, 97);
    m_logoKinolux->setScaledContents(true);
    m_logoKinolux->setPixmap(QPixmap::fromImage(Images::logo()));
    m_blTitre1->raise();

    m_centerPanel->setObjectName(u"centerPanel"_s);
    m_centerPanel->setGeometry((377 - 279) / 2, 144, 279, 234);
    m_centerPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_centerPanel->setAutoFillBackground(true);
    QPalette blanc = m_centerPanel->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    m_centerPanel->setPalette(blanc);
    auto *shape1 = new QFrame(m_centerPanel);
    shape1->setObjectName(u"Shape1"_s);
    shape1->setGeometry(1, 1, 277, 232);
    shape1->setAutoFillBackground(true);
    shape1->setPalette(blanc);
    shape1->lower();

    m_image1->setObjectName(u"Image1"_s);
    m_image1->setGeometry(1, 1, 277, 232);
    m_image1->setCenter(true);
    m_image1->setProportional(true);
    m_image1->setPicture(QPixmap::fromImage(Images::ouvrirCatalogue()));
    definirHint(*m_image1, u"Ouvir la fenêtre principale"_s, false);
    m_image1->setCursor(Qt::PointingHandCursor);
    connect(m_image1, &TImage::clic, this, &TKinoluxPC::Image1Click);

    m_boutonQuitter->setObjectName(u"boutonQuitter"_s);
    m_boutonQuitter->setGeometry((377 - 121) / 2, 439 - 25 - 12, 121, 25);
    definirHint(*m_boutonQuitter, u"Quitter l'application"_s, false);
    connect(m_boutonQuitter, &PaintBox::peindre, this, &TKinoluxPC::boutonQuitterPaint);
    connect(m_boutonQuitter, &PaintBox::clic, this, &TKinoluxPC::boutonQuitterClick);

    m_boutonAPropos->setObjectName(u"boutonAPropos"_s);
    m_boutonAPropos->setGeometry(377 - 41 - 8, 439 - 41 - 4, 41, 41);
    m_boutonAPropos->setCenter(true);
    m_boutonAPropos->setProportional(true);
    m_boutonAPropos->setPicture(QPixmap::fromImage(Images::aPropos()));
    definirHint(*m_boutonAPropos, u"A propos..."_s, false);
    connect(m_boutonAPropos, &TImage::clic, this, &TKinoluxPC::boutonAProposClick);

    m_label1->setObjectName(u"Label1"_s);
    QFont gras = font();
    gras.setBold(true);
    m_label1->setFont(gras);
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setGeometry(0, 382, 377, 16);

    m_transparentWnd1->setObjectName(u"TransparentWnd1"_s);
    m_transparentWnd1->setPercent(100);

    m_timer1->setObjectName(u"Timer1"_s);
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &TKinoluxPC::Timer1Timer);
    m_timerAutoOpen->setObjectName(u"TimerAutoOpen"_s);
    m_timerAutoOpen->setInterval(1000);
    connect(m_timerAutoOpen, &QTimer::timeout, this, &TKinoluxPC::TimerAutoOpenTimer);
    m_timerAutoClose->setObjectName(u"TimerAutoClose"_s);
    m_timerAutoClose->setInterval(1000);
    connect(m_timerAutoClose, &QTimer::timeout, this, &TKinoluxPC::TimerAutoCloseTimer);
    m_timer1->start();

    FormCreate();
    centrerSurEcran(*this);
}

TKinoluxPC::~TKinoluxPC() = default;

void TKinoluxPC::relier(TKinoluxFPrincipale &catalogue, TAboutBox &aPropos)
{
    m_catalogue = &catalogue;
    m_aPropos = &aPropos;
}

void TKinoluxPC::FormCreate()
{
    m_compteOuverture = 10;
    m_timerAutoOpen->start();
}

void TKinoluxPC::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TKinoluxPC::FormShow()
{
    m_transparence = 100;
    appliquerTransparence(100);
    m_timer1->start();
    if (m_compteFermeture > 1)
        m_timerAutoClose->start();
}

void TKinoluxPC::paintEvent(QPaintEvent *)
{
    FormPaint();
}

void TKinoluxPC::FormPaint()
{
    appliquerTransparence(m_transparence);
}

void TKinoluxPC::appliquerTransparence(int transparence)
{
    // Only the low byte of the program-wide value reaches the component.
    m_transparentWnd1->SetTransparency(static_cast<qint8>(transparence & 0xFF));
}

void TKinoluxPC::Timer1Timer()
{
    m_timer1->stop();
    for (int i = 2; i <= 100; ++i) {
        m_transparence = 100 - i;
        TTransparentWnd::attendreFondu();
        appliquerTransparence(m_transparence);
    }
}

void TKinoluxPC::TimerAutoOpenTimer()
{
    if (m_compteOuverture > 1) {
        --m_compteOuverture;
        m_label1->setText(u"Ouverture -"_s + QString::number(m_compteOuverture));
    } else {
        m_label1->setText(u" "_s);
        Image1Click();
    }
}

void TKinoluxPC::Image1Click()
{
    m_catalogue->definirPanneauControle(this);
    m_timerAutoOpen->stop();
    m_timerAutoClose->stop();
    m_compteOuverture = 0;
    m_compteFermeture = 6;
    m_catalogue->show();
}

void TKinoluxPC::TimerAutoCloseTimer()
{
    if (m_compteFermeture > 1) {
        --m_compteFermeture;
        m_label1->setText(u"Fermeture -"_s + QString::number(m_compteFermeture));
    } else {
        m_label1->setText(u"Fermeture"_s);
        m_timerAutoClose->stop();
        close();
    }
}

void TKinoluxPC::boutonQuitterClick()
{
    close();
}

void TKinoluxPC::boutonAProposClick()
{
    m_aPropos->exec();
}

void TKinoluxPC::fondEcranPaint()
{
    UKinoluxGraphic::dessinerFond(*m_fondEcran);
    UKinoluxGraphic::dessinerBandeau(*m_fondEcran, 110);
}

void TKinoluxPC::boutonQuitterPaint()
{
    UKinoluxGraphic::dessinerBouton(*m_boutonQuitter, u"Quitter"_s);
}

void TKinoluxPC::closeEvent(QCloseEvent *event)
{
    // A failed save keeps the panel open, its countdowns stopped; the catalogue stays intact.
    if (!executerCommande(m_dialogues, [this] { FormCloseQuery(); })) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit fermee();
}

void TKinoluxPC::FormCloseQuery()
{
    m_timerAutoOpen->stop();
    m_timerAutoClose->stop();
    m_label1->setText(u"Fermeture"_s);
    const auto reponse = m_dialogues.question(
        u"Kinolux - Sauvegarde des modifications"_s,
        u"Voulez-vous enregistrer les modifications apportées à la base de films ?"_s, false);
    if (reponse == Dialogues::Reponse::Oui)
        m_catalogue->sauvegarderBaseExecute();
    m_catalogue->detruireObjetsListesExecute();
}

void TKinoluxPC::FormClose()
{
    m_timer1->stop();
    for (int n = 100; n >= 1; --n) {
        m_transparence = 100 - n;
        TTransparentWnd::attendreFondu();
        appliquerTransparence(m_transparence);
    }
}

#include "views/TKinoluxFPrincipale.h"

#include "app/Commande.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/Ecran.h"
#include "chrome/PaintBox.h"
#include "chrome/TTransparentWnd.h"
#include "chrome/TformMessageFlash.h"
#include "chrome/UKinoluxGraphic.h"

#include <QAction>
#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

TKinoluxFPrincipale::TKinoluxFPrincipale(Dialogues &dialogues, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogues(dialogues)
    , m_fond(new PaintBox(this))
    , m_transparentWnd1(new TTransparentWnd(this))
    , m_timerDemarre(new QTimer(this))
{
    setObjectName(u"KinoluxFPrincipale"_s);
    setWindowTitle(u"Kinolux"_s);
    resize(792, 570);
    setMinimumSize(792, 570);

    m_fond->setObjectName(u"fond"_s);
    m_fond->setGeometry(rect());
    connect(m_fond, &PaintBox::peindre, this, &TKinoluxFPrincipale::fondPaint);

    m_transparentWnd1->setObjectName(u"TransparentWnd1"_s);
    m_timerDemarre->setObjectName(u"TimerDemarre"_s);
    m_timerDemarre->setInterval(200);
    connect(m_timerDemarre, &QTimer::timeout, this, &TKinoluxFPrincipale::TimerDemarreTimer);

    creerAction(u"chargerBase"_s, QString(), u"Charger Base"_s,
                &TKinoluxFPrincipale::chargerBaseExecute);
    creerAction(u"sauvegarderBase"_s, u"LISTE_FILM"_s, u"Sauvegarder la base de Films"_s,
                &TKinoluxFPrincipale::sauvegarderBaseExecute);
    creerAction(u"detruireListeFilms"_s, u"LISTE_FILM"_s, u"detruireListeFilms"_s,
                &TKinoluxFPrincipale::detruireListeFilmsExecute);
    creerAction(u"detruireObjetsListes"_s, QString(), u"detruireObjetsListes"_s,
                &TKinoluxFPrincipale::detruireObjetsListesExecute);
    centrerSurEcran(*this);
}

TKinoluxFPrincipale::~TKinoluxFPrincipale() = default;

void TKinoluxFPrincipale::relier(Tdm_Kinolux &dm, TformMessageFlash &flash, TAboutBox &aPropos)
{
    m_dm = &dm;
    m_flash = &flash;
    m_aPropos = &aPropos;
}

void TKinoluxFPrincipale::definirPanneauControle(QWidget *panneau)
{
    m_panneauControle = panneau;
}

QAction *TKinoluxFPrincipale::action(const QString &nom) const
{
    return findChild<QAction *>(nom, Qt::FindDirectChildrenOnly);
}

QAction *TKinoluxFPrincipale::creerAction(const QString &nom, const QString &categorie,
                                          const QString &legende,
                                          void (TKinoluxFPrincipale::*gestionnaire)())
{
    auto *action = new QAction(legende, this);
    action->setObjectName(nom);
    action->setProperty("categorie", categorie);
    connect(action, &QAction::triggered, this, [this, gestionnaire] {
        executerCommande(m_dialogues, [&] { (this->*gestionnaire)(); });
    });
    return action;
}

void TKinoluxFPrincipale::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TKinoluxFPrincipale::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TKinoluxFPrincipale::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_fond->setGeometry(rect());
}

void TKinoluxFPrincipale::FormShow()
{
    if (m_panneauControle)
        m_panneauControle->hide();
    m_transparentWnd1->SetTransparency(100);
    m_timerDemarre->start();
}

void TKinoluxFPrincipale::FormClose()
{
    if (m_panneauControle)
        m_panneauControle->show();
}

void TKinoluxFPrincipale::TimerDemarreTimer()
{
    m_timerDemarre->stop();
    for (int k = 0; k <= 96; k += 4) {
        m_transparentWnd1->SetTransparency(static_cast<qint8>(100 - k));
        TTransparentWnd::attendreFondu();
    }
    m_transparentWnd1->SetTransparency(0);

    // The catalogue is read until one load has succeeded; reading it again at a later showing
    // would throw away the cards in memory and every unsaved change.
    if (m_baseChargee)
        return;
    executerCommande(m_dialogues, [this] { chargerBaseExecute(); });
}

void TKinoluxFPrincipale::fondPaint()
{
    UKinoluxGraphic::dessinerFond(*m_fond);
    UKinoluxGraphic::dessinerBandeau(*m_fond, 15);
}

void TKinoluxFPrincipale::chargerBaseExecute()
{
    m_dm->lireBaseFilms();
    m_baseChargee = true;
}

void TKinoluxFPrincipale::sauvegarderBaseExecute()
{
    m_dm->ecrireBaseFilms();
    m_flash->definirTexte(u"Enregistrement TERMINE."_s);
    m_flash->afficher();
    m_flash->fermer(800);
}

void TKinoluxFPrincipale::detruireListeFilmsExecute()
{
    m_dm->detruireFichesFilms();
}

void TKinoluxFPrincipale::detruireObjetsListesExecute()
{
    detruireListeFilmsExecute();
}

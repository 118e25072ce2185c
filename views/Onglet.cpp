#include "views/Onglet.h"

#include "chrome/PaintBox.h"
#include "chrome/UKinoluxGraphic.h"

#include <QVBoxLayout>

Onglet::Onglet(const QString &nom, const QString &nomBarre, const QString &titre, QWidget *parent)
    : QWidget(parent)
    , m_barre(new PaintBox(this))
    , m_titre(titre)
    , m_contenu(new QVBoxLayout(this))
{
    setObjectName(nom);
    m_barre->setObjectName(nomBarre);
    m_barre->setFixedHeight(17);
    connect(m_barre, &PaintBox::peindre, this,
            [this] { UKinoluxGraphic::dessinerBarreTitre(*m_barre, m_titre); });
    m_contenu->setContentsMargins(0, 0, 0, 0);
    m_contenu->setSpacing(2);
    m_contenu->addWidget(m_barre);
}

PaintBox *Onglet::creerBouton(const QString &nom, const QString &legende)
{
    auto *bouton = new PaintBox(this);
    bouton->setObjectName(nom);
    bouton->setFixedHeight(17);
    bouton->setCursor(Qt::PointingHandCursor);
    connect(bouton, &PaintBox::peindre, bouton,
            [bouton, legende] { UKinoluxGraphic::dessinerBouton(*bouton, legende); });
    return bouton;
}

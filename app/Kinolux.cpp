#include "app/Kinolux.h"

#include "app/TKinoluxPC.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TAboutBox.h"
#include "chrome/TformMessageFlash.h"
#include "views/TKinoluxFPrincipale.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

Kinolux::Kinolux(const QString &repertoire, Dialogues &dialogues)
{
    QCoreApplication::setApplicationName(u"Kinolux"_s);
    m_kinoluxPC = std::make_unique<TKinoluxPC>(dialogues);
    m_kinoluxFPrincipale = std::make_unique<TKinoluxFPrincipale>(dialogues);
    m_dmKinolux = std::make_unique<Tdm_Kinolux>(repertoire, &dialogues);
    m_formMessageFlash = std::make_unique<TformMessageFlash>();
    m_aboutBox = std::make_unique<TAboutBox>();

    m_kinoluxFPrincipale->relier(*m_dmKinolux, *m_formMessageFlash, *m_aboutBox);
    m_kinoluxPC->relier(*m_kinoluxFPrincipale, *m_aboutBox);
}

Kinolux::~Kinolux()
{
    // Windows first, then the data module they show, in the reverse order of creation.
    m_aboutBox.reset();
    m_formMessageFlash.reset();
    m_kinoluxFPrincipale.reset();
    m_kinoluxPC.reset();
    m_dmKinolux.reset();
}

Tdm_Kinolux &Kinolux::dm_Kinolux()
{
    return *m_dmKinolux;
}

TKinoluxPC &Kinolux::KinoluxPC()
{
    return *m_kinoluxPC;
}

TKinoluxFPrincipale &Kinolux::KinoluxFPrincipale()
{
    return *m_kinoluxFPrincipale;
}

TformMessageFlash &Kinolux::formMessageFlash()
{
    return *m_formMessageFlash;
}

TAboutBox &Kinolux::AboutBox()
{
    return *m_aboutBox;
}

#pragma once

#include <QString>

#include <memory>

class Dialogues;
class TAboutBox;
class TKinoluxFPrincipale;
class TKinoluxPC;
class Tdm_Kinolux;
class TformMessageFlash;

// Builds the whole program for one base directory, in its creation order: the control panel,
// the catalogue window, the data module, the flash window, the about box.
class Kinolux final
{
public:
    Kinolux(const QString &repertoire, Dialogues &dialogues);
    ~Kinolux();
    Kinolux(const Kinolux &) = delete;
    Kinolux &operator=(const Kinolux &) = delete;

    Tdm_Kinolux &dm_Kinolux();
    TKinoluxPC &KinoluxPC();
    TKinoluxFPrincipale &KinoluxFPrincipale();
    TformMessageFlash &formMessageFlash();
    TAboutBox &AboutBox();

private:
    std::unique_ptr<TKinoluxPC> m_kinoluxPC;
    std::unique_ptr<TKinoluxFPrincipale> m_kinoluxFPrincipale;
    std::unique_ptr<Tdm_Kinolux> m_dmKinolux;
    std::unique_ptr<TformMessageFlash> m_formMessageFlash;
    std::unique_ptr<TAboutBox> m_aboutBox;
};

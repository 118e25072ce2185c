#include "views/OngletListeLecture.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

OngletListeLecture::OngletListeLecture(QWidget *parent)
    : Onglet(u"tabListeLecture"_s, u"barreTitreListeLecture"_s, u"Liste de Lecture"_s, parent)
{
    contenu().addStretch(1);
}

void OngletListeLecture::relier(Tdm_Kinolux &dm, TformMessageFlash &flash,
                                std::function<TFicheFilm *()> ficheSelectionnee,
                                std::function<TFicheFilm *(const QString &)> ficheDuTitre)
{
    m_dm = &dm;
    m_flash = &flash;
    m_ficheSelectionnee = std::move(ficheSelectionnee);
    m_ficheDuTitre = std::move(ficheDuTitre);
}

void OngletListeLecture::ajouterDansListeLectureExecute()
{
}

void OngletListeLecture::lireFilmExecute()
{
}

void OngletListeLecture::lireListeLectureExecute()
{
}

void OngletListeLecture::supprimerListeLectureCochesExecute()
{
}

void OngletListeLecture::enregistrerListeLectureExecute()
{
}

void OngletListeLecture::chargerListeLectureExecute()
{
}

void OngletListeLecture::boutonListeLectureDecocherTousClick()
{
}

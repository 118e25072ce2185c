#include "catalogue/TFicheFilm.h"

#include <utility>

TFicheFilm::TFicheFilm(QString idFilm)
    : m_idFilm(std::move(idFilm))
{
}

TFicheFilm::TFicheFilm(QString idFilm, QString titreFrancais, QString annee, QString duree,
                       QString resume, QString distributeurFR, QString titreOriginal,
                       QStringList realisateurs, QStringList nationnalites, QStringList genres,
                       QStringList acteurs, QStringList motsCles)
    : m_idFilm(std::move(idFilm))
    , m_titreFrancais(std::move(titreFrancais))
    , m_realisateurs(std::move(realisateurs))
    , m_annee(std::move(annee))
    , m_nationnalites(std::move(nationnalites))
    , m_genres(std::move(genres))
    , m_duree(std::move(duree))
    , m_acteurs(std::move(acteurs))
    , m_resume(std::move(resume))
    , m_distributeurFR(std::move(distributeurFR))
    , m_titreOriginal(std::move(titreOriginal))
    , m_motsCles(std::move(motsCles))
{
}

void TFicheFilm::remplacer(QStringList &liste, const QStringList &lignes)
{
    if (&liste == &lignes)
        return;
    liste.clear();
    liste.append(lignes);
}

#include "catalogue/Classement.h"

#include "catalogue/TFicheFilm.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace Classement {

namespace {

// Groups in first-met order; the hash finds a key's group without scanning the others.
class Groupement
{
public:
    void ajouter(const QString &cle, const Film &film)
    {
        auto position = m_index.constFind(cle);
        if (position == m_index.cend()) {
            position = m_index.insert(cle, m_groupes.size());
            m_groupes.push_back({cle, {}});
        }
        m_groupes[*position].films.push_back(film);
    }
    std::vector<Groupe> resultat() { return std::move(m_groupes); }

private:
    QHash<QString, size_t> m_index;
    std::vector<Groupe> m_groupes;
};

} // namespace

QString initiale(const TFicheFilm &fiche)
{
    const QString &id = fiche.idFilm();
    if (id.isEmpty())
        return u"-"_s;
    const qsizetype longueur =
        id.size() > 1 && id.at(0).isHighSurrogate() && id.at(1).isLowSurrogate() ? 2 : 1;
    return id.left(longueur);
}

QStringView texteNoeud(const TFicheFilm &fiche)
{
    if (!fiche.idFilm().isEmpty())
        return fiche.idFilm();
    if (!fiche.titreFrancais().isEmpty())
        return fiche.titreFrancais();
    return u"-";
}

Arbre grouper(std::span<const TFicheFilm *const> fiches, int type)
{
    Groupement groupement;
    QString textes;
    for (size_t i = 0; i < fiches.size(); ++i) {
        const TFicheFilm *fiche = fiches[i];
        if (i + 16 < fiches.size())
            prechargerFiche(fiches[i + 16]);
        if (i + 8 < fiches.size())
            prechargerTexte(fiches[i + 8]->idFilm());
        const QStringView texte = texteNoeud(*fiche);
        const Film film{textes.size(), texte.size(), fiche, i};
        textes.append(texte);
        switch (type) {
        case alphabetique:
            groupement.ajouter(initiale(*fiche), film);
            break;
        case parGenres:
            for (const QString &genre : fiche->genres())
                groupement.ajouter(genre, film);
            break;
        case parNationalites:
            for (const QString &nation : fiche->nationnalites())
                groupement.ajouter(nation, film);
            break;
        case parDistributeurs:
            groupement.ajouter(fiche->distributeurFR(), film);
            break;
        case parPreferences:
            groupement.ajouter(QString::number(fiche->niveauPreference()), film);
            break;
        case parTypesSupport:
            groupement.ajouter(fiche->typeSupport(), film);
            break;
        default:
            break;
        }
    }
    return {textes, groupement.resultat()};
}

} // namespace Classement

// The counting rules of the statistics, without their charts.
#include "catalogue/ChampsFiche.h"
#include "catalogue/FiltreRapide.h"
#include "catalogue/ModeleVueEnsemble.h"
#include "catalogue/Statistiques.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/RepertoireTest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Statistiques::Graphique;

namespace {

std::unique_ptr<TFicheFilm> fiche(const QString &annee, const QStringList &genres,
                                  const QString &duree = u"-"_s, int preference = 5)
{
    auto f = ChampsFiche::nouvelleFiche(annee + genres.join(u"/"_s), QString());
    f->setAnnee(annee);
    f->setGenres(genres);
    f->setDuree(duree);
    f->setNiveauPreference(preference);
    return f;
}

QStringList lignes(const std::vector<Statistiques::Compte> &comptes)
{
    QStringList resultat;
    for (const auto &compte : comptes)
        resultat.append(u"%1=%2"_s.arg(compte.valeur).arg(compte.nombre));
    return resultat;
}

Statistiques::Resultat calculer(const Catalogue &fiches)
{
    std::vector<const TFicheFilm *> pointeurs;
    for (const auto &f : fiches)
        pointeurs.push_back(f.get());
    return Statistiques::calculer(pointeurs);
}

TEST(Statistiques, CeQuiNeSeLitPasCompteSousInconnuEtRienNEstPerdu)
{
    Catalogue fiches;
    fiches.push_back(fiche(u"1968?"_s, {u" Thriller"_s, u"Thriller"_s}, u"90 min"_s, 7));
    fiches.push_back(fiche(u"1960"_s, {u"Thriller"_s, QString()}, u"1 h 30"_s, 9));
    fiches.push_back(fiche(u"-"_s, {}, u"-"_s, -1));
    fiches.push_back(fiche(QString(), {u"  "_s}, u"-"_s, 11));
    fiches.push_back(fiche(u"1895"_s, {u"Documentaire"_s}, u"1"_s, 0));
    fiches.back()->setCheminImage(u"IMAGES_FILMS\\X.jpg"_s);
    fiches.back()->setCheminFichier(u"films/x.avi"_s);
    fiches.back()->setDistributeurFR(u" Gaumont "_s);
    const Statistiques::Resultat r = calculer(fiches);

    EXPECT_EQ(r.films, 5);
    EXPECT_EQ(lignes(r.de(Graphique::Decennies)),
              QStringList({u"1890-1899=1"_s, u"1960-1969=2"_s, u"Inconnu=2"_s}));
    EXPECT_EQ(r.sansAnnee, 2);
    EXPECT_EQ(lignes(r.de(Graphique::Genres)),
              QStringList({u"Thriller=2"_s, u"Documentaire=1"_s, u"Inconnu=3"_s}))
        << "\" Thriller\" is Thriller, once a card; a blank entry and no genre are unknown";
    EXPECT_EQ(lignes(r.de(Graphique::Distributeurs)),
              QStringList({u"Gaumont=1"_s, u"Inconnu=4"_s}));
    EXPECT_EQ(lignes(r.de(Graphique::Supports)), QStringList({u"DVD-VIDEO=5"_s}));
    EXPECT_EQ(r.minutes, 90 + 1 + 1);
    EXPECT_EQ(r.dureesInconnues, 2);
    EXPECT_EQ(r.de(Graphique::Preferences).size(), 12u) << "0 to 10, then the unknown ones";
    EXPECT_EQ(lignes(r.de(Graphique::Preferences)).last(), u"Inconnu=2"_s);
    EXPECT_DOUBLE_EQ(r.preferenceMoyenne, (7 + 9 + 0) / 3.0);
    EXPECT_EQ(r.sansCouverture, 4);
    EXPECT_EQ(r.sansFichier, 4);
    EXPECT_EQ(Statistiques::totaux(r).split(u'\n').at(1),
              u"Durée totale : 0 j 1 h 32 min (2 durée(s) inconnue(s))"_s);
    EXPECT_EQ(calculer({}).films, 0);
}

TEST(Statistiques, DouzeValeursPuisAutresPuisInconnu)
{
    Catalogue fiches;
    for (int genre = 0; genre < 15; ++genre) {
        for (int n = 0; n <= genre; ++n)
            fiches.push_back(fiche(u"2000"_s, {u"Genre %1"_s.arg(genre, 2, 10, QChar(u'0'))}));
    }
    fiches.push_back(fiche(u"2000"_s, {}));
    const auto genres = calculer(fiches).de(Graphique::Genres);
    ASSERT_EQ(genres.size(), 14u);
    EXPECT_EQ(genres.front().valeur, u"Genre 14"_s);
    EXPECT_EQ(genres[11].valeur, u"Genre 03"_s);
    EXPECT_EQ(genres[12].valeur, u"Autres"_s);
    EXPECT_EQ(genres[12].nombre, 1 + 2 + 3);
    EXPECT_EQ(genres[13].valeur, u"Inconnu"_s);
}

TEST(Statistiques, UneBarreFiltreLesFilmsQuElleCompteEtLesChiffresSuiventLeFiltre)
{
    RepertoireTest repertoire;
    Tdm_Kinolux dm(repertoire.chemin());
    Catalogue fiches;
    fiches.push_back(fiche(u"1962"_s, {u"Film noir"_s}));
    fiches.push_back(fiche(u"1969"_s, {u"Drame"_s}));
    fiches.push_back(fiche(u"1975"_s, {u"Film noir"_s, u"Drame"_s}));
    dm.adopterFiches(std::move(fiches));
    ModeleVueEnsemble vue(dm.modele());

    EXPECT_EQ(Statistiques::filtrePour(Graphique::Genres, u"Film noir"_s),
              u"genre:\"Film noir\""_s);
    EXPECT_EQ(Statistiques::filtrePour(Graphique::Decennies, u"1960-1969"_s), u"annee:1960-1969"_s);
    EXPECT_TRUE(Statistiques::filtrePour(Graphique::Genres, u"Inconnu"_s).isEmpty());
    EXPECT_TRUE(Statistiques::filtrePour(Graphique::Genres, u"Autres"_s).isEmpty());

    const auto compte = [&](Graphique g, const QString &valeur) {
        vue.definirFiltre(Statistiques::filtrePour(g, valeur));
        return Statistiques::calculer(Statistiques::fichesMontrees(vue)).films;
    };
    EXPECT_EQ(compte(Graphique::Genres, u"Film noir"_s), 2);
    EXPECT_EQ(compte(Graphique::Decennies, u"1960-1969"_s), 2);
    EXPECT_EQ(compte(Graphique::Preferences, u"5"_s), 3);
    const auto r = Statistiques::calculer(Statistiques::fichesMontrees(vue));
    vue.definirFiltre(u"annee:1970-1979"_s);
    const auto filtre = Statistiques::calculer(Statistiques::fichesMontrees(vue));
    EXPECT_EQ(filtre.films, 1);
    EXPECT_EQ(lignes(filtre.de(Graphique::Genres)), QStringList({u"Drame=1"_s, u"Film noir=1"_s}));
    EXPECT_EQ(r.films, 3);
}

} // namespace

#include "echanges/NomVideo.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

using namespace Qt::StringLiterals;
using NomVideo::Candidat;
using Sorte = NomVideo::Candidat::Sorte;

namespace {

struct CasNom
{
    const char *cas;
    QString nom;
    QString titre;
    QString annee;
};

void PrintTo(const CasNom &cas, std::ostream *os)
{
    *os << cas.cas << " (" << cas.nom.toStdString() << ")";
}

class Nettoyage : public ::testing::TestWithParam<CasNom>
{
};

TEST_P(Nettoyage, DonneLeTitreEtLAnnee)
{
    const NomVideo::TitreDevine devine = NomVideo::nettoyer(GetParam().nom);
    EXPECT_EQ(devine.titre, GetParam().titre);
    EXPECT_EQ(devine.annee, GetParam().annee);
}

const CasNom k_noms[] = {
    // Release names.
    {"FrancaisMultiBluRay", u"Le.Pont.1959.MULTi.1080p.BluRay.x264-GROUP.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"ApostropheEtAccents", u"L'Armée.des.ombres.1969.FRENCH.1080p.BluRay.x264.mkv"_s,
     u"L'ARMÉE DES OMBRES"_s, u"1969"_s},
    {"TrueFrenchDvdRipXvid", u"Amélie.2001.TRUEFRENCH.DVDRip.XviD-LOST.avi"_s, u"AMÉLIE"_s,
     u"2001"_s},
    {"VostfrWebDl", u"Parasite.2019.VOSTFR.WEB-DL.1080p.H.264.AAC-ABC.mkv"_s, u"PARASITE"_s,
     u"2019"_s},
    {"RemuxHevcHdr", u"Dune.Part.Two.2024.2160p.UHD.BluRay.REMUX.HDR.HEVC.TrueHD.Atmos-FGT.mkv"_s,
     u"DUNE PART TWO"_s, u"2024"_s},
    {"WebripX265Ddp", u"Les.Misérables.2019.FRENCH.WEBRip.x265.10bit.DDP5.1-GRP.mkv"_s,
     u"LES MISÉRABLES"_s, u"2019"_s},
    {"UnderscoresHdtv", u"Le_Pont_1959_HDTV_XviD.avi"_s, u"LE PONT"_s, u"1959"_s},
    {"TiretsSeuls", u"le-pont-1959-french-dvdrip-grp.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"TiretDansLeTitreGarde", u"Spider-Man.2002.1080p.BluRay.x264.mkv"_s, u"SPIDER-MAN"_s,
     u"2002"_s},
    {"CasDesEtiquettesIgnore", u"Le.Pont.1959.multi.1080P.bLuRaY.X264.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"EtiquetteAvantAnnee", u"Apocalypse.Now.REDUX.EXTENDED.DIRECTORS.CUT.1979.BDRip.avi"_s,
     u"APOCALYPSE NOW REDUX"_s, u"1979"_s},
    {"SansAnneeCoupeALaPremiereEtiquette", u"La.Haine.PROPER.DVDRip.XviD.avi"_s, u"LA HAINE"_s,
     QString()},
    {"DisqueColle", u"Les.Visiteurs.CD1.avi"_s, u"LES VISITEURS"_s, QString()},
    {"DisqueSepare", u"Les Visiteurs Disc 2.avi"_s, u"LES VISITEURS"_s, QString()},
    {"AdresseDeSiteDevant", u"www.Torrent9.ph - Le.Pont.1959.FRENCH.DVDRip.avi"_s, u"LE PONT"_s,
     u"1959"_s},
    // Words that are tags only in the company of tags.
    {"FrenchDansLeTitre", u"The.French.Connection.1971.1080p.BluRay.x264.mkv"_s,
     u"THE FRENCH CONNECTION"_s, u"1971"_s},
    {"EnglishAvantLAnnee", u"Johnny.English.2003.MULTi.1080p.mkv"_s, u"JOHNNY ENGLISH"_s,
     u"2003"_s},
    {"WebAvantLAnnee", u"Charlotte's.Web.2006.DVDRip.avi"_s, u"CHARLOTTE'S WEB"_s, u"2006"_s},
    {"PrepositionEn", u"Un.Homme.En.Colère.2021.FRENCH.720p.mkv"_s, u"UN HOMME EN COLÈRE"_s,
     u"2021"_s},
    {"FrenchSuiviDEtiquettes", u"Le.Pont.FRENCH.DVDRip.avi"_s, u"LE PONT"_s, QString()},
    {"FrenchAvantLeGroupe", u"Le.Pont.FRENCH-GROUP.avi"_s, u"LE PONT"_s, QString()},
    {"FrenchEntreParentheses", u"Le Pont (French).avi"_s, u"LE PONT"_s, QString()},
    {"FrenchSeulALaFinReste", u"Le.Pont.French.avi"_s, u"LE PONT FRENCH"_s, QString()},
    // Titles that are numbers.
    {"TitreNombreEtAnnee", u"2001.A.Space.Odyssey.1968.1080p.BluRay.mkv"_s,
     u"2001 A SPACE ODYSSEY"_s, u"1968"_s},
    {"TitreQuiEstUneAnnee", u"1917.2019.1080p.BluRay.x264.mkv"_s, u"1917"_s, u"2019"_s},
    {"TitreAnneeSeul", u"1941.mkv"_s, u"1941"_s, QString()},
    {"NombreDansLeTitrePuisAnnee", u"Blade.Runner.2049.2017.2160p.mkv"_s, u"BLADE RUNNER 2049"_s,
     u"2017"_s},
    {"EtiquetteAvantUnTitreNombre", u"1080p.1917.2019.mkv"_s, u"1917"_s, u"2019"_s},
    // Windows-style names.
    {"AnneeEntreParentheses", u"Le Pont (1959).avi"_s, u"LE PONT"_s, u"1959"_s},
    {"AnneeEtCrochets", u"Le Pont (1959) [1080p].mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"TiretsEntreBlancs", u"Le Pont - 1959 - DVDRip.avi"_s, u"LE PONT"_s, u"1959"_s},
    {"SousTitreApresTiret", u"Star Wars - Episode IV - A New Hope (1977).mkv"_s,
     u"STAR WARS EPISODE IV A NEW HOPE"_s, u"1977"_s},
    {"TitreOriginalEntreParentheses", u"Le Pont (Die Brücke) (1959).mkv"_s,
     u"LE PONT (DIE BRÜCKE)"_s, u"1959"_s},
    {"ArticleALaManiereDeLIndex", u"PONT (LE) (1959).mkv"_s, u"PONT (LE)"_s, u"1959"_s},
    {"VirgulesGardees", u"Le Bon, la Brute et le Truand (1966).mkv"_s,
     u"LE BON, LA BRUTE ET LE TRUAND"_s, u"1966"_s},
    {"GroupeEntreCrochetsDevant", u"[YTS.MX] The Matrix (1999) [1080p].mp4"_s, u"THE MATRIX"_s,
     u"1999"_s},
    {"AnneeEntreCrochets", u"Les Tontons flingueurs [1963].avi"_s, u"LES TONTONS FLINGUEURS"_s,
     u"1963"_s},
    {"CrochetNonFerme", u"Le Pont [1959.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"CrochetNonFermeSansAnnee", u"Le Pont [1959 MULTi.mkv"_s, u"LE PONT"_s, QString()},
    // Folder names: no extension to drop.
    {"DossierDeRelease", u"La.Grande.Vadrouille.1966.FRENCH.REMASTERED.1080p.BluRay"_s,
     u"LA GRANDE VADROUILLE"_s, u"1966"_s},
    {"DossierAvecPoints", u"A.Bout.De.Souffle.1960"_s, u"A BOUT DE SOUFFLE"_s, u"1960"_s},
    {"ExtensionInconnueGardee", u"Le.Pont.srt"_s, u"LE PONT SRT"_s, QString()},
    // Only tags.
    {"RienQueDesEtiquettes", u"1080p.BluRay.x264-GROUP.mkv"_s, QString(), QString()},
    {"LanguesEtResolution", u"MULTi.FRENCH.1080p.mkv"_s, QString(), QString()},
    {"EtiquettesPuisAnnee", u"FRENCH.DVDRip.2005.avi"_s, QString(), u"2005"_s},
    {"Vide", QString(), QString(), QString()},
    // Characters that are not text.
    {"RetourALaLigne", u"Le Pont\n1959.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"Controles", u"Le\tPont\x01\x7f(1959)\r.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"AccentsDecomposes", u"Cœur.Fide\u0300le.1923.mkv"_s, u"CŒUR FIDÈLE"_s, u"1923"_s},
};

INSTANTIATE_TEST_SUITE_P(NomVideo, Nettoyage, ::testing::ValuesIn(k_noms),
                         [](const auto &cas) { return std::string(cas.param.cas); });

struct CasChemin
{
    const char *cas;
    QString chemin;
    QString titre;
    QString annee;
};

void PrintTo(const CasChemin &cas, std::ostream *os)
{
    *os << cas.cas << " (" << cas.chemin.toStdString() << ")";
}

class Devinette : public ::testing::TestWithParam<CasChemin>
{
};

TEST_P(Devinette, PrendLeNomDuFichierOuCeluiDuDossier)
{
    const NomVideo::TitreDevine devine = NomVideo::deviner(GetParam().chemin);
    EXPECT_EQ(devine.titre, GetParam().titre);
    EXPECT_EQ(devine.annee, GetParam().annee);
}

const CasChemin k_chemins[] = {
    {"FichierParlant", u"/films/Divers/Le.Pont.1959.MULTi.1080p.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"MovieDansSonDossier", u"/films/Le Pont (1959)/movie.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"FilmAvi", u"/films/Le.Pont.1959.FRENCH.DVDRip/film.avi"_s, u"LE PONT"_s, u"1959"_s},
    {"NomDeDisque", u"/films/Les Visiteurs (1993)/CD1.avi"_s, u"LES VISITEURS"_s, u"1993"_s},
    {"DvdVideo", u"D:\\Films\\Le.Pont.1959.PAL.DVDR\\VIDEO_TS\\VTS_01_1.VOB"_s, u"LE PONT"_s,
     u"1959"_s},
    {"VideoTsMkv", u"/films/Amélie (2001)/VIDEO_TS.mkv"_s, u"AMÉLIE"_s, u"2001"_s},
    {"BluRayComplet", u"/films/Dune (2021)/BDMV/STREAM/00001.m2ts"_s, u"DUNE"_s, u"2021"_s},
    {"Echantillon", u"/films/Le.Pont.1959.1080p/Sample/sample.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"AnneeDuDossierPourLeMemeFilm", u"/films/Le Pont (1959)/Le Pont.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"AnneeDuDossierAvecSonArticle", u"/films/PONT (LE) (1959)/Le.Pont.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"PasLAnneeDUnAutreFilm", u"/films/Amélie (2001)/Le Pont.mkv"_s, u"LE PONT"_s, QString()},
    {"AnneeDuFichierGardee", u"/films/Le Pont (1960)/Le.Pont.1959.mkv"_s, u"LE PONT"_s, u"1959"_s},
    {"AnneeDuFichierQuandLeDossierNEnAPas", u"/films/Le Pont/movie.1959.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"DossierFilmsPasse", u"/home/x/Films/Le Pont (1959)/Films/movie.mkv"_s, u"LE PONT"_s,
     u"1959"_s},
    {"NombreEstUnTitre", u"/films/Guerre/1917.mkv"_s, u"1917"_s, QString()},
    {"TropHautPourNommerLeFilm", u"/home/julie/Téléchargements/Films/Vidéos/movie.mkv"_s,
     u"MOVIE"_s, QString()},
    {"RienAutour", u"movie.mkv"_s, u"MOVIE"_s, QString()},
    {"RacineWindows", u"C:\\movie.mkv"_s, u"MOVIE"_s, QString()},
    {"CheminVide", QString(), QString(), QString()},
};

INSTANTIATE_TEST_SUITE_P(NomVideo, Devinette, ::testing::ValuesIn(k_chemins),
                         [](const auto &cas) { return std::string(cas.param.cas); });

// A short index in the cover site's form, articles at the end.
const QStringList k_index = {
    u"PONT DES SOUPIRS (LE)"_s,        // 0
    u"PONT (LE)"_s,                    // 1
    u"À BOUT DE SOUFFLE"_s,            // 2
    u"GRANDE VADROUILLE (LA)"_s,       // 3
    u"GRANDE ILLUSION (LA)"_s,         // 4
    u"PONT"_s,                         // 5
    u"ARMÉE DES OMBRES (L')"_s,        // 6
    u"GRANDE BOUFFE (LA)"_s,           // 7
    u"PONT DE LA RIVIÈRE KWAÏ (LE)"_s, // 8
    u"PONTS DE MADISON (LES)"_s,       // 9
    u"PONT (LE)"_s,                    // 10
    u"SPIDER-MAN"_s,                   // 11
    u"CŒUR FIDÈLE"_s,                  // 12
    u"NUIT AMÉRICAINE (LA)"_s,         // 13
    u"JOUR SE LÈVE (LE)"_s,            // 14
    u"PONT (LA)"_s,                    // 15
};

struct Attendu
{
    qsizetype ligne;
    Sorte sorte;
};

struct CasClassement
{
    const char *cas;
    QString cherche;
    int nombre;
    std::vector<Attendu> attendus;
};

void PrintTo(const CasClassement &cas, std::ostream *os)
{
    *os << cas.cas << " (" << cas.cherche.toStdString() << ")";
}

std::string decrire(const QList<Candidat> &candidats)
{
    std::string texte;
    for (const Candidat &c : candidats)
        texte += std::to_string(c.ligne) + ":" + c.titre.toStdString() + ":" +
                 std::to_string(int(c.sorte)) + ":" + std::to_string(c.score) + " ";
    return texte;
}

class Classement : public ::testing::TestWithParam<CasClassement>
{
};

TEST_P(Classement, ExactsPuisMotsPuisDistance)
{
    static const NomVideo::IndexTitres index(k_index);
    const CasClassement &cas = GetParam();
    const QList<Candidat> candidats = index.meilleurs(cas.cherche, cas.nombre);
    ASSERT_EQ(candidats.size(), qsizetype(cas.attendus.size())) << decrire(candidats);
    for (size_t i = 0; i < cas.attendus.size(); ++i) {
        EXPECT_EQ(candidats[qsizetype(i)].ligne, cas.attendus[i].ligne)
            << "place " << i << ": " << decrire(candidats);
        EXPECT_EQ(candidats[qsizetype(i)].sorte, cas.attendus[i].sorte) << "place " << i;
        EXPECT_EQ(candidats[qsizetype(i)].titre, k_index[cas.attendus[i].ligne]);
    }
}

const CasClassement k_classements[] = {
    // "PONT" itself, then the titles whose only word is "pont" in index order, then the longer;
    // "PONTS" is not "PONT" for a word this short.
    {"ExactAvantMots",
     u"PONT"_s,
     5,
     {{5, Sorte::Exact}, {1, Sorte::Mots}, {10, Sorte::Mots}, {15, Sorte::Mots}, {0, Sorte::Mots}}},
    {"ArticleRemisDevant",
     u"LE PONT"_s,
     3,
     {{1, Sorte::Exact}, {10, Sorte::Exact}, {5, Sorte::Mots}}},
    {"ArticleALaManiereDeLIndex", u"PONT (LE)"_s, 2, {{1, Sorte::Exact}, {10, Sorte::Exact}}},
    {"AccentsEtCassePlies", u"a bout de souffle"_s, 1, {{2, Sorte::Exact}}},
    {"ApostropheCommeBlanc", u"L ARMEE DES OMBRES"_s, 1, {{6, Sorte::Exact}}},
    {"LigatureEcriteEnDeuxLettres", u"COEUR FIDELE"_s, 1, {{12, Sorte::Exact}}},
    {"TiretCommeBlanc", u"SPIDER MAN"_s, 1, {{11, Sorte::Exact}}},
    // Among titles sharing words: the most shared first; articles shared break the tie.
    {"LePlusDeMotsPartages",
     u"LE PONT DE LA RIVIERE"_s,
     3,
     {{8, Sorte::Mots}, {1, Sorte::Mots}, {10, Sorte::Mots}}},
    {"ArticlesDepartagent",
     u"PONT LA"_s,
     3,
     {{15, Sorte::Mots}, {1, Sorte::Mots}, {5, Sorte::Mots}}},
    {"MotAUneFautePres",
     u"LA GRANDE VADROUILE"_s,
     3,
     {{3, Sorte::Mots}, {4, Sorte::Mots}, {7, Sorte::Mots}}},
    {"PlurielAUneLettre",
     u"LE PONTS"_s,
     3,
     {{1, Sorte::Mots}, {10, Sorte::Mots}, {5, Sorte::Mots}}},
    {"FauteSurUnMotCourtParDistance",
     u"LE PONR"_s,
     2,
     {{1, Sorte::Distance}, {10, Sorte::Distance}}},
    {"MotsColles", u"SPIDERMAN"_s, 1, {{11, Sorte::Distance}}},
    {"RienDeProche", u"ZORGLUB"_s, 5, {}},
    {"QueDesArticles", u"DES"_s, 5, {}},
    {"TitreVide", QString(), 5, {}},
    {"NombreNul", u"PONT"_s, 0, {}},
    {"NombreRespecte", u"PONT"_s, 2, {{5, Sorte::Exact}, {1, Sorte::Mots}}},
};

INSTANTIATE_TEST_SUITE_P(NomVideo, Classement, ::testing::ValuesIn(k_classements),
                         [](const auto &cas) { return std::string(cas.param.cas); });

} // namespace

TEST(NomVideo, LesScoresRangentChaqueSorte)
{
    const NomVideo::IndexTitres index(k_index);
    const QList<Candidat> mots = index.meilleurs(u"LA GRANDE VADROUILE"_s, 3);
    ASSERT_EQ(mots.size(), 3);
    // The slip-away word counts less than an exact one, more than none.
    EXPECT_GT(mots[0].score, mots[1].score);
    EXPECT_LT(mots[0].score, 1.0);
    EXPECT_DOUBLE_EQ(mots[1].score, mots[2].score);

    const QList<Candidat> exact = index.meilleurs(u"PONT"_s, 1);
    ASSERT_EQ(exact.size(), 1);
    EXPECT_EQ(exact[0].score, 1.0);

    const QList<Candidat> proches = index.meilleurs(u"JOUR SE LEVES"_s, 1);
    ASSERT_EQ(proches.size(), 1);
    EXPECT_EQ(proches[0].ligne, 14);
}

TEST(NomVideo, UnNomNettoyeRetrouveSonTitre)
{
    const NomVideo::IndexTitres index(k_index);
    const auto lignes = [&index](const QString &nom) {
        std::vector<qsizetype> trouvees;
        for (const Candidat &c : index.meilleurs(NomVideo::nettoyer(nom).titre, 2))
            trouvees.push_back(c.ligne);
        return trouvees;
    };
    using L = std::vector<qsizetype>;
    EXPECT_EQ(lignes(u"A.Bout.De.Souffle.1960.mkv"_s), (L{2}));
    EXPECT_EQ(lignes(u"Pont.1959.mkv"_s), (L{5, 1})) << "\"PONT (LE)\" right after \"PONT\"";
    EXPECT_EQ(lignes(u"Le.Pont.1959.MULTi.1080p.BluRay.x264-GROUP.mkv"_s), (L{1, 10}));
    EXPECT_EQ(lignes(u"L'Armée.des.Ombres.1969.FRENCH.mkv"_s), (L{6}));
    EXPECT_EQ(lignes(u"La.Nuit.Americaine.1973.DVDRip.avi"_s), (L{13}));
}

TEST(NomVideo, UnIndexSansTitreNeTrouveRien)
{
    const NomVideo::IndexTitres vide{QStringList()};
    EXPECT_EQ(vide.taille(), 0);
    EXPECT_TRUE(vide.meilleurs(u"LE PONT"_s).isEmpty());
    const NomVideo::IndexTitres blancs({QString(), u"  "_s, u"--"_s});
    EXPECT_TRUE(blancs.meilleurs(u"LE PONT"_s).isEmpty());
    EXPECT_TRUE(blancs.meilleurs(u"-"_s).isEmpty());
}

TEST(NomVideo, LesCopiesDeLIndexRepondentCommeLui)
{
    const NomVideo::IndexTitres index(k_index);
    const NomVideo::IndexTitres copie = index;
    EXPECT_EQ(decrire(copie.meilleurs(u"LE PONR"_s)), decrire(index.meilleurs(u"LE PONR"_s)));
    EXPECT_EQ(copie.taille(), k_index.size());
}

TEST(NomVideo, LeScoreDeDistanceSuitLaLongueur)
{
    const NomVideo::IndexTitres index(k_index);
    const QList<Candidat> proches = index.meilleurs(u"LE PONR"_s, 3);
    ASSERT_EQ(proches.size(), 3) << decrire(proches);
    // "le ponr" is one change from "le pont", two from "la pont".
    EXPECT_DOUBLE_EQ(proches[0].score, 1.0 - 1.0 / 7.0);
    EXPECT_DOUBLE_EQ(proches[1].score, 1.0 - 1.0 / 7.0);
    EXPECT_EQ(proches[2].ligne, 15);
    EXPECT_DOUBLE_EQ(proches[2].score, 1.0 - 2.0 / 7.0);
}

// Thousands of titles sharing their words and letters with the one looked for: the right one
// still comes first, whatever the index holds around it.
TEST(NomVideo, UnGrandIndexGardeLeBonTitreEnTete)
{
    const QStringList mots = {u"GRANDE"_s, u"VADROUILLE"_s, u"NUIT"_s,    u"PONT"_s,
                              u"OMBRES"_s, u"ROUGE"_s,      u"VOYAGE"_s,  u"VALLÉE"_s,
                              u"GRAND"_s,  u"ROUTE"_s,      u"DÉROUTE"_s, u"ADIEU"_s};
    QStringList titres;
    for (int i = 0; i < 30000; ++i)
        titres.append(mots[i % mots.size()] + u' ' + mots[(i / 12) % mots.size()] + u' ' +
                      mots[(i / 144) % mots.size()] + u' ' + QString::number(i) + u" (LA)"_s);
    titres.insert(21234, u"GRANDE VADROUILLE (LA)"_s);
    titres.insert(25000, u"PONT DE LA RIVIÈRE KWAÏ (LE)"_s);
    const NomVideo::IndexTitres index(titres);
    ASSERT_EQ(index.taille(), 30002);

    const auto premier = [&index](const QString &titre) {
        const QList<Candidat> c = index.meilleurs(titre, 5);
        return c.isEmpty() ? std::pair<qsizetype, Sorte>(-1, Sorte::Exact)
                           : std::pair(c.front().ligne, c.front().sorte);
    };
    EXPECT_EQ(premier(u"LA GRANDE VADROUILLE"_s), std::pair(qsizetype(21234), Sorte::Exact));
    EXPECT_EQ(premier(u"LA GRANDE VADROUILE"_s), std::pair(qsizetype(21234), Sorte::Mots));
    EXPECT_EQ(premier(u"GRANDEVADROUILLE"_s), std::pair(qsizetype(21234), Sorte::Distance));
    EXPECT_EQ(premier(u"LE PONT DE LA RIVIERE KWAI"_s), std::pair(qsizetype(25000), Sorte::Exact));
    EXPECT_EQ(premier(u"PONT RIVIERE KWAI"_s), std::pair(qsizetype(25000), Sorte::Mots));
    EXPECT_EQ(premier(u"ZORGLUB"_s).first, -1);
}

// Queries share the index and nothing else: side by side they find what each finds alone.
TEST(NomVideo, DesRequetesSimultaneesNeSeMelentPas)
{
    const NomVideo::IndexTitres index(k_index);
    const QStringList requetes = {u"PONT"_s,    u"LE PONR"_s,   u"LA GRANDE VADROUILE"_s,
                                  u"ZORGLUB"_s, u"SPIDERMAN"_s, u"PONT LA"_s};
    std::vector<std::string> seules;
    for (const QString &requete : requetes)
        seules.push_back(decrire(index.meilleurs(requete)));
    std::vector<int> fautes(4, 0);
    std::vector<std::thread> fils;
    for (int f = 0; f < 4; ++f)
        fils.emplace_back([&, f] {
            for (int tour = 0; tour < 300; ++tour) {
                const qsizetype r = (tour + f) % requetes.size();
                if (decrire(index.meilleurs(requetes[r])) != seules[size_t(r)])
                    ++fautes[size_t(f)];
            }
        });
    for (std::thread &fil : fils)
        fil.join();
    EXPECT_EQ(fautes, std::vector<int>(4, 0));
}

// Names made of pieces of names and awkward characters: whatever the name, the title is clean
// (capitals, single blanks inside, parentheses paired, no control character) and the index
// answers without fault.
TEST(NomVideo, UnNomQuelconqueDonneUnTitrePropre)
{
    const QStringList morceaux = {
        u"Le"_s,      u"."_s,          u"_"_s,    u"-"_s,      u" "_s,    u"("_s,
        u")"_s,       u"["_s,          u"]"_s,    u"{"_s,      u"1959"_s, u"2001"_s,
        u"1080p"_s,   u"FRENCH"_s,     u"x264"_s, u"-GRP"_s,   u"CD1"_s,  u"Été"_s,
        u"E\u0301"_s, u"\n"_s,         u"\x01"_s, u"\u200b"_s, u"’"_s,    u"'"_s,
        u"WEB"_s,     u"DL"_s,         u".mkv"_s, u"www"_s,    u"com"_s,  u"ß"_s,
        u"Œ"_s,       u"\U0001F3AC"_s, u","_s,    u"Pont"_s,   u"H"_s,    u"264"_s};
    QRandomGenerator tirage(42);
    const NomVideo::IndexTitres index(k_index);
    for (int essai = 0; essai < 3000; ++essai) {
        QString nom;
        for (int m = int(tirage.bounded(12)); m >= 0; --m)
            nom += morceaux[qsizetype(tirage.bounded(morceaux.size()))];
        const NomVideo::TitreDevine devine = NomVideo::nettoyer(nom);
        const QString &titre = devine.titre;
        SCOPED_TRACE(nom.toStdString());
        EXPECT_EQ(titre, titre.toUpper());
        EXPECT_EQ(titre, titre.simplified());
        EXPECT_EQ(titre.count(u'('), titre.count(u')'));
        EXPECT_FALSE(titre.contains(u"()"_s));
        for (const QChar c : titre)
            EXPECT_FALSE(c.category() == QChar::Other_Control || c == u'[' || c == u']');
        EXPECT_TRUE(devine.annee.isEmpty() || devine.annee.size() == 4);
        EXPECT_LE(index.meilleurs(titre).size(), 5);
        if (::testing::Test::HasFailure())
            break;
    }
}

#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/LimiteTailleFichiers.h"

#include <QDateTime>
#include <QRegularExpression>

#include <pugixml.hpp>

#include <sstream>

using namespace Qt::StringLiterals;

namespace {

const QByteArray k_ancien = baseAvec("<ficheFilm><idFilm>ANCIEN</idFilm></ficheFilm>");

QStringList copiesDatees(const RepertoireTest &repertoire)
{
    return QDir(repertoire.chemin()).entryList({u"baseFilm.bdf.*.bak"_s}, QDir::Files, QDir::Name);
}

void ajouter(Tdm_Kinolux &dm, const QString &id)
{
    auto fiche = ficheSimple(id);
    ASSERT_TRUE(dm.ajouterFicheFilm(fiche));
}

} // namespace

TEST(CatalogueSurete, UneOccurenceVideEstGardeeEtLaLectureContinue)
{
    Programme programme;
    const Catalogue &lues = programme.lire(
        baseAvec("<ficheFilm><acteurs><occurence>A</occurence><occurence/><occurence>B</occurence>"
                 "</acteurs></ficheFilm>"));
    EXPECT_EQ(lues.at(0)->acteurs(), QStringList({u"A"_s, u""_s, u"B"_s}));

    lues.at(0)->setGenres({u""_s, u"Drame"_s, u""_s});
    programme.dm->ecrireBaseFilms();
    programme.dm->lireBaseFilms();
    EXPECT_EQ(programme.dm->fichesFilms().at(0)->genres(), QStringList({u""_s, u"Drame"_s, u""_s}));
    EXPECT_EQ(programme.dm->fichesFilms().at(0)->acteurs(), QStringList({u"A"_s, u""_s, u"B"_s}));
}

TEST(CatalogueSurete, LesOccurencesVidesSurLesNoeudsPugixml)
{
    pugi::xml_document entree;
    ASSERT_TRUE(entree.load_string("<l><occurence>A</occurence><occurence/><occurence>B</occurence>"
                                   "</l>"));
    QStringList lue;
    Tdm_Kinolux::lireOccurences(lue, entree.first_child());
    EXPECT_EQ(lue, QStringList({u"A"_s, u""_s, u"B"_s}));

    pugi::xml_document sortie;
    pugi::xml_node genres = sortie.append_child("genres");
    Tdm_Kinolux::ecrireOccurences(lue, genres);
    std::ostringstream flux;
    sortie.save(flux, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ(flux.str(),
              "<genres><occurence>A</occurence><occurence/><occurence>B</occurence></genres>");
}

TEST(CatalogueSurete, UnEnregistrementInterrompuLaisseLAncienFichier)
{
    Programme programme;
    programme.lire(k_ancien);
    for (int i = 0; i < 200; ++i)
        ajouter(*programme.dm, u"FILM %1"_s.arg(i));
    // RLIMIT_FSIZE makes the writes fail for root too, where a read-only folder would not.
    {
        LimiteTailleFichiers limite(4096);
        const QString erreur = texteErreur([&] { programme.dm->ecrireBaseFilms(); });
        const QString debut = u"Impossible d'enregistrer le catalogue « %1 » : "_s.arg(
            programme.repertoire.fichier(u"baseFilm.bdf"_s));
        EXPECT_TRUE(erreur.startsWith(debut) && erreur.size() > debut.size())
            << erreur.toStdString();
    }
    EXPECT_EQ(programme.base(), k_ancien);
    // The journal keeps the unsaved cards.
    EXPECT_EQ(QDir(programme.repertoire.chemin()).entryList(QDir::Files).size(), 5)
        << "no temporary file is left behind";

    // The cards stayed in memory: once the disk takes them, they are saved.
    programme.dm->ecrireBaseFilms();
    programme.dm->lireBaseFilms();
    EXPECT_EQ(programme.dm->fichesFilms().size(), 201u);
}

TEST(CatalogueSurete, ApresUnChargementRateLeFichierIllisibleEstConserve)
{
    const QByteArray illisibles[] = {
        "<Kinolux_BaseFilms><racine><listeFichesFilms><ficheFilm>",
        "<Kinolux_BaseFilms/>",
        baseAvec("<ficheFilm><idFilm>LUE</idFilm></ficheFilm><ficheFilm><niveauPreference>x"
                 "</niveauPreference></ficheFilm><ficheFilm><idFilm>PERDUE</idFilm></ficheFilm>"),
    };
    for (const QByteArray &illisible : illisibles) {
        Programme programme;
        EXPECT_FALSE(texteErreur([&] { programme.lire(illisible); }).isEmpty());
        ajouter(*programme.dm, u"NOUVELLE"_s);
        programme.dm->ecrireBaseFilms();

        const QStringList copies = copiesDatees(programme.repertoire);
        ASSERT_EQ(copies.size(), 1);
        EXPECT_TRUE(QRegularExpression(u"^baseFilm\\.bdf\\.\\d{8}-\\d{6}\\.bak$"_s)
                        .match(copies[0])
                        .hasMatch())
            << copies[0].toStdString();
        EXPECT_EQ(programme.repertoire.lire(copies[0]), illisible);
        EXPECT_TRUE(programme.base().contains("NOUVELLE"));

        // The unreadable content is kept once; later saves write as usual.
        programme.dm->ecrireBaseFilms();
        EXPECT_EQ(copiesDatees(programme.repertoire).size(), 1);
    }
}

TEST(CatalogueSurete, UneCopieDateeExistanteNEstPasEcrasee)
{
    Programme programme;
    EXPECT_FALSE(texteErreur([&] { programme.lire("<x/>"); }).isEmpty());
    // Cover the seconds the save may fall in.
    const QDateTime maintenant = QDateTime::currentDateTime();
    for (int s = 0; s < 5; ++s) {
        programme.repertoire.ecrire(
            u"baseFilm.bdf.%1.bak"_s.arg(maintenant.addSecs(s).toString(u"yyyyMMdd-HHmmss"_s)),
            "autre");
    }
    programme.dm->ecrireBaseFilms();
    const QStringList copies = copiesDatees(programme.repertoire);
    ASSERT_EQ(copies.size(), 6);
    const QStringList secondes = copies.filter(QRegularExpression(u"-2\\.bak$"_s));
    ASSERT_EQ(secondes.size(), 1);
    EXPECT_EQ(programme.repertoire.lire(secondes[0]), "<x/>");
}

TEST(CatalogueSurete, SiLaCopieEchoueRienNEstEcrit)
{
    QByteArray gros = baseAvec(QByteArray("<ficheFilm><resume>") + QByteArray(20000, 'x') +
                               "</resume></ficheFilm><ficheFilm><niveauPreference>x"
                               "</niveauPreference></ficheFilm>");
    Programme programme;
    EXPECT_FALSE(texteErreur([&] { programme.lire(gros); }).isEmpty());
    {
        LimiteTailleFichiers limite(8192);
        const QString erreur = texteErreur([&] { programme.dm->ecrireBaseFilms(); });
        EXPECT_TRUE(erreur.startsWith(u"Impossible de conserver une copie du catalogue"_s))
            << erreur.toStdString();
    }
    EXPECT_EQ(programme.base(), gros);
    EXPECT_EQ(QDir(programme.repertoire.chemin()).entryList(QDir::Files).size(), 4);
}

TEST(CatalogueSurete, UnChargementReussiEffaceLEtatIllisible)
{
    Programme programme;
    EXPECT_FALSE(texteErreur([&] { programme.lire("pas du XML"); }).isEmpty());
    programme.repertoire.ecrire(u"baseFilm.bdf"_s, k_ancien);
    programme.dm->lireBaseFilms();
    programme.dm->ecrireBaseFilms();
    EXPECT_TRUE(copiesDatees(programme.repertoire).isEmpty());
}

TEST(CatalogueSurete, SansChargementPrealableLeFichierExistantEstProtege)
{
    Programme vide;
    vide.repertoire.ecrire(u"baseFilm.bdf"_s, k_ancien);
    vide.demarrer().ecrireBaseFilms();
    EXPECT_EQ(vide.base(), k_ancien);
    EXPECT_TRUE(copiesDatees(vide.repertoire).isEmpty());

    Programme rempli;
    rempli.repertoire.ecrire(u"baseFilm.bdf"_s, k_ancien);
    ajouter(rempli.demarrer(), u"NOUVELLE"_s);
    rempli.dm->ecrireBaseFilms();
    const QStringList copies = copiesDatees(rempli.repertoire);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(rempli.repertoire.lire(copies[0]), k_ancien);
    EXPECT_TRUE(rempli.base().contains("NOUVELLE"));
}

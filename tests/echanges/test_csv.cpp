#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "echanges/Csv.h"
#include "import/Windows1252.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ChampsFiche::Champ;

namespace {

std::vector<Champ> toutesLesColonnes()
{
    std::vector<Champ> colonnes;
    for (int i = 0; i < ChampsFiche::NombreChamps; ++i)
        colonnes.push_back(static_cast<Champ>(i));
    return colonnes;
}

// A card whose every field holds something a CSV file must protect.
TFicheFilm ficheEpineuse(const QString &id)
{
    TFicheFilm fiche(id, u"Le \"Café\", à l'aube"_s, u"1959"_s, u"103"_s,
                     u"Première ligne\r\nseconde ligne\navec ; et ,"_s, u"=HYPERLINK(\"x\")"_s,
                     u"'=déjà protégé"_s, {u"Émile Bélanger"_s, u"Zoé \"Z\" Lefèvre"_s},
                     {u"France"_s}, {}, {u"A, B"_s, u"-"_s, u"+33"_s}, {u"nuit"_s});
    fiche.setNiveauPreference(-3);
    fiche.setNomSupport(u"DVD LE CAFE"_s);
    fiche.setTypeSupport(u"DVD-VIDEO"_s);
    fiche.setCheminFichier(u"/films/Le café.mkv"_s);
    fiche.setCheminImage(u"IMAGES_FILMS\\CAFE.jpg"_s);
    fiche.setCodec(u"-"_s);
    fiche.setCommentaire(u"@commentaire\ttabulé"_s);
    return fiche;
}

Csv::Import importer(const QByteArray &octets, const QSet<QString> &presents = {})
{
    const Csv::Tableau tableau = Csv::lire(octets, u"films.csv"_s);
    return Csv::fiches(tableau, u"films.csv"_s,
                       [&presents](const QString &id) { return presents.contains(id); });
}

QString erreurImport(const QByteArray &octets)
{
    return texteErreur([&] { importer(octets); });
}

} // namespace

TEST(Csv, UnChampNestEntreGuillemetsQueSilLeFaut)
{
    EXPECT_EQ(Csv::champ(u"Brazil"_s), u"Brazil"_s);
    EXPECT_EQ(Csv::champ(u"Le \"Café\""_s), u"\"Le \"\"Café\"\"\""_s);
    EXPECT_EQ(Csv::champ(u"a,b"_s), u"\"a,b\""_s);
    EXPECT_EQ(Csv::champ(u"a;b"_s), u"a;b"_s);
    EXPECT_EQ(Csv::champ(u"a;b"_s, u';'), u"\"a;b\""_s);
    EXPECT_EQ(Csv::champ(u"deux\nlignes"_s), u"\"deux\nlignes\""_s);
    EXPECT_EQ(Csv::champ(u"fin\r"_s), u"\"fin\r\""_s);
    // A field a spreadsheet would run as a formula is kept as text; the "-" of an empty field
    // and plain numbers are not touched.
    EXPECT_EQ(Csv::champ(u"=1+1"_s), u"'=1+1"_s);
    EXPECT_EQ(Csv::champ(u"-2+3"_s), u"'-2+3"_s);
    EXPECT_EQ(Csv::champ(u"-"_s), u"-"_s);
    EXPECT_EQ(Csv::champ(u"1959"_s), u"1959"_s);
    EXPECT_EQ(Csv::champ(u"=a,b"_s), u"\"'=a,b\""_s);
}

TEST(Csv, LeFichierAUneMarqueUnEnTeteEtDesFinsDeLigneCrlf)
{
    std::vector<TFicheFilm> fiches;
    fiches.push_back(*ficheSimple(u"BRAZIL"_s));
    fiches.back().setGenres({u"Science-fiction"_s, u"Comédie"_s});
    const QByteArray octets = Csv::ecrire(
        fiches, {ChampsFiche::TitreFrancais, ChampsFiche::Genres, ChampsFiche::NiveauPreference});
    EXPECT_EQ(octets, "\xEF\xBB\xBF"
                      "Titre Français,Genre(s),Préférence\r\n"
                      "BRAZIL,Science-fiction; Comédie,5\r\n"_ba);
}

TEST(Csv, UnAllerRetourRendChaqueChampTelQuel)
{
    std::vector<TFicheFilm> fiches;
    fiches.push_back(ficheEpineuse(u"CAFE"_s));
    fiches.push_back(ficheEpineuse(u"Café 2, \"le retour\""_s));
    fiches.push_back(*ChampsFiche::nouvelleFiche(u"VIDE"_s, u"vide"_s));
    for (const QChar separateur : {QChar(u','), QChar(u';')}) {
        const QByteArray octets = Csv::ecrire(fiches, toutesLesColonnes(), nullptr, separateur);
        const Csv::Import import = importer(octets);
        ASSERT_EQ(import.fiches.size(), fiches.size());
        EXPECT_TRUE(import.colonnesIgnorees.isEmpty());
        for (size_t i = 0; i < fiches.size(); ++i)
            for (const Champ c : toutesLesColonnes())
                EXPECT_EQ(ChampsFiche::enTexte(*import.fiches[i], c),
                          ChampsFiche::enTexte(fiches[i], c))
                    << ChampsFiche::libelle(c).toStdString() << ", separator "
                    << char(separateur.unicode());
        EXPECT_EQ(import.fiches[0]->acteurs(), fiches[0].acteurs());
        EXPECT_EQ(import.fiches[0]->niveauPreference(), -3);
    }
}

TEST(Csv, UnFichierDeTableurEstLu)
{
    // Saved by a French spreadsheet: ";" between fields, Windows-1252, LF line ends, no mark,
    // a quoted line break, headings in another letter case, a blank line, text after a quote.
    const QByteArray octets =
        Windows1252::encoder(u"titre français ; Année;Réalisateur(s);Genre(s);Résumé\n"
                             "Amélie;2001;Jean-Pierre Jeunet;\"Comédie; Romance\";\"Une serveuse\n"
                             "à Montmartre\"\n"
                             "\n"
                             "\"Le \"\"Pont\"\"\";1959;Bernhard Wicki;;\"ab\"cd\n"_s);
    const Csv::Import import = importer(octets);
    ASSERT_EQ(import.fiches.size(), 2u);
    const TFicheFilm &amelie = *import.fiches[0];
    EXPECT_EQ(amelie.idFilm(), u"AMéLIE"_s) << "identifier from the title, a to z in capitals";
    EXPECT_EQ(amelie.titreFrancais(), u"Amélie"_s);
    EXPECT_EQ(amelie.realisateurs(), QStringList{u"Jean-Pierre Jeunet"_s});
    EXPECT_EQ(amelie.resume(), u"Une serveuse\nà Montmartre"_s);
    EXPECT_EQ(amelie.annee(), u"2001"_s);
    EXPECT_EQ(amelie.genres(), (QStringList{u"Comédie"_s, u"Romance"_s}));
    // Fields without a column are a new card's.
    EXPECT_EQ(amelie.niveauPreference(), 5);
    EXPECT_EQ(amelie.typeSupport(), u"DVD-VIDEO"_s);
    EXPECT_EQ(amelie.duree(), u"-"_s);
    const TFicheFilm &pont = *import.fiches[1];
    EXPECT_EQ(pont.titreFrancais(), u"Le \"Pont\""_s);
    EXPECT_TRUE(pont.genres().isEmpty());
    EXPECT_EQ(pont.resume(), u"abcd"_s);
}

TEST(Csv, LesIdentifiantsConnusEtLesColonnesInconnuesSontEcartes)
{
    const QByteArray octets =
        "\xEF\xBB\xBFidFilm,Titre Français,Note IMDb,Titre Français\r\n"
        "BRAZIL,Brazil,8.0,x\r\nALIEN,Alien,8.5,y\r\nBRAZIL,Brazil bis,1,z\r\n"
        "brazil,brazil,2,w"_ba;
    const Csv::Import import = importer(octets, {u"ALIEN"_s});
    ASSERT_EQ(import.fiches.size(), 2u);
    EXPECT_EQ(import.fiches[0]->titreFrancais(), u"Brazil"_s);
    EXPECT_EQ(import.fiches[1]->idFilm(), u"brazil"_s) << "identifiers compared exactly";
    EXPECT_EQ(import.dejaPresents, (QStringList{u"ALIEN"_s, u"BRAZIL"_s}));
    EXPECT_EQ(import.colonnesIgnorees, (QStringList{u"Note IMDb"_s, u"Titre Français"_s}));
}

TEST(Csv, UneMauvaiseEntreeDonneUnMessageQuiNommeLeFichierEtLaLigne)
{
    EXPECT_EQ(erreurImport(""), u"Le fichier films.csv est vide."_s);
    EXPECT_EQ(erreurImport("\xEF\xBB\xBF \r\n\r\n"), u"Le fichier films.csv est vide."_s);
    EXPECT_EQ(erreurImport("Identifiant,Résumé\nA,\"ouvert\nB,b\n"),
              u"films.csv, ligne 2 : un guillemet ouvert n'est jamais fermé."_s);
    EXPECT_EQ(erreurImport("Identifiant,Année\nA,1\nB,2,3\n"),
              u"films.csv, ligne 3 : 3 champs au lieu des 2 de l'en-tête."_s);
    EXPECT_EQ(erreurImport("Identifiant,Année,Durée\n\"A\nB\",1,2\nC,3\n"),
              u"films.csv, ligne 4 : 2 champs au lieu des 3 de l'en-tête."_s)
        << "lines counted through a quoted line break";
    EXPECT_EQ(
        erreurImport("Année,Durée\n1959,103\n"),
        u"films.csv, ligne 1 : il manque la colonne « Identifiant » ou « Titre Français »."_s);
    EXPECT_EQ(
        erreurImport("Identifiant,Préférence\nA,8\nB,huit\n"),
        u"films.csv, ligne 3 : « huit » n'est pas un nombre entier (colonne « Préférence »)."_s);
    EXPECT_EQ(erreurImport("Titre Français,Année\n,1959\n"),
              u"films.csv, ligne 2 : ni identifiant ni titre."_s);
    // The cards are made on two cores: the fault told is still the first one of the file.
    QByteArray plusieurs = "Titre Français,Préférence\n";
    for (int i = 0; i < 100; ++i)
        plusieurs += "Film " + QByteArray::number(i) + (i == 30 || i == 80 ? ",x\n" : ",1\n");
    EXPECT_EQ(
        erreurImport(plusieurs + ",2\n"),
        u"films.csv, ligne 32 : « x » n'est pas un nombre entier (colonne « Préférence »)."_s);
    const QByteArray enorme(10 * 1024 * 1024, 'x');
    EXPECT_EQ(erreurImport("Identifiant,Résumé\nA," + enorme + "\n"),
              u"films.csv, ligne 2 : un champ dépasse 1 Mo."_s);
    EXPECT_EQ(erreurImport("Identifiant,Résumé\nA,\"" + enorme + "\"\n"),
              u"films.csv, ligne 2 : un champ dépasse 1 Mo."_s);
}

#include "catalogue/ChampsFiche.h"
#include "echanges/Nfo.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace Qt::StringLiterals;

namespace {

// What Kodi's scraper takes from a movie .nfo: the root <movie>, texts by name, repeated list
// elements each also cut at " / ", the runtime in minutes, the year when there is no premiere
// date, the actors' names.
struct FilmKodi
{
    QString titre, titreOriginal, resume, annee, studio;
    int duree = 0;
    int note = -1;
    QStringList genres, pays, realisateurs, acteurs, etiquettes;
    QString identifiant;
};

QStringList repetes(const pugi::xml_node &film, const char *nom)
{
    QStringList valeurs;
    for (pugi::xml_node n = film.child(nom); n; n = n.next_sibling(nom))
        for (const QString &morceau :
             QString::fromUtf8(n.text().get()).split(u" / "_s, Qt::SkipEmptyParts))
            valeurs.append(morceau.trimmed());
    return valeurs;
}

std::optional<FilmKodi> lireCommeKodi(const QByteArray &octets)
{
    pugi::xml_document document;
    if (!document.load_buffer(octets.constData(), size_t(octets.size())))
        return std::nullopt;
    const pugi::xml_node film = document.child("movie");
    if (!film)
        return std::nullopt;
    const auto texte = [&film](const char *nom) {
        return QString::fromUtf8(film.child(nom).text().get());
    };
    FilmKodi lu;
    lu.titre = texte("title");
    lu.titreOriginal = texte("originaltitle");
    lu.resume = texte("plot");
    lu.studio = texte("studio");
    if (film.child("premiered").empty())
        lu.annee = texte("year");
    lu.duree = film.child("runtime").text().as_int();
    if (film.child("userrating"))
        lu.note = film.child("userrating").text().as_int();
    lu.genres = repetes(film, "genre");
    lu.pays = repetes(film, "country");
    lu.realisateurs = repetes(film, "director");
    lu.etiquettes = repetes(film, "tag");
    for (pugi::xml_node a = film.child("actor"); a; a = a.next_sibling("actor"))
        if (!a.child("name").empty())
            lu.acteurs.append(QString::fromUtf8(a.child("name").text().get()));
    for (pugi::xml_node u = film.child("uniqueid"); u; u = u.next_sibling("uniqueid"))
        if (u.attribute("default").as_bool())
            lu.identifiant = QString::fromUtf8(u.text().get());
    return lu;
}

TFicheFilm lEteDesLucioles()
{
    TFicheFilm fiche(u"ETE <&> \"2004\""_s, u"L'Été des <Lucioles> & co"_s, u"2004"_s, u"112 min"_s,
                     u"Un été à Québec…\nDeux lignes \x01 et un contrôle."_s, u"Films Québécois"_s,
                     u"Summer of Fireflies"_s, {u"Émile Bélanger"_s}, {u"France"_s, u"Canada"_s},
                     {u"Drame"_s, u"Comédie"_s}, {u"Zoé Lefèvre"_s, u"-"_s, u"Ana Ïs"_s},
                     {u"été"_s});
    fiche.setNiveauPreference(8);
    fiche.setTypeSupport(u"DVD-VIDEO"_s);
    return fiche;
}

} // namespace

TEST(Nfo, UnMediaCentreRelitChaqueChamp)
{
    const auto lu = lireCommeKodi(Nfo::xml(lEteDesLucioles()));
    ASSERT_TRUE(lu) << "a well-formed <movie> document";
    EXPECT_EQ(lu->titre, u"L'Été des <Lucioles> & co"_s);
    EXPECT_EQ(lu->titreOriginal, u"Summer of Fireflies"_s);
    EXPECT_EQ(lu->annee, u"2004"_s);
    EXPECT_EQ(lu->duree, 112);
    EXPECT_EQ(lu->resume, u"Un été à Québec…\nDeux lignes  et un contrôle."_s);
    EXPECT_EQ(lu->studio, u"Films Québécois"_s);
    EXPECT_EQ(lu->note, 8);
    EXPECT_EQ(lu->genres, (QStringList{u"Drame"_s, u"Comédie"_s}));
    EXPECT_EQ(lu->pays, (QStringList{u"France"_s, u"Canada"_s}));
    EXPECT_EQ(lu->realisateurs, QStringList{u"Émile Bélanger"_s});
    EXPECT_EQ(lu->acteurs, (QStringList{u"Zoé Lefèvre"_s, u"Ana Ïs"_s})) << "no \"-\" actor";
    EXPECT_EQ(lu->etiquettes, (QStringList{u"été"_s, u"DVD-VIDEO"_s}));
    EXPECT_EQ(lu->identifiant, u"ETE <&> \"2004\""_s);

    // Unknown values are left out rather than written as "-".
    const auto vide = lireCommeKodi(Nfo::xml(*ChampsFiche::nouvelleFiche(u"X"_s, u"x"_s)));
    ASSERT_TRUE(vide);
    EXPECT_TRUE(vide->titre.isEmpty());
    EXPECT_TRUE(vide->annee.isEmpty());
    EXPECT_EQ(vide->duree, 0);
}

TEST(Nfo, LesFichiersSontEcritsABonEscientEtLesOmissionsDites)
{
    QTemporaryDir dossier;
    const QString films = dossier.filePath(u"Films"_s);
    ASSERT_TRUE(QDir().mkpath(films));
    const QString video = films + u"/L'Été (2004).mkv"_s;
    const QString dejaLa = films + u"/Brazil.avi"_s;
    QFile ancien(films + u"/Brazil.nfo"_s);
    ASSERT_TRUE(ancien.open(QIODevice::WriteOnly));
    ancien.write("<movie><title>mon texte</title></movie>");
    ancien.close();
    // A folder in the place of the .nfo: no one, root included, can write the file.
    const QString verrouille = dossier.filePath(u"Verrou"_s);
    ASSERT_TRUE(QDir().mkpath(verrouille + u"/v.nfo"_s));

    std::vector<TFicheFilm> fiches(5, lEteDesLucioles());
    fiches[1].setTitreFrancais(u"Brazil"_s);
    fiches[2].setTitreFrancais(u"Sans fichier"_s);
    fiches[3].setTitreFrancais(u"Disparu"_s);
    fiches[4].setTitreFrancais(u"Verrouillé"_s);
    const std::vector<QString> videos{video, dejaLa, QString(), dossier.filePath(u"Parti/x.mkv"_s),
                                      verrouille + u"/v.mkv"_s};
    EXPECT_EQ(Nfo::existants(videos), 2);

    Progression progression;
    const Nfo::Bilan bilan = Nfo::ecrire(fiches, videos, false, progression);
    EXPECT_EQ(bilan.ecrits, QStringList{films + u"/L'Été (2004).nfo"_s});
    ASSERT_EQ(bilan.omis.size(), 4);
    EXPECT_EQ(bilan.omis[0].titre, u"Brazil"_s);
    EXPECT_EQ(bilan.omis[0].raison, films + u"/Brazil.nfo existe déjà"_s);
    EXPECT_EQ(bilan.omis[1].raison, u"aucun fichier vidéo"_s);
    EXPECT_EQ(bilan.omis[2].raison,
              u"le dossier %1 n'existe plus"_s.arg(dossier.filePath(u"Parti"_s)));
    EXPECT_EQ(bilan.omis[3].raison, verrouille + u"/v.nfo existe déjà"_s);
    EXPECT_EQ(lireFichier(films + u"/Brazil.nfo"_s), "<movie><title>mon texte</title></movie>")
        << "an existing .nfo is kept unless replacing is allowed";
    EXPECT_EQ(progression.fait(), 5);
    EXPECT_EQ(QDir(films).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no file left aside";

    const Nfo::Bilan remplace = Nfo::ecrire(fiches, videos, true, progression);
    EXPECT_EQ(remplace.ecrits.size(), 2);
    ASSERT_EQ(remplace.omis.size(), 3);
    EXPECT_TRUE(
        remplace.omis[2].raison.startsWith(u"Impossible d'écrire le fichier "_s + verrouille))
        << remplace.omis[2].raison.toStdString();
    EXPECT_EQ(lireCommeKodi(lireFichier(films + u"/Brazil.nfo"_s))->titre, u"Brazil"_s);
}

TEST(Nfo, UnArretFinitAvantLaFicheSuivante)
{
    QTemporaryDir dossier;
    std::vector<TFicheFilm> fiches(3, lEteDesLucioles());
    std::vector<QString> videos;
    for (int i = 0; i < 3; ++i)
        videos.push_back(dossier.filePath(u"film%1.mkv"_s.arg(i)));
    Progression progression;
    progression.annuler();
    const Nfo::Bilan bilan = Nfo::ecrire(fiches, videos, false, progression);
    EXPECT_TRUE(bilan.arrete);
    EXPECT_TRUE(bilan.ecrits.isEmpty());
    EXPECT_TRUE(QDir(dossier.path()).isEmpty());
}

TEST(Nfo, UneFicheEcriteSeRelitChampPourChamp)
{
    const TFicheFilm ecrite = lEteDesLucioles();
    const Nfo::Lecture lecture = Nfo::lireOctets(Nfo::xml(ecrite));
    ASSERT_TRUE(lecture.fiche) << lecture.raison.toStdString();
    const TFicheFilm &lue = *lecture.fiche;
    EXPECT_EQ(lue.idFilm(), ecrite.idFilm());
    EXPECT_EQ(lue.titreFrancais(), ecrite.titreFrancais());
    EXPECT_EQ(lue.titreOriginal(), ecrite.titreOriginal());
    EXPECT_EQ(lue.annee(), u"2004"_s);
    EXPECT_EQ(lue.duree(), u"112 min"_s);
    EXPECT_EQ(lue.resume(), u"Un été à Québec…\nDeux lignes  et un contrôle."_s);
    EXPECT_EQ(lue.distributeurFR(), ecrite.distributeurFR());
    EXPECT_EQ(lue.niveauPreference(), 8);
    EXPECT_EQ(lue.genres(), ecrite.genres());
    EXPECT_EQ(lue.nationnalites(), ecrite.nationnalites());
    EXPECT_EQ(lue.realisateurs(), ecrite.realisateurs());
    EXPECT_EQ(lue.acteurs(), (QStringList{u"Zoé Lefèvre"_s, u"Ana Ïs"_s}));
}

TEST(Nfo, UneFicheDUnAutreProgrammeDonneUneFicheDuProgramme)
{
    // As Kodi and its managers write them: a premiere date, lists joined by " / ", a decimal
    // rating, fields this program has no place for, no identifier of ours.
    const QByteArray nfo = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<!-- made by a media manager -->
<movie>
    <title>Le Pont</title>
    <originaltitle>Die Brücke</originaltitle>
    <rating>7.9</rating>
    <userrating>8.6</userrating>
    <premiered>1959-10-22</premiered>
    <plot>Avril 1945 : sept lycéens gardent un pont. &lt;b&gt;Vrai&lt;/b&gt;</plot>
    <runtime>103</runtime>
    <genre>Drame / Guerre</genre>
    <genre>Guerre</genre>
    <country>Allemagne de l'Ouest</country>
    <director>Bernhard Wicki</director>
    <studio>Fono Film</studio>
    <studio>Autre</studio>
    <uniqueid type="imdb" default="true">tt0052654</uniqueid>
    <thumb aspect="poster">https://example.invalid/p.jpg</thumb>
    <actor><name>Folker Bohnet</name><role>Hans</role></actor>
    <actor><role>sans nom</role></actor>
    <actor><name>Fritz Wepper</name><order>1</order></actor>
</movie>)";
    const Nfo::Lecture lecture = Nfo::lireOctets(nfo);
    ASSERT_TRUE(lecture.fiche) << lecture.raison.toStdString();
    const TFicheFilm &f = *lecture.fiche;
    EXPECT_EQ(f.idFilm(), u"LE PONT"_s);
    EXPECT_EQ(f.titreFrancais(), u"Le Pont"_s);
    EXPECT_EQ(f.titreOriginal(), u"Die Brücke"_s);
    EXPECT_EQ(f.annee(), u"1959"_s);
    EXPECT_EQ(f.duree(), u"103 min"_s);
    EXPECT_EQ(f.resume(), u"Avril 1945 : sept lycéens gardent un pont. <b>Vrai</b>"_s);
    EXPECT_EQ(f.genres(), (QStringList{u"Drame"_s, u"Guerre"_s}));
    EXPECT_EQ(f.nationnalites(), QStringList{u"Allemagne de l'Ouest"_s});
    EXPECT_EQ(f.realisateurs(), QStringList{u"Bernhard Wicki"_s});
    EXPECT_EQ(f.distributeurFR(), u"Fono Film"_s);
    EXPECT_EQ(f.niveauPreference(), 9);
    EXPECT_EQ(f.acteurs(), (QStringList{u"Folker Bohnet"_s, u"Fritz Wepper"_s}));
    // The rest is what a new card holds.
    const auto nouvelle = ChampsFiche::nouvelleFiche(u"LE PONT"_s, u"Le Pont"_s);
    EXPECT_EQ(f.motsCles(), nouvelle->motsCles());
    EXPECT_EQ(f.nomSupport(), nouvelle->nomSupport());
    EXPECT_EQ(f.codec(), nouvelle->codec());
    EXPECT_EQ(f.commentaire(), u"-"_s);
}

TEST(Nfo, CeQuiNEstPasUneFicheDeFilmEstRefuseAvecSaRaison)
{
    QTemporaryDir dossier;
    QFile gros(dossier.filePath(u"gros.nfo"_s));
    ASSERT_TRUE(gros.open(QIODevice::WriteOnly) && gros.resize(50 << 20));
    gros.close();
    struct Cas
    {
        QByteArray octets;
        QString raison;
    };
    const QList<Cas> cas{
        {"", u"le fichier est vide"_s},
        {"https://www.imdb.invalid/title/tt0052654/\n", u"ce n'est pas du XML"_s},
        {"<movie><title>Ouvert</title>", u"ce n'est pas du XML"_s},
        {"<tvshow><title>Série</title></tvshow>", u"ce n'est pas la fiche d'un film (<tvshow>)"_s},
        {"<movie><plot>Sans titre</plot></movie>", u"la fiche n'a pas de titre"_s},
    };
    for (const Cas &c : cas) {
        const Nfo::Lecture lecture = Nfo::lireOctets(c.octets);
        EXPECT_FALSE(lecture.fiche) << c.octets.constData();
        EXPECT_TRUE(lecture.raison.startsWith(c.raison)) << lecture.raison.toStdString();
    }
    const Nfo::Lecture trop = Nfo::lire(gros.fileName());
    EXPECT_FALSE(trop.fiche);
    EXPECT_EQ(trop.raison, u"le fichier est trop gros (50 Mo)"_s);
    EXPECT_FALSE(Nfo::lire(dossier.filePath(u"absent.nfo"_s)).fiche);

    // An entity naming a file of the system is never read into the card.
    const Nfo::Lecture entite =
        Nfo::lireOctets("<!DOCTYPE movie [<!ENTITY e SYSTEM \"file:///etc/hostname\">]>"
                        "<movie><title>Titre&e;</title></movie>");
    if (entite.fiche) {
        EXPECT_EQ(entite.fiche->titreFrancais(), u"Titre"_s);
    }
}

TEST(Nfo, LaFicheEtLAfficheSontPrisesPresDeLaVideo)
{
    QTemporaryDir dossier;
    const QString video = dossier.filePath(u"Le Pont (1959).mkv"_s);
    const auto toucher = [&](const QString &nom) {
        QFile f(dossier.filePath(nom));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(Nfo::nfoDe(video), QString());
    EXPECT_EQ(Nfo::affiche(video), QString());
    toucher(u"folder.jpg"_s);
    toucher(u"movie.nfo"_s);
    EXPECT_EQ(Nfo::nfoDe(video), dossier.filePath(u"movie.nfo"_s));
    EXPECT_EQ(Nfo::affiche(video), dossier.filePath(u"folder.jpg"_s));
    toucher(u"poster.png"_s);
    EXPECT_EQ(Nfo::affiche(video), dossier.filePath(u"poster.png"_s));
    toucher(u"Le Pont (1959)-poster.jpg"_s);
    toucher(u"Le Pont (1959).nfo"_s);
    EXPECT_EQ(Nfo::nfoDe(video), dossier.filePath(u"Le Pont (1959).nfo"_s));
    EXPECT_EQ(Nfo::affiche(video), dossier.filePath(u"Le Pont (1959)-poster.jpg"_s));
}

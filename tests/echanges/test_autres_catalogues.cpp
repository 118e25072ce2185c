#include "catalogue/Erreur.h"
#include "echanges/ArchiveZip.h"
#include "echanges/AutresCatalogues.h"
#include "import/Windows1252.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zip.h>

#include <cstring>

using namespace Qt::StringLiterals;
using AutresCatalogues::Couverture;
using AutresCatalogues::Format;
using AutresCatalogues::Import;

namespace {

// ---- Files written for the tests

class Dossier
{
public:
    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }
    QString ecrire(const QString &nom, const QByteArray &octets) const
    {
        const QString fichier = chemin(nom);
        QDir().mkpath(QFileInfo(fichier).absolutePath());
        QFile f(fichier);
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
            throw std::runtime_error("cannot write test file");
        return fichier;
    }

private:
    QTemporaryDir m_dossier;
};

struct EntreeZip
{
    const char *nom;
    QByteArray octets;
};

// A zip archive of these entries, written by libzip.
QString ecrireZip(const QString &chemin, const std::vector<EntreeZip> &entrees)
{
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(chemin).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        throw std::runtime_error("zip_open");
    for (const EntreeZip &entree : entrees) {
        zip_source_t *source =
            zip_source_buffer(archive, entree.octets.constData(), entree.octets.size(), 0);
        if (!source || zip_file_add(archive, entree.nom, source, ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("zip_file_add");
    }
    if (zip_close(archive) < 0)
        throw std::runtime_error("zip_close");
    return chemin;
}

// `taille` blanks produced as libzip asks for them, never held in memory at once.
struct Blancs
{
    explicit Blancs(zip_uint64_t t)
        : taille(t)
    {
        zip_error_init(&erreur);
    }
    ~Blancs() { zip_error_fini(&erreur); }
    Blancs(const Blancs &) = delete;
    Blancs &operator=(const Blancs &) = delete;

    zip_uint64_t taille;
    zip_uint64_t donnes = 0;
    zip_error_t erreur;
};

zip_int64_t blancs(void *utilisateur, void *donnees, zip_uint64_t longueur, zip_source_cmd_t ordre)
{
    auto *source = static_cast<Blancs *>(utilisateur);
    switch (ordre) {
    case ZIP_SOURCE_OPEN:
        source->donnes = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min(longueur, source->taille - source->donnes);
        std::memset(donnees, ' ', n);
        source->donnes += n;
        return zip_int64_t(n);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto *infos = static_cast<zip_stat_t *>(donnees);
        zip_stat_init(infos);
        infos->size = source->taille;
        infos->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source->erreur, donnees, longueur);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        return -1;
    }
}

// A zip bomb: one entry of `taille` blanks, deflated to a few megabytes.
QString ecrireBombe(const QString &chemin, const char *nom, zip_uint64_t taille)
{
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(chemin).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    Blancs source{taille};
    zip_source_t *zs = zip_source_function(archive, blancs, &source);
    const zip_int64_t index = zip_file_add(archive, nom, zs, 0);
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    if (zip_close(archive) < 0)
        throw std::runtime_error("zip_close");
    return chemin;
}

// Writes `taille` as the inflated size of every entry, in the local headers and the central
// directory: an archive that lies about what it holds.
QByteArray mentirSurLaTaille(QByteArray zip, quint32 taille)
{
    const auto ecrire = [&](qsizetype position) {
        for (int i = 0; i < 4; ++i)
            zip[position + i] = char((taille >> (8 * i)) & 0xFF);
    };
    for (qsizetype i = zip.indexOf("PK\x03\x04"); i >= 0; i = zip.indexOf("PK\x03\x04", i + 4))
        ecrire(i + 22);
    for (qsizetype i = zip.indexOf("PK\x01\x02"); i >= 0; i = zip.indexOf("PK\x01\x02", i + 4))
        ecrire(i + 24);
    return zip;
}

// ---- Importing

const TFicheFilm *aucune(const QString &)
{
    return nullptr;
}

Import importer(const QString &chemin, const AutresCatalogues::TrouverFiche &trouver = aucune)
{
    return AutresCatalogues::importer(chemin, trouver);
}

QString erreurImport(const QString &chemin)
{
    return texteErreur([&] { importer(chemin); });
}

const TFicheFilm &seule(const Import &import)
{
    if (import.fiches.size() != 1)
        throw std::runtime_error("one card expected");
    return *import.fiches.front();
}

const QByteArray k_enteteTellico =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE tellico PUBLIC '-//Robby Stephenson/DTD Tellico V11.0//EN' "
    "'http://periapsis.org/tellico/dtd/v11/tellico.dtd'>\n"
    "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n";

QByteArray tellico(const QByteArray &collection)
{
    return k_enteteTellico + collection + "\n</tellico>\n";
}

QByteArray collectionFilms(const QByteArray &contenu)
{
    return tellico("<collection title=\"Mes films\" type=\"3\">\n"
                   " <fields><field name=\"_default\"/>\n"
                   "  <field name=\"origtitle\" title=\"Original Title\" category=\"General\" "
                   "type=\"1\" flags=\"8\" format=\"1\"/></fields>\n" +
                   contenu + "\n</collection>");
}

const QByteArray k_jpeg = "\xFF\xD8\xFF\xE0 une couverture \xFF\xD9"_ba;

} // namespace

// ---------------------------------------------------------------------------------------------
// The format told by the content

TEST(AutresCatalogues, LeFormatSeDeduitDuContenu)
{
    const struct
    {
        QByteArray debut;
        Format format;
    } lignes[] = {
        {"PK\x03\x04\x14\x00"_ba, Format::Tellico},
        {k_enteteTellico, Format::Tellico},
        {"<?xml version=\"1.0\"?><bookcase syntaxVersion=\"5\">", Format::Tellico},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<collection type=\"GCfilms\">", Format::GCstar},
        {"<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\n<!-- export -->\n"
         "<AntMovieCatalog Format=\"42\">",
         Format::AntMovieCatalog},
        {"<!DOCTYPE videodb [ <!ELEMENT videodb ANY> ]>\n<videodb><version>1</version>",
         Format::Kodi},
        {QByteArray("\xFF\xFE<\0v\0i\0d\0e\0o\0d\0b\0>\0", 18), Format::Kodi},
    };
    for (const auto &ligne : lignes)
        EXPECT_EQ(AutresCatalogues::detecter(ligne.debut, u"f"_s), ligne.format)
            << ligne.debut.toStdString();

    const struct
    {
        QByteArray debut;
        const char16_t *message;
    } refus[] = {
        {"<?xml version=\"1.0\"?><movie><title>Brazil</title></movie>", u"n'est ni une"},
        {"GCfilms|1.0|\n", u"ancien format de GCstar"},
        {"Titre;Année\nBrazil;1985\n", u"n'est ni une"},
    };
    for (const auto &ligne : refus)
        EXPECT_TRUE(texteErreur([&] {
                        AutresCatalogues::detecter(ligne.debut, u"f"_s);
                    }).contains(QString::fromUtf16(ligne.message)))
            << ligne.debut.toStdString();
}

// ---------------------------------------------------------------------------------------------
// Tellico

TEST(AutresCatalogues, TellicoDansSonArchiveDonneChaqueChamp)
{
    Dossier dossier;
    const QByteArray xml = collectionFilms(
        " <entry id=\"1\">\n"
        "  <title>L'Été des Lucioles</title><origtitle>Summer of Fireflies</origtitle>\n"
        "  <medium>DVD</medium><year>2004</year><running-time>112</running-time>\n"
        "  <genres><genre>Drame</genre><genre>Comédie</genre></genres>\n"
        "  <nationalitys><nationality>France</nationality><nationality>Canada</nationality>"
        "</nationalitys>\n"
        "  <casts><cast><column>Zoé Lefèvre</column><column>Anaïs</column></cast>"
        "<cast><column>François Côté</column><column>Rémi</column></cast></casts>\n"
        "  <directors><director>Émile Bélanger</director></directors>\n"
        "  <studios><studio>Films Québécois</studio><studio>Lucioles Inc.</studio></studios>\n"
        "  <keywords><keyword>été</keyword></keywords>\n"
        "  <plot>Un été à Québec.&lt;br/&gt;Deux enfants &amp;amp; un &lt;i&gt;chien&lt;/i&gt;."
        "</plot>\n"
        "  <rating>4</rating><loaned>true</loaned>\n"
        "  <cover>5d41402abc4b2a76b9719d911017c592.jpeg</cover>\n"
        "  <comments>Très émouvant &amp; drôle</comments>\n"
        " </entry>\n"
        " <images><image id=\"5d41402abc4b2a76b9719d911017c592.jpeg\" format=\"JPEG\" "
        "width=\"300\" height=\"428\"/></images>");
    const QString tc =
        ecrireZip(dossier.chemin(u"films.tc"_s),
                  {{"tellico.xml", xml}, {"images/5d41402abc4b2a76b9719d911017c592.jpeg", k_jpeg}});

    Import import = importer(tc);
    EXPECT_EQ(import.format, Format::Tellico);
    const TFicheFilm &fiche = seule(import);
    EXPECT_EQ(fiche.idFilm(), u"L'ÉTé DES LUCIOLES"_s); // only a to z in capitals, as typed
    EXPECT_EQ(fiche.titreFrancais(), u"L'Été des Lucioles"_s);
    EXPECT_EQ(fiche.titreOriginal(), u"Summer of Fireflies"_s);
    EXPECT_EQ(fiche.annee(), u"2004"_s);
    EXPECT_EQ(fiche.duree(), u"112 min"_s);
    EXPECT_EQ(fiche.genres(), (QStringList{u"Drame"_s, u"Comédie"_s}));
    EXPECT_EQ(fiche.nationnalites(), (QStringList{u"France"_s, u"Canada"_s}));
    EXPECT_EQ(fiche.acteurs(), (QStringList{u"Zoé Lefèvre"_s, u"François Côté"_s}));
    EXPECT_EQ(fiche.realisateurs(), QStringList{u"Émile Bélanger"_s});
    EXPECT_EQ(fiche.distributeurFR(), u"Films Québécois, Lucioles Inc."_s);
    EXPECT_EQ(fiche.motsCles(), QStringList{u"été"_s});
    EXPECT_EQ(fiche.resume(), u"Un été à Québec.\nDeux enfants & un chien."_s);
    EXPECT_EQ(fiche.commentaire(), u"Très émouvant & drôle"_s);
    EXPECT_EQ(fiche.typeSupport(), u"DVD"_s);
    EXPECT_EQ(fiche.niveauPreference(), 8); // 4 of 5
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\L'ÉTé DES LUCIOLES.jpeg"_s);
    ASSERT_EQ(import.couvertures.size(), 1u);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Archive);
    EXPECT_TRUE(import.illisibles.isEmpty());
    EXPECT_TRUE(import.remarques.isEmpty());

    // The cover lands in IMAGES_FILMS under the card's name.
    Dossier programme;
    const auto copie = AutresCatalogues::copierCouvertures(import, programme.chemin(u""_s));
    EXPECT_EQ(copie.ecrits, QStringList{fiche.cheminImage()});
    EXPECT_EQ(lireFichier(programme.chemin(u"IMAGES_FILMS/L'ÉTé DES LUCIOLES.jpeg"_s)), k_jpeg);
    // A second copy finds the file there and leaves it.
    const auto encore = AutresCatalogues::copierCouvertures(import, programme.chemin(u""_s));
    EXPECT_TRUE(encore.ecrits.isEmpty());
    ASSERT_EQ(encore.echecs.size(), 1);
    EXPECT_TRUE(encore.echecs[0].raison.contains(u"existe déjà"_s));
    EXPECT_EQ(import.fiches[0]->cheminImage(), u"-"_s);
}

TEST(AutresCatalogues, TellicoSansLesChampsAbsentsGardeCeuxDUneFicheNeuve)
{
    Dossier dossier;
    const QString fichier = dossier.ecrire(
        u"films.xml"_s, collectionFilms(" <entry id=\"7\"><title>Brazil</title></entry>"));
    const Import import = importer(fichier);
    const TFicheFilm &fiche = seule(import);
    EXPECT_EQ(fiche.idFilm(), u"BRAZIL"_s);
    EXPECT_EQ(fiche.annee(), u"-"_s);
    EXPECT_EQ(fiche.duree(), u"-"_s);
    EXPECT_EQ(fiche.resume(), u"-"_s);
    EXPECT_EQ(fiche.cheminImage(), u"-"_s);
    EXPECT_EQ(fiche.niveauPreference(), 5);
    EXPECT_EQ(fiche.nomSupport(), u"DVD Brazil"_s);
    EXPECT_TRUE(fiche.genres().isEmpty());
}

TEST(AutresCatalogues, TellicoEnXmlSimpleAvecImageInclueEtAutreEchelle)
{
    Dossier dossier;
    const QByteArray xml = tellico(
        "<collection title=\"Films\" type=\"3\"><fields><field name=\"_default\"/>"
        "<field name=\"rating\" title=\"Note\" type=\"14\"><prop name=\"maximum\">10</prop>"
        "<prop name=\"minimum\">1</prop></field>"
        "<field name=\"titre-vo\" title=\"Titre original\" type=\"1\"/></fields>"
        "<entry id=\"1\"><title>Brazil</title><titre-vo>Brazil VO</titre-vo><rating>7</rating>"
        "<cover>abc.png</cover></entry>"
        "<images><image id=\"abc.png\" format=\"PNG\">" +
        k_jpeg.toBase64() + "</image></images></collection>");
    const Import import = importer(dossier.ecrire(u"films.tc"_s, xml));
    const TFicheFilm &fiche = seule(import);
    EXPECT_EQ(fiche.niveauPreference(), 7);
    EXPECT_EQ(fiche.titreOriginal(), u"Brazil VO"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\BRAZIL.png"_s);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Incluse);
    EXPECT_EQ(import.couvertures[0].octets, k_jpeg);
}

TEST(AutresCatalogues, TellicoImagesDansLeDossierVoisinEtNomsSuspects)
{
    Dossier dossier;
    dossier.ecrire(u"films_files/a.jpeg"_s, k_jpeg);
    const QString fichier = dossier.ecrire(
        u"films.tc"_s, collectionFilms("<entry id=\"1\"><title>Alpha</title><cover>a.jpeg</cover>"
                                       "</entry>"
                                       "<entry id=\"2\"><title>Beta</title>"
                                       "<cover>../../secret.jpeg</cover></entry>"
                                       "<entry id=\"3\"><title>Gamma</title>"
                                       "<cover>perdue.jpeg</cover></entry>"));
    const Import import = importer(fichier);
    ASSERT_EQ(import.fiches.size(), 3u);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Fichier);
    EXPECT_EQ(import.couvertures[0].chemin, dossier.chemin(u"films_files/a.jpeg"_s));
    EXPECT_EQ(import.couvertures[1].source, Couverture::Source::Aucune);
    EXPECT_EQ(import.fiches[1]->cheminImage(), u"-"_s);
    EXPECT_EQ(import.couvertures[2].source, Couverture::Source::Aucune);
    ASSERT_EQ(import.remarques.size(), 2);
    EXPECT_EQ(import.remarques[0].entree, u"entrée 2 (Beta)"_s);
    EXPECT_EQ(import.remarques[1].entree, u"entrée 3 (Gamma)"_s);
}

TEST(AutresCatalogues, TellicoDAutreChoseQueDesFilmsEstRefuse)
{
    Dossier dossier;
    const QString livres = dossier.ecrire(
        u"livres.tc"_s, tellico("<collection title=\"Livres\" type=\"2\"><entry id=\"1\">"
                                "<title>Germinal</title></entry></collection>"));
    EXPECT_EQ(erreurImport(livres), u"Le fichier livres.tc est une collection Tellico de livres, "
                                    u"pas de films : rien n'est importé."_s);
}

// ---------------------------------------------------------------------------------------------
// GCstar

TEST(AutresCatalogues, GCstarDonneChaqueChamp)
{
    Dossier dossier;
    dossier.ecrire(u".films_pictures/L__t__des_Lucioles_0.jpg"_s, k_jpeg);
    const QString fichier = dossier.ecrire(
        u"films.gcs"_s,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<collection type=\"GCfilms\" items=\"3\" version=\"1.7.0\">\n"
        " <information><maxId>3</maxId></information>\n"
        " <item id=\"1\" title=\"L'Été des Lucioles\" original=\"Summer of Fireflies\" "
        "date=\"12/05/2004\" time=\"1h52\" director=\"Émile Bélanger, Luc Côté\" "
        "image=\".films_pictures/L__t__des_Lucioles_0.jpg\" format=\"Blu-ray\" rating=\"7\" "
        "trailer=\"file:///films/L%27%C3%89t%C3%A9.mkv\" seen=\"1\">\n"
        "  <synopsis>&lt;p&gt;Un &lt;b&gt;été&lt;/b&gt; à Québec&lt;/p&gt;&lt;p&gt;Deux "
        "enfants&amp;nbsp;!&lt;/p&gt;</synopsis>\n"
        "  <comment>Très émouvant &amp; drôle</comment>\n"
        "  <genre><line><col>Drame</col></line><line><col>Comédie</col></line></genre>\n"
        "  <country><line><col>France</col></line><line><col>Canada</col></line></country>\n"
        "  <actors><line><col>Zoé Lefèvre</col><col>Anaïs</col></line></actors>\n"
        "  <tags><line><col>été</col></line></tags>\n"
        " </item>\n"
        " <item id=\"2\" title=\"Brazil\" date=\"1985\" time=\"142 mins\" genre=\"Drama, Comedy\" "
        "actors=\"Jonathan Pryce (Sam), Robert De Niro (Tuttle)\" image=\"../ailleurs.jpg\"/>\n"
        " <item id=\"3\" title=\"Sans image\" image=\"images/no.png\"/>\n"
        "</collection>\n");
    const Import import = importer(fichier);
    EXPECT_EQ(import.format, Format::GCstar);
    ASSERT_EQ(import.fiches.size(), 3u);
    const TFicheFilm &ete = *import.fiches[0];
    EXPECT_EQ(ete.titreOriginal(), u"Summer of Fireflies"_s);
    EXPECT_EQ(ete.annee(), u"2004"_s);
    EXPECT_EQ(ete.duree(), u"112 min"_s);
    EXPECT_EQ(ete.realisateurs(), (QStringList{u"Émile Bélanger"_s, u"Luc Côté"_s}));
    EXPECT_EQ(ete.resume(), u"Un été à Québec\nDeux enfants !"_s);
    EXPECT_EQ(ete.commentaire(), u"Très émouvant & drôle"_s);
    EXPECT_EQ(ete.genres(), (QStringList{u"Drame"_s, u"Comédie"_s}));
    EXPECT_EQ(ete.nationnalites(), (QStringList{u"France"_s, u"Canada"_s}));
    EXPECT_EQ(ete.acteurs(), QStringList{u"Zoé Lefèvre"_s});
    EXPECT_EQ(ete.motsCles(), QStringList{u"été"_s});
    EXPECT_EQ(ete.typeSupport(), u"Blu-ray"_s);
    EXPECT_EQ(ete.niveauPreference(), 7);
    EXPECT_EQ(ete.cheminFichier(), u"/films/L'Été.mkv"_s);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Fichier);
    EXPECT_EQ(ete.cheminImage(), u"IMAGES_FILMS\\L'ÉTé DES LUCIOLES.jpg"_s);

    // An older file's lists in attributes; a picture outside the folder is not taken.
    const TFicheFilm &brazil = *import.fiches[1];
    EXPECT_EQ(brazil.duree(), u"142 min"_s);
    EXPECT_EQ(brazil.genres(), (QStringList{u"Drama"_s, u"Comedy"_s}));
    EXPECT_EQ(brazil.acteurs(), (QStringList{u"Jonathan Pryce"_s, u"Robert De Niro"_s}));
    EXPECT_EQ(import.couvertures[1].source, Couverture::Source::Aucune);
    ASSERT_EQ(import.remarques.size(), 1);
    EXPECT_EQ(import.remarques[0].entree, u"entrée 2 (Brazil)"_s);
    EXPECT_TRUE(import.remarques[0].raison.contains(u"hors du dossier"_s));
    // GCstar's "no picture" is no picture, and no remark.
    EXPECT_EQ(import.couvertures[2].source, Couverture::Source::Aucune);
}

TEST(AutresCatalogues, GCstarDUnAutreModeleEstRefuse)
{
    Dossier dossier;
    const QString fichier =
        dossier.ecrire(u"livres.gcs"_s, "<collection type=\"GCbooks\"><item id=\"1\" "
                                        "title=\"Germinal\"/></collection>");
    EXPECT_TRUE(erreurImport(fichier).contains(u"collection GCstar « GCbooks », pas de films"_s));
}

// ---------------------------------------------------------------------------------------------
// Ant Movie Catalog

namespace {

QByteArray catalogueAnt(const QString &films, const char *declaration)
{
    const QString texte = u"<?xml version=\"1.0\" encoding=\""_s + QLatin1StringView(declaration) +
                          u"\"?>\n<AntMovieCatalog Format=\"42\" Version=\"4.2.3 (2023-05-19)\" "
                          u"Date=\"02/03/2024 20:15:00\">\n <Catalog><Properties Owner=\"Anne\"/>"
                          u"<Contents>\n"_s +
                          films + u"\n </Contents></Catalog>\n</AntMovieCatalog>\n"_s;
    return Windows1252::encoder(texte);
}

const QString k_filmAnt =
    u"<Movie Number=\"1\" Checked=\"True\" MediaLabel=\"DVD-001\" MediaType=\"DVD\" "
    u"Date=\"2024-03-02\" Borrower=\"Hélène\" Rating=\"7,5\" OriginalTitle=\"Summer of "
    u"Fireflies\" TranslatedTitle=\"L'Été des Lucioles\" Director=\"Émile Bélanger\" "
    u"Actors=\"Zoé Lefèvre (Anaïs)|François Côté (Rémi)\" Country=\"France, Canada\" "
    u"Year=\"2004\" Length=\"112\" Category=\"Drame, Comédie\" Description=\"Un été à "
    u"Québec.|Deux enfants…\" Comments=\"Très émouvant &amp; drôle\" VideoFormat=\"XviD\" "
    u"FilePath=\"D:\\Films\\L'Été des Lucioles.mkv\" Picture=\"films.xml_pics\\films_1.jpg\"/>"_s;

} // namespace

TEST(AutresCatalogues, AntMovieCatalogEnWindows1252DonneChaqueChamp)
{
    Dossier dossier;
    dossier.ecrire(u"films.xml_pics/films_1.jpg"_s, k_jpeg);
    const QString fichier = dossier.ecrire(
        u"films.xml"_s,
        catalogueAnt(k_filmAnt + u"\n<Movie Number=\"2\" OriginalTitle=\"Brazil\" "
                                 u"UserRating=\"9\" Rating=\"3\" Picture=\"C:\\Images\\b.jpg\"/>"_s,
                     "windows-1252"));
    const Import import = importer(fichier);
    EXPECT_EQ(import.format, Format::AntMovieCatalog);
    ASSERT_EQ(import.fiches.size(), 2u);
    const TFicheFilm &ete = *import.fiches[0];
    EXPECT_EQ(ete.titreFrancais(), u"L'Été des Lucioles"_s);
    EXPECT_EQ(ete.titreOriginal(), u"Summer of Fireflies"_s);
    EXPECT_EQ(ete.realisateurs(), QStringList{u"Émile Bélanger"_s});
    EXPECT_EQ(ete.acteurs(), (QStringList{u"Zoé Lefèvre"_s, u"François Côté"_s}));
    EXPECT_EQ(ete.nationnalites(), (QStringList{u"France"_s, u"Canada"_s}));
    EXPECT_EQ(ete.genres(), (QStringList{u"Drame"_s, u"Comédie"_s}));
    EXPECT_EQ(ete.resume(), u"Un été à Québec.\nDeux enfants…"_s);
    EXPECT_EQ(ete.commentaire(), u"Très émouvant & drôle"_s);
    EXPECT_EQ(ete.annee(), u"2004"_s);
    EXPECT_EQ(ete.duree(), u"112 min"_s);
    EXPECT_EQ(ete.niveauPreference(), 8); // 7,5 rounded
    EXPECT_EQ(ete.nomSupport(), u"DVD-001"_s);
    EXPECT_EQ(ete.typeSupport(), u"DVD"_s);
    EXPECT_EQ(ete.codec(), u"XviD"_s);
    EXPECT_EQ(ete.cheminFichier(), u"D:\\Films\\L'Été des Lucioles.mkv"_s);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Fichier);
    EXPECT_EQ(import.couvertures[0].chemin, dossier.chemin(u"films.xml_pics/films_1.jpg"_s));

    // Without a French title the original one names the card; the owner's rating comes first; a
    // picture on another drive is not taken.
    const TFicheFilm &brazil = *import.fiches[1];
    EXPECT_EQ(brazil.idFilm(), u"BRAZIL"_s);
    EXPECT_EQ(brazil.niveauPreference(), 9);
    EXPECT_EQ(brazil.cheminImage(), u"-"_s);
    ASSERT_EQ(import.remarques.size(), 1);
    EXPECT_TRUE(import.remarques[0].raison.contains(u"C:\\Images\\b.jpg"_s));
}

TEST(AutresCatalogues, LEncodageDeclareOuDevineDonneLesMemesAccents)
{
    // Declared as Windows-1252 or Latin-1, or not declared at all, or UTF-8: the same letters.
    const QString film = u"<Movie Number=\"1\" TranslatedTitle=\"Été œuvre “citée”\"/>"_s;
    const QByteArray utf8 = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><AntMovieCatalog>"
                            u"<Catalog><Contents>"_s.toUtf8() +
                            film.toUtf8() + "</Contents></Catalog></AntMovieCatalog>";
    QByteArray sansDeclaration = catalogueAnt(film, "windows-1252");
    sansDeclaration.remove(0, sansDeclaration.indexOf('\n') + 1);
    const QByteArray fichiers[] = {catalogueAnt(film, "windows-1252"),
                                   catalogueAnt(film, "ISO-8859-1"), sansDeclaration, utf8,
                                   "\xEF\xBB\xBF" + utf8};
    Dossier dossier;
    for (const QByteArray &octets : fichiers) {
        const Import import =
            AutresCatalogues::importerOctets(octets, dossier.chemin(u"films.xml"_s), aucune);
        ASSERT_EQ(import.fiches.size(), 1u) << octets.toStdString();
        EXPECT_EQ(import.fiches[0]->titreFrancais(), u"Été œuvre “citée”"_s)
            << octets.toStdString();
    }
}

// ---------------------------------------------------------------------------------------------
// Kodi

TEST(AutresCatalogues, KodiVideodbDonneLesFilmsEtLaisseLesSeries)
{
    Dossier dossier;
    dossier.ecrire(u"movies/ete-poster.jpg"_s, k_jpeg);
    const QString fichier = dossier.ecrire(
        u"videodb.xml"_s,
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<videodb>\n"
        " <version>1</version>\n"
        " <movie>\n"
        "  <title>L'Été des Lucioles</title><originaltitle>Summer of Fireflies</originaltitle>\n"
        "  <ratings><rating name=\"themoviedb\" max=\"5\" default=\"true\"><value>4.0</value>"
        "<votes>12</votes></rating></ratings>\n"
        "  <plot><![CDATA[Un <b>été</b> à Québec…<br>Deux "
        "enfants.]]></plot><runtime>112</runtime>\n"
        "  <genre>Drame / Comédie</genre><country>France</country><country>Canada</country>\n"
        "  <director>Émile Bélanger</director><year>1999</year><premiered>2004-05-12</premiered>\n"
        "  <studio>Films Québécois</studio><tag>DVD</tag>\n"
        "  <actor><name>Zoé Lefèvre</name><role>Anaïs</role><order>0</order></actor>\n"
        "  <filenameandpath>/films/L'Été des Lucioles.mkv</filenameandpath>\n"
        "  <art><poster>movies/ete-poster.jpg</poster></art>\n"
        " </movie>\n"
        " <movie><title>Brazil</title><userrating>9</userrating><year>1985</year>"
        "<path>/films/</path><file>Brazil.mkv</file>"
        "<thumb aspect=\"poster\">http://exemple.invalid/brazil.jpg</thumb></movie>\n"
        " <tvshow><title>Les Revenants</title></tvshow>\n"
        " <paths><path><url>/films/</url></path></paths>\n"
        "</videodb>\n");
    const Import import = importer(fichier);
    EXPECT_EQ(import.format, Format::Kodi);
    ASSERT_EQ(import.fiches.size(), 2u);
    const TFicheFilm &ete = *import.fiches[0];
    EXPECT_EQ(ete.titreOriginal(), u"Summer of Fireflies"_s);
    EXPECT_EQ(ete.annee(), u"2004"_s);    // premiered rather than year
    EXPECT_EQ(ete.niveauPreference(), 8); // 4 of 5
    EXPECT_EQ(ete.resume(), u"Un été à Québec…\nDeux enfants."_s);
    EXPECT_EQ(ete.duree(), u"112 min"_s);
    EXPECT_EQ(ete.genres(), (QStringList{u"Drame"_s, u"Comédie"_s}));
    EXPECT_EQ(ete.nationnalites(), (QStringList{u"France"_s, u"Canada"_s}));
    EXPECT_EQ(ete.distributeurFR(), u"Films Québécois"_s);
    EXPECT_EQ(ete.motsCles(), QStringList{u"DVD"_s});
    EXPECT_EQ(ete.acteurs(), QStringList{u"Zoé Lefèvre"_s});
    EXPECT_EQ(ete.cheminFichier(), u"/films/L'Été des Lucioles.mkv"_s);
    EXPECT_EQ(import.couvertures[0].source, Couverture::Source::Fichier);

    const TFicheFilm &brazil = *import.fiches[1];
    EXPECT_EQ(brazil.niveauPreference(), 9);
    EXPECT_EQ(brazil.annee(), u"1985"_s);
    EXPECT_EQ(brazil.cheminFichier(), u"/films/Brazil.mkv"_s);
    EXPECT_EQ(import.couvertures[1].source, Couverture::Source::Aucune); // never fetched

    ASSERT_EQ(import.illisibles.size(), 1);
    EXPECT_EQ(import.illisibles[0].entree, u"« Les Revenants »"_s);
    EXPECT_EQ(import.illisibles[0].raison, u"une série, pas un film"_s);
}

// ---------------------------------------------------------------------------------------------
// Identifiers: what is there already, what repeats, remakes

TEST(AutresCatalogues, DejaPresentsRepetesRemakesEtEntreesSansTitre)
{
    Dossier dossier;
    const QString fichier = dossier.ecrire(
        u"films.gcs"_s, "<collection type=\"GCfilms\">"
                        "<item id=\"1\" title=\"Nosferatu\" date=\"1979\"/>"
                        "<item id=\"2\" title=\"Brazil\" date=\"1985\"/>"
                        "<item id=\"3\" title=\"Alien\" date=\"1979\"/>"
                        "<item id=\"4\" title=\"alien\" date=\"1979\"/>"
                        "<item id=\"5\" title=\"Alien\" date=\"2079\"/>"
                        "<item id=\"6\" date=\"2001\"/>"
                        "<item id=\"7\" title=\"Solaris\"/><item id=\"8\" title=\"Solaris\"/>"
                        "</collection>");
    auto nosferatu = ficheSimple(u"NOSFERATU"_s);
    nosferatu->setAnnee(u"1922"_s);
    auto brazil = ficheSimple(u"BRAZIL"_s);
    brazil->setAnnee(u"1985"_s);
    const QHash<QString, const TFicheFilm *> catalogue = {{u"NOSFERATU"_s, nosferatu.get()},
                                                          {u"BRAZIL"_s, brazil.get()}};
    const Import import = importer(fichier, [&](const QString &id) { return catalogue.value(id); });
    QStringList ids;
    for (const auto &fiche : import.fiches)
        ids.append(fiche->idFilm());
    EXPECT_EQ(ids,
              (QStringList{u"NOSFERATU (1979)"_s, u"ALIEN"_s, u"ALIEN (2079)"_s, u"SOLARIS"_s}));
    EXPECT_EQ(import.fiches[0]->titreFrancais(), u"Nosferatu"_s);
    EXPECT_EQ(import.dejaPresents, QStringList{u"BRAZIL"_s});
    EXPECT_EQ(import.repetes, (QStringList{u"ALIEN"_s, u"SOLARIS"_s}));
    ASSERT_EQ(import.illisibles.size(), 1);
    EXPECT_EQ(import.illisibles[0].entree, u"entrée 6"_s);
    EXPECT_EQ(import.illisibles[0].raison, u"l'entrée n'a pas de titre"_s);
}

// ---------------------------------------------------------------------------------------------
// Bad input: a clear message, nothing read

TEST(AutresCatalogues, FichiersRefusesAvecUnMessageClair)
{
    Dossier dossier;
    const struct
    {
        const char *nom;
        QByteArray octets;
        const char16_t *message;
    } lignes[] = {
        {"vide.xml", " \n ", u"Le fichier vide.xml est vide."},
        {"coupe.gcs", "<?xml version=\"1.0\"?>\n<collection type=\"GCfilms\">\n<item id=\"1\">",
         u"Le fichier coupe.gcs n'est pas un XML bien formé"},
        {"entites.xml",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE videodb [\n <!ENTITY xxe SYSTEM "
         "\"file:///etc/passwd\">\n]>\n<videodb><movie><title>&xxe;</title></movie></videodb>",
         u"Le fichier entites.xml déclare des entités XML (<!ENTITY …>) : Kinolux ne les lit pas, "
         u"et n'importe pas ce fichier."},
        {"rires.xml",
         "<!DOCTYPE tellico [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
         "<tellico><collection type=\"3\"><entry><title>&b;</title></entry></collection>"
         "</tellico>",
         u"déclare des entités XML"},
        {"doublon.gcs",
         "<collection type=\"GCfilms\"><item id=\"12\" title=\"A\"/><item id=\"12\" "
         "title=\"B\"/></collection>",
         u"Le fichier doublon.gcs est abîmé : deux entrées portent le numéro 12. Rien n'est "
         u"importé."},
        {"doublon.tc",
         collectionFilms("<entry id=\"3\"><title>A</title></entry><entry id=\"3\"><title>B</title>"
                         "</entry>"),
         u"deux entrées portent le numéro 3"},
        {"doublon.xml",
         catalogueAnt(u"<Movie Number=\"1\" TranslatedTitle=\"A\"/><Movie "
                      u"Number=\"1\" TranslatedTitle=\"B\"/>"_s,
                      "windows-1252"),
         u"deux entrées portent le numéro 1"},
        {"encodage.xml", "<?xml version=\"1.0\" encoding=\"x-inconnu\"?><videodb/>",
         u"est écrit en x-inconnu, un encodage que Kinolux ne lit pas"},
    };
    for (const auto &ligne : lignes) {
        const QString fichier = dossier.ecrire(QString::fromLatin1(ligne.nom), ligne.octets);
        const QString message = erreurImport(fichier);
        EXPECT_TRUE(message.contains(QString::fromUtf16(ligne.message)))
            << ligne.nom << ": " << message.toStdString();
    }
}

TEST(AutresCatalogues, UneArchiveQuiNEstPasDeTellicoEstRefusee)
{
    Dossier dossier;
    const QString autre =
        ecrireZip(dossier.chemin(u"photos.tc"_s), {{"images/a.jpeg", k_jpeg}, {"lisez.txt", "x"}});
    EXPECT_EQ(erreurImport(autre),
              u"Le fichier photos.tc est une archive zip sans collection "
              u"Tellico (tellico.xml) : ce n'est pas un fichier de Tellico."_s);
    const QString pasXml =
        ecrireZip(dossier.chemin(u"faux.tc"_s), {{"tellico.xml", "ceci n'est pas du XML"}});
    EXPECT_TRUE(erreurImport(pasXml).contains(u"n'est pas une collection Tellico"_s));
    // An old archive names its collection bookcase.xml.
    const QString ancienne = ecrireZip(
        dossier.chemin(u"ancien.tc"_s),
        {{"bookcase.xml", "<?xml version=\"1.0\"?><bookcase><collection type=\"3\"><entry "
                          "id=\"1\"><title>Brazil</title></entry></collection></bookcase>"}});
    EXPECT_EQ(seule(importer(ancienne)).idFilm(), u"BRAZIL"_s);
    // Bytes that begin like an archive and are none.
    const QString casse = dossier.ecrire(u"casse.tc"_s, "PK\x03\x04 tronqué"_ba);
    EXPECT_TRUE(erreurImport(casse).contains(u"n'est pas une archive zip lisible"_s));
}

TEST(AutresCatalogues, UneBombeZipEstRefuseeAvantDEtreDecompressee)
{
    Dossier dossier;
    // 1 GB of blanks in a few megabytes.
    const QString bombe =
        ecrireBombe(dossier.chemin(u"bombe.tc"_s), "tellico.xml", zip_uint64_t(1) << 30);
    EXPECT_LT(QFileInfo(bombe).size(), 16 << 20);
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_EQ(erreurImport(bombe), u"tellico.xml dans l'archive bombe.tc dépasse 256 Mo une fois "
                                   u"décompressé : il n'est pas lu."_s);
    EXPECT_LT(chrono.elapsed(), 1000);
}

TEST(AutresCatalogues, UneArchiveQuiMentSurSaTailleEstArreteeAuPlafond)
{
    Dossier dossier;
    // 8 MB that the archive says are 100 bytes: the cap is counted on what comes out.
    const QString bombe =
        ecrireBombe(dossier.chemin(u"bombe.zip"_s), "tellico.xml", zip_uint64_t(8) << 20);
    const QByteArray menteuse = mentirSurLaTaille(lireFichier(bombe), 100);
    const ArchiveZip archive(menteuse, u"menteuse.tc"_s);
    // libzip hands out what the data inflates to, past the size announced.
    EXPECT_EQ(texteErreur([&] { archive.lire(u"tellico.xml"_s, 1 << 20); }),
              u"tellico.xml dans l'archive menteuse.tc dépasse 1 Mo une fois décompressé : il "
              u"n'est pas lu."_s);
    // The honest archive is read whole under a cap that fits it.
    const ArchiveZip honnete(lireFichier(bombe), u"honnete.tc"_s);
    EXPECT_EQ(honnete.lire(u"tellico.xml"_s, 16 << 20).size(), 8 << 20);
}

TEST(AutresCatalogues, CentMilleEntreesSontLues)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<collection type=\"GCfilms\">\n";
    constexpr int k_nombre = 100000;
    for (int i = 0; i < k_nombre; ++i)
        xml += "<item id=\"" + QByteArray::number(i) + "\" title=\"Film " + QByteArray::number(i) +
               "\" date=\"1990\" time=\"90 min\"><synopsis>Une histoire.</synopsis>"
               "<genre><line><col>Drame</col></line></genre></item>\n";
    xml += "</collection>\n";
    Dossier dossier;
    QElapsedTimer chrono;
    chrono.start();
    const Import import = importer(dossier.ecrire(u"films.gcs"_s, xml));
    EXPECT_EQ(import.fiches.size(), size_t(k_nombre));
    EXPECT_EQ(import.fiches.back()->idFilm(), u"FILM 99999"_s);
    EXPECT_LT(chrono.elapsed(), 20000);
}

// ---------------------------------------------------------------------------------------------
// HTML as plain text

TEST(AutresCatalogues, LeTexteBrutDUnHtml)
{
    const struct
    {
        const char16_t *html;
        const char16_t *texte;
    } lignes[] = {
        {u"Sans balise", u"Sans balise"},
        {u"Un<br>deux<br/>trois<BR />quatre", u"Un\ndeux\ntrois\nquatre"},
        {u"<p>Premier</p><p>Second</p>", u"Premier\nSecond"},
        {u"<b>Gras</b> et <i class=\"x\">penché</i>", u"Gras et penché"},
        {u"A &amp; B &lt;C&gt; &quot;D&quot; &eacute;t&eacute;", u"A & B <C> \"D\" été"},
        {u"&#233;t&#xE9; &#128512;", u"été 😀"},
        {u"a < b et 3<4, &inconnu; & &", u"a < b et 3<4, &inconnu; & &"},
        {u"Un<br><br><br><br>deux  <br>", u"Un\n\ndeux"},
        {u"<div>Liste :<ul><li>un</li><li>deux</li></ul></div>", u"Liste :\nun\ndeux"},
        {u"  <p>  </p>Texte<p></p>  ", u"Texte"},
    };
    for (const auto &ligne : lignes)
        EXPECT_EQ(AutresCatalogues::texteBrut(QString::fromUtf16(ligne.html)),
                  QString::fromUtf16(ligne.texte))
            << QString::fromUtf16(ligne.html).toStdString();
}

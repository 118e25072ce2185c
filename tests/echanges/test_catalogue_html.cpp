#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "coversite/DonneesDemo.h"
#include "echanges/CatalogueHtml.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/LimiteTailleFichiers.h"

#include <QCollator>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <atomic>
#include <cstring>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

TFicheFilm fiche(const QString &id, const QString &titre)
{
    TFicheFilm nouvelle = *ChampsFiche::nouvelleFiche(id, titre);
    nouvelle.setTitreFrancais(titre);
    return nouvelle;
}

std::vector<TFicheFilm> films(int nombre)
{
    std::vector<TFicheFilm> liste;
    for (int i = 0; i < nombre; ++i)
        liste.push_back(fiche(QString::number(i), u"Film « %1 » & co"_s.arg(i)));
    return liste;
}

// An export into `catalogue` in a temporary folder.
struct Export
{
    QTemporaryDir parent;
    std::vector<TFicheFilm> fiches;
    std::vector<QString> couvertures;
    std::function<QImage(const QString &, int)> vignette;

    QString dossier() const { return parent.filePath(u"catalogue"_s); }
    QString fichier(const QString &nom) const { return dossier() + u'/' + nom; }
    void exporter(Progression &&progression = {}) { exporter(progression); }
    void exporter(Progression &progression)
    {
        couvertures.resize(fiches.size());
        CatalogueHtml::exporter({&fiches, &couvertures, vignette}, dossier(), progression);
    }
    // The export alone: nothing left beside it.
    QStringList contenuParent() const
    {
        return QDir(parent.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

QStringList arbre(const QString &dossier)
{
    QStringList fichiers;
    QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        fichiers.append(QDir(dossier).relativeFilePath(it.next()));
    fichiers.sort();
    return fichiers;
}

// The pages are XHTML: parsing them as XML checks that they are well-formed and reads them as a
// browser shows them (entities resolved once).
pugi::xml_document lirePage(const QString &chemin)
{
    pugi::xml_document page;
    const QByteArray octets = lireFichier(chemin);
    const auto resultat = page.load_buffer(octets.constData(), size_t(octets.size()));
    EXPECT_TRUE(resultat) << chemin.toStdString() << ": " << resultat.description();
    return page;
}

// The text a browser shows for the first element that `xpath` finds.
QString texte(const pugi::xml_node &element)
{
    QString resultat;
    for (pugi::xml_node n = element.first_child(); n; n = n.next_sibling())
        resultat += n.type() == pugi::node_pcdata ? QString::fromUtf8(n.value()) : texte(n);
    return resultat;
}
QString texte(const pugi::xml_node &racine, const char *xpath)
{
    return texte(racine.select_node(xpath).node());
}
QStringList textes(const pugi::xml_node &racine, const char *xpath)
{
    QStringList liste;
    for (const pugi::xpath_node &noeud : racine.select_nodes(xpath))
        liste.append(texte(noeud.node()));
    return liste;
}
QString attribut(const pugi::xml_node &racine, const char *xpath, const char *nom)
{
    return QString::fromUtf8(racine.select_node(xpath).node().attribute(nom).value());
}

// The value shown for a field on a film page, by its label.
QString champPage(const pugi::xml_document &page, ChampsFiche::Champ champ)
{
    const QByteArray libelle = ChampsFiche::libelle(champ).toUtf8();
    for (const pugi::xpath_node &dt : page.select_nodes("//dl[@class='champs']/dt")) {
        if (std::strcmp(dt.node().child_value(), libelle.constData()) == 0)
            return texte(dt.node().next_sibling("dd"));
    }
    ADD_FAILURE() << "no field " << libelle.toStdString();
    return {};
}

} // namespace

TEST(CatalogueHtml, LIndexTientChaqueFilmDansLOrdreDonneAvecLesAncresDesLettres)
{
    Export e;
    // The caller's order, whatever it is; each film is filed under its title's first letter.
    e.fiches = {fiche(u"1"_s, u"12 hommes en colère"_s),
                fiche(u"2"_s, u"  Été meurtrier"_s),
                fiche(u"3"_s, u"Amélie"_s),
                fiche(u"4"_s, u"éclair"_s),
                fiche(u"5"_s, u"Œdipe roi"_s),
                fiche(u"6"_s, u"« Z »"_s),
                fiche(u"7"_s, u"zazie"_s)};
    e.fiches[2].setAnnee(u"2001"_s);
    e.fiches[2].setGenres({u"Comédie"_s, u"Romance"_s});
    e.fiches[2].setRealisateurs({u"Jean-Pierre Jeunet"_s});
    e.fiches[2].setNiveauPreference(9);
    Progression progression;
    e.exporter(progression);
    EXPECT_EQ(arbre(e.dossier()),
              QStringList({u"catalogue.css"_s, u"fiches/00001.html"_s, u"fiches/00002.html"_s,
                           u"fiches/00003.html"_s, u"fiches/00004.html"_s, u"fiches/00005.html"_s,
                           u"fiches/00006.html"_s, u"fiches/00007.html"_s, u"index.html"_s}));
    EXPECT_TRUE(QFileInfo(e.fichier(u"couvertures"_s)).isDir());
    EXPECT_EQ(e.contenuParent(), QStringList{u"catalogue"_s});
    EXPECT_EQ(progression.fait(), progression.total());

    const pugi::xml_document index = lirePage(e.fichier(u"index.html"_s));
    QStringList titres;
    for (const TFicheFilm &f : e.fiches)
        titres.append(f.titreFrancais());
    EXPECT_EQ(textes(index, "//tbody/tr/td[@class='titre']"), titres);
    EXPECT_EQ(attribut(index, "//tbody/tr[7]/td[@class='titre']/a", "href"),
              u"fiches/00007.html"_s);
    EXPECT_EQ(textes(index, "//tbody/tr[3]/td"),
              QStringList({QString(), u"Amélie"_s, u"2001"_s, u"Comédie, Romance"_s,
                           u"Jean-Pierre Jeunet"_s, u"9"_s}));

    // A letter with films leads to the row of its first film; the others are not links.
    QMap<QString, QString> liens;
    for (const pugi::xpath_node &a : index.select_nodes("//div[@class='lettres']/a"))
        liens.insert(texte(a.node()), QString::fromUtf8(a.node().attribute("href").value()));
    const QMap<QString, QString> attendus{{u"#"_s, u"#f00001"_s},
                                          {u"E"_s, u"#f00002"_s},
                                          {u"A"_s, u"#f00003"_s},
                                          {u"O"_s, u"#f00005"_s},
                                          {u"Z"_s, u"#f00007"_s}};
    EXPECT_EQ(liens, attendus) << "« Z » goes under #, zazie under Z, éclair after Été";
    EXPECT_EQ(textes(index, "//div[@class='lettres']/span").size(), 27 - attendus.size());
    for (const QString &cible : attendus)
        EXPECT_TRUE(index.select_node(("//tr[@id='" + cible.mid(1).toUtf8() + "']").constData()));

    // Nothing from outside: every link and picture is in the folder, the style sheet too.
    for (const pugi::xpath_node &lien : index.select_nodes("//@href | //@src"))
        EXPECT_FALSE(QByteArray(lien.attribute().value()).contains(':'))
            << lien.attribute().value();
    EXPECT_EQ(attribut(index, "//link[@rel='stylesheet']", "href"), u"catalogue.css"_s);
    const QByteArray css = lireFichier(e.fichier(u"catalogue.css"_s));
    EXPECT_FALSE(css.contains("url(") || css.contains("@import") || css.contains("@font-face"));
    EXPECT_TRUE(lireFichier(e.fichier(u"index.html"_s)).contains("charset=UTF-8"));
}

TEST(CatalogueHtml, LesCaracteresParticuliersParaissentTelsQuels)
{
    Export e;
    const QString titre = u"<b>Tom & \"Jerry\"</b> l'été &amp; <script>alert(1)</script>"_s;
    const QString resume = u"Première ligne\nSeconde <script>alert('x')</script> ligne"_s;
    e.fiches = {fiche(u"<id> & \"'"_s, titre)};
    e.fiches[0].setResume(resume);
    e.fiches[0].setActeurs({u"Zoé & Léo"_s, u"<Anonyme>"_s});
    e.exporter();

    const pugi::xml_document index = lirePage(e.fichier(u"index.html"_s));
    EXPECT_EQ(texte(index, "//td[@class='titre']"), titre);
    EXPECT_EQ(index.select_nodes("//script").size(), 1u) << "only the sort script";
    EXPECT_FALSE(index.select_node("//b"));

    const pugi::xml_document page = lirePage(e.fichier(u"fiches/00001.html"_s));
    EXPECT_EQ(texte(page, "//title"), titre + u" – Kinolux"_s);
    EXPECT_EQ(texte(page, "//h1"), titre);
    EXPECT_TRUE(page.select_nodes("//script").empty()) << "a summary holding <script> is text";
    EXPECT_EQ(champPage(page, ChampsFiche::Resume), resume) << "its line breaks kept";
    EXPECT_EQ(champPage(page, ChampsFiche::IdFilm), u"<id> & \"'"_s);
    EXPECT_EQ(champPage(page, ChampsFiche::Acteurs), u"Zoé & Léo, <Anonyme>"_s);

    const QByteArray octets = lireFichier(e.fichier(u"fiches/00001.html"_s));
    EXPECT_TRUE(octets.contains("l'été &amp;amp; &lt;script&gt;")) << "escaped once, in UTF-8";
    EXPECT_TRUE(lireFichier(e.fichier(u"catalogue.css"_s)).contains("white-space: pre-line"));
}

TEST(CatalogueHtml, UnePageMontreChaqueChampSousSonLibelle)
{
    Export e;
    TFicheFilm cleo(u"CLÉO DE 5 À 7"_s, u"Cléo de 5 à 7"_s, u"1962"_s, u"1h30"_s,
                    u"Une chanteuse attend."_s, u"Ciné-Tamaris"_s, u"Cléo from 5 to 7"_s,
                    {u"Agnès Varda"_s}, {u"France"_s, u"Italie"_s}, {u"Drame"_s},
                    {u"Corinne Marchand"_s, u"Antoine Bourseiller"_s}, {u"Paris"_s});
    cleo.setNiveauPreference(8);
    e.fiches = {fiche(u"A"_s, u"Avant"_s), cleo, fiche(u"C"_s, u"Après"_s)};
    e.exporter();

    const pugi::xml_document page = lirePage(e.fichier(u"fiches/00002.html"_s));
    QStringList libelles;
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
        libelles.append(ChampsFiche::libelle(static_cast<ChampsFiche::Champ>(c)));
    EXPECT_EQ(textes(page, "//dl[@class='champs']/dt"), libelles);
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c) {
        const auto champ = static_cast<ChampsFiche::Champ>(c);
        EXPECT_EQ(champPage(page, champ), ChampsFiche::enTexte(cleo, champ))
            << ChampsFiche::champ(champ).element;
    }
    EXPECT_EQ(attribut(page, "//a[@class='precedent']", "href"), u"../fiches/00001.html"_s);
    EXPECT_EQ(attribut(page, "//a[@class='suivant']", "href"), u"../fiches/00003.html"_s);
    EXPECT_EQ(attribut(page, "//a[@class='retour']", "href"), u"../index.html#f00002"_s);
    EXPECT_FALSE(
        lirePage(e.fichier(u"fiches/00001.html"_s)).select_node("//a[@class='precedent']"));
}

TEST(CatalogueHtml, LesCouverturesDeviennentDesVignettesOuLaCaseVide)
{
    Export e;
    QTemporaryDir images;
    QImage rouge(600, 900, QImage::Format_RGB32);
    rouge.fill(QColor(200, 30, 30));
    ASSERT_TRUE(rouge.save(images.filePath(u"rouge.jpg"_s)));
    QImage transparente(100, 150, QImage::Format_ARGB32);
    transparente.fill(Qt::transparent);
    ASSERT_TRUE(transparente.save(images.filePath(u"transparente.png"_s)));
    QFile html(images.filePath(u"page.jpg"_s));
    ASSERT_TRUE(html.open(QIODevice::WriteOnly) && html.write("<html>Not Found</html>") > 0);
    html.close();
    e.fiches = films(5);
    e.couvertures = {images.filePath(u"rouge.jpg"_s), images.filePath(u"transparente.png"_s),
                     images.filePath(u"absente.jpg"_s), html.fileName(), QString()};
    e.exporter();

    EXPECT_EQ(arbre(e.fichier(u"couvertures"_s)), QStringList({u"00001.jpg"_s, u"00002.jpg"_s}));
    QImageReader lecteur(e.fichier(u"couvertures/00001.jpg"_s));
    EXPECT_EQ(lecteur.format(), "jpeg");
    const QImage vignette = lecteur.read();
    EXPECT_EQ(vignette.height(), 256) << "scaled to the thumbnail height";
    EXPECT_NEAR(vignette.width(), 171, 1);
    EXPECT_NEAR(vignette.pixelColor(85, 128).red(), 200, 8);
    const QImage claire(e.fichier(u"couvertures/00002.jpg"_s));
    EXPECT_EQ(claire.size(), QSize(100, 150)) << "a small cover is not enlarged";
    EXPECT_GT(claire.pixelColor(50, 75).lightness(), 230) << "transparency on cream, not black";

    const pugi::xml_document index = lirePage(e.fichier(u"index.html"_s));
    for (int i = 1; i <= 5; ++i) {
        const bool avec = i <= 2;
        const pugi::xml_document page = lirePage(e.fichier(u"fiches/0000%1.html"_s.arg(i)));
        EXPECT_EQ(attribut(page, "//div[@class='couverture']/img", "src"),
                  avec ? u"../couvertures/0000%1.jpg"_s.arg(i) : QString())
            << i;
        EXPECT_EQ(
            bool(page.select_node("//div[@class='couverture']/div[@class='sans-couverture']")),
            !avec)
            << i;
        const QByteArray ligne = "//tbody/tr[" + QByteArray::number(i) + "]";
        EXPECT_EQ(bool(index.select_node(ligne + "//img")), avec) << i;
        EXPECT_EQ(bool(index.select_node(ligne + "//span[@class='sans-couverture']")), !avec) << i;
    }
    EXPECT_EQ(attribut(lirePage(e.fichier(u"fiches/00001.html"_s)), "//img", "alt"),
              e.fiches[0].titreFrancais());

    // The desktop's thumbnail stands in for the file when the caller gives one.
    Export bureau;
    bureau.fiches = films(2);
    bureau.couvertures = {u"bleue"_s, u"aucune"_s};
    std::atomic<int> appels{0};
    bureau.vignette = [&appels](const QString &fichier, int hauteur) {
        ++appels;
        QImage image(hauteur, 2 * hauteur, QImage::Format_RGB32);
        image.fill(QColor(20, 40, 220));
        return fichier == u"bleue"_s ? image : QImage();
    };
    bureau.exporter();
    EXPECT_EQ(appels, 2);
    EXPECT_EQ(arbre(bureau.fichier(u"couvertures"_s)), QStringList{u"00001.jpg"_s});
    EXPECT_EQ(QImage(bureau.fichier(u"couvertures/00001.jpg"_s)).size(), QSize(128, 256));
}

TEST(CatalogueHtml, DesIdentifiantsRepetesOuHostilesDonnentDesPagesDistinctes)
{
    Export e;
    e.fiches = {fiche(u"MÊME"_s, u"Premier"_s), fiche(u"MÊME"_s, u"Second"_s),
                fiche(u"../../index"_s, u"Chemin"_s), fiche(u"a/b\\c:*?"_s, u"Barres"_s)};
    e.exporter();
    EXPECT_EQ(arbre(e.dossier()).filter(u"fiches/"_s).size(), 4);
    const QStringList titres = {u"Premier"_s, u"Second"_s, u"Chemin"_s, u"Barres"_s};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(texte(lirePage(e.fichier(u"fiches/0000%1.html"_s.arg(i + 1))), "//h1"),
                  titres[i]);
    EXPECT_EQ(e.contenuParent(), QStringList{u"catalogue"_s});
}

TEST(CatalogueHtml, LAncienDossierNEstRemplaceQueParUnExportComplet)
{
    Export e;
    e.fiches = films(3);
    e.exporter();
    const QStringList ancien = arbre(e.dossier());
    const QByteArray ancienIndex = lireFichier(e.fichier(u"index.html"_s));
    const auto intact = [&] {
        EXPECT_EQ(arbre(e.dossier()), ancien);
        EXPECT_EQ(lireFichier(e.fichier(u"index.html"_s)), ancienIndex);
        EXPECT_EQ(e.contenuParent(), QStringList{u"catalogue"_s});
    };

    // Stopped before anything, while the covers are made (on a worker thread), and while the
    // pages are written.
    e.fiches = films(3000);
    Progression avant;
    avant.annuler();
    EXPECT_THROW(e.exporter(avant), Progression::Annulation);
    intact();

    Progression couvertures;
    e.couvertures.assign(50, u"couverture"_s);
    e.vignette = [&couvertures](const QString &, int) {
        couvertures.annuler();
        return QImage(10, 10, QImage::Format_RGB32);
    };
    EXPECT_THROW(e.exporter(couvertures), Progression::Annulation);
    intact();

    e.couvertures.clear();
    e.vignette = nullptr;
    Progression pages;
    std::atomic<bool> fin{false};
    std::thread arret([&] {
        while (!fin && pages.fait() < 100)
            std::this_thread::yield();
        pages.annuler();
    });
    EXPECT_THROW(e.exporter(pages), Progression::Annulation);
    fin = true;
    arret.join();
    EXPECT_LT(pages.fait(), pages.total());
    intact();

    e.fiches = films(1);
    e.exporter();
    EXPECT_EQ(arbre(e.dossier()),
              QStringList({u"catalogue.css"_s, u"fiches/00001.html"_s, u"index.html"_s}))
        << "the old pages are gone";
    EXPECT_EQ(e.contenuParent(), QStringList{u"catalogue"_s});

    // A folder that holds anything else is the user's: it is never replaced.
    QFile photo(e.fichier(u"photo.jpg"_s));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    const QString erreur = texteErreur([&] { e.exporter(); });
    EXPECT_TRUE(erreur.contains(e.dossier()) && erreur.contains(u"photo.jpg"_s))
        << erreur.toStdString();
    EXPECT_TRUE(QFileInfo::exists(e.fichier(u"photo.jpg"_s)));
}

TEST(CatalogueHtml, UnDossierOuUnDisqueQuiRefusentDonnentUneErreurQuiLesNomme)
{
    Export e;
    // A file where the folder's parent should be: no one, root included, can write there.
    QFile obstacle(e.parent.filePath(u"fichier"_s));
    ASSERT_TRUE(obstacle.open(QIODevice::WriteOnly));
    obstacle.close();
    e.fiches = films(300);
    std::vector<QString> aucune(e.fiches.size());
    Progression progression;
    const QString dossier = e.parent.filePath(u"fichier/catalogue"_s);
    const QString erreur = texteErreur([&] {
        CatalogueHtml::exporter({&e.fiches, &aucune, {}}, dossier, progression);
    });
    EXPECT_TRUE(erreur.startsWith(u"Impossible d'écrire le dossier « "_s + dossier + u" »"_s))
        << erreur.toStdString();
    EXPECT_EQ(e.contenuParent(), QStringList{u"fichier"_s});

    // A full disk: the pages fit and the index does not, then nothing fits. libxml2 and
    // libxslt say nothing on the terminal.
    e.exporter();
    const QStringList ancien = arbre(e.dossier());
    for (const rlim_t limite : {rlim_t(64 * 1024), rlim_t(100)}) {
        e.fiches.push_back(fiche(u"X"_s, u"Un de plus"_s));
        testing::internal::CaptureStderr();
        QString refus;
        {
            const LimiteTailleFichiers disquePlein(limite);
            refus = texteErreur([&] { e.exporter(); });
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_TRUE(refus.startsWith(u"Impossible d'écrire le fichier « "_s + e.dossier() + u'/'))
            << refus.toStdString();
        EXPECT_TRUE(refus.endsWith(u" : File too large"_s)) << refus.toStdString();
        EXPECT_EQ(arbre(e.dossier()), ancien);
        EXPECT_EQ(e.contenuParent(), QStringList({u"catalogue"_s, u"fichier"_s}));
    }
}

// The program makes the folder by parts on both cores; xsltproc makes it in one go from the same
// stylesheet and the whole document. Both give the same files.
TEST(CatalogueHtml, XsltprocSurLeDocumentDonneLeMemeDossier)
{
    const QString xsltproc = u"/usr/bin/xsltproc"_s;
    if (!QFileInfo::exists(xsltproc))
        GTEST_SKIP() << "xsltproc is not installed";
    Export e;
    e.fiches = films(2500);
    e.fiches[1].setActeurs({u"Un"_s, u"Deux"_s});
    e.exporter();

    QTemporaryDir reference;
    const auto ecrire = [&](const QString &nom, const QByteArray &octets) {
        QFile fichier(reference.filePath(nom));
        EXPECT_TRUE(fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size());
        return fichier.fileName();
    };
    const QString document =
        ecrire(u"catalogue.xml"_s, CatalogueHtml::documentXml({&e.fiches, &e.couvertures, {}}));
    const QString feuille = ecrire(u"catalogueHtml.xsl"_s, CatalogueHtml::feuilleDeStyle());
    const QString sortie = reference.filePath(u"sortie"_s);
    ASSERT_EQ(QProcess::execute(xsltproc, {u"-o"_s, sortie + u"/index.html"_s, feuille, document}),
              0);
    const QStringList fichiers = arbre(e.dossier());
    ASSERT_EQ(fichiers, arbre(sortie));
    for (const QString &nom : fichiers)
        ASSERT_EQ(lireFichier(e.fichier(nom)), lireFichier(sortie + u'/' + nom))
            << nom.toStdString();
}

// Not a test: the folder that scripts/capture-html shows in a browser, made from the stand-in
// cover service's films and covers into $KINOLUX_CAPTURE_HTML.
TEST(CatalogueHtmlCapture, DISABLED_DossierDeDemonstration)
{
    const QString sortie = qEnvironmentVariable("KINOLUX_CAPTURE_HTML");
    DonneesDemo donnees;
    QString raison;
    ASSERT_FALSE(sortie.isEmpty());
    ASSERT_TRUE(donnees.charger(QStringLiteral(KINOLUX_COVERSITE_DONNEES), &raison))
        << raison.toStdString();
    QTemporaryDir images;
    std::vector<std::pair<TFicheFilm, QString>> films;
    for (const DonneesDemo::Film &film : donnees.films()) {
        const QStringList &l = film.lignes;
        const auto liste = [](const QString &texte, QChar separateur) {
            QStringList entrees = texte.split(separateur, Qt::SkipEmptyParts);
            for (QString &entree : entrees)
                entree = entree.trimmed();
            return entrees;
        };
        TFicheFilm carte(film.titreIndex, l[0], l[2], l[5], l[7], l[8], l[9], liste(l[1], u'/'),
                         liste(l[3], u'/'), liste(l[4], u','), liste(l[6], u';'),
                         liste(l[10], l[10].contains(u';') ? u';' : u' '));
        carte.setNiveauPreference(int(qHash(film.titreIndex) % 11));
        carte.setNomSupport(u"DVD "_s + film.titreIndex);
        carte.setTypeSupport(u"DVD-VIDEO"_s);
        carte.setCodec(u"MPEG2"_s);
        carte.setCheminFichier(u"-"_s);
        carte.setCommentaire(u"-"_s);
        carte.setCheminImage(u"IMAGES_FILMS\\"_s + film.titreIndex + u".jpg"_s);
        QString couverture;
        if (film.surSite || film.surAffiches) {
            couverture = images.filePath(QString::number(films.size()) + u".jpg"_s);
            QFile fichier(couverture);
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
            fichier.write(donnees.couverture(film));
        }
        films.emplace_back(carte, couverture);
    }
    // By title, as the catalogue window lists them.
    const QCollator collation(QLocale(QLocale::French));
    std::stable_sort(films.begin(), films.end(), [&](const auto &a, const auto &b) {
        return collation.compare(a.first.titreFrancais(), b.first.titreFrancais()) < 0;
    });
    std::vector<TFicheFilm> fiches;
    std::vector<QString> couvertures;
    for (const auto &[carte, couverture] : films) {
        fiches.push_back(carte);
        couvertures.push_back(couverture);
    }
    Progression progression;
    CatalogueHtml::exporter({&fiches, &couvertures, {}}, sortie, progression);
}

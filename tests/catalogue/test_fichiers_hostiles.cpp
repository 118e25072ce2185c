// Catalogue files made to hurt the reader: entities that point out of the program, entities that
// multiply, nesting that never ends, a file too large to be a catalogue.
#include "catalogue/DocumentXml.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/Sentinelle.h"

#include <QDir>
#include <QElapsedTimer>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

qint64 crete()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

QByteArray fiche(const QByteArray &resume, const QByteArray &acteur = "A")
{
    return "<ficheFilm><idFilm>ID</idFilm><resume>" + resume + "</resume><acteurs><occurence>" +
           acteur + "</occurence></acteurs></ficheFilm>";
}

// The document element and the cards, without an XML declaration.
QByteArray document(const QByteArray &fiches)
{
    return "<Kinolux_BaseFilms><racine><listeFichesFilms>" + fiches +
           "</listeFichesFilms></racine></Kinolux_BaseFilms>";
}

// Every text of the cards read, one after the other.
QString toutLeTexte(const Catalogue &fiches)
{
    QString texte;
    for (const auto &f : fiches) {
        for (const QString &champ :
             {f->idFilm(), f->titreFrancais(), f->annee(), f->duree(), f->resume(),
              f->distributeurFR(), f->titreOriginal(), f->nomSupport(), f->typeSupport(),
              f->cheminFichier(), f->cheminImage(), f->codec(), f->commentaire()})
            texte += champ + u'\n';
        for (const QStringList *liste :
             {&f->realisateurs(), &f->nationnalites(), &f->genres(), &f->acteurs(), &f->motsCles()})
            texte += liste->join(u'\n') + u'\n';
    }
    return texte;
}

} // namespace

TEST(CatalogueFichiersHostiles, EntitesNiLuesNiDevelopees)
{
    Sentinelle sentinelle("secret de la sentinelle ");
    const QByteArray url = "file://" + sentinelle.chemin().toUtf8();
    QByteArray rires = "<!ENTITY lol \"lol\">";
    for (int i = 1; i <= 9; ++i)
        rires += "<!ENTITY lol" + QByteArray::number(i) + " \"" +
                 QByteArray("&lol" + (i > 1 ? QByteArray::number(i - 1) : QByteArray()) + ";")
                     .repeated(10) +
                 "\">";
    const struct
    {
        const char *cas;
        QByteArray fichier;
    } cas[] = {
        {"entité externe",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE Kinolux_BaseFilms [<!ENTITY xxe SYSTEM \"" + url +
             "\">]>\n" + document(fiche("&xxe;", "&xxe;"))},
        {"DTD externe", "<?xml version=\"1.0\"?>\n<!DOCTYPE Kinolux_BaseFilms SYSTEM \"" + url +
                            "\">\n" + document(fiche("x"))},
        {"entité paramètre", "<!DOCTYPE Kinolux_BaseFilms [<!ENTITY % p SYSTEM \"" + url +
                                 "\"> %p;]>" + document(fiche("&p;"))},
        {"milliard de rires", "<?xml version=\"1.0\"?>\n<!DOCTYPE Kinolux_BaseFilms [" + rires +
                                  "]>\n" + document(fiche("&lol9;", "&lol9;"))},
        {"rires sans DTD", baseAvec(fiche("&lol9;&lol9;"))},
    };
    for (const auto &c : cas) {
        Programme programme;
        QElapsedTimer chrono;
        chrono.start();
        const qint64 avant = crete();
        const QString erreur = texteErreur([&] { programme.lire(c.fichier); });
        EXPECT_LT(chrono.elapsed(), 2000) << c.cas;
        EXPECT_LT(crete() - avant, 64 << 20) << c.cas;
        EXPECT_TRUE(sentinelle.intacte()) << c.cas;
        const QString texte = toutLeTexte(programme.dm->fichesFilms());
        EXPECT_FALSE(texte.contains(QString::fromLatin1(sentinelle.marque()))) << c.cas;
        EXPECT_FALSE(texte.contains(u"lollol"_s)) << c.cas << ": no entity is expanded";
        if (erreur.isEmpty()) {
            ASSERT_EQ(programme.dm->fichesFilms().size(), 1u) << c.cas;
            EXPECT_LT(programme.dm->fichesFilms()[0]->resume().size(), 100) << c.cas;
            // The catalogue saves and reads back as any other.
            programme.dm->ecrireBaseFilms();
            programme.dm->lireBaseFilms();
            EXPECT_EQ(programme.dm->fichesFilms().size(), 1u) << c.cas;
        }
        EXPECT_FALSE(sentinelle.copieeDans(programme.repertoire.chemin())) << c.cas;
    }
}

TEST(CatalogueFichiersHostiles, CentMilleNiveauxDImbrication)
{
    constexpr int k_niveaux = 100'000;
    const QByteArray ouvrir = QByteArray("<a>").repeated(k_niveaux);
    const QByteArray fermer = QByteArray("</a>").repeated(k_niveaux);
    const struct
    {
        const char *cas;
        QByteArray fichier;
        bool lisible;
    } cas[] = {
        {"dans un texte", baseAvec(fiche(ouvrir + "x" + fermer)), true},
        {"dans une occurence", baseAvec(fiche("x", ouvrir + "x" + fermer)), false},
        {"à la place des fiches",
         "<Kinolux_BaseFilms>" + QByteArray("<racine>").repeated(k_niveaux) +
             QByteArray("</racine>").repeated(k_niveaux) + "</Kinolux_BaseFilms>",
         true},
        {"jamais refermée", baseAvec(fiche(ouvrir)), false},
    };
    for (const auto &c : cas) {
        Programme programme;
        QElapsedTimer chrono;
        chrono.start();
        const QString erreur = texteErreur([&] { programme.lire(c.fichier); });
        EXPECT_LT(chrono.elapsed(), 5000) << c.cas;
        EXPECT_EQ(erreur.isEmpty(), c.lisible) << c.cas << ": " << erreur.toStdString();
        if (!c.lisible) {
            // The file that could not be read stays as it was, and is kept aside at the next
            // save.
            EXPECT_EQ(programme.base(), c.fichier) << c.cas;
            programme.dm->ecrireBaseFilms();
            EXPECT_EQ(QDir(programme.repertoire.chemin())
                          .entryList({u"baseFilm.bdf.*.bak"_s}, QDir::Files)
                          .size(),
                      1)
                << c.cas;
        }
        programme.dm->lireBaseFilms();
    }
}

TEST(CatalogueFichiersHostiles, UnFichierTropGrandEstRefuseSansEtreLu)
{
    // Sparse files: the size is there, the disk blocks are not.
    const qint64 tailles[] = {DocumentXml::k_tailleMaximale + 1, 1LL << 30};
    for (const qint64 taille : tailles) {
        Programme programme;
        const QString fichier = programme.repertoire.fichier(u"baseFilm.bdf"_s);
        {
            // A summary of zero bytes up to the size, then the end of the document.
            const QByteArray fin =
                "</resume></ficheFilm></listeFichesFilms></racine></Kinolux_BaseFilms>";
            QFile f(fichier);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("<Kinolux_BaseFilms><racine><listeFichesFilms><ficheFilm><resume>");
            ASSERT_TRUE(f.resize(taille - fin.size()));
            ASSERT_TRUE(f.seek(taille - fin.size()));
            ASSERT_EQ(f.write(fin), fin.size());
        }
        ASSERT_EQ(QFileInfo(fichier).size(), taille);
        Tdm_Kinolux &dm = programme.demarrer();
        QElapsedTimer chrono;
        chrono.start();
        const qint64 avant = crete();
        EXPECT_EQ(texteErreur([&] { dm.lireBaseFilms(); }),
                  u"Impossible de lire le catalogue « %1 » : le fichier fait plus de 512 Mio, la "
                  "taille maximale d'un catalogue"_s.arg(fichier));
        EXPECT_LT(chrono.elapsed(), 1000);
        EXPECT_LT(crete() - avant, 16 << 20) << "nothing of the file is read";
        EXPECT_TRUE(dm.fichesFilms().empty());
        EXPECT_EQ(QFileInfo(fichier).size(), taille);
    }
}

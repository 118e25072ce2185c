// Another program's catalogue of 35,000 films read and previewed (a Tellico archive with a cover
// for each film), and the doubles searched over 35,000 cards.
#include "bench/GenerateurCatalogue.h"
#include "bench/Rapporteur.h"
#include "catalogue/Recherche.h"
#include "echanges/AutresCatalogues.h"
#include "echanges/Doublons.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_fiches = 35000;

QString echapper(const QString &texte)
{
    return texte.toHtmlEscaped();
}

// The titles of the generated cards repeat; a collection's do not.
QStringList titresDistincts(const std::vector<TFicheFilm> &fiches)
{
    QHash<QString, int> vus;
    QStringList titres;
    for (const TFicheFilm &fiche : fiches) {
        const int n = ++vus[fiche.titreFrancais()];
        titres.append(n == 1 ? fiche.titreFrancais()
                             : u"%1 %2"_s.arg(fiche.titreFrancais()).arg(n));
    }
    return titres;
}

// tellico.xml of the generated cards, as Tellico writes a video collection.
QByteArray tellicoXml(const std::vector<TFicheFilm> &fiches, const QStringList &titres)
{
    QString xml = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tellico PUBLIC "
                  u"'-//Robby Stephenson/DTD Tellico V11.0//EN' "
                  u"'http://periapsis.org/tellico/dtd/v11/tellico.dtd'>\n<tellico "
                  u"xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
                  u"<collection title=\"Films\" type=\"3\">\n<fields><field name=\"_default\"/>"
                  u"<field name=\"origtitle\" title=\"Original Title\" type=\"1\" flags=\"8\" "
                  u"format=\"1\"/></fields>\n"_s;
    const auto liste = [&xml](const char16_t *enveloppe, const char16_t *element,
                              const QStringList &valeurs) {
        xml += u'<' + QString::fromUtf16(enveloppe) + u'>';
        for (const QString &valeur : valeurs)
            xml += u"<%1>%2</%1>"_s.arg(QString::fromUtf16(element), echapper(valeur));
        xml += u"</"_s + QString::fromUtf16(enveloppe) + u'>';
    };
    for (size_t i = 0; i < fiches.size(); ++i) {
        const TFicheFilm &fiche = fiches[i];
        xml += u"<entry id=\"%1\"><title>%2</title><origtitle>%3</origtitle><medium>DVD</medium>"
               u"<year>%4</year><running-time>%5</running-time>"_s.arg(i + 1)
                   .arg(echapper(titres[qsizetype(i)]), echapper(fiche.titreOriginal()),
                        fiche.annee(), QString::number(80 + int(i % 70)));
        liste(u"genres", u"genre", fiche.genres());
        liste(u"nationalitys", u"nationality", fiche.nationnalites());
        liste(u"directors", u"director", fiche.realisateurs());
        liste(u"studios", u"studio", {fiche.distributeurFR()});
        xml += u"<casts>"_s;
        for (const QString &acteur : fiche.acteurs())
            xml += u"<cast><column>%1</column><column>Rôle</column></cast>"_s.arg(echapper(acteur));
        xml += u"</casts><plot>%1&lt;br/&gt;Fin.</plot><rating>%2</rating>"
               u"<cover>%3.jpeg</cover></entry>\n"_s.arg(echapper(fiche.resume()))
                   .arg(1 + int(i % 5))
                   .arg(i + 1);
    }
    xml += u"<images>"_s;
    for (size_t i = 0; i < fiches.size(); ++i)
        xml += u"<image id=\"%1.jpeg\" format=\"JPEG\" width=\"300\" height=\"428\"/>"_s.arg(i + 1);
    xml += u"</images></collection>\n</tellico>\n"_s;
    return xml.toUtf8();
}

// The archive: tellico.xml and a small picture a film, as Tellico stores them.
struct Collection
{
    QTemporaryDir dossier;
    QString chemin;
    QHash<QString, const TFicheFilm *> catalogue;
    std::vector<std::unique_ptr<TFicheFilm>> presentes;
};

Collection &collection()
{
    static Collection c = [] {
        Collection nouvelle;
        nouvelle.chemin = nouvelle.dossier.filePath(u"films.tc"_s);
        const std::vector<TFicheFilm> &fiches = GenerateurCatalogue::copies(k_fiches);
        const QStringList titres = titresDistincts(fiches);
        const QByteArray xml = tellicoXml(fiches, titres);
        const QByteArray image(2048, 'j');
        int code = 0;
        zip_t *archive = zip_open(QFile::encodeName(nouvelle.chemin).constData(),
                                  ZIP_CREATE | ZIP_TRUNCATE, &code);
        zip_file_add(archive, "tellico.xml",
                     zip_source_buffer(archive, xml.constData(), zip_uint64_t(xml.size()), 0), 0);
        std::vector<QByteArray> noms;
        noms.reserve(fiches.size());
        for (size_t i = 0; i < fiches.size(); ++i) {
            noms.push_back("images/" + QByteArray::number(qulonglong(i + 1)) + ".jpeg");
            const zip_int64_t index = zip_file_add(
                archive, noms.back().constData(),
                zip_source_buffer(archive, image.constData(), zip_uint64_t(image.size()), 0), 0);
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
        if (zip_close(archive) < 0)
            qFatal("the archive cannot be written");
        // One film in seven is in the catalogue already.
        for (size_t i = 0; i < fiches.size(); i += 7) {
            auto fiche = std::make_unique<TFicheFilm>(fiches[i]);
            nouvelle.catalogue.insert(Recherche::majusculesAscii(titres[qsizetype(i)]),
                                      fiche.get());
            nouvelle.presentes.push_back(std::move(fiche));
        }
        return nouvelle;
    }();
    return c;
}

void LireTellico(benchmark::State &etat)
{
    Collection &c = collection();
    const auto trouver = [&c](const QString &id) {
        return c.catalogue.value(id);
    };
    size_t fiches = 0;
    for (auto _ : etat)
        fiches = AutresCatalogues::importer(c.chemin, trouver).fiches.size();
    if (fiches + size_t(c.catalogue.size()) != size_t(k_fiches))
        etat.SkipWithError("not every film read");
    etat.counters["fiches"] = double(fiches);
    etat.counters["Mo"] = double(QFileInfo(c.chemin).size()) / (1 << 20);
}

// The generated catalogue with doubles of every kind: a card in fifty has a video file another
// has, and a hundred pairs are set apart.
struct CatalogueDoublons
{
    Catalogue fiches = GenerateurCatalogue::fiches(k_fiches);
    Doublons::PasDoublons pasDoublons;
    QHash<QString, qint64> tailles;
};

CatalogueDoublons &catalogueDoublons()
{
    static CatalogueDoublons c = [] {
        CatalogueDoublons nouveau;
        QRandomGenerator tirage(3);
        for (size_t i = 0; i < nouveau.fiches.size(); ++i) {
            TFicheFilm &fiche = *nouveau.fiches[i];
            fiche.setCheminFichier(u"/films/%1.mkv"_s.arg(i % 50 == 0 ? i + 1 : i));
            // Covers of 10 KB to 1 MB, as JPEG files of posters run: some sizes meet by chance.
            nouveau.tailles.insert(QString(fiche.cheminImage()).replace(u'\\', u'/'),
                                   10240 + tirage.bounded(1038336));
            if (i % 350 == 0 && i + 1 < nouveau.fiches.size())
                nouveau.pasDoublons.insert(
                    Doublons::paire(fiche.idFilm(), nouveau.fiches[i + 1]->idFilm()));
        }
        return nouveau;
    }();
    return c;
}

void ChercherDoublons(benchmark::State &etat)
{
    CatalogueDoublons &c = catalogueDoublons();
    size_t groupes = 0;
    for (auto _ : etat)
        groupes = Doublons::chercher(c.fiches, c.pasDoublons).size();
    etat.counters["groupes"] = double(groupes);
}

// With the covers compared: sizes known, the pictures whose size another shares read (here made
// in memory) and hashed.
void ChercherDoublonsCouvertures(benchmark::State &etat)
{
    CatalogueDoublons &c = catalogueDoublons();
    qint64 lus = 0;
    Doublons::Couvertures couvertures;
    couvertures.taille = [&c](const QString &chemin) {
        return c.tailles.value(chemin, -1);
    };
    couvertures.octets = [&c, &lus](const QString &chemin, qint64 maximum) {
        ++lus;
        const qint64 taille = c.tailles.value(chemin);
        return QByteArray(qsizetype(maximum < 0 ? taille : std::min(taille, maximum)),
                          char(qHash(chemin)));
    };
    size_t groupes = 0;
    for (auto _ : etat) {
        lus = 0;
        groupes = Doublons::chercher(c.fiches, c.pasDoublons, &couvertures).size();
    }
    etat.counters["groupes"] = double(groupes);
    etat.counters["images lues"] = double(lus);
}

BENCHMARK(LireTellico)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(ChercherDoublons)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(ChercherDoublonsCouvertures)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    return lancerBenchmarks<QCoreApplication>(argc, argv, "bench_autres_catalogues");
}

#include "catalogue/Erreur.h"
#include "echanges/Doublons.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Doublons::Groupe;

namespace {

// One card of a table row: identifier, French title, year, original title, video file, cover.
struct Carte
{
    const char16_t *id;
    const char16_t *titre;
    const char16_t *annee = u"-";
    const char16_t *original = u"-";
    const char16_t *fichier = u"-";
    const char16_t *couverture = u"-";
};

Catalogue catalogue(const std::vector<Carte> &cartes)
{
    Catalogue fiches;
    for (const Carte &carte : cartes) {
        auto fiche = ficheSimple(QString::fromUtf16(carte.id));
        fiche->setTitreFrancais(QString::fromUtf16(carte.titre));
        fiche->setAnnee(QString::fromUtf16(carte.annee));
        fiche->setTitreOriginal(QString::fromUtf16(carte.original));
        fiche->setCheminFichier(QString::fromUtf16(carte.fichier));
        fiche->setCheminImage(QString::fromUtf16(carte.couverture));
        fiches.push_back(std::move(fiche));
    }
    return fiches;
}

// The groups as identifiers joined by "+", and their reasons.
QStringList noms(const Catalogue &fiches, const std::vector<Groupe> &groupes)
{
    QStringList resultat;
    for (const Groupe &groupe : groupes) {
        QStringList ids;
        for (const size_t i : groupe.fiches)
            ids.append(fiches[i]->idFilm());
        resultat.append(ids.join(u'+'));
    }
    return resultat;
}

// Covers held in memory, and the pictures that were read.
struct Images
{
    QHash<QString, QByteArray> fichiers;
    QStringList lues;

    Doublons::Couvertures couvertures(QByteArray sansImage = {})
    {
        Doublons::Couvertures c;
        c.taille = [this](const QString &chemin) -> qint64 {
            const auto it = fichiers.constFind(chemin);
            return it == fichiers.cend() ? -1 : it->size();
        };
        c.octets = [this](const QString &chemin, qint64 maximum) {
            lues.append(chemin);
            return maximum < 0 ? fichiers.value(chemin) : fichiers.value(chemin).left(maximum);
        };
        c.sansImage = std::move(sansImage);
        return c;
    }
};

} // namespace

TEST(Doublons, LesReglesDeRessemblance)
{
    const struct
    {
        const char *cas;
        std::vector<Carte> cartes;
        QStringList attendu;
        unsigned raisons;
    } lignes[] = {
        {"même titre et même année",
         {{u"A", u"Brazil", u"1985"}, {u"B", u"Brazil", u"1985"}, {u"C", u"Alien", u"1985"}},
         {u"A+B"_s},
         Doublons::MemeTitre},
        {"un remake n'est pas un doublon",
         {{u"A", u"Nosferatu", u"1922"}, {u"B", u"Nosferatu", u"1979"}},
         {},
         0},
        {"titre comparé sans casse, accents ni article déplacé",
         {{u"A", u"Le Pont", u"1959"},
          {u"B", u"PONT (LE)", u"1959"},
          {u"C", u"le pont", u"1960"},
          {u"D", u"Été", u"2004"},
          {u"E", u"ETE", u"2004"}},
         {u"A+B"_s, u"D+E"_s},
         Doublons::MemeTitre},
        {"une année manquante d'un côté",
         {{u"A", u"Brazil", u"1985"}, {u"B", u"Brazil", u"-"}, {u"C", u"Brazil", u""}},
         {u"A+B+C"_s},
         Doublons::MemeTitre},
        {"sans année entre deux remakes : ni l'un ni l'autre",
         {{u"A", u"Nosferatu", u"1922"}, {u"B", u"Nosferatu", u"1979"}, {u"C", u"Nosferatu", u"-"}},
         {},
         0},
        {"même titre original et même année",
         {{u"A", u"Le Trou", u"1960", u"The Hole"},
          {u"B", u"Trou, Le", u"1960", u"THE HOLE"},
          {u"C", u"Le Trou", u"1998", u"The Hole"}},
         {u"A+B"_s},
         Doublons::MemeTitreOriginal},
        {"un titre original sans année ne dit rien",
         {{u"A", u"X", u"-", u"The Hole"}, {u"B", u"Y", u"-", u"The Hole"}},
         {},
         0},
        {"même fichier vidéo",
         {{u"A", u"Alpha", u"2001", u"-", u"D:\\Films\\alpha.mkv"},
          {u"B", u"Beta", u"2002", u"-", u"D:/Films/./alpha.mkv"},
          {u"C", u"Gamma", u"-", u"-", u"-"},
          {u"D", u"Delta", u"-", u"-", u"-"}},
         {u"A+B"_s},
         Doublons::MemeFichier},
        {"les règles se rejoignent",
         {{u"A", u"Brazil", u"1985"},
          {u"B", u"Autre", u"1990", u"-", u"/f.mkv"},
          {u"C", u"Brazil", u"-", u"-", u"/f.mkv"}},
         {u"A+B+C"_s},
         Doublons::MemeTitre | Doublons::MemeFichier},
    };
    for (const auto &ligne : lignes) {
        const Catalogue fiches = catalogue(ligne.cartes);
        const std::vector<Groupe> groupes = Doublons::chercher(fiches);
        EXPECT_EQ(noms(fiches, groupes), ligne.attendu) << ligne.cas;
        for (const Groupe &groupe : groupes)
            EXPECT_EQ(groupe.raisons, ligne.raisons) << ligne.cas;
    }
}

TEST(Doublons, LesPairesMarqueesNeSontPlusProposees)
{
    const Catalogue fiches = catalogue({{u"A", u"Brazil", u"1985"},
                                        {u"B", u"Brazil", u"1985"},
                                        {u"C", u"Alien", u"1979"},
                                        {u"D", u"Alien", u"1979"},
                                        {u"E", u"Alien", u"-"}});
    Doublons::PasDoublons pasDoublons;
    pasDoublons.insert(Doublons::paire(u"B"_s, u"A"_s));
    EXPECT_EQ(noms(fiches, Doublons::chercher(fiches, pasDoublons)), QStringList{u"C+D+E"_s});
    // A group marked as a whole is never proposed again, in part or whole.
    Doublons::marquer(pasDoublons, {u"C"_s, u"D"_s, u"E"_s});
    EXPECT_EQ(pasDoublons.size(), 4);
    EXPECT_TRUE(Doublons::chercher(fiches, pasDoublons).empty());
    // A pair set apart in a bucket still lets the others come together.
    Doublons::PasDoublons une;
    une.insert(Doublons::paire(u"C"_s, u"E"_s));
    EXPECT_EQ(noms(fiches, Doublons::chercher(fiches, une)), (QStringList{u"A+B"_s, u"C+D+E"_s}));
}

TEST(Doublons, LaMemeCouvertureOctetPourOctet)
{
    const QByteArray sansImage = "placeholder";
    Images images;
    images.fichiers = {{u"IMAGES_FILMS/A.jpg"_s, "image-1"},
                       {u"IMAGES_FILMS/B.jpg"_s, "image-1"},
                       {u"IMAGES_FILMS/C.jpg"_s, "image-2"}, // same size, other bytes
                       {u"IMAGES_FILMS/D.jpg"_s, "une image de taille unique"},
                       {u"IMAGES_FILMS/E.jpg"_s, sansImage},
                       {u"IMAGES_FILMS/F.jpg"_s, sansImage}};
    const Catalogue fiches = catalogue({
        {u"A", u"Un", u"-", u"-", u"-", u"IMAGES_FILMS\\A.jpg"},
        {u"B", u"Deux", u"-", u"-", u"-", u"IMAGES_FILMS\\B.jpg"},
        {u"C", u"Trois", u"-", u"-", u"-", u"IMAGES_FILMS\\C.jpg"},
        {u"D", u"Quatre", u"-", u"-", u"-", u"IMAGES_FILMS\\D.jpg"},
        {u"E", u"Cinq", u"-", u"-", u"-", u"IMAGES_FILMS\\E.jpg"},
        {u"F", u"Six", u"-", u"-", u"-", u"IMAGES_FILMS\\F.jpg"},
        {u"G", u"Sept", u"-", u"-", u"-", u"IMAGES_FILMS\\SANSIMAGE.jpg"},
        {u"H", u"Huit", u"-", u"-", u"-", u"IMAGES_FILMS\\SANSIMAGE.jpg"},
    });
    const Doublons::Couvertures couvertures = images.couvertures(sansImage);
    const std::vector<Groupe> groupes = Doublons::chercher(fiches, {}, &couvertures);
    EXPECT_EQ(noms(fiches, groupes), QStringList{u"A+B"_s});
    EXPECT_EQ(groupes[0].raisons, unsigned(Doublons::MemeCouverture));
    // The picture of a size no other has is never read.
    EXPECT_FALSE(images.lues.contains(u"IMAGES_FILMS/D.jpg"_s));
    // Without covers given, none are compared.
    EXPECT_TRUE(Doublons::chercher(fiches).empty());
}

TEST(Doublons, LesGrandesImagesSontLuesParLeDebutPuisEntieres)
{
    // Over 16 KB: alike at the start, told apart by the end; the placeholder in copies.
    const QByteArray debut(20000, 'x');
    const QByteArray sansImage = QByteArray(30000, 's');
    Images images;
    images.fichiers = {{u"A.jpg"_s, debut + "fin-1"},
                       {u"B.jpg"_s, debut + "fin-1"},
                       {u"C.jpg"_s, debut + "fin-2"},
                       {u"D.jpg"_s, QByteArray(20005, 'y')},
                       {u"E.jpg"_s, sansImage},
                       {u"F.jpg"_s, sansImage},
                       {u"G.jpg"_s, QByteArray(40000, 'g')}};
    const Catalogue fiches = catalogue({{u"A", u"Un", u"-", u"-", u"-", u"A.jpg"},
                                        {u"B", u"Deux", u"-", u"-", u"-", u"B.jpg"},
                                        {u"C", u"Trois", u"-", u"-", u"-", u"C.jpg"},
                                        {u"D", u"Quatre", u"-", u"-", u"-", u"D.jpg"},
                                        {u"E", u"Cinq", u"-", u"-", u"-", u"E.jpg"},
                                        {u"F", u"Six", u"-", u"-", u"-", u"F.jpg"},
                                        {u"G", u"Sept", u"-", u"-", u"-", u"G.jpg"},
                                        {u"H", u"Huit", u"-", u"-", u"-", u"G.jpg"}});
    const Doublons::Couvertures couvertures = images.couvertures(sansImage);
    EXPECT_EQ(noms(fiches, Doublons::chercher(fiches, {}, &couvertures)),
              (QStringList{u"A+B"_s, u"G+H"_s}));
    // D begins unlike the others of its size: its start only is read, once.
    EXPECT_EQ(images.lues.count(u"D.jpg"_s), 1);
    EXPECT_EQ(images.lues.count(u"A.jpg"_s), 2);
}

TEST(Doublons, UneImageQueTropDeFichesPartagentNeDitRien)
{
    Images images;
    std::vector<Carte> cartes;
    static const char16_t *const ids[] = {u"A", u"B", u"C", u"D", u"E"};
    static const char16_t *const chemins[] = {u"IMAGES_FILMS\\A.jpg", u"IMAGES_FILMS\\B.jpg",
                                              u"IMAGES_FILMS\\C.jpg", u"IMAGES_FILMS\\D.jpg",
                                              u"IMAGES_FILMS\\E.jpg"};
    for (int i = 0; i < 5; ++i) {
        images.fichiers.insert(QString::fromUtf16(chemins[i]).replace(u'\\', u'/'), "affiche");
        cartes.push_back({ids[i], ids[i], u"-", u"-", u"-", chemins[i]});
    }
    const Catalogue cinq = catalogue(cartes);
    const Doublons::Couvertures couvertures = images.couvertures();
    EXPECT_TRUE(Doublons::chercher(cinq, {}, &couvertures).empty());
    cartes.pop_back();
    const Catalogue quatre = catalogue(cartes);
    EXPECT_EQ(noms(quatre, Doublons::chercher(quatre, {}, &couvertures)),
              QStringList{u"A+B+C+D"_s});
}

TEST(Doublons, LesCouverturesSurLeDisque)
{
    QTemporaryDir dossier;
    QDir(dossier.path()).mkpath(u"IMAGES_FILMS"_s);
    for (const auto &[nom, octets] : {std::pair{"A.jpg", "pareil"}, std::pair{"B.jpg", "pareil"},
                                      std::pair{"C.jpg", "autre!"}}) {
        QFile f(dossier.filePath(u"IMAGES_FILMS/"_s + QLatin1StringView(nom)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    const Catalogue fiches = catalogue({{u"A", u"Un", u"-", u"-", u"-", u"IMAGES_FILMS\\A.jpg"},
                                        {u"B", u"Deux", u"-", u"-", u"-", u"IMAGES_FILMS\\B.jpg"},
                                        {u"C", u"Trois", u"-", u"-", u"-", u"IMAGES_FILMS\\C.jpg"},
                                        {u"D", u"Quatre", u"-", u"-", u"-", u"..\\..\\A.jpg"}});
    const Doublons::Couvertures couvertures =
        Doublons::couverturesSurDisque([&](const QString &chemin) {
            return chemin.contains(u".."_s)
                       ? QString()
                       : dossier.filePath(QString(chemin).replace(u'\\', u'/'));
        });
    EXPECT_EQ(noms(fiches, Doublons::chercher(fiches, {}, &couvertures)), QStringList{u"A+B"_s});
}

TEST(Doublons, LesPairesSeRelisentDuFichierIni)
{
    QTemporaryDir dossier;
    const QString fichier = Doublons::fichierPasDoublons(dossier.path());
    EXPECT_EQ(fichier, dossier.filePath(u"doublons.ini"_s));
    EXPECT_TRUE(Doublons::lirePasDoublons(fichier).isEmpty());

    Doublons::PasDoublons paires;
    paires.insert(Doublons::paire(u"L'ÉTé, \"1\""_s, u"PONT (LE)"_s));
    paires.insert(Doublons::paire(u"A/B\\C"_s, u"=@x ; y"_s));
    paires.insert(Doublons::paire(u" blancs "_s, u"[groupe]"_s));
    Doublons::ecrirePasDoublons(fichier, paires);
    EXPECT_EQ(Doublons::lirePasDoublons(fichier), paires);

    // The pairs are written in order: the same set gives the same file.
    const QByteArray premier = lireFichier(fichier);
    Doublons::ecrirePasDoublons(fichier, paires);
    EXPECT_EQ(lireFichier(fichier), premier);

    // Fewer pairs leave no old ones behind.
    paires.remove(Doublons::paire(u"A/B\\C"_s, u"=@x ; y"_s));
    Doublons::ecrirePasDoublons(fichier, paires);
    EXPECT_EQ(Doublons::lirePasDoublons(fichier), paires);

    // A file that cannot be written says so.
    QDir(dossier.path()).mkpath(u"dossier.ini"_s);
    EXPECT_FALSE(texteErreur([&] {
                     Doublons::ecrirePasDoublons(dossier.filePath(u"dossier.ini"_s), paires);
                 }).isEmpty());
}

TEST(Doublons, LaFusionGardeLesValeursChoisiesEtUnitLesListes)
{
    auto a = ficheSimple(u"BRAZIL"_s);
    a->setAnnee(u"-"_s);
    a->setGenres({u"Comédie"_s, u"Science-fiction"_s});
    a->setActeurs({u"Jonathan Pryce"_s});
    a->setNiveauPreference(9);
    auto b = ficheSimple(u"BRAZIL (1985)"_s);
    b->setAnnee(u"1985"_s);
    b->setResume(u"Un fonctionnaire rêveur."_s);
    b->setGenres({u"Drame"_s, u"comédie "_s});
    b->setActeurs({u"Robert De Niro"_s, u"Jonathan Pryce"_s});
    b->setCheminImage(u"IMAGES_FILMS\\BRAZIL (1985).jpg"_s);
    b->setNiveauPreference(6);
    const std::vector<const TFicheFilm *> groupe{a.get(), b.get()};

    Doublons::Choix choix = Doublons::choixParDefaut(groupe);
    EXPECT_EQ(choix[ChampsFiche::IdFilm], 0u);
    EXPECT_EQ(choix[ChampsFiche::Annee], 1u); // the first card that fills it
    EXPECT_EQ(choix[ChampsFiche::Resume], 1u);
    EXPECT_EQ(choix[ChampsFiche::TitreFrancais], 0u);

    choix[ChampsFiche::Genres] = 1;
    choix[ChampsFiche::NiveauPreference] = 1;
    const TFicheFilm fusion = Doublons::fusionner(groupe, choix);
    EXPECT_EQ(fusion.idFilm(), u"BRAZIL"_s);
    EXPECT_EQ(fusion.annee(), u"1985"_s);
    EXPECT_EQ(fusion.resume(), u"Un fonctionnaire rêveur."_s);
    EXPECT_EQ(fusion.cheminImage(), u"IMAGES_FILMS\\BRAZIL (1985).jpg"_s);
    EXPECT_EQ(fusion.niveauPreference(), 6);
    // The chosen card's entries first; a repeat that differs in case or blanks is left out.
    EXPECT_EQ(fusion.genres(), (QStringList{u"Drame"_s, u"comédie "_s, u"Science-fiction"_s}));
    EXPECT_EQ(fusion.acteurs(), (QStringList{u"Jonathan Pryce"_s, u"Robert De Niro"_s}));

    // The other card may be the one that stays.
    choix[ChampsFiche::IdFilm] = 1;
    EXPECT_EQ(Doublons::fusionner(groupe, choix).idFilm(), u"BRAZIL (1985)"_s);
}

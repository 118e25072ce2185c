#include "tests/catalogue/OutilsCatalogue.h"

using namespace Qt::StringLiterals;

TEST(CatalogueLecture, RegleDeLecturePourChaqueNoeudEtChaqueElement)
{
    Programme programme;
    const Catalogue &fiches = programme.lire(baseAvec(
        "<ficheFilm><idFilm>A</idFilm><titreFrancais>Titre</titreFrancais><inconnu>x</inconnu>"
        "<IdFilm>capitale</IdFilm></ficheFilm>\n"
        "<autreChose><idFilm>B</idFilm><codec>DivX</codec></autreChose>\n"
        "<!-- un commentaire -->\n"
        "<?instruction x?>\n"
        "<ficheFilm><idFilm>A</idFilm><annee>1990</annee><annee>1991</annee>"
        "<genres>Drame</genres><nationnalites>\n  </nationnalites>"
        "<acteurs><occurence>P</occurence></acteurs><acteurs>x<occurence>Q</occurence>"
        "<!--c--><autre>y</autre></acteurs>"
        "<titreOriginal>a<!--c-->b</titreOriginal><commentaire><!--c--></commentaire></ficheFilm>\n"
        "<ficheFilm><idFilm><![CDATA[D & <E>]]></idFilm><resume>a &amp; b\r\nc</resume>"
        "<motsCles><occurence><![CDATA[x]]></occurence></motsCles>"
        "<niveauPreference>-3</niveauPreference></ficheFilm>"));

    ASSERT_EQ(fiches.size(), 6u);
    const TFicheFilm &a = *fiches[0];
    EXPECT_EQ(a.idFilm(), u"A"_s);
    EXPECT_EQ(a.titreFrancais(), u"Titre"_s);
    for (const QString &texte :
         {a.annee(), a.duree(), a.resume(), a.distributeurFR(), a.titreOriginal(), a.nomSupport(),
          a.typeSupport(), a.cheminFichier(), a.cheminImage(), a.codec(), a.commentaire()})
        EXPECT_EQ(texte, u"-"_s);
    EXPECT_EQ(a.niveauPreference(), 5);
    EXPECT_TRUE(a.realisateurs().isEmpty() && a.nationnalites().isEmpty() && a.genres().isEmpty() &&
                a.acteurs().isEmpty() && a.motsCles().isEmpty());

    EXPECT_EQ(fiches[1]->idFilm(), u"B"_s);
    EXPECT_EQ(fiches[1]->codec(), u"DivX"_s);
    EXPECT_EQ(fiches[2]->idFilm(), u"-"_s);
    EXPECT_EQ(fiches[3]->titreFrancais(), u"-"_s);

    const TFicheFilm &doublon = *fiches[4];
    EXPECT_EQ(doublon.idFilm(), u"A"_s);
    EXPECT_EQ(doublon.annee(), u"1991"_s);
    EXPECT_TRUE(doublon.genres().isEmpty());
    EXPECT_TRUE(doublon.nationnalites().isEmpty());
    EXPECT_EQ(doublon.acteurs(), QStringList({u"P"_s, u"Q"_s}));
    EXPECT_EQ(doublon.titreOriginal(), u"-"_s);
    EXPECT_EQ(doublon.commentaire(), u"-"_s);

    const TFicheFilm &d = *fiches[5];
    EXPECT_EQ(d.idFilm(), u"D & <E>"_s);
    EXPECT_EQ(d.resume(), u"a & b\r\nc"_s);
    EXPECT_EQ(d.motsCles(), QStringList{u"x"_s});
    EXPECT_EQ(d.niveauPreference(), -3);
}

TEST(CatalogueLecture, FichiersDeclaresWindows1252OuLatin1)
{
    const QByteArray utf8 = baseAvec("<ficheFilm><idFilm>CLÉO DE 5 À 7</idFilm><titreFrancais>"
                                     "€uvre œuf “cité”</titreFrancais><acteurs><occurence>"
                                     "François</occurence><occurence>\xC2\x81</occurence>"
                                     "</acteurs></ficheFilm>");
    const QByteArray fichiers[] = {
        lireFichier(RepertoireTest::donnees(u"catalogueWindows1252.bdf"_s)),
        lireFichier(RepertoireTest::donnees(u"catalogueIso88591.bdf"_s)),
        utf8,
        "\xEF\xBB\xBF" + utf8,
    };
    for (const QByteArray &contenu : fichiers) {
        ASSERT_FALSE(contenu.isEmpty());
        Programme programme;
        const Catalogue &fiches = programme.lire(contenu);
        ASSERT_EQ(fiches.size(), 1u);
        EXPECT_EQ(fiches[0]->idFilm(), u"CLÉO DE 5 À 7"_s);
        EXPECT_EQ(fiches[0]->titreFrancais(), u"€uvre œuf “cité”"_s);
        EXPECT_EQ(fiches[0]->acteurs(), QStringList({u"François"_s, QString(QChar(0x81))}));
    }
}

TEST(CatalogueLecture, NiveauPreferenceEntierDecimalStrict)
{
    const std::pair<const char *, qint32> valides[] = {{"7", 7},
                                                       {"+7", 7},
                                                       {"007", 7},
                                                       {"-1", -1},
                                                       {"11", 11},
                                                       {"2147483647", 2147483647},
                                                       {"-2147483648", -2147483647 - 1}};
    for (const auto &[texte, valeur] : valides) {
        Programme programme;
        const Catalogue &fiches =
            programme.lire(baseAvec(QByteArray("<ficheFilm><niveauPreference>") + texte +
                                    "</niveauPreference></ficheFilm>"));
        EXPECT_EQ(fiches.at(0)->niveauPreference(), valeur) << texte;
    }
    for (const char *texte : {"abc", " 7", "7 ", "$1F", "7.0", "0x10", "+", "-", "2147483648",
                              "-2147483649", "99999999999999999999"}) {
        Programme programme;
        EXPECT_EQ(texteErreur([&] {
                      programme.lire(baseAvec(QByteArray("<ficheFilm><niveauPreference>") + texte +
                                              "</niveauPreference></ficheFilm>"));
                  }),
                  u"'%1' is not a valid integer value"_s.arg(QString::fromUtf8(texte)));
    }
}

TEST(CatalogueLecture, ChaqueErreurGardeLesFichesDejaLuesEtLaisseLeFichier)
{
    const QByteArray bonne = "<ficheFilm><idFilm>BONNE</idFilm></ficheFilm>";
    struct Cas
    {
        QByteArray contenu;
        QString erreur;
        size_t fichesGardees;
    };
    const Cas cas[] = {
        {"<Kinolux_BaseFilms>\n<racine>\n<listeFichesFilms>\n<ficheFilm></listeFichesFilms>",
         u"Start-end tags mismatch (ligne 4)"_s, 0},
        {"<a>\r\n<b>\r\r\n</a>", u"Start-end tags mismatch (ligne 4)"_s, 0},
        {"Ceci n'est pas du XML\nsur deux lignes", u"No document element found (ligne 2)"_s, 0},
        {"", u"No document element found (ligne 1)"_s, 0},
        {"<Kinolux_BaseFilms/>", u"List index out of bounds (0)"_s, 0},
        {"<Kinolux_BaseFilms><racine/></Kinolux_BaseFilms>", u"List index out of bounds (0)"_s, 0},
        {"<Kinolux_BaseFilms><!--c--><racine><l/></racine></Kinolux_BaseFilms>",
         u"List index out of bounds (0)"_s, 0},
        {"<Kinolux_BaseFilms>texte<racine><l/></racine></Kinolux_BaseFilms>",
         u"List index out of bounds (0)"_s, 0},
        {baseAvec(bonne + "<ficheFilm><niveauPreference>abc</niveauPreference></ficheFilm>" +
                  bonne),
         u"'abc' is not a valid integer value"_s, 1},
        {baseAvec(bonne +
                  "<ficheFilm><acteurs><occurence><b>x</b></occurence></acteurs></ficheFilm>"),
         u"Element does not contain a single text node"_s, 1},
        {baseAvec(bonne + bonne + "<f><genres><occurence>a<!--c--></occurence></genres></f>"),
         u"Element does not contain a single text node"_s, 2},
    };
    for (const Cas &c : cas) {
        Programme programme;
        EXPECT_EQ(texteErreur([&] { programme.lire(c.contenu); }), c.erreur) << c.contenu.data();
        EXPECT_EQ(programme.dm->fichesFilms().size(), c.fichesGardees) << c.contenu.data();
        EXPECT_EQ(programme.base(), c.contenu);
    }
}

TEST(CatalogueLecture, LesCartesSontLesEnfantsDuPremierEnfantDuPremierEnfant)
{
    const std::pair<const char *, size_t> cas[] = {
        {"<K><x><y/></x><autre><f/></autre></K>", 0},
        {"<K><racine>texte<l><f/></l></racine></K>", 0},
        {"<K><racine><l>texte<f/><!--c--></l></racine></K>", 3},
        {"<K><racine><l><![CDATA[x]]>texte</l></racine></K>", 2},
    };
    for (const auto &[contenu, nombre] : cas) {
        Programme programme;
        EXPECT_EQ(programme.lire(contenu).size(), nombre) << contenu;
    }
}

TEST(CatalogueLecture, SansFichierLeCatalogueEstVide)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    auto fiche = ficheSimple(u"A"_s);
    dm.ajouterFicheFilm(fiche);
    EXPECT_NO_THROW(dm.lireBaseFilms());
    EXPECT_TRUE(dm.fichesFilms().empty());
}

TEST(CatalogueLecture, LesOctetsEnMemoireSeLisentCommeLeFichier)
{
    const QByteArray bonne = "<ficheFilm><idFilm>BONNE</idFilm><acteurs><occurence>P</occurence>"
                             "<occurence/></acteurs><niveauPreference>7</niveauPreference>"
                             "</ficheFilm>";
    const QByteArray deuxFiches = lireFichier(RepertoireTest::donnees(u"deuxFiches.bdf"_s));
    const QByteArray windows1252 =
        lireFichier(RepertoireTest::donnees(u"catalogueWindows1252.bdf"_s));
    ASSERT_FALSE(deuxFiches.isEmpty() || windows1252.isEmpty());
    const QByteArray contenus[] = {
        deuxFiches,
        windows1252,
        "<a>\r\n<b>\r\r\n</a>",
        "",
        "<Kinolux_BaseFilms><racine/></Kinolux_BaseFilms>",
        baseAvec(bonne + "<ficheFilm><niveauPreference>abc</niveauPreference></ficheFilm>"),
        // The line of a fault is counted after the conversion to UTF-8.
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<K>\xC9t\xE9\r\n<racine>\n</K>",
    };
    for (const QByteArray &contenu : contenus) {
        Programme programme;
        const QString erreurFichier = texteErreur([&] { programme.lire(contenu); });
        Catalogue fiches;
        fiches.push_back(ficheSimple(u"DEJA LA"_s));
        EXPECT_EQ(texteErreur([&] { Tdm_Kinolux::lireFiches(contenu, fiches); }), erreurFichier)
            << contenu.data();

        const Catalogue &duFichier = programme.dm->fichesFilms();
        ASSERT_EQ(fiches.size(), duFichier.size() + 1) << contenu.data();
        EXPECT_EQ(fiches[0]->idFilm(), u"DEJA LA"_s) << "the cards given are kept";
        for (size_t i = 0; i < duFichier.size(); ++i) {
            const TFicheFilm &a = *fiches[i + 1];
            const TFicheFilm &b = *duFichier[i];
            EXPECT_EQ(a.idFilm(), b.idFilm());
            EXPECT_EQ(a.titreFrancais(), b.titreFrancais());
            EXPECT_EQ(a.acteurs(), b.acteurs());
            EXPECT_EQ(a.niveauPreference(), b.niveauPreference());
        }
    }
}

// Recurring values are read once and shared by the cards (that is what keeps 35,000 cards
// small); a card changed afterwards leaves the others as they were read.
TEST(CatalogueLecture, LesValeursRecurrentesSontPartageesSansLierLesFiches)
{
    Programme programme;
    const Catalogue &fiches = programme.lire(baseAvec(
        "<ficheFilm><idFilm>A</idFilm><annee>1962</annee><genres><occurence>Drame</occurence>"
        "</genres><acteurs><occurence>Jean Gabin</occurence><occurence>Jean Gabin</occurence>"
        "</acteurs></ficheFilm>"
        "<ficheFilm><idFilm>B</idFilm><annee>1962</annee><acteurs><occurence>Drame</occurence>"
        "<occurence>Jean Gabin</occurence></acteurs><resume>Jean Gabin</resume></ficheFilm>"));
    ASSERT_EQ(fiches.size(), 2u);
    const TFicheFilm &a = *fiches[0];
    const TFicheFilm &b = *fiches[1];
    EXPECT_EQ(a.acteurs()[0].constData(), b.acteurs()[1].constData());
    EXPECT_EQ(a.genres()[0].constData(), b.acteurs()[0].constData());
    EXPECT_EQ(a.annee().constData(), b.annee().constData());

    programme.dm->modifierFiche(programme.dm->cle(0), [](TFicheFilm &fiche) {
        fiche.acteurs()[0].append(u" (Jean Moncorgé)"_s);
        fiche.setAnnee(u"1963"_s);
    });
    EXPECT_EQ(b.acteurs(), QStringList({u"Drame"_s, u"Jean Gabin"_s}));
    EXPECT_EQ(a.acteurs()[1], u"Jean Gabin"_s);
    EXPECT_EQ(b.annee(), u"1962"_s);
    EXPECT_EQ(b.resume(), u"Jean Gabin"_s);
}

#include "tests/catalogue/OutilsCatalogue.h"

#include <QFileInfo>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

void ajouterDeuxFiches(Tdm_Kinolux &dm)
{
    auto cleo = std::make_unique<TFicheFilm>(
        u"CLÉO DE 5 À 7"_s, u"Cléo de 5 à 7"_s, u"1962"_s, u"90 min"_s,
        u"Une chanteuse attend <le résultat> & \"l'avis\" du médecin.\r\nDeux heures."_s,
        u"Ciné-Tamaris"_s, u"-"_s, QStringList{u"Agnès Varda"_s},
        QStringList{u"France"_s, u"Italie"_s}, QStringList{u"Drame"_s},
        QStringList{u"Corinne Marchand"_s, u"Antoine Bourseiller"_s}, QStringList());
    cleo->setNiveauPreference(8);
    cleo->setNomSupport(u"DVD CLÉO DE 5 À 7"_s);
    cleo->setTypeSupport(u"DVD-VIDEO"_s);
    cleo->setCheminFichier(u"-"_s);
    cleo->setCheminImage(u"IMAGES_FILMS\\CLÉO DE 5 À 7.jpg"_s);
    cleo->setCodec(u"MPEG2"_s);
    cleo->setCommentaire(u""_s);
    auto pont = ficheSimple(u"PONT (LE)"_s);
    pont->setNiveauPreference(-1);
    pont->setCodec(u"€ œ ’"_s);
    pont->setMotsCles({u"guerre"_s});
    ASSERT_TRUE(dm.ajouterFicheFilm(cleo));
    ASSERT_TRUE(dm.ajouterFicheFilm(pont));
}

} // namespace

TEST(CatalogueEcriture, DeuxFichesDonnentLeFichierDeReferenceEtSeRelisent)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    ajouterDeuxFiches(dm);
    dm.ecrireBaseFilms();
    EXPECT_EQ(programme.base(), lireFichier(RepertoireTest::donnees(u"deuxFiches.bdf"_s)));

    dm.lireBaseFilms();
    ASSERT_EQ(dm.fichesFilms().size(), 2u);
    const TFicheFilm &cleo = *dm.fichesFilms()[0];
    EXPECT_EQ(cleo.resume(),
              u"Une chanteuse attend <le résultat> & \"l'avis\" du médecin.\r\nDeux heures."_s);
    EXPECT_EQ(cleo.acteurs(), QStringList({u"Corinne Marchand"_s, u"Antoine Bourseiller"_s}));
    EXPECT_EQ(cleo.cheminImage(), u"IMAGES_FILMS\\CLÉO DE 5 À 7.jpg"_s);
    EXPECT_EQ(cleo.commentaire(), u"-"_s) << "an empty text comes back as \"-\"";
    EXPECT_EQ(cleo.niveauPreference(), 8);
    EXPECT_EQ(dm.fichesFilms()[1]->niveauPreference(), -1);
    EXPECT_EQ(dm.fichesFilms()[1]->codec(), u"€ œ ’"_s);
}

TEST(CatalogueEcriture, CatalogueVide)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    dm.ecrireBaseFilms();
    EXPECT_EQ(programme.base(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Kinolux_BaseFilms>"
                                "<racine><listeFichesFilms/></racine></Kinolux_BaseFilms>");
    dm.lireBaseFilms();
    EXPECT_TRUE(dm.fichesFilms().empty());
}

TEST(CatalogueEcriture, LesCaracteresQueXmlNePortePasSontOmis)
{
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    auto fiche = ficheSimple(u"A"_s);
    const QString gardes = u"tab\t lf\n cr\r c1\u0081 nbsp\u00A0 \U0001F3AC fin"_s;
    fiche->setCommentaire(u"\u0001"_s + gardes + QChar(0xFFFE) + QChar(0xFFFF) + QChar(0xD800) +
                          u"\u001F"_s + QChar(0xDC00));
    fiche->setActeurs({u"\u0007"_s, u"x\u0000y"_s});
    dm.ajouterFicheFilm(fiche);
    dm.ecrireBaseFilms();
    dm.lireBaseFilms();
    ASSERT_EQ(dm.fichesFilms().size(), 1u);
    EXPECT_EQ(dm.fichesFilms()[0]->commentaire(), gardes);
    EXPECT_EQ(dm.fichesFilms()[0]->acteurs(), QStringList({u""_s, u"xy"_s}));
}

TEST(CatalogueEcriture, LeModeleDonneSaDeclarationEtSesCommentaires)
{
    struct Cas
    {
        QByteArray modele;
        QByteArray debut;
    };
    const Cas cas[] = {
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<!-- Mod\xE8le -->\r\n"
         "<Kinolux_BaseFilms/>\r\n",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- Modèle --><Kinolux_BaseFilms><racine>"},
        {"<Kinolux_BaseFilms><!-- gardé --></Kinolux_BaseFilms>",
         "<?xml version=\"1.0\"?><Kinolux_BaseFilms><racine>"},
    };
    for (const Cas &c : cas) {
        Programme programme;
        programme.repertoire.ecrire(u"baseFilmModele.bdf"_s, c.modele);
        Tdm_Kinolux &dm = programme.demarrer();
        ajouterDeuxFiches(dm);
        dm.ecrireBaseFilms();
        EXPECT_TRUE(programme.base().startsWith(c.debut)) << programme.base().left(120).data();
        dm.lireBaseFilms();
        EXPECT_EQ(dm.fichesFilms().size(), 2u);
    }
}

TEST(CatalogueEcriture, UnEchecDEnregistrementLaisseLeFichierIntact)
{
    const QByteArray ancien = baseAvec("<ficheFilm><idFilm>ANCIEN</idFilm></ficheFilm>");
    struct Cas
    {
        const char *nom;
        std::function<void(RepertoireTest &)> preparer;
        QString erreur;
    };
    const Cas cas[] = {
        {"modèle absent",
         [](RepertoireTest &r) { QFile::remove(r.fichier(u"baseFilmModele.bdf"_s)); },
         u"Impossible d'utiliser le modèle « %1 » : File was not found"_s},
        {"modèle mal formé",
         [](RepertoireTest &r) {
             r.ecrire(u"baseFilmModele.bdf"_s, "<?xml version=\"1.0\"?>\n<a>");
         },
         u"Impossible d'utiliser le modèle « %1 » : Start-end tags mismatch (ligne 2)"_s},
        {"modèle sans élément", [](RepertoireTest &r) { r.ecrire(u"baseFilmModele.bdf"_s, ""); },
         u"Impossible d'utiliser le modèle « %1 » : No document element found (ligne 1)"_s},
    };
    for (const Cas &c : cas) {
        Programme programme;
        programme.lire(ancien);
        c.preparer(programme.repertoire);
        EXPECT_EQ(texteErreur([&] { programme.dm->ecrireBaseFilms(); }),
                  c.erreur.arg(programme.repertoire.fichier(u"baseFilmModele.bdf"_s)))
            << c.nom;
        EXPECT_EQ(programme.base(), ancien) << c.nom;
    }

    // The target became a directory after a load: nothing can be written there.
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    dm.lireBaseFilms();
    const QString cible = programme.repertoire.fichier(u"baseFilm.bdf"_s);
    QDir().mkpath(cible + u"/dedans"_s);
    ajouterDeuxFiches(dm);
    const QString erreur = texteErreur([&] { dm.ecrireBaseFilms(); });
    EXPECT_TRUE(erreur.startsWith(u"Impossible d'enregistrer le catalogue « %1 » : "_s.arg(cible)))
        << erreur.toStdString();
    EXPECT_TRUE(QFileInfo(cible + u"/dedans"_s).isDir());
    // The journal holds the two cards that could not be saved.
    EXPECT_EQ(QDir(programme.repertoire.chemin()).entryList(QDir::Files),
              QStringList({u"baseFilm.journal"_s, u"baseFilmModele.bdf"_s, u"kinolux.ini"_s,
                           u"movies.txt"_s}));
}

TEST(CatalogueEcriture, UnTexteQuiCommenceParUFEFFLeGardeALaRelecture)
{
    // U+FEFF at the start of a text is a character, not a byte-order mark: the texts read one
    // by one, those shared between cards and the list entries all keep it.
    const QString zwnbsp(QChar(0xFEFF));
    Programme programme;
    Tdm_Kinolux &dm = programme.demarrer();
    for (const QString &id : {zwnbsp + u"A"_s, zwnbsp + zwnbsp + u"B"_s}) {
        auto fiche = ficheSimple(id);
        fiche->setAnnee(zwnbsp + u"1962"_s);
        fiche->setActeurs({zwnbsp + u"Corinne Marchand"_s, zwnbsp});
        dm.ajouterFicheFilm(fiche);
    }
    dm.ecrireBaseFilms();
    dm.lireBaseFilms();
    ASSERT_EQ(dm.fichesFilms().size(), 2u);
    EXPECT_EQ(dm.fichesFilms()[0]->idFilm(), zwnbsp + u"A"_s);
    EXPECT_EQ(dm.fichesFilms()[1]->idFilm(), zwnbsp + zwnbsp + u"B"_s);
    for (const auto &fiche : dm.fichesFilms()) {
        EXPECT_EQ(fiche->annee(), zwnbsp + u"1962"_s);
        EXPECT_EQ(fiche->acteurs(), QStringList({zwnbsp + u"Corinne Marchand"_s, zwnbsp}));
    }
}

// The field table, the data module's announcements and the item model of the catalogue.
#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"

#include <QAbstractItemModelTester>
#include <QCollator>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace ChampsFiche;

namespace {

// Every field of the card holds a value of its own, made from the field's element name.
std::unique_ptr<TFicheFilm> ficheRemplie(const QString &id)
{
    auto fiche = std::make_unique<TFicheFilm>(id);
    for (int i = 0; i < NombreChamps; ++i) {
        const auto c = static_cast<Champ>(i);
        const QString nom = QString::fromLatin1(champ(c).element);
        if (champ(c).genre == Genre::Texte)
            ecrireTexte(*fiche, c, id + u' ' + nom);
        else if (champ(c).genre == Genre::Liste)
            ecrireListe(*fiche, c, {nom + u" 1"_s, QString(), nom + u" & <2>"_s});
    }
    fiche->setNiveauPreference(7);
    return fiche;
}

TEST(ChampsFiche, LaTableSuitLOrdreDuFichierEtSesAccesseursLisentCeQuIlsEcrivent)
{
    QStringList elements;
    for (const Description &d : champs())
        elements.append(QString::fromLatin1(d.element));
    EXPECT_EQ(elements,
              QStringList({u"idFilm"_s, u"titreFrancais"_s, u"realisateurs"_s, u"annee"_s,
                           u"nationnalites"_s, u"genres"_s, u"duree"_s, u"acteurs"_s, u"resume"_s,
                           u"distributeurFR"_s, u"titreOriginal"_s, u"motsCles"_s,
                           u"niveauPreference"_s, u"nomSupport"_s, u"typeSupport"_s,
                           u"cheminFichier"_s, u"cheminImage"_s, u"codec"_s, u"commentaire"_s}));
    for (int i = 0; i < NombreChamps; ++i)
        EXPECT_EQ(champDeElement(champ(Champ(i)).element), Champ(i));
    EXPECT_EQ(champDeElement("idFilmX"), Aucun);

    const auto fiche = ficheRemplie(u"ID"_s);
    EXPECT_EQ(fiche->idFilm(), u"ID"_s) << "the identifier has no setter";
    EXPECT_EQ(fiche->codec(), u"ID codec"_s);
    EXPECT_EQ(fiche->genres(), QStringList({u"genres 1"_s, QString(), u"genres & <2>"_s}));
    EXPECT_EQ(enTexte(*fiche, Genres), u"genres 1, , genres & <2>"_s);
    EXPECT_EQ(enTexte(*fiche, NiveauPreference), u"7"_s);
    EXPECT_EQ(libelle(TitreFrancais), u"Titre Français"_s);
    EXPECT_EQ(libelle(MotsCles), u"Mots clés"_s);

    // A list written with itself stays as it was, and stays the card's own list.
    const QStringList *propre = &fiche->acteurs();
    ecrireListe(*fiche, Acteurs, fiche->acteurs());
    EXPECT_EQ(&fiche->acteurs(), propre);
    EXPECT_EQ(fiche->acteurs().size(), 3);
}

TEST(ChampsFiche, UneFicheEcriteParLaTableRevientChampParChamp)
{
    RepertoireTest repertoire;
    Tdm_Kinolux dm(repertoire.chemin());
    dm.lireBaseFilms();
    Catalogue fiches;
    fiches.push_back(ficheRemplie(u"A"_s));
    fiches.push_back(ficheRemplie(u"B"_s));
    dm.adopterFiches(std::move(fiches));
    dm.ecrireBaseFilms();
    dm.lireBaseFilms();
    ASSERT_EQ(dm.fichesFilms().size(), 2u);
    const auto attendue = ficheRemplie(u"B"_s);
    for (int i = 0; i < NombreChamps; ++i)
        EXPECT_EQ(enTexte(*dm.fichesFilms()[1], Champ(i)), enTexte(*attendue, Champ(i)))
            << champ(Champ(i)).element;
}

TEST(ChampsFiche, UneNouvelleFichePorteLesValeursParDefaut)
{
    const auto fiche = nouvelleFiche(u"PONT (LE)"_s, u"PONT (LE)"_s);
    EXPECT_EQ(fiche->idFilm(), u"PONT (LE)"_s);
    EXPECT_EQ(fiche->titreFrancais(), u"-"_s);
    EXPECT_EQ(fiche->commentaire(), u"-"_s);
    EXPECT_EQ(fiche->cheminFichier(), u"-"_s);
    EXPECT_EQ(fiche->niveauPreference(), 5);
    EXPECT_EQ(fiche->nomSupport(), u"DVD LE PONT"_s);
    EXPECT_EQ(fiche->typeSupport(), u"DVD-VIDEO"_s);
    EXPECT_EQ(fiche->codec(), u"MPEG2"_s);
    EXPECT_TRUE(fiche->genres().isEmpty());
}

// The data module over a fresh directory, with an item-model tester watching its model.
class ModeleTest : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    Tdm_Kinolux dm{repertoire.chemin(), &dialogues};
    QAbstractItemModelTester testeur{&dm.modele(),
                                     QAbstractItemModelTester::FailureReportingMode::Fatal};
    QSignalSpy reinitialise{&dm, &Tdm_Kinolux::catalogueReinitialise};
    QSignalSpy ajoutee{&dm, &Tdm_Kinolux::ficheAjoutee};
    QSignalSpy modifiee{&dm, &Tdm_Kinolux::ficheModifiee};
    QSignalSpy supprimee{&dm, &Tdm_Kinolux::ficheSupprimee};

    CleFiche ajouter(const QString &id, const QString &titre)
    {
        auto fiche = std::make_unique<TFicheFilm>(id);
        fiche->setTitreFrancais(titre);
        EXPECT_TRUE(dm.ajouterFicheFilm(fiche));
        return dm.cle(dm.fichesFilms().size() - 1);
    }
    void oublierSignaux()
    {
        for (QSignalSpy *espion : {&reinitialise, &ajoutee, &modifiee, &supprimee})
            espion->clear();
    }
    QStringList titresParTitre() const
    {
        QStringList titres;
        for (const int ligne : dm.modele().lignesParTitre())
            titres.append(dm.modele().fiche(ligne).titreFrancais());
        return titres;
    }
    // What the model shows matches the catalogue, row by row and field by field.
    void verifierModele() const
    {
        const ModeleCatalogue &modele = dm.modele();
        ASSERT_EQ(size_t(modele.rowCount()), dm.fichesFilms().size());
        for (int ligne = 0; ligne < modele.rowCount(); ++ligne) {
            const TFicheFilm &fiche = *dm.fichesFilms()[size_t(ligne)];
            EXPECT_EQ(modele.index(ligne, 0).data(ModeleCatalogue::RoleCle).value<CleFiche>(),
                      dm.cle(size_t(ligne)));
            EXPECT_EQ(modele.index(ligne, 5).data(ModeleCatalogue::RoleIdFilm).toString(),
                      fiche.idFilm());
            for (int c = 0; c < NombreChamps; ++c)
                EXPECT_EQ(modele.index(ligne, c).data().toString(), enTexte(fiche, Champ(c)));
        }
        // The film list's order: the French collation ignoring case, ties in catalogue order.
        QCollator collation(QLocale(QLocale::French, QLocale::France));
        collation.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<int> attendu(dm.fichesFilms().size());
        std::iota(attendu.begin(), attendu.end(), 0);
        std::stable_sort(attendu.begin(), attendu.end(), [&](int a, int b) {
            return collation.compare(dm.fichesFilms()[size_t(a)]->titreFrancais(),
                                     dm.fichesFilms()[size_t(b)]->titreFrancais()) < 0;
        });
        EXPECT_EQ(modele.lignesParTitre(), attendu);
    }
};

TEST_F(ModeleTest, ChaqueCommandeAnnonceCeQuElleChangeEtRienDePlus)
{
    dm.lireBaseFilms();
    EXPECT_EQ(reinitialise.count(), 1);
    oublierSignaux();

    const CleFiche zorro = ajouter(u"ZORRO"_s, u"Zorro"_s);
    const CleFiche amelie = ajouter(u"AMELIE"_s, u"Amélie"_s);
    ASSERT_EQ(ajoutee.count(), 2);
    EXPECT_EQ(ajoutee.at(0).at(0).value<CleFiche>(), zorro);
    EXPECT_NE(zorro, amelie);
    auto double_ = std::make_unique<TFicheFilm>(u"ZORRO"_s);
    EXPECT_FALSE(dm.ajouterFicheFilm(double_));
    EXPECT_EQ(ajoutee.count(), 2) << "a card refused is not announced";
    EXPECT_EQ(reinitialise.count() + modifiee.count() + supprimee.count(), 0);

    dm.modifierFiche(amelie, [](TFicheFilm &f) { f.setAnnee(u"2001"_s); });
    ASSERT_EQ(modifiee.count(), 1);
    EXPECT_EQ(modifiee.at(0).at(0).value<CleFiche>(), amelie);
    dm.modifierFiche(CleFiche(999), [](TFicheFilm &f) { f.setAnnee(u"x"_s); });
    EXPECT_EQ(modifiee.count(), 1) << "no card has that number";
    // A change that fails half-way is announced all the same: what it did stays done.
    EXPECT_THROW(dm.modifierFiche(zorro,
                                  [](TFicheFilm &f) {
                                      f.setDuree(u"90"_s);
                                      throw Erreur(u"panne"_s);
                                  }),
                 Erreur);
    EXPECT_EQ(modifiee.count(), 2);
    EXPECT_EQ(dm.fiche(zorro)->duree(), u"90"_s);

    dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    EXPECT_FALSE(dm.supprimerFiche(u"ZORRO"_s));
    EXPECT_EQ(supprimee.count(), 0);
    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    EXPECT_TRUE(dm.supprimerFiche(u"ZORRO"_s));
    ASSERT_EQ(supprimee.count(), 1);
    EXPECT_EQ(supprimee.at(0).at(0).value<CleFiche>(), zorro);
    EXPECT_EQ(supprimee.at(0).at(1).value<qsizetype>(), 0);
    EXPECT_EQ(dm.fiche(zorro), nullptr);
    EXPECT_EQ(dm.indexDe(amelie), 0);

    // A number is never given again, also after its card is gone.
    const CleFiche autre = ajouter(u"ZORRO"_s, u"Zorro"_s);
    EXPECT_GT(autre, amelie);
    EXPECT_EQ(reinitialise.count(), 0);
    dm.detruireFichesFilms();
    EXPECT_EQ(reinitialise.count(), 1);
    EXPECT_EQ(dm.modele().rowCount(), 0);
}

TEST_F(ModeleTest, LesDoublesDIdentifiantOntChacunLeurNumeroEtPartentEnsemble)
{
    // A file made elsewhere may repeat an identifier: the cards stay two, named apart.
    Catalogue fiches;
    for (const QString &titre : {u"Un"_s, u"Deux"_s, u"Trois"_s}) {
        fiches.push_back(std::make_unique<TFicheFilm>(titre == u"Deux" ? u"B"_s : u"A"_s));
        fiches.back()->setTitreFrancais(titre);
    }
    dm.adopterFiches(std::move(fiches));
    EXPECT_EQ(reinitialise.count(), 1);
    EXPECT_EQ(dm.fiche(dm.cle(2))->titreFrancais(), u"Trois"_s);
    verifierModele();

    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    EXPECT_TRUE(dm.supprimerFiche(u"A"_s));
    ASSERT_EQ(supprimee.count(), 2);
    EXPECT_EQ(supprimee.at(0).at(1).value<qsizetype>(), 2) << "removed from the end";
    EXPECT_EQ(supprimee.at(1).at(1).value<qsizetype>(), 0);
    verifierModele();
    EXPECT_EQ(titresParTitre(), QStringList({u"Deux"_s}));
}

TEST_F(ModeleTest, LeModeleSuitLeCatalogueEtGardeLOrdreDesTitres)
{
    dm.lireBaseFilms();
    ajouter(u"Z"_s, u"zèbre"_s);
    const CleFiche b = ajouter(u"B"_s, u"Été"_s);
    ajouter(u"A"_s, u"abricot"_s);
    ajouter(u"E"_s, u"ete"_s);
    ajouter(u"E2"_s, u"Ete"_s);
    verifierModele();
    EXPECT_EQ(titresParTitre(),
              QStringList({u"abricot"_s, u"ete"_s, u"Ete"_s, u"Été"_s, u"zèbre"_s}))
        << "accents after plain letters, letter case ignored, ties in catalogue order";

    // A new title moves the card; another field leaves the order alone.
    dm.modifierFiche(b, [](TFicheFilm &f) { f.setTitreFrancais(u"Zut"_s); });
    dm.modifierFiche(b, [](TFicheFilm &f) { f.setGenres({u"Drame"_s}); });
    verifierModele();
    EXPECT_EQ(titresParTitre().last(), u"Zut"_s);

    dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    dm.supprimerFiche(u"Z"_s);
    ajouter(u"AA"_s, u"Abricot"_s);
    verifierModele();

    // A title written straight into a card, bypassing the data module, is seen at the next look.
    const_cast<TFicheFilm &>(*dm.fichesFilms().front()).setTitreFrancais(u"Aaa"_s);
    verifierModele();
    EXPECT_EQ(titresParTitre().front(), u"Aaa"_s);
    EXPECT_EQ(dm.modele().ligneDuTitre(u"ABRICOT"_s), dm.modele().lignesParTitre()[1]);
    EXPECT_EQ(dm.modele().ligneDuTitre(u"absent"_s), -1);
    EXPECT_EQ(dm.modele().headerData(TitreOriginal, Qt::Horizontal).toString(),
              u"Titre Original"_s);
}

TEST_F(ModeleTest, UneLectureRateeAnnonceLesFichesLuesAvantLaMauvaise)
{
    repertoire.ecrire(u"baseFilm.bdf"_s,
                      "<?xml version=\"1.0\"?><base><racine><listeFichesFilms>"
                      "<ficheFilm><idFilm>A</idFilm><titreFrancais>Lue</titreFrancais></ficheFilm>"
                      "<ficheFilm><idFilm>B</idFilm><niveauPreference>x</niveauPreference>"
                      "</ficheFilm></listeFichesFilms></racine></base>");
    EXPECT_THROW(dm.lireBaseFilms(), Erreur);
    EXPECT_EQ(reinitialise.count(), 1);
    ASSERT_EQ(dm.modele().rowCount(), 1);
    verifierModele();
}

} // namespace

#include "tests/catalogue/OutilsCatalogue.h"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

TEST(CatalogueVolume, UnCatalogueDeCinquanteMegaOctetsSeCharge)
{
    // One realistic card repeated; only its key changes.
    const QByteArray mots = "Un homme revient dans son village natal après la guerre et découvre "
                            "que sa maison a été vendue; ";
    QByteArray modele = "<ficheFilm><idFilm>FILM @</idFilm><titreFrancais>Le Film @</titreFrancais>"
                        "<realisateurs><occurence>Jean Réalisateur</occurence></realisateurs>"
                        "<annee>1975</annee><nationnalites><occurence>France</occurence>"
                        "<occurence>Italie</occurence></nationnalites><genres><occurence>Drame"
                        "</occurence><occurence>Guerre</occurence><occurence>Comédie</occurence>"
                        "</genres><duree>1 h 45 min</duree><acteurs>";
    for (int i = 0; i < 10; ++i)
        modele += "<occurence>Acteur Numéro " + QByteArray::number(i) + "</occurence>";
    modele += "</acteurs><resume>" + mots.repeated(7) +
              "</resume><distributeurFR>Gaumont</distributeurFR><titreOriginal>-</titreOriginal>"
              "<motsCles/><niveauPreference>7</niveauPreference><nomSupport>DVD FILM @"
              "</nomSupport><typeSupport>DVD-VIDEO</typeSupport><cheminFichier>-</cheminFichier>"
              "<cheminImage>IMAGES_FILMS\\FILM @.jpg</cheminImage><codec>MPEG2</codec>"
              "<commentaire>-</commentaire></ficheFilm>";
    const int nombre = 35000;
    QByteArray fiches;
    fiches.reserve(qsizetype(nombre) * (modele.size() + 8));
    for (int i = 0; i < nombre; ++i)
        fiches += QByteArray(modele).replace("@", QByteArray::number(i));
    const QByteArray base = baseAvec(fiches);
    ASSERT_GT(base.size(), 50'000'000);

    Programme programme;
    programme.repertoire.ecrire(u"baseFilm.bdf"_s, base);
    Tdm_Kinolux &dm = programme.demarrer();
    QElapsedTimer chrono;
    chrono.start();
    dm.lireBaseFilms();
    RecordProperty("millisecondes", int(chrono.elapsed()));
    ASSERT_EQ(dm.fichesFilms().size(), size_t(nombre));
    const TFicheFilm &derniere = *dm.fichesFilms().back();
    EXPECT_EQ(derniere.idFilm(), u"FILM 34999"_s);
    EXPECT_EQ(derniere.cheminImage(), u"IMAGES_FILMS\\FILM 34999.jpg"_s);
    EXPECT_EQ(derniere.acteurs().size(), 10);
    EXPECT_EQ(derniere.genres().at(2), u"Comédie"_s);
    EXPECT_EQ(derniere.niveauPreference(), 7);
}

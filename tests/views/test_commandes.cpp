#include "app/Kinolux.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TformMessageFlash.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class Commandes : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);

    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    QListWidget &liste() { return fp().listeFilms(); }
    void declencher(const char *nom) { fp().action(QString::fromLatin1(nom))->trigger(); }

    // A card with its own cover file.
    void ajouter(const QString &id, const QString &titre)
    {
        dm().adopterFiches(uneFiche(ficheAvecCouverture(repertoire, id, titre)));
    }
    QStringList lignes()
    {
        QStringList resultat;
        for (int i = 0; i < liste().count(); ++i)
            resultat.append(liste().item(i)->text());
        return resultat;
    }
    QString selection()
    {
        return liste().selectedItems().isEmpty() ? QString() : liste().currentItem()->text();
    }
    void supprimer(const QString &titre, Dialogues::Reponse reponse)
    {
        liste().setCurrentRow(lignes().indexOf(titre));
        dialogues.reponses.enqueue(reponse);
        declencher("supprimerFilm");
    }
    bool couverture(const QString &id)
    {
        return QFile::exists(repertoire.fichier(u"IMAGES_FILMS/"_s + id + u".jpg"_s));
    }
};

TEST_F(Commandes, ABlankCardGetsTheDefaultsAndIsNotSelected)
{
    ajouter(u"ALIEN"_s, u"Alien"_s);
    fp().MAJ_ListeFilms();
    liste().setCurrentRow(0);
    declencher("chargerFicheFilm");
    dialogues.appels.clear();

    dialogues.saisies.enqueue(u"matrix (the) é"_s);
    declencher("creerNouvelleFiche");

    ASSERT_EQ(dialogues.appels.first().genre, u"saisie"_s);
    EXPECT_EQ(dialogues.appels.first().titre, u"Création de fiche de film"_s);
    EXPECT_EQ(dialogues.appels.first().texte,
              u"Veuillez saisir l'identifiant de la nouvelle fiche :"_s);
    ASSERT_EQ(dm().fichesFilms().size(), 2u);
    const TFicheFilm &fiche = *dm().fichesFilms().back();
    EXPECT_EQ(fiche.idFilm(), u"MATRIX (THE) é"_s) << "only a to z become capitals";
    EXPECT_EQ(fiche.titreFrancais(), u"MATRIX (THE) é"_s);
    EXPECT_EQ(fiche.nomSupport(), u"DVD matrix (the) é"_s) << "the article is sought in capitals";
    for (const QString &texte :
         {fiche.annee(), fiche.duree(), fiche.resume(), fiche.distributeurFR(),
          fiche.titreOriginal(), fiche.cheminFichier(), fiche.commentaire()})
        EXPECT_EQ(texte, u"-"_s);
    EXPECT_TRUE(fiche.genres().isEmpty());
    EXPECT_EQ(fiche.niveauPreference(), 5);
    EXPECT_EQ(fiche.typeSupport(), u"DVD-VIDEO"_s);
    EXPECT_EQ(fiche.codec(), u"MPEG2"_s);
    EXPECT_EQ(fiche.cheminImage(), u"IMAGES_FILMS\\MATRIX (THE) é.jpg"_s);
    // No cover service answers here: the placeholder stands in, after telling the user.
    EXPECT_EQ(dialogues.nombre(u"message"_s), 1);
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/MATRIX (THE) é.jpg"_s),
              repertoire.lire(u"IMAGES_FILMS/SANSIMAGE.jpg"_s));

    EXPECT_EQ(lignes(), QStringList({u"Alien"_s, u"MATRIX (THE) é"_s}));
    EXPECT_EQ(selection(), QString());
    EXPECT_EQ(fp().findChild<QLabel *>(u"lbIDFilm"_s)->text(), u"Identifiant : ALIEN"_s)
        << "the sheet still shows the card shown before";
}

TEST_F(Commandes, AnExistingIdentifierIsRefusedBeforeAnythingIsDownloaded)
{
    ajouter(u"ALIEN"_s, u"Alien"_s);
    ajouter(u"Alien"_s, u"Alien (copie)"_s);
    fp().MAJ_ListeFilms();

    dialogues.saisies.enqueue(u"alien"_s);
    declencher("creerNouvelleFiche");
    EXPECT_EQ(dm().fichesFilms().size(), 2u) << "alien is ALIEN once upper-cased";
    EXPECT_EQ(repertoire.lire(u"IMAGES_FILMS/ALIEN.jpg"_s), QByteArray("jpeg de ALIEN"))
        << "the existing card's cover stays";
    EXPECT_EQ(dialogues.nombre(u"message"_s), 0) << "no download was tried";

    dialogues.saisies.enqueue(QString());
    declencher("creerNouvelleFiche");
    EXPECT_EQ(dm().fichesFilms().size(), 2u) << "Cancel or an empty identifier: nothing";
}

TEST_F(Commandes, DeletingReselectsTheRowThatTookItsPlace)
{
    for (const char *id : {"A", "B", "C", "D"})
        ajouter(QString::fromLatin1(id), u"Film "_s + QString::fromLatin1(id));
    fp().MAJ_ListeFilms();

    supprimer(u"Film B"_s, Dialogues::Reponse::Oui);
    ASSERT_EQ(dialogues.appels.first().genre, u"question"_s);
    EXPECT_EQ(dialogues.appels.first().texte, u"Etes-vous sûr de vouloir supprimer \"B\" ?"_s)
        << "the question names the identifier";
    EXPECT_EQ(lignes(), QStringList({u"Film A"_s, u"Film C"_s, u"Film D"_s}));
    EXPECT_EQ(selection(), u"Film C"_s);
    EXPECT_EQ(fp().findChild<QLabel *>(u"lbIDFilm"_s)->text(), u"Identifiant : C"_s);
    EXPECT_FALSE(couverture(u"B"_s));

    supprimer(u"Film D"_s, Dialogues::Reponse::Oui);
    EXPECT_EQ(selection(), u"Film C"_s) << "the last row: the new last row";

    supprimer(u"Film A"_s, Dialogues::Reponse::Non);
    supprimer(u"Film A"_s, Dialogues::Reponse::Annuler);
    EXPECT_EQ(lignes(), QStringList({u"Film A"_s, u"Film C"_s}));
    EXPECT_EQ(selection(), u"Film A"_s) << "the same row again";
    EXPECT_TRUE(couverture(u"A"_s));

    supprimer(u"Film A"_s, Dialogues::Reponse::Oui);
    supprimer(u"Film C"_s, Dialogues::Reponse::Oui);
    EXPECT_TRUE(lignes().isEmpty());
    EXPECT_EQ(liste().currentRow(), -1);

    const int questions = dialogues.nombre(u"question"_s);
    declencher("supprimerFilm");
    EXPECT_EQ(dialogues.nombre(u"question"_s), questions) << "no row, no question";
}

TEST_F(Commandes, OneDeleteRemovesEveryCardOfTheIdentifierWithEachImage)
{
    ajouter(u"X"_s, u"Premier"_s);
    ajouter(u"Y"_s, u"Autre"_s);
    ajouter(u"X"_s, u"Second"_s);
    dm().fichesFilms().back()->setCheminImage(u"IMAGES_FILMS\\X2.jpg"_s);
    repertoire.ecrire(u"IMAGES_FILMS/X2.jpg"_s, "second");
    fp().MAJ_ListeFilms();
    supprimer(u"Premier"_s, Dialogues::Reponse::Oui);
    EXPECT_EQ(lignes(), QStringList({u"Autre"_s}));
    EXPECT_FALSE(couverture(u"X"_s));
    EXPECT_FALSE(couverture(u"X2"_s));
    EXPECT_TRUE(couverture(u"Y"_s));
}

TEST_F(Commandes, ADeleteNeverRemovesAFileOutsideTheProgramNorThePlaceholder)
{
    QTemporaryDir ailleurs;
    const QString etranger = ailleurs.filePath(u"precieux.txt"_s);
    QFile fichier(etranger);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("ne pas effacer");
    fichier.close();

    ajouter(u"A"_s, u"Absolu"_s);
    dm().fichesFilms().back()->setCheminImage(etranger);
    ajouter(u"B"_s, u"Remontant"_s);
    dm().fichesFilms().back()->setCheminImage(u"..\\..\\"_s + etranger);
    ajouter(u"C"_s, u"Sans image"_s);
    dm().fichesFilms().back()->setCheminImage(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    ajouter(u"D"_s, u"Tiret"_s);
    dm().fichesFilms().back()->setCheminImage(u"-"_s);
    fp().MAJ_ListeFilms();
    for (const QString &titre : {u"Absolu"_s, u"Remontant"_s, u"Sans image"_s, u"Tiret"_s})
        supprimer(titre, Dialogues::Reponse::Oui);
    EXPECT_TRUE(dm().fichesFilms().empty()) << "the cards go all the same";
    EXPECT_TRUE(QFile::exists(etranger));
    EXPECT_TRUE(QFile::exists(repertoire.fichier(u"IMAGES_FILMS/SANSIMAGE.jpg"_s)));
}

TEST_F(Commandes, SavingConfirmsOnlyWhatWasWritten)
{
    declencher("sauvegarderBase");
    EXPECT_TRUE(repertoire.lire(u"baseFilm.bdf"_s).contains("<listeFichesFilms/>"))
        << repertoire.lire(u"baseFilm.bdf"_s).toStdString();
    EXPECT_EQ(kinolux->formMessageFlash().texte(), u"Enregistrement TERMINE."_s);

    ajouter(u"A"_s, u"A"_s);
    kinolux->formMessageFlash().definirTexte(QString());
    const QByteArray avant = repertoire.lire(u"baseFilm.bdf"_s);
    ASSERT_TRUE(QFile::remove(repertoire.fichier(u"baseFilmModele.bdf"_s)));
    declencher("sauvegarderBase");
    EXPECT_EQ(dialogues.erreurs().size(), 1);
    EXPECT_EQ(repertoire.lire(u"baseFilm.bdf"_s), avant);
    EXPECT_EQ(kinolux->formMessageFlash().texte(), QString()) << "no completion message";
    EXPECT_EQ(dm().fichesFilms().size(), 1u);
}

TEST_F(Commandes, TheEndFreesEveryCardAndEmptiesTheViews)
{
    ajouter(u"A"_s, u"A"_s);
    ajouter(u"B"_s, u"B"_s);
    fp().MAJ_ListeFilms();
    declencher("detruireObjetsListes");
    EXPECT_TRUE(dm().fichesFilms().empty());
    EXPECT_EQ(liste().count(), 0);
}

} // namespace

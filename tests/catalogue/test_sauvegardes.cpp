#include "catalogue/Commande.h"
#include "catalogue/DocumentXml.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/DialoguesScriptes.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <utime.h>

using namespace Qt::StringLiterals;

namespace {

// A data module with scripted dialogs over a folder whose catalogue holds `n` cards.
struct Dossier
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Tdm_Kinolux> dm;

    Tdm_Kinolux &demarrer()
    {
        dm = std::make_unique<Tdm_Kinolux>(repertoire.chemin(), &dialogues);
        dm->lireBaseFilms();
        return *dm;
    }
    // Makes the catalogue in memory `n` cards named P0…
    void fiches(int n)
    {
        Catalogue catalogue;
        for (int i = 0; i < n; ++i)
            catalogue.push_back(ficheSimple(u"P%1"_s.arg(i)));
        dm->echangerFiches(std::move(catalogue));
    }
    QString fichier(const QString &nom = u"baseFilm.bdf"_s) const
    {
        return repertoire.fichier(nom);
    }
    QStringList datees() const
    {
        return QDir(repertoire.chemin()).entryList({u"baseFilm.bdf.*.bak"_s}, QDir::Files);
    }
    int cartes(const QString &nom) const
    {
        return int(lireFichier(fichier(nom)).count("<ficheFilm>"));
    }
};

} // namespace

TEST(Sauvegardes, ChaqueEnregistrementGardeLePrecedentCinqAuPlus)
{
    Dossier d;
    d.demarrer();
    for (int n = 1; n <= 7; ++n) {
        d.fiches(n);
        d.dm->ecrireBaseFilms();
    }
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 7);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(d.cartes(u"baseFilm.bdf.%1"_s.arg(n)), 7 - n) << n;
    EXPECT_FALSE(QFileInfo::exists(d.fichier(u"baseFilm.bdf.6"_s)));
    EXPECT_TRUE(d.datees().isEmpty()) << "no other program touched the file";

    const QList<SauvegardesBase::Sauvegarde> liste = d.dm->sauvegardes();
    ASSERT_EQ(liste.size(), 5);
    EXPECT_EQ(liste[0].chemin, d.fichier(u"baseFilm.bdf.1"_s));
    EXPECT_EQ(liste[0].fiches, 6);
    EXPECT_EQ(liste[4].fiches, 2);
    EXPECT_TRUE(liste[0].date.isValid());

    // A kept version comes back in memory; the file is written only at the next save, which
    // keeps the file it replaces in its turn.
    d.dm->restaurerSauvegarde(liste[3].chemin);
    EXPECT_EQ(d.dm->fichesFilms().size(), 3u);
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 7);
    d.dm->ecrireBaseFilms();
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 3);
    EXPECT_EQ(d.cartes(u"baseFilm.bdf.1"_s), 7);

    // One that cannot be read whole changes nothing.
    d.repertoire.ecrire(u"baseFilm.bdf.5"_s, baseAvec("<ficheFilm><idFilm>X</idFilm>"));
    EXPECT_FALSE(
        texteErreur([&] { d.dm->restaurerSauvegarde(d.fichier(u"baseFilm.bdf.5"_s)); }).isEmpty());
    EXPECT_EQ(d.dm->fichesFilms().size(), 3u);
}

TEST(Sauvegardes, UnFichierChangeSurLeDisqueNEstJamaisEcraseSansQuestion)
{
    Dossier d;
    d.repertoire.ecrire(u"baseFilm.bdf"_s, baseAvec("<ficheFilm><idFilm>A</idFilm></ficheFilm>"));
    d.demarrer();
    d.fiches(2);
    const QByteArray autre = baseAvec("<ficheFilm><idFilm>AUTRE</idFilm></ficheFilm>"
                                      "<ficheFilm><idFilm>VERSION</idFilm></ficheFilm>");
    d.repertoire.ecrire(u"baseFilm.bdf"_s, autre);

    // "Non": nothing written, nothing kept, the command stops without an error box.
    d.dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    EXPECT_FALSE(executerCommande(d.dialogues, [&] { d.dm->ecrireBaseFilms(); }));
    EXPECT_EQ(d.dialogues.nombre(u"question"_s), 1);
    EXPECT_TRUE(d.dialogues.erreurs().isEmpty());
    EXPECT_EQ(lireFichier(d.fichier()), autre);
    EXPECT_TRUE(d.datees().isEmpty());

    // "Oui": the other version is kept under a dated name first.
    d.dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    EXPECT_TRUE(executerCommande(d.dialogues, [&] { d.dm->ecrireBaseFilms(); }));
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 2);
    ASSERT_EQ(d.datees().size(), 1);
    EXPECT_EQ(lireFichier(d.fichier(d.datees().first())), autre);

    // Written by this run since: the next save asks nothing.
    d.dm->ecrireBaseFilms();
    EXPECT_EQ(d.dialogues.nombre(u"question"_s), 2);
}

TEST(Sauvegardes, UnFichierToucheSansChangerOuEffaceNeDemandeRien)
{
    Dossier d;
    d.repertoire.ecrire(u"baseFilm.bdf"_s, baseAvec("<ficheFilm><idFilm>A</idFilm></ficheFilm>"));
    d.demarrer();
    d.fiches(3);
    // A sync tool rewrote the same bytes: another time, the same file.
    const QByteArray memes = lireFichier(d.fichier());
    d.repertoire.ecrire(u"baseFilm.bdf"_s, memes);
    utimbuf temps{1'000'000'000, 1'000'000'000};
    ASSERT_EQ(utime(QFile::encodeName(d.fichier()).constData(), &temps), 0);
    d.dm->ecrireBaseFilms();
    EXPECT_EQ(d.dialogues.nombre(u"question"_s), 0);
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 3);

    // Removed behind the program's back: writing it again loses nothing.
    ASSERT_TRUE(QFile::remove(d.fichier()));
    d.dm->ecrireBaseFilms();
    EXPECT_EQ(d.dialogues.nombre(u"question"_s), 0);
    EXPECT_EQ(d.cartes(u"baseFilm.bdf"_s), 3);

    // A file that appeared where there was none when the program read: asked.
    Dossier vide;
    vide.demarrer();
    vide.fiches(1);
    vide.repertoire.ecrire(u"baseFilm.bdf"_s, baseAvec(""));
    EXPECT_FALSE(executerCommande(vide.dialogues, [&] { vide.dm->ecrireBaseFilms(); }));
    EXPECT_EQ(vide.dialogues.nombre(u"question"_s), 1);
    EXPECT_EQ(vide.cartes(u"baseFilm.bdf"_s), 0);
}

TEST(Sauvegardes, LEmpreinteDesOctetsEcritsEstCelleDuFichier)
{
    // Several blocks, of uneven sizes: the hash sees every byte once, in order.
    QByteArray sortie;
    QBuffer tampon(&sortie);
    ASSERT_TRUE(tampon.open(QIODevice::WriteOnly));
    QCryptographicHash hash(SauvegardesBase::k_algorithme);
    {
        DocumentXml::EcrivainPeripherique ecrivain(tampon, &hash);
        for (int i = 0; i < 20000; ++i) {
            const QByteArray morceau = QByteArray::number(i).repeated(1 + i % 97);
            ecrivain.write(morceau.constData(), size_t(morceau.size()));
        }
        ASSERT_TRUE(ecrivain.terminer());
    }
    EXPECT_GT(sortie.size(), 3 << 20);
    EXPECT_EQ(hash.result(), QCryptographicHash::hash(sortie, SauvegardesBase::k_algorithme));
}

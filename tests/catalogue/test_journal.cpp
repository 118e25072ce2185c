// The journal of unsaved changes: its records, the recovery after a run that stopped without
// saving, and what it does with a journal that does not belong to the catalogue file.
#include "catalogue/Journal.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/LimiteTailleFichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Genre = Journal::Changement::Genre;

TFicheFilm ficheComplete(const QString &id)
{
    TFicheFilm fiche(id, u"Été à Paris « %1 »"_s.arg(id), u"1961"_s, u"95"_s,
                     u"Deux lignes\r\net un <tag> & des \"guillemets\""_s, u"Gaumont"_s, u"-"_s,
                     {u"Agnès Varda"_s}, {u"France"_s, QString()}, {u"Drame"_s},
                     {u"Corinne Marchand"_s, u"Antoine Bourseiller"_s}, {});
    fiche.setNiveauPreference(-7);
    fiche.setNomSupport(u"DVD"_s);
    fiche.setCheminImage(u"IMAGES_FILMS\\"_s + id + u".jpg"_s);
    commeRelue(fiche);
    return fiche;
}

std::vector<TFicheFilm> copie(const Catalogue &fiches)
{
    std::vector<TFicheFilm> cartes;
    for (const auto &fiche : fiches)
        cartes.push_back(*fiche);
    return cartes;
}

// A folder whose data module is started again as a new run would be.
struct Session
{
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Tdm_Kinolux> dm;

    // A run that stops without a word: the data module goes, the journal stays.
    Tdm_Kinolux &demarrer()
    {
        dm.reset();
        dm = std::make_unique<Tdm_Kinolux>(repertoire.chemin(), &dialogues);
        dm->lireBaseFilms();
        return *dm;
    }
    int recuperer(Dialogues::Reponse reponse)
    {
        dialogues.appels.clear();
        dialogues.reponses.enqueue(reponse);
        const int rejoues = dm->recupererJournal();
        dialogues.reponses.clear();
        return rejoues;
    }
    QStringList journauxConserves() const
    {
        return QDir(repertoire.chemin())
            .entryList({u"baseFilm.journal.*.bak"_s}, QDir::Files | QDir::Hidden);
    }
    bool journal() const { return QFile::exists(repertoire.fichier(u"baseFilm.journal"_s)); }
    // Three cards saved, and a journal started.
    void preparer()
    {
        Tdm_Kinolux &d = demarrer();
        d.recupererJournal();
        Catalogue fiches;
        for (const char *id : {"A", "B", "C"})
            fiches.push_back(std::make_unique<TFicheFilm>(ficheComplete(QString::fromLatin1(id))));
        d.adopterFiches(std::move(fiches));
        d.ecrireBaseFilms();
    }
    // One change of each kind, each a record of its own.
    void changer()
    {
        auto nouvelle = std::make_unique<TFicheFilm>(ficheComplete(u"D"_s));
        dm->ajouterFicheFilm(nouvelle);
        dm->modifierFiche(dm->cle(0), [](TFicheFilm &f) { f.setTitreFrancais(u"Autre titre"_s); });
        dm->supprimerFiches({dm->cle(1)});
        Catalogue deux;
        for (const char *id : {"E", "F"}) {
            deux.push_back(ficheSimple(QString::fromLatin1(id)));
            commeRelue(*deux.back());
        }
        dm->adopterFiches(std::move(deux));
        {
            Tdm_Kinolux::Etape etape(*dm);
            dm->modifierFiche(dm->cle(2), [](TFicheFilm &f) { f.genres().append(u"Guerre"_s); });
            dm->modifierFiche(dm->cle(3), [](TFicheFilm &f) { f.setNiveauPreference(9); });
        }
    }
};

} // namespace

TEST(Journal, UnChangementReviensCommeIlEstParti)
{
    Journal::Changement changement{
        Genre::Inserer, 12, 0, {ficheComplete(u"X/Y"_s), TFicheFilm(u""_s)}};
    const Journal::Changement relu = Journal::decoder(Journal::coder(changement));
    EXPECT_EQ(relu.genre, Genre::Inserer);
    EXPECT_EQ(relu.index, 12);
    ASSERT_EQ(relu.fiches.size(), 2u);
    EXPECT_EQ(relu.fiches[0], changement.fiches[0]);
    EXPECT_EQ(relu.fiches[1], changement.fiches[1]);

    for (const QByteArray &mauvais :
         {QByteArray(), QByteArray("\x09garbage"), Journal::coder(changement).chopped(3),
          Journal::coder(changement) + "x"})
        EXPECT_FALSE(texteErreur([&] { Journal::decoder(mauvais); }).isEmpty());
}

TEST(Journal, UnChangementHorsDuCatalogueEstRefuse)
{
    Catalogue fiches;
    fiches.push_back(ficheSimple(u"A"_s));
    const Journal::Changement mauvais[] = {
        {Genre::Inserer, 2, 0, {TFicheFilm(u"B"_s)}},
        {Genre::Remplacer, 1, 0, {TFicheFilm(u"B"_s)}},
        {Genre::Remplacer, 0, 0, {}},
        {Genre::Retirer, 0, 2, {}},
        {Genre::Retirer, -1, 1, {}},
    };
    for (const Journal::Changement &changement : mauvais)
        EXPECT_FALSE(texteErreur([&] { Journal::appliquer(changement, fiches); }).isEmpty());
    ASSERT_EQ(fiches.size(), 1u);
    EXPECT_EQ(fiches[0]->idFilm(), u"A"_s);
}

TEST(Journal, UnEnregistrementCoupeOuAbimeFinitLeJournal)
{
    RepertoireTest repertoire(false);
    const QString fichier = repertoire.fichier(u"j"_s);
    const Journal::Base base{QByteArray(20, 'h'), 1234};
    {
        Journal::Ecrivain ecrivain;
        ecrivain.commencer(fichier, base);
        for (int i = 0; i < 3; ++i)
            ecrivain.ajouter({{Genre::Remplacer, i, 0, {ficheComplete(u"F%1"_s.arg(i))}},
                              {Genre::Retirer, i, 1, {}}});
    }
    const QByteArray entier = lireFichier(fichier);
    const Journal::Lecture lecture = Journal::lire(fichier);
    ASSERT_TRUE(lecture.valide);
    EXPECT_EQ(lecture.base, base);
    ASSERT_EQ(lecture.enregistrements.size(), 3u);
    EXPECT_EQ(lecture.enregistrements[2][0].fiches[0], ficheComplete(u"F2"_s));
    EXPECT_EQ(lecture.finValide, entier.size());
    EXPECT_FALSE(lecture.tronque);

    // Cut at every byte of the last record: the first two stay.
    const Journal::Lecture deux = [&] {
        QByteArray coupe = entier;
        coupe.chop(1);
        repertoire.ecrire(u"j"_s, coupe);
        return Journal::lire(fichier);
    }();
    for (qint64 fin = deux.finValide; fin < entier.size(); ++fin) {
        repertoire.ecrire(u"j"_s, entier.left(fin));
        const Journal::Lecture coupee = Journal::lire(fichier);
        ASSERT_EQ(coupee.enregistrements.size(), 2u) << fin;
        EXPECT_EQ(coupee.tronque, fin > deux.finValide);
    }

    // A byte changed in the second record: the first alone stays.
    QByteArray abime = entier;
    abime[qsizetype(deux.finValide) - 10] ^= 0x20;
    repertoire.ecrire(u"j"_s, abime);
    EXPECT_EQ(Journal::lire(fichier).enregistrements.size(), 1u);

    // Going on after a torn record writes after the last whole one.
    repertoire.ecrire(u"j"_s, entier.left(entier.size() - 5));
    {
        Journal::Ecrivain ecrivain;
        ecrivain.reprendre(fichier, deux.finValide);
        ecrivain.ajouter({{Genre::Retirer, 0, 1, {}}});
    }
    const Journal::Lecture reprise = Journal::lire(fichier);
    EXPECT_FALSE(reprise.tronque);
    ASSERT_EQ(reprise.enregistrements.size(), 3u);
    EXPECT_EQ(reprise.enregistrements[2][0].genre, Genre::Retirer);

    // A record whose CRC holds but whose counts are absurd (a list of four thousand million
    // entries, of cards or of names) ends the journal without asking for the room first.
    for (const QByteArray &corps : {QByteArray("\xff\xff\xff\xf0", 4),
                                    QByteArray("\0\0\0\x01\0\0\0\x15\x02", 9) +
                                        QByteArray(16, '\0') + QByteArray("\xff\xff\xff\xf0", 4)}) {
        QByteArray enregistrement;
        for (const quint32 valeur :
             {quint32(corps.size()), Journal::crc32(corps.constData(), corps.size())})
            for (int octet = 0; octet < 4; ++octet)
                enregistrement.append(char((valeur >> (8 * octet)) & 0xFF));
        repertoire.ecrire(u"j"_s, entier.left(deux.finValide) + enregistrement + corps);
        const Journal::Lecture absurde = Journal::lire(fichier);
        EXPECT_EQ(absurde.enregistrements.size(), 2u);
        EXPECT_TRUE(absurde.tronque);
    }

    for (const QByteArray &autre : {QByteArray(), QByteArray("<?xml version=\"1.0\"?>")}) {
        repertoire.ecrire(u"j"_s, autre);
        EXPECT_FALSE(Journal::lire(fichier).valide);
    }
}

TEST(Journal, UneSessionArreteeSansEnregistrerEstRecuperee)
{
    Session session;
    session.preparer();
    EXPECT_FALSE(session.journal());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 0);
    EXPECT_TRUE(session.dialogues.appels.isEmpty());
    session.changer();
    const std::vector<TFicheFilm> avantArret = copie(session.dm->fichesFilms());
    ASSERT_EQ(avantArret.size(), 5u);
    EXPECT_TRUE(session.journal());

    // The next run asks, and gets every change back; they stay unsaved.
    session.demarrer();
    EXPECT_EQ(session.dm->fichesFilms().size(), 3u);
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 5);
    ASSERT_EQ(session.dialogues.appels.size(), 1);
    EXPECT_EQ(session.dialogues.appels[0].texte,
              u"Récupérer les 5 modifications non enregistrées ?"_s);
    EXPECT_EQ(copie(session.dm->fichesFilms()), avantArret);
    EXPECT_EQ(session.dm->modele().rowCount(), 5);

    // A change after the recovery joins the same journal: a second stop loses nothing either.
    session.dm->modifierFiche(session.dm->cle(4), [](TFicheFilm &f) { f.setAnnee(u"2001"_s); });
    const std::vector<TFicheFilm> apres = copie(session.dm->fichesFilms());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 6);
    EXPECT_EQ(copie(session.dm->fichesFilms()), apres);

    // Saved: the journal is gone, and the file holds the same cards.
    session.dm->ecrireBaseFilms();
    EXPECT_FALSE(session.journal());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 0);
    EXPECT_EQ(copie(session.dm->fichesFilms()), apres);
    EXPECT_TRUE(session.journauxConserves().isEmpty());
}

TEST(Journal, UnRefusGardeLeJournalDeCoteEtLeFichierTelQuel)
{
    Session session;
    session.preparer();
    session.demarrer();
    session.dm->recupererJournal();
    const std::vector<TFicheFilm> enregistre = copie(session.dm->fichesFilms());
    session.changer();

    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Non), 0);
    EXPECT_EQ(copie(session.dm->fichesFilms()), enregistre);
    EXPECT_FALSE(session.journal());
    ASSERT_EQ(session.journauxConserves().size(), 1);
    // The journal kept aside still holds the five changes.
    EXPECT_EQ(Journal::lire(session.repertoire.fichier(session.journauxConserves()[0]))
                  .enregistrements.size(),
              5u);

    // The next change starts a journal of its own.
    session.dm->supprimerFiches({session.dm->cle(0)});
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 1);
    EXPECT_EQ(session.dm->fichesFilms().size(), 2u);
}

TEST(Journal, UnJournalDUnAutreFichierNestPasRejoue)
{
    // Another program wrote the catalogue since: the journal does not apply to it.
    Session session;
    session.preparer();
    session.demarrer();
    session.dm->recupererJournal();
    session.changer();
    session.repertoire.ecrire(u"baseFilm.bdf"_s,
                              baseAvec("<ficheFilm><idFilm>Z</idFilm></ficheFilm>"));
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 0);
    EXPECT_TRUE(session.dialogues.appels.isEmpty());
    ASSERT_EQ(session.dm->fichesFilms().size(), 1u);
    EXPECT_EQ(session.journauxConserves().size(), 1);

    // A journal a run never looked at is kept aside at the first change, never written into.
    Session autre;
    autre.preparer();
    autre.demarrer();
    autre.dm->recupererJournal();
    autre.changer();
    autre.demarrer();
    autre.dm->supprimerFiches({autre.dm->cle(0)});
    EXPECT_EQ(autre.journauxConserves().size(), 1);
    autre.demarrer();
    EXPECT_EQ(autre.recuperer(Dialogues::Reponse::Oui), 1);
}

TEST(Journal, LaFermetureDuCatalogueEtLEnregistrementVidentLeJournal)
{
    Session session;
    session.preparer();
    session.demarrer();
    session.dm->recupererJournal();
    session.changer();
    ASSERT_TRUE(session.journal());
    // The program ends, the user having said whether to save: nothing to offer at the next start.
    session.dm->detruireFichesFilms();
    EXPECT_FALSE(session.journal());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 0);
    EXPECT_TRUE(session.dialogues.appels.isEmpty());
    EXPECT_EQ(session.dm->fichesFilms().size(), 3u);
}

TEST(Journal, UnAnnulationEstUneModificationComme_LesAutres)
{
    Session session;
    session.preparer();
    session.demarrer();
    session.dm->recupererJournal();
    session.changer();
    session.dm->pileAnnulation().undo();
    session.dm->pileAnnulation().undo();
    const std::vector<TFicheFilm> apres = copie(session.dm->fichesFilms());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 7);
    EXPECT_EQ(copie(session.dm->fichesFilms()), apres);
}

TEST(Journal, UnDisquePleinArreteLeJournalSansLeFausser)
{
    Session session;
    session.preparer();
    session.demarrer();
    session.dm->recupererJournal();
    session.dm->supprimerFiches({session.dm->cle(0)});
    const qint64 taille = QFileInfo(session.repertoire.fichier(u"baseFilm.journal"_s)).size();
    const std::vector<TFicheFilm> apresUne = copie(session.dm->fichesFilms());

    // The disk is full: the change is made, the user told; the journal keeps its whole beginning
    // and takes nothing more until the next save.
    {
        LimiteTailleFichiers limite(rlim_t(taille) + 16);
        session.dm->modifierFiche(session.dm->cle(0),
                                  [](TFicheFilm &f) { f.setResume(QString(4000, u'x')); });
    }
    ASSERT_EQ(session.dialogues.appels.size(), 1);
    EXPECT_EQ(session.dialogues.appels[0].genre, u"erreur"_s);
    EXPECT_TRUE(session.dialogues.appels[0].texte.contains(u"Enregistrez le catalogue"_s));
    session.dm->modifierFiche(session.dm->cle(1), [](TFicheFilm &f) { f.setAnnee(u"1999"_s); });
    EXPECT_EQ(QFileInfo(session.repertoire.fichier(u"baseFilm.journal"_s)).size(), taille);
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 1);
    EXPECT_EQ(copie(session.dm->fichesFilms()), apresUne);

    // Saved, the journal starts again.
    session.dm->modifierFiche(session.dm->cle(0), [](TFicheFilm &f) { f.setAnnee(u"2001"_s); });
    session.dm->ecrireBaseFilms();
    session.dm->modifierFiche(session.dm->cle(1), [](TFicheFilm &f) { f.setAnnee(u"2002"_s); });
    const std::vector<TFicheFilm> fin = copie(session.dm->fichesFilms());
    session.demarrer();
    EXPECT_EQ(session.recuperer(Dialogues::Reponse::Oui), 1);
    EXPECT_EQ(copie(session.dm->fichesFilms()), fin);
}

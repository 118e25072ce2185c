// Undo and redo of every kind of change of the catalogue, cover files included, and the bin the
// covers of deleted cards wait in until the deletion is saved.
#include "catalogue/Edition.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/ModificationGroupee.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/catalogue/OutilsCatalogue.h"
#include "tests/support/DialoguesScriptes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What undo must give back: the cards with their numbers, and every file of IMAGES_FILMS with
// its bytes.
struct Etat
{
    std::vector<TFicheFilm> fiches;
    std::vector<CleFiche> cles;
    std::map<QString, QByteArray> couvertures;

    bool operator==(const Etat &) const = default;
};

void PrintTo(const Etat &e, std::ostream *flux)
{
    for (size_t i = 0; i < e.fiches.size(); ++i)
        *flux << e.cles[i] << ':' << e.fiches[i].idFilm().toStdString() << '/'
              << e.fiches[i].titreFrancais().toStdString() << ' ';
    for (const auto &[nom, octets] : e.couvertures)
        *flux << nom.toStdString() << '=' << octets.toStdString() << ' ';
}

class Annulation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The desktop's trash of this test.
        ASSERT_TRUE(m_donnees.isValid());
        m_ancienDonnees = qgetenv("XDG_DATA_HOME");
        // A data folder not made yet, as for a user who never ran a desktop program.
        qputenv("XDG_DATA_HOME", m_donnees.filePath(u"donnees"_s).toUtf8());
        m_dm = std::make_unique<Tdm_Kinolux>(m_repertoire.chemin(), &m_dialogues);
        m_dm->lireBaseFilms();
        m_dm->recupererJournal();
        Catalogue fiches;
        for (int i = 0; i < 6; ++i) {
            const QString id = u"FILM %1"_s.arg(i);
            auto fiche = ficheSimple(id);
            fiche->setTitreFrancais(u"Titre %1"_s.arg(5 - i));
            fiche->setCheminImage(Tdm_Kinolux::cheminImagePour(id));
            commeRelue(*fiche);
            ecrireCouverture(id, "jpeg " + id.toUtf8());
            fiches.push_back(std::move(fiche));
        }
        m_dm->adopterFiches(std::move(fiches));
        m_dm->pileAnnulation().clear();
    }
    void TearDown() override
    {
        m_dm.reset();
        if (m_ancienDonnees.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_ancienDonnees);
    }

    void ecrireCouverture(const QString &id, const QByteArray &octets)
    {
        m_repertoire.ecrire(u"IMAGES_FILMS/"_s + id + u".jpg"_s, octets);
    }
    Etat etat() const
    {
        Etat e;
        for (size_t i = 0; i < m_dm->fichesFilms().size(); ++i) {
            e.fiches.push_back(*m_dm->fichesFilms()[i]);
            e.cles.push_back(m_dm->cle(i));
        }
        QDir images(m_repertoire.fichier(u"IMAGES_FILMS"_s));
        for (const QString &nom : images.entryList(QDir::Files))
            e.couvertures[nom] = lireFichier(images.filePath(nom));
        return e;
    }
    // The titles in the film list's order, as the model keeps it.
    QStringList ordre() const
    {
        QStringList titres;
        for (const int ligne : m_dm->modele().lignesParTitre())
            titres.append(m_dm->modele().fiche(ligne).titreFrancais());
        return titres;
    }
    QStringList corbeille() const
    {
        return QDir(m_dm->dossierCorbeille()).entryList(QDir::Files | QDir::Hidden);
    }
    // Undoes and redoes the last step: each way gives back the state it left.
    void allerRetour(const Etat &avant)
    {
        const Etat apres = etat();
        const QStringList ordreApres = ordre();
        ASSERT_NE(apres, avant);
        ASSERT_TRUE(m_dm->pileAnnulation().canUndo());
        m_dm->pileAnnulation().undo();
        EXPECT_EQ(etat(), avant);
        EXPECT_EQ(m_dm->modele().rowCount(), int(avant.fiches.size()));
        m_dm->pileAnnulation().redo();
        EXPECT_EQ(etat(), apres);
        EXPECT_EQ(ordre(), ordreApres);
        m_dm->pileAnnulation().undo();
        EXPECT_EQ(etat(), avant);
    }

    QTemporaryDir m_donnees;
    QByteArray m_ancienDonnees;
    RepertoireTest m_repertoire;
    DialoguesScriptes m_dialogues;
    std::unique_ptr<Tdm_Kinolux> m_dm;
};

} // namespace

TEST_F(Annulation, UneFicheModifieeRevientCommeElleEtait)
{
    ordre();
    const Etat avant = etat();
    const QStringList ordreAvant = ordre();
    m_dm->modifierFiche(m_dm->cle(2), [](TFicheFilm &f) {
        f.setTitreFrancais(u"A la fin"_s);
        f.acteurs().append(u"Jean Gabin"_s);
    });
    EXPECT_EQ(m_dm->pileAnnulation().undoText(), u"la modification de « FILM 2 »"_s);
    allerRetour(avant);
    EXPECT_EQ(ordre(), ordreAvant);

    // A change that changes nothing is no step.
    m_dm->pileAnnulation().clear();
    m_dm->modifierFiche(m_dm->cle(2), [](TFicheFilm &f) { f.setAnnee(f.annee()); });
    EXPECT_FALSE(m_dm->pileAnnulation().canUndo());
}

TEST_F(Annulation, UneFicheSupprimeeRevientASaPlaceAvecSaCouverture)
{
    ordre();
    const Etat avant = etat();
    const CleFiche cle = m_dm->cle(3);
    m_dm->supprimerFiches({m_dm->cle(1), cle, m_dm->cle(4)});
    EXPECT_EQ(m_dm->fichesFilms().size(), 3u);
    // The covers wait in the bin.
    EXPECT_EQ(corbeille().size(), 3);
    EXPECT_FALSE(QFile::exists(m_repertoire.fichier(u"IMAGES_FILMS/FILM 3.jpg"_s)));
    EXPECT_EQ(m_dm->pileAnnulation().count(), 1);
    allerRetour(avant);
    // The card has its number again: a view that kept it finds it.
    EXPECT_EQ(m_dm->fiche(cle)->idFilm(), u"FILM 3"_s);
    EXPECT_TRUE(corbeille().size() == 0 || corbeille().size() == 3);
}

TEST_F(Annulation, UneFicheAjouteeSenVaAvecSaCouverture)
{
    const Etat avant = etat();
    auto nouvelle = ficheSimple(u"NOUVEAU"_s);
    nouvelle->setCheminImage(Tdm_Kinolux::cheminImagePour(u"NOUVEAU"_s));
    ecrireCouverture(u"NOUVEAU"_s, "jpeg nouveau");
    Etat avantAjout = avant;
    avantAjout.couvertures[u"NOUVEAU.jpg"_s] = "jpeg nouveau";
    ASSERT_TRUE(m_dm->ajouterFicheFilm(nouvelle));
    const Etat apres = etat();
    m_dm->pileAnnulation().undo();
    EXPECT_EQ(etat(), avant);
    m_dm->pileAnnulation().redo();
    EXPECT_EQ(etat(), apres);

    // A cover that another card shows too stays when the addition is undone.
    auto partage = ficheSimple(u"PARTAGE"_s);
    partage->setCheminImage(Tdm_Kinolux::cheminImagePour(u"FILM 0"_s));
    ASSERT_TRUE(m_dm->ajouterFicheFilm(partage));
    m_dm->pileAnnulation().undo();
    EXPECT_EQ(etat(), apres);
}

TEST_F(Annulation, UneCouvertureChangeeRevient)
{
    const Etat avant = etat();
    // A new picture under the same name, then one of another type: each old file comes back.
    m_dm->modifierFiche(m_dm->cle(0), [this](TFicheFilm &f) {
        Edition::enregistrerCouverture(*m_dm, "nouvelle", f.cheminImage(), f.cheminImage());
    });
    EXPECT_EQ(lireFichier(m_repertoire.fichier(u"IMAGES_FILMS/FILM 0.jpg"_s)), "nouvelle");
    allerRetour(avant);

    m_dm->modifierFiche(m_dm->cle(0), [this](TFicheFilm &f) {
        const QString png = Edition::nouveauCheminImage(f.idFilm(), u"/ailleurs/image.png"_s);
        Edition::enregistrerCouverture(*m_dm, "png", f.cheminImage(), png);
        f.setCheminImage(png);
    });
    EXPECT_FALSE(QFile::exists(m_repertoire.fichier(u"IMAGES_FILMS/FILM 0.jpg"_s)));
    allerRetour(avant);
}

TEST_F(Annulation, UneModificationGroupeeEstUneEtape)
{
    const Etat avant = etat();
    std::vector<CleFiche> cles;
    for (size_t i = 0; i < m_dm->fichesFilms().size(); ++i)
        cles.push_back(m_dm->cle(i));
    ModificationGroupee::Modification modification;
    modification.champ = ChampsFiche::Genres;
    modification.operation = ModificationGroupee::Operation::AjouterEntree;
    modification.valeur = u"Western"_s;
    ModificationGroupee::appliquer(*m_dm, cles, modification);
    EXPECT_EQ(m_dm->pileAnnulation().count(), 1);
    EXPECT_EQ(m_dm->pileAnnulation().undoText(), u"la modification de 6 fiches"_s);
    allerRetour(avant);
}

TEST_F(Annulation, UnImportEtUneRestaurationSAnnulentEnUneEtape)
{
    const Etat avant = etat();
    Catalogue importees;
    for (int i = 0; i < 40; ++i)
        importees.push_back(ficheSimple(u"CSV %1"_s.arg(i)));
    m_dm->adopterFiches(std::move(importees));
    EXPECT_EQ(m_dm->pileAnnulation().undoText(), u"l'ajout de 40 fiches"_s);
    allerRetour(avant);

    Catalogue autre;
    autre.push_back(ficheSimple(u"SEULE"_s));
    m_dm->echangerFiches(std::move(autre));
    allerRetour(avant);
}

TEST_F(Annulation, LEnregistrementEnvoieLaCorbeilleALaCorbeilleDuBureau)
{
    const Etat avant = etat();
    m_dm->supprimerFiches({m_dm->cle(0), m_dm->cle(5)});
    ASSERT_EQ(corbeille().size(), 2);
    m_dm->ecrireBaseFilms();
    EXPECT_TRUE(corbeille().isEmpty());
    // In the user's trash, made for it; never in the working folder.
    EXPECT_EQ(QDir(m_donnees.filePath(u"donnees/Trash/files"_s)).entryList(QDir::Files).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(u"files"_s));
    // Undone after the save, the cards find their covers again.
    m_dm->pileAnnulation().undo();
    EXPECT_EQ(etat(), avant);
}

TEST_F(Annulation, UneCorbeilleLaisseeParUnArretRetrouveSesFiches)
{
    m_dm->ecrireBaseFilms();
    const Etat enregistre = etat();
    m_dm->supprimerFiches({m_dm->cle(2)});
    auto nouvelle = ficheSimple(u"NOUVEAU"_s);
    m_dm->ajouterFicheFilm(nouvelle);
    ASSERT_EQ(corbeille().size(), 1);

    // Stopped without saving; the changes are refused at the next start: the deleted card is
    // back with its cover.
    m_dm = std::make_unique<Tdm_Kinolux>(m_repertoire.chemin(), &m_dialogues);
    m_dm->lireBaseFilms();
    m_dialogues.reponses.enqueue(Dialogues::Reponse::Non);
    m_dm->recupererJournal();
    EXPECT_TRUE(corbeille().isEmpty());
    EXPECT_EQ(etat().fiches, enregistre.fiches);
    EXPECT_EQ(etat().couvertures, enregistre.couvertures);

    // Taken back instead, the deletion stands and its cover goes to the desktop's trash.
    m_dm->supprimerFiches({m_dm->cle(2)});
    m_dm = std::make_unique<Tdm_Kinolux>(m_repertoire.chemin(), &m_dialogues);
    m_dm->lireBaseFilms();
    m_dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
    EXPECT_EQ(m_dm->recupererJournal(), 1);
    EXPECT_TRUE(corbeille().isEmpty());
    EXPECT_FALSE(QFile::exists(m_repertoire.fichier(u"IMAGES_FILMS/FILM 2.jpg"_s)));
}

TEST_F(Annulation, LesCommandesDansUneEtapeNeFontQuUnPas)
{
    const Etat avant = etat();
    {
        Tdm_Kinolux::Etape etape(*m_dm, u"l'essai"_s);
        m_dm->modifierFiche(m_dm->cle(0), [](TFicheFilm &f) { f.setAnnee(u"1999"_s); });
        m_dm->supprimerFiches({m_dm->cle(1)});
        auto nouvelle = ficheSimple(u"NOUVEAU"_s);
        m_dm->ajouterFicheFilm(nouvelle);
    }
    EXPECT_EQ(m_dm->pileAnnulation().count(), 1);
    EXPECT_EQ(m_dm->pileAnnulation().undoText(), u"l'essai"_s);
    allerRetour(avant);
    // A new change drops what could have been done again.
    m_dm->modifierFiche(m_dm->cle(0), [](TFicheFilm &f) { f.setAnnee(u"2000"_s); });
    EXPECT_FALSE(m_dm->pileAnnulation().canRedo());
}

TEST_F(Annulation, UneCouvertureQuUneAutreFicheMontreResteEnPlace)
{
    // Two cards of a file made elsewhere showing one cover: deleting one keeps the other's.
    m_dm->modifierFiche(m_dm->cle(1), [](TFicheFilm &f) {
        f.setCheminImage(Tdm_Kinolux::cheminImagePour(u"FILM 0"_s));
    });
    m_dm->supprimerFiches({m_dm->cle(0)});
    EXPECT_EQ(lireFichier(m_repertoire.fichier(u"IMAGES_FILMS/FILM 0.jpg"_s)), "jpeg FILM 0");
    m_dm->supprimerFiches({m_dm->cle(0)});
    EXPECT_FALSE(QFile::exists(m_repertoire.fichier(u"IMAGES_FILMS/FILM 0.jpg"_s)));
}

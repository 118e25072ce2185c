// The folder the program runs on: beside the executable when it can write there, otherwise the
// user's data folder, filled from the delivered files without ever replacing the user's own.
#include "catalogue/Erreur.h"
#include "catalogue/RepertoireDonnees.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// An environment variable set (or unset) for one test, then given back its value.
class Variable
{
public:
    Variable(const char *nom, std::optional<QByteArray> valeur)
        : m_nom(nom)
    {
        if (qEnvironmentVariableIsSet(nom))
            m_ancienne = qgetenv(nom);
        if (valeur)
            qputenv(nom, *valeur);
        else
            qunsetenv(nom);
    }
    ~Variable()
    {
        if (m_ancienne)
            qputenv(m_nom, *m_ancienne);
        else
            qunsetenv(m_nom);
    }
    Variable(const Variable &) = delete;
    Variable &operator=(const Variable &) = delete;

private:
    const char *m_nom;
    std::optional<QByteArray> m_ancienne;
};

void ecrire(const QString &chemin, const QByteArray &contenu)
{
    QDir().mkpath(QFileInfo(chemin).path());
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) << chemin.toStdString();
    fichier.write(contenu);
}

QByteArray lire(const QString &chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("<absent>");
}

QStringList arbre(const QString &dossier)
{
    QStringList noms;
    QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        noms.append(QDir(dossier).relativeFilePath(it.next()));
    noms.sort();
    return noms;
}

// A program folder as the build or the package delivers it, with what must stay behind: the
// executable, the stand-in's data and a catalogue saved there by someone else.
class Dossiers : public ::testing::Test
{
protected:
    QTemporaryDir programme;
    QTemporaryDir utilisateur;

    void SetUp() override
    {
        ASSERT_TRUE(programme.isValid() && utilisateur.isValid());
        ecrire(programme.filePath(u"kinolux"_s), "\x7f"
                                                 "ELF");
        QFile::setPermissions(programme.filePath(u"kinolux"_s),
                              QFile::permissions(programme.filePath(u"kinolux"_s)) |
                                  QFile::ExeOwner);
        ecrire(programme.filePath(u"baseFilmModele.bdf"_s), "<modele/>");
        ecrire(programme.filePath(u"movies.txt"_s), "PONT (LE)\r\n");
        ecrire(programme.filePath(u"kinolux.ini"_s), "[sites]\nprincipal=http://127.0.0.1:1\n");
        ecrire(programme.filePath(u"icones/super.ico"_s), "ico super");
        ecrire(programme.filePath(u"icones/naze.ico"_s), "ico naze");
        ecrire(programme.filePath(u"IMAGES_FILMS/SANSIMAGE.jpg"_s), "jpeg");
        ecrire(programme.filePath(u"coversite-donnees/fiches.txt"_s), "fiches");
        ecrire(programme.filePath(u"baseFilm.bdf"_s), "<catalogue d'un autre/>");
    }

    QString personnel() const { return utilisateur.filePath(u"donnees/kinolux"_s); }

    // Runs `travail` as a user who cannot write the program folder and returns what it returns,
    // or "Erreur : " and the error's text. Root writes anywhere: as root the work runs in a child
    // process as nobody; otherwise the program folder loses its write permission meanwhile.
    QString sansDroitEcriture(const std::function<QString()> &travail)
    {
        const auto executer = [&travail]() -> QString {
            try {
                return travail();
            } catch (const Erreur &erreur) {
                return u"Erreur : "_s + erreur.texte();
            }
        };
        const auto lecture = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser |
                             QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                             QFile::ExeOther;
        for (const QString &dossier : {programme.path(), programme.filePath(u"IMAGES_FILMS"_s)})
            QFile::setPermissions(dossier, lecture);
        if (::geteuid() != 0) {
            const QString resultat = executer();
            for (const QString &dossier : {programme.path(), programme.filePath(u"IMAGES_FILMS"_s)})
                QFile::setPermissions(dossier, lecture | QFile::WriteOwner | QFile::WriteUser);
            return resultat;
        }

        constexpr uid_t personne = 65534;
        [[maybe_unused]] const int change =
            ::chown(qPrintable(utilisateur.path()), personne, personne);
        int tube[2];
        if (::pipe(tube) != 0)
            return u"pipe"_s;
        const pid_t fils = ::fork();
        if (fils == 0) {
            ::close(tube[0]);
            QByteArray reponse = "setuid";
            if (::setgid(personne) == 0 && ::setuid(personne) == 0)
                reponse = executer().toUtf8();
            [[maybe_unused]] const ssize_t n = ::write(tube[1], reponse.data(), reponse.size());
            ::_exit(0); // the temporary folders belong to the parent
        }
        ::close(tube[1]);
        QByteArray reponse;
        char tampon[4096];
        for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
            reponse.append(tampon, n);
        ::close(tube[0]);
        int etat = 0;
        ::waitpid(fils, &etat, 0);
        return QString::fromUtf8(reponse);
    }
};

TEST_F(Dossiers, AWritableProgramFolderIsUsedAsItIsAndKeepsNoTrace)
{
    const Variable xdg("XDG_DATA_HOME", utilisateur.filePath(u"donnees"_s).toUtf8());
    const QStringList avant = arbre(programme.path());

    EXPECT_EQ(RepertoireDonnees::choisir(programme.path()), programme.path());
    EXPECT_FALSE(QFileInfo::exists(personnel())) << "nothing is copied for a writable folder";
    EXPECT_EQ(arbre(programme.path()), avant) << "the write test leaves no file behind";
}

TEST_F(Dossiers, AReadOnlyProgramFolderSendsTheUserToTheirOwnFolderFilledFromIt)
{
    const Variable xdg("XDG_DATA_HOME", utilisateur.filePath(u"donnees"_s).toUtf8());
    const QStringList avant = arbre(programme.path());

    const QString choisi =
        sansDroitEcriture([this] { return RepertoireDonnees::choisir(programme.path()); });

    ASSERT_EQ(choisi, personnel());
    EXPECT_EQ(arbre(personnel()),
              (QStringList{u"IMAGES_FILMS"_s, u"IMAGES_FILMS/SANSIMAGE.jpg"_s,
                           u"baseFilmModele.bdf"_s, u"icones"_s, u"icones/naze.ico"_s,
                           u"icones/super.ico"_s, u"kinolux.ini"_s, u"movies.txt"_s}))
        << "neither the executable, nor the stand-in's data, nor another catalogue";
    for (const QString &nom : {u"baseFilmModele.bdf"_s, u"movies.txt"_s, u"kinolux.ini"_s,
                               u"icones/super.ico"_s, u"IMAGES_FILMS/SANSIMAGE.jpg"_s})
        EXPECT_EQ(lire(QDir(personnel()).filePath(nom)), lire(programme.filePath(nom)))
            << nom.toStdString();
    EXPECT_EQ(arbre(programme.path()), avant) << "the program folder is left as delivered";
}

TEST_F(Dossiers, AProgramFolderWithoutItsIniGivesNone)
{
    QFile::remove(programme.filePath(u"kinolux.ini"_s));
    RepertoireDonnees::completer(programme.path(), personnel());
    EXPECT_FALSE(QFileInfo::exists(QDir(personnel()).filePath(u"kinolux.ini"_s)));
    EXPECT_TRUE(QFileInfo::exists(QDir(personnel()).filePath(u"movies.txt"_s)));
}

TEST_F(Dossiers, ALaterStartKeepsTheUsersFilesAndBringsBackOnlyWhatIsMissing)
{
    RepertoireDonnees::completer(programme.path(), personnel());
    const QDir dossier(personnel());
    ecrire(dossier.filePath(u"movies.txt"_s), "INDEX MIS A JOUR\r\n");
    ecrire(dossier.filePath(u"kinolux.ini"_s), "[sites]\nprincipal=http://127.0.0.1:9\n");
    ecrire(dossier.filePath(u"baseFilm.bdf"_s), "<mon catalogue/>");
    ecrire(dossier.filePath(u"IMAGES_FILMS/PONT (LE).jpg"_s), "ma couverture");
    ecrire(dossier.filePath(u"IMAGES_FILMS/SANSIMAGE.jpg"_s), "mon image");
    ASSERT_TRUE(QFile::remove(dossier.filePath(u"icones/naze.ico"_s)));
    ASSERT_TRUE(QFile::remove(dossier.filePath(u"baseFilmModele.bdf"_s)));

    RepertoireDonnees::completer(programme.path(), personnel());

    EXPECT_EQ(lire(dossier.filePath(u"movies.txt"_s)), "INDEX MIS A JOUR\r\n");
    EXPECT_EQ(lire(dossier.filePath(u"kinolux.ini"_s)), "[sites]\nprincipal=http://127.0.0.1:9\n");
    EXPECT_EQ(lire(dossier.filePath(u"baseFilm.bdf"_s)), "<mon catalogue/>");
    EXPECT_EQ(lire(dossier.filePath(u"IMAGES_FILMS/PONT (LE).jpg"_s)), "ma couverture");
    EXPECT_EQ(lire(dossier.filePath(u"IMAGES_FILMS/SANSIMAGE.jpg"_s)), "mon image");
    EXPECT_EQ(lire(dossier.filePath(u"icones/naze.ico"_s)), "ico naze");
    EXPECT_EQ(lire(dossier.filePath(u"baseFilmModele.bdf"_s)), "<modele/>");
}

TEST_F(Dossiers, FilesDeliveredReadOnlyCanBeRewrittenInTheUsersFolder)
{
    const auto lectureSeule =
        QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(programme.filePath(u"movies.txt"_s), lectureSeule);

    RepertoireDonnees::completer(programme.path(), personnel());

    const auto droits = QFile::permissions(QDir(personnel()).filePath(u"movies.txt"_s));
    EXPECT_TRUE(droits.testFlag(QFile::WriteOwner)) << "the title index is updated in place";
    EXPECT_TRUE(droits.testFlag(QFile::ReadOwner));
}

TEST(RepertoirePersonnel, FollowsXdgDataHomeAndFallsBackToHome)
{
    QTemporaryDir maison;
    const Variable home("HOME", maison.path().toUtf8());
    const QString defaut = maison.path() + u"/.local/share/kinolux"_s;
    {
        const Variable xdg("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(RepertoireDonnees::dossierPersonnel(), defaut) << "unset";
    }
    {
        const Variable xdg("XDG_DATA_HOME", QByteArray());
        EXPECT_EQ(RepertoireDonnees::dossierPersonnel(), defaut) << "empty";
    }
    {
        const Variable xdg("XDG_DATA_HOME", "donnees/relatives");
        EXPECT_EQ(RepertoireDonnees::dossierPersonnel(), defaut) << "relative: ignored";
    }
    {
        const Variable xdg("XDG_DATA_HOME", "/srv/donnees/");
        EXPECT_EQ(RepertoireDonnees::dossierPersonnel(), u"/srv/donnees/kinolux"_s);
    }
}

TEST(RepertoirePersonnel, AFolderNobodyCanWriteIsSeenAsSuchEvenByRoot)
{
    QTemporaryDir dossier;
    EXPECT_TRUE(RepertoireDonnees::accessibleEnEcriture(dossier.path()));
    EXPECT_TRUE(arbre(dossier.path()).isEmpty());
    EXPECT_FALSE(RepertoireDonnees::accessibleEnEcriture(u"/proc"_s));
    EXPECT_FALSE(RepertoireDonnees::accessibleEnEcriture(dossier.filePath(u"absent"_s)));
}

TEST_F(Dossiers, AUserFolderThatCannotBeMadeOrFilledIsAnErrorNamingIt)
{
    // Something that is not a folder stands where the folders must go.
    ecrire(personnel(), "un fichier");
    try {
        RepertoireDonnees::completer(programme.path(), personnel());
        ADD_FAILURE() << "no error";
    } catch (const Erreur &erreur) {
        EXPECT_EQ(erreur.texte(), u"Impossible de créer le dossier « %1 »."_s.arg(personnel()));
    }
    ASSERT_TRUE(QFile::remove(personnel()));

    ecrire(QDir(personnel()).filePath(u"icones"_s), "un fichier");
    try {
        RepertoireDonnees::completer(programme.path(), personnel());
        ADD_FAILURE() << "no error";
    } catch (const Erreur &erreur) {
        EXPECT_TRUE(erreur.texte().startsWith(u"Impossible de créer le dossier"_s))
            << erreur.texte().toStdString();
        EXPECT_TRUE(erreur.texte().contains(QDir(personnel()).filePath(u"icones"_s)));
    }

    // The program itself stops on it instead of running on an empty folder.
    ecrire(utilisateur.filePath(u"autres/kinolux"_s), "un fichier");
    const Variable xdg("XDG_DATA_HOME", utilisateur.filePath(u"autres"_s).toUtf8());
    const QString choisi =
        sansDroitEcriture([this] { return RepertoireDonnees::choisir(programme.path()); });
    EXPECT_EQ(choisi, u"Erreur : Impossible de créer le dossier « %1 »."_s.arg(
                          utilisateur.filePath(u"autres/kinolux"_s)));
}

} // namespace

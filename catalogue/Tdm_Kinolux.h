#pragma once

#include "catalogue/TFicheFilm.h"
#include "import/Connexion.h"
#include "import/Hotes.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Dialogues;

namespace pugi {
class xml_node;
}
namespace DocumentXml {
class TextesPartages;
}

using Catalogue = std::vector<std::unique_ptr<TFicheFilm>>;

// The data module: owns the catalogue, its XML file, the title index of the cover site and the
// HTTP client that talks to it. Every file is found from the base directory given at
// construction; messages to the user go through `dialogues` (none: they are dropped).
class Tdm_Kinolux final : public QObject
{
    Q_OBJECT

public:
    explicit Tdm_Kinolux(const QString &repertoire, Dialogues *dialogues = nullptr,
                         QObject *parent = nullptr);
    ~Tdm_Kinolux() override;

    const QString &repertoire() const { return m_repertoire; }
    // The file path of a name relative to the base directory ("IMAGES_FILMS\\X.jpg" included).
    QString chemin(const QString &relatif) const;
    // The same when it stays inside the base directory; empty when it leads out of it (an
    // absolute path, "..", "\\server\share"). Stored paths come from catalogue files that may
    // have been made elsewhere: a file is read from them only through this.
    QString cheminInterieur(const QString &relatif) const;

    Catalogue &fichesFilms() { return m_fichesFilms; }
    const Catalogue &fichesFilms() const { return m_fichesFilms; }
    QStringList &listeTitres() { return m_listeTitres; }
    const QStringList &listeTitres() const { return m_listeTitres; }

    // Appends the card unless one with the same idFilm is there; takes it only on success.
    bool ajouterFicheFilm(std::unique_ptr<TFicheFilm> &fiche);

    // Destroys every card, last to first.
    void detruireFichesFilms();

    // Asks the user to confirm, then removes every card with this identifier together with its
    // image file (a file inside the program's directory only, never the placeholder). True when
    // a card was removed.
    bool supprimerFiche(const QString &idFilm);

    void lireBaseFilms();
    // Reads the cards of a catalogue's bytes as lireBaseFilms reads the file, appending them one
    // by one to `fiches` (those before a bad card stay there); raises Erreur as it does.
    static void lireFiches(QByteArrayView octets, Catalogue &fiches);
    void ecrireBaseFilms();

    // Hands a file to the desktop's program for its type (Tdm_KinoluxLecture.cpp): a relative
    // path is taken from the base directory. Nothing waits for the program, nothing is reported;
    // an empty path opens nothing.
    void lancerFichier(const QString &fichier) const;

    // Appends the entries of a list element; with `partages`, equal entries share one text.
    static void lireOccurences(QStringList &liste, const pugi::xml_node &element,
                               DocumentXml::TextesPartages *partages = nullptr);
    static void ecrireOccurences(const QStringList &liste, pugi::xml_node &element);

    Connexion &connexion() { return m_connexion; }
    const Hotes &hotes() const { return m_hotes; }

    // Downloads a fresh title index (asked twice, the second answer kept) into listeTitres and
    // movies.txt. On failure shows the connection error and returns false; listeTitres and
    // movies.txt then stay as they were.
    bool telechargerListeTitres();
    static QString normaliserTitre(const QString &titre);
    static const QString messageConnexion;

    // The card of one index title, from its card page and with its cover; none when the import
    // failed (the user has then been told).
    std::unique_ptr<TFicheFilm> importerFiche(const QString &titre);
    static void decouper(QStringList &liste, const QString &texte, QChar separateur);
    // Fetches the card's cover into IMAGES_FILMS (the cover site, else the fallback poster site,
    // else a copy of the placeholder after telling the user) and sets its cheminImage. Raises when
    // the cover cannot be stored or is not JPEG data.
    void telechargerImage(TFicheFilm &fiche);
    bool contientIdFilm(const QString &idFilm) const;

    // "IMAGES_FILMS\" + the identifier + ".jpg", the identifier made a plain file name: path
    // separators and control characters become "_".
    static QString cheminImagePour(const QString &idFilm);
    // The request paths of a cover: on the cover site ("%20" for blanks) and on the fallback
    // poster site ("_" for blanks, A to Z in small letters), as Windows-1252 bytes.
    static QByteArray nomCouvertureSite(const QString &idFilm);
    static QByteArray nomCouvertureAffiches(const QString &idFilm);

private:
    // What the last look at baseFilm.bdf left: nothing read yet in this run, a file read (or
    // absent) or written, or a file that could not be read and must not be lost on the next save.
    enum class EtatBase
    {
        NonLue,
        Lue,
        Illisible
    };

    void DataModuleCreate();
    void DataModuleDestroy();
    // Copies baseFilm.bdf beside itself under a dated name; throws when it cannot.
    void conserverBase(const QString &fichier) const;

    void erreurConnexion();
    void supprimerImage(const QString &cheminImage) const;

    QString m_repertoire;
    Dialogues *m_dialogues;
    Hotes m_hotes;
    Connexion m_connexion;
    EtatBase m_etatBase = EtatBase::NonLue;
    QStringList m_listeTitres;
    Catalogue m_fichesFilms;
};

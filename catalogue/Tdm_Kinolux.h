#pragma once

#include "catalogue/SauvegardesBase.h"
#include "catalogue/TFicheFilm.h"
#include "import/Connexion.h"
#include "import/Hotes.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Dialogues;
class ModeleCatalogue;

namespace pugi {
class xml_node;
}
namespace DocumentXml {
class TextesPartages;
}

// The data module: owns the catalogue, its XML file, the title index of the cover site and the
// HTTP client that talks to it. Every file is found from the base directory given at
// construction; messages to the user go through `dialogues` (none: they are dropped).
//
// Every change of the catalogue goes through it and is announced: a new catalogue (read, torn
// down), a card added, changed or removed. Each card has a number of its own (`CleFiche`) by which
// the views name it; `modele()` is the item model of the catalogue that every view reads.
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

    const Catalogue &fichesFilms() const { return m_fichesFilms; }
    ModeleCatalogue &modele() { return *m_modele; }
    const ModeleCatalogue &modele() const { return *m_modele; }

    // The number of the card at this place of the catalogue, and back; -1 for a number that no
    // card has (any more).
    CleFiche cle(size_t index) const { return m_cles[index]; }
    qsizetype indexDe(CleFiche cle) const;
    // The card of a number; none when it has left the catalogue.
    const TFicheFilm *fiche(CleFiche cle) const;

    // Changes one card of the catalogue and announces it; does nothing for a number that no card
    // has. The change is announced also when `modification` raises, which it then passes on.
    void modifierFiche(CleFiche cle, const std::function<void(TFicheFilm &)> &modification);
    // Appends cards as a read does, identifiers not compared; one announcement for them all.
    void adopterFiches(Catalogue fiches);
    // Puts these cards in the place of the whole catalogue and gives back the former ones; one
    // announcement.
    Catalogue echangerFiches(Catalogue fiches);
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

    // Removes these cards with their cover files as supprimerFiche does, without a question (the
    // caller asked one for them all). Gives the number removed.
    int supprimerFiches(const std::vector<CleFiche> &cles);

    void lireBaseFilms();
    // Reads the cards of a catalogue's bytes as lireBaseFilms reads the file, appending them one
    // by one to `fiches` (those before a bad card stay there); raises Erreur as it does.
    static void lireFiches(QByteArrayView octets, Catalogue &fiches);
    // Writes the catalogue file through a temporary file. The file it replaces is kept as
    // baseFilm.bdf.1 (the older ones shifted up to .5). When the file changed on disk since this
    // run read or wrote it, the user chooses: overwrite, the other version first kept under a
    // dated .bak name, or give up (CommandeAbandonnee).
    void ecrireBaseFilms();
    // The kept versions of the catalogue file, newest first.
    QList<SauvegardesBase::Sauvegarde> sauvegardes() const;
    // Puts the cards of a kept version in the place of the catalogue in memory (saved only when
    // the user saves). Raises Erreur, changing nothing, when the file cannot be read whole.
    void restaurerSauvegarde(const QString &fichier);

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
    // the cover cannot be stored or is not JPEG data. The first form is for a card not yet in the
    // catalogue, the second for one of its cards.
    void telechargerImage(TFicheFilm &fiche);
    void telechargerImage(CleFiche cle);
    bool contientIdFilm(const QString &idFilm) const;

    // "IMAGES_FILMS\" + the identifier + ".jpg", the identifier made a plain file name: path
    // separators and control characters become "_".
    static QString cheminImagePour(const QString &idFilm);
    // The request paths of a cover: on the cover site ("%20" for blanks) and on the fallback
    // poster site ("_" for blanks, A to Z in small letters), as Windows-1252 bytes.
    static QByteArray nomCouvertureSite(const QString &idFilm);
    static QByteArray nomCouvertureAffiches(const QString &idFilm);

signals:
    // The whole catalogue is about to be replaced (read, torn down, adopted cards), and was.
    void catalogueAReinitialiser();
    void catalogueReinitialise();
    // Sent once the card is in the catalogue, at its end.
    void ficheAjoutee(CleFiche cle);
    void ficheModifiee(CleFiche cle);
    // Sent before the card at `index` goes, and once it is gone.
    void ficheASupprimer(CleFiche cle, qsizetype index);
    void ficheSupprimee(CleFiche cle, qsizetype index);

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
    // Destroys every card, last to first, without a word.
    void viderFiches();
    // Numbers the cards from m_cles.size() on, then announces a new catalogue.
    void numeroterNouvelles();
    void supprimerImage(const QString &cheminImage) const;

    QString m_repertoire;
    Dialogues *m_dialogues;
    Hotes m_hotes;
    Connexion m_connexion;
    EtatBase m_etatBase = EtatBase::NonLue;
    // baseFilm.bdf as this run last read or wrote it; none before the first read.
    std::optional<SauvegardesBase::Empreinte> m_empreinte;
    QStringList m_listeTitres;
    Catalogue m_fichesFilms;
    // The number of each card of m_fichesFilms, at the same place.
    std::vector<CleFiche> m_cles;
    CleFiche m_prochaineCle = 1;
    std::unique_ptr<ModeleCatalogue> m_modele;
};

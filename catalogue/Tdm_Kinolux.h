#pragma once

#include "catalogue/Journal.h"
#include "catalogue/SauvegardesBase.h"
#include "catalogue/TFicheFilm.h"
#include "import/Connexion.h"
#include "import/Hotes.h"

#include <QByteArrayView>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

class Dialogues;
class ModeleCatalogue;
class QUndoStack;

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

    // Every change of the catalogue is a step of the undo history and a record of the journal
    // (baseFilm.journal, emptied at each save). The changes made while an Etape lives are one
    // step and one record; steps opened inside it join it. Without one, each change is a step.
    class Etape final
    {
    public:
        explicit Etape(Tdm_Kinolux &dm, const QString &libelle = {});
        ~Etape();
        Etape(const Etape &) = delete;
        Etape &operator=(const Etape &) = delete;

    private:
        Tdm_Kinolux &m_dm;
    };
    QUndoStack &pileAnnulation();
    QString cheminJournal() const;
    // Once the catalogue is read at start: a journal left by a run that did not save offers its
    // changes back ("Récupérer les N modifications non enregistrées ?"). Yes replays them (they
    // stay unsaved, and in the journal); no keeps the journal under a dated .bak name. A journal
    // of another catalogue file (saved since, or changed by another program) is kept so too,
    // without a question. Covers set aside by a run that did not save go back to their cards, or
    // to the desktop's trash. Gives the number of commands replayed.
    int recupererJournal();

    // A cover file about to be written over by a change of a card: kept aside in the bin, brought
    // back by undoing the change. For a path with no file, undoing removes the file written.
    void conserverCouverture(const QString &relatif);
    // A cover file a change of a card no longer needs: moved to the bin (and to the desktop's
    // trash at the next save) instead of erased, so that undo brings it back. Not the
    // placeholder, nothing outside the program's folder.
    void mettreCouvertureDeCote(const QString &relatif);
    // IMAGES_FILMS/.corbeille: covers set aside, until the next save.
    QString dossierCorbeille() const;

    // Destroys every card, last to first, as the program ends: the journal is removed (the user
    // said whether to save) and the undo history emptied.
    void detruireFichesFilms();

    // Asks the user to confirm, then removes every card with this identifier; its image file (a
    // file inside the program's directory only, never the placeholder, nor one that another card
    // shows) goes to the bin IMAGES_FILMS/.corbeille, then to the desktop's trash at the next
    // save. True when a card was removed.
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
    // The cover a card shown without one fetches as telechargerImage(cle) does; a change the undo
    // history does not keep (it would undo nothing the user did, and drop what could be redone).
    void completerCouverture(CleFiche cle);
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
    // Sent once the card is in the catalogue: at its end, or back at its place (a deletion undone).
    void ficheAjoutee(CleFiche cle);
    void ficheModifiee(CleFiche cle);
    // Sent before the card at `index` goes, and once it is gone.
    void ficheASupprimer(CleFiche cle, qsizetype index);
    void ficheSupprimee(CleFiche cle, qsizetype index);
    // A step of the undo history was undone or done again.
    void annulationAppliquee();

private:
    // A cover file and the version of it held aside: exchanging them undoes what a change did to
    // the file, and exchanging them again does it again.
    struct Couverture
    {
        // From the program's folder, with '/'.
        QString relatif;
        // The file held aside (in the bin, or the desktop's trash); empty: no file.
        QString tenue;
    };
    // One change as it is applied: the journal's change, with the card numbers it puts back
    // (none: new numbers, at the end of the catalogue only).
    struct Operation
    {
        Journal::Changement changement;
        std::vector<CleFiche> cles;
        // Inserted as they are instead of copies of `changement.fiches` (an added card keeps its
        // object).
        Catalogue objets;
    };

    // What undoes a change: a change of the cards, or a cover exchanged.
    using Annulation = std::variant<Operation, std::shared_ptr<Couverture>>;
    // The step being made.
    struct EtapeEnCours
    {
        QString libelle;
        // In the order of the changes.
        std::vector<Annulation> annulations;
        std::vector<Journal::Changement> journal;
        QStringList descriptions;
    };
    friend class Etape;
    class CommandeAnnulation;
    // Applies a change, announces it, writes it to the journal and to the undo step; gives the
    // change that undoes it.
    Operation appliquer(Operation operation);
    void ouvrirEtape(const QString &libelle);
    void fermerEtape();
    void noterCouverture(std::shared_ptr<Couverture> couverture);
    // The file of a stored cover path when it may be set aside: inside the program's folder,
    // not the placeholder; empty otherwise.
    QString couvertureDeplacable(const QString &relatif) const;
    QString placeCorbeille(const QString &relatif) const;
    void echangerCouverture(Couverture &couverture) const;
    // The journal's changes of this run go to a journal of the file as last read or written.
    void demarrerJournal();
    // A journal there is set aside under a dated .bak name.
    void conserverJournal() const;
    void oublierJournal();
    // At a save, covers of the bin go to the desktop's trash.
    void viderCorbeille();
    // At start: covers of the bin go back to the cards that name them, the others to the trash.
    void rangerCorbeille();
    // The catalogue file the journal's changes apply to: as last read or written.
    Journal::Base baseDuJournal() const;

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
    // How many cards show each cover path.
    QHash<QString, int> couverturesMontrees() const;
    // Removes the card at this place; its cover goes to the bin unless `couvertures` (counted by
    // couverturesMontrees, kept up to date here) says another card shows it.
    void retirerFiche(qsizetype index, QHash<QString, int> &couvertures);
    // The cover file a change is about to write where there is none: undoing it takes it away.
    void conserverCouvertureAbsente(const QString &relatif);

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

    // The undo history; its commands hold the changes that undo theirs.
    std::unique_ptr<QUndoStack> m_pileAnnulation;
    std::unique_ptr<EtapeEnCours> m_etape;
    int m_profondeurEtape = 0;
    // While a step is undone or done again, or a change the history does not keep is made: the
    // changes go to the journal only.
    bool m_sansHistorique = false;
    // Journal: not decided before the catalogue is read and a journal left there looked at.
    enum class EtatJournal
    {
        Eteint,
        AExaminer,
        Actif,
        // A record could not be written: none is until the next save.
        EnPanne
    };
    EtatJournal m_etatJournal = EtatJournal::Eteint;
    Journal::Ecrivain m_journal;
    // The covers set aside or written over by the steps of the history.
    std::vector<std::weak_ptr<Couverture>> m_couvertures;
};

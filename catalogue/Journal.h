#pragma once

#include "catalogue/TFicheFilm.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The changes of the catalogue since it was last saved, one record a command, each on the disk
// as soon as the command is done: a crash, a power cut or a killed session loses none of
// them.
//
// The file: a heading (a mark, the SHA-1 and the size of the catalogue file the changes apply to),
// then records [length, CRC-32, body], each body a change. A record cut short by a crash, or
// whose CRC does not match, ends the journal: it and what follows are dropped.
namespace Journal {

// One change of the catalogue, by place: the places are the same when the changes are replayed
// on the same file.
struct Changement
{
    enum class Genre : quint8
    {
        // `fiches` put at `index`, in order.
        Inserer = 1,
        // `fiches[0]` in the place of the card at `index`.
        Remplacer = 2,
        // `nombre` cards removed from `index` on.
        Retirer = 3,
        // `fiches` in the place of the whole catalogue.
        Tout = 4
    };

    Genre genre = Genre::Inserer;
    qint64 index = 0;
    qint64 nombre = 0;
    std::vector<TFicheFilm> fiches;
};

QByteArray coder(const Changement &changement);
// Raises Erreur for a body that is not a change.
Changement decoder(const QByteArray &corps);

// Applies a change to cards in memory; raises Erreur for a place that does not exist.
void appliquer(const Changement &changement, Catalogue &fiches);

// The catalogue file the journal's changes apply to.
struct Base
{
    QByteArray hash; // SHA-1 of its bytes; empty when there was no file
    qint64 taille = -1;

    bool operator==(const Base &) const = default;
};

struct Lecture
{
    // False when the file is not a journal (no file, or another heading).
    bool valide = false;
    Base base;
    // A record a command, with its changes in order.
    std::vector<std::vector<Changement>> enregistrements;
    // Where the last whole record ends: what follows is dropped.
    qint64 finValide = 0;
    // A record was cut short or damaged.
    bool tronque = false;
};

Lecture lire(const QString &fichier);
Lecture lireOctets(const QByteArray &octets);

// The journal being written. Each record is flushed to the disk (fdatasync) before `ajouter`
// returns. Not copyable; closes its file when destroyed.
class Ecrivain final
{
public:
    Ecrivain() = default;
    ~Ecrivain();
    Ecrivain(const Ecrivain &) = delete;
    Ecrivain &operator=(const Ecrivain &) = delete;

    // A new journal for this file of the catalogue, in place of any other (written aside, then
    // renamed). Raises Erreur when it cannot be written.
    void commencer(const QString &fichier, const Base &base);
    // Goes on with a journal whose records up to `finValide` are kept; what follows is cut.
    void reprendre(const QString &fichier, qint64 finValide);
    // One record: the changes of one command.
    void ajouter(const std::vector<Changement> &changements);
    bool ouvert() const { return m_fd >= 0; }
    void fermer();

private:
    void ecrire(const QByteArray &octets);

    QString m_fichier;
    int m_fd = -1;
};

// The CRC-32 of the records (the one of zip and PNG).
quint32 crc32(const char *donnees, qsizetype taille);

} // namespace Journal

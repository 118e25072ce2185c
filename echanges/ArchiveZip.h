#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct zip;

// A zip archive read with libzip, from bytes in memory or from a file. An entry is read whole, its
// size counted while it is inflated: the size an archive announces is never trusted, so an entry
// that inflates past the cap is refused however small the archive.
class ArchiveZip final
{
public:
    // Raise Erreur naming `nom` when the bytes or the file are not a zip archive libzip can read.
    ArchiveZip(QByteArray octets, const QString &nom);
    explicit ArchiveZip(const QString &chemin);
    ~ArchiveZip();
    ArchiveZip(const ArchiveZip &) = delete;
    ArchiveZip &operator=(const ArchiveZip &) = delete;

    // The local file header's mark, which every zip file begins with.
    static bool estZip(QByteArrayView debut);

    bool contient(const QString &entree) const;
    // The inflated bytes of an entry. Raises Erreur for an entry that is not there, cannot be
    // inflated (encrypted, damaged, a method libzip lacks) or inflates past `plafond` bytes.
    QByteArray lire(const QString &entree, qint64 plafond) const;

private:
    QByteArray m_octets; // the bytes libzip reads from, kept as long as the archive
    QString m_nom;
    struct zip *m_archive = nullptr;
};

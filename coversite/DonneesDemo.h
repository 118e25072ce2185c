#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The demo data of the stand-in cover service: the title index, the card pages and where each
// film's cover can be had. The folder holds `movies.txt`, the index exactly as served
// (Windows-1252, CR LF; the program is delivered with the same file), and `fiches.txt`, the cards
// in UTF-8, served as Windows-1252.
class DonneesDemo final
{
public:
    struct Film
    {
        QString titreIndex;       // "PONT (LE)"
        QStringList lignes;       // the eleven lines of the card page
        bool surSite = false;     // the cover site has its cover
        bool surAffiches = false; // the fallback poster site has it
    };

    // False, with the reason in `erreur`, when a file is missing or malformed.
    bool charger(const QString &dossier, QString *erreur = nullptr);

    const QStringList &titres() const { return m_titres; }
    const QList<Film> &films() const { return m_films; }
    // The index as served: the bytes of movies.txt.
    const QByteArray &index() const { return m_index; }
    // The card page as served: the eleven lines in Windows-1252, each followed by CR LF.
    static QByteArray page(const Film &film);

    // Look-ups on the bytes that arrive: the normalised title of the form field, the cover-site
    // name ("LE%20PONT") and the fallback site's name ("le_pont").
    const Film *parCle(const QByteArray &cle) const;
    const Film *parNomSite(const QByteArray &nom) const;
    const Film *parNomAffiche(const QByteArray &nom) const;

    // The film's cover, a JPEG drawn on first use and kept.
    QByteArray couverture(const Film &film);

    // "PONT (LE)" gives "LE PONT": each of the thirteen suffixes is tried once, in order, at its
    // first occurrence, and what follows it is dropped.
    static QString normaliser(const QString &titre);
    static QByteArray nomSite(const QString &titre);
    static QByteArray nomAffiche(const QString &titre);
    // Windows-1252 bytes; nothing when a character has none.
    static std::optional<QByteArray> versWindows1252(const QString &texte);
    static QString depuisWindows1252(QByteArrayView octets);

private:
    QStringList m_titres;
    QByteArray m_index;
    QList<Film> m_films;
    QHash<QByteArray, qsizetype> m_parCle;
    QHash<QByteArray, qsizetype> m_parNomSite;
    QHash<QByteArray, qsizetype> m_parNomAffiche;
    QHash<qsizetype, QByteArray> m_couvertures;
};

#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QIODevice>
#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <future>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

// Reading and writing the catalogue's XML files with pugixml.
namespace DocumentXml {

// A file's bytes, which pugixml parses in place. The memory is asked for in huge pages where
// the system has them: a 50 MB catalogue then costs a few dozen page faults instead of 12,000.
class Tampon final
{
public:
    Tampon() = default;
    Tampon(const Tampon &) = delete;
    Tampon &operator=(const Tampon &) = delete;
    ~Tampon();

    char *allouer(size_t taille);
    void liberer();
    char *donnees() const { return m_memoire; }
    size_t taille() const { return m_taille; }
    QByteArrayView octets() const { return {m_memoire, qsizetype(m_taille)}; }
    void reduire(size_t taille) { m_taille = taille; }
    void echanger(Tampon &autre) noexcept
    {
        std::swap(m_memoire, autre.m_memoire);
        std::swap(m_taille, autre.m_taille);
        std::swap(m_reserve, autre.m_reserve);
    }

private:
    char *m_memoire = nullptr;
    size_t m_taille = 0;
    size_t m_reserve = 0;
};

// The largest file read: 512 MiB, ten times the 50 MB of a catalogue of 35,000 cards. Reading costs
// about three times the file's size in memory; a larger file is refused before it is read.
constexpr qint64 k_tailleMaximale = 512LL * 1024 * 1024;

struct Chargement
{
    bool ouvert = false;  // the file could be read
    bool analyse = false; // and parsed
    QString raison;       // why not: the parser's message with its line, or the file error
};

// Parses the file into `document`, which points into `tampon`: keep it as long as the document.
// A file larger than k_tailleMaximale is not read. Files declared in Windows-1252 or ISO-8859-1
// are converted to UTF-8 first.
Chargement charger(const QString &chemin, pugi::xml_document &document, Tampon &tampon,
                   unsigned int options);
// The same for bytes already in memory, copied into `tampon` (the reasons name the same lines).
Chargement chargerOctets(QByteArrayView octets, pugi::xml_document &document, Tampon &tampon,
                         unsigned int options);

// True when the XML declaration at the start of the bytes names Windows-1252 or Latin-1.
bool declareWindows1252(QByteArrayView octets);

// Appends the text as UTF-8 to `sortie`, leaving out what XML 1.0 cannot carry (controls other
// than tab, LF and CR, U+FFFE, U+FFFF, lone surrogates).
void versUtf8Xml(QStringView texte, std::string &sortie);
// The text of UTF-8 bytes read from a document. A leading U+FEFF is a character of the text
// here and is kept (QString::fromUtf8 would take it for a byte-order mark and drop it).
QString depuisUtf8(QByteArrayView utf8);

// The texts of one reading that recur from card to card (actors, genres, nationalities, years,
// distributors...): each distinct value is converted once and every card shares its copy.
// The keys view the parsed document's bytes: a dictionary lives no longer than its document.
class TextesPartages final
{
public:
    QString texte(const char *utf8);

private:
    // Long texts (summaries, titles) are seldom repeated: they are not kept.
    static constexpr size_t k_longueurMaximale = 80;
    std::unordered_map<std::string_view, QString> m_textes;
};

// Every output of pugixml, written to a device in large blocks.
class EcrivainPeripherique final : public pugi::xml_writer
{
public:
    // With `hash`, every byte written is also hashed, on another thread while the next block is
    // made; the hash is complete once terminer() returns.
    explicit EcrivainPeripherique(QIODevice &peripherique, QCryptographicHash *hash = nullptr);
    ~EcrivainPeripherique() override;
    EcrivainPeripherique(const EcrivainPeripherique &) = delete;
    EcrivainPeripherique &operator=(const EcrivainPeripherique &) = delete;
    void write(const void *donnees, size_t taille) override;
    // Writes what is still held; false if any write failed.
    bool terminer();

private:
    bool ecrireBloc();

    QIODevice &m_peripherique;
    QCryptographicHash *m_hash;
    std::future<void> m_hachage;
    QByteArray m_bloc;
    bool m_echec = false;
};

} // namespace DocumentXml

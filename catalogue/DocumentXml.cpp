#include "catalogue/DocumentXml.h"

#include "import/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstring>
#include <new>

#include <sys/mman.h>

using namespace Qt::StringLiterals;

namespace {

bool estBlanc(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The UTF-8 form of every Windows-1252 byte.
struct Utf8
{
    char octets[3];
    unsigned char longueur;
};

const std::array<Utf8, 256> &tableUtf8()
{
    static const std::array<Utf8, 256> table = [] {
        std::array<Utf8, 256> t{};
        QByteArray tous(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            tous[i] = char(i);
        const QString texte = Windows1252::decoder(tous);
        for (int i = 0; i < 256; ++i) {
            const QByteArray utf8 = QStringView(texte).sliced(i, 1).toUtf8();
            t[i].longueur = static_cast<unsigned char>(utf8.size());
            std::memcpy(t[i].octets, utf8.constData(), size_t(utf8.size()));
        }
        return t;
    }();
    return table;
}

void windows1252VersUtf8(const DocumentXml::Tampon &source, DocumentXml::Tampon &cible)
{
    const auto &table = tableUtf8();
    const auto *entree = reinterpret_cast<const unsigned char *>(source.donnees());
    size_t taille = 0;
    for (size_t i = 0; i < source.taille(); ++i)
        taille += table[entree[i]].longueur;
    char *p = cible.allouer(taille);
    for (size_t i = 0; i < source.taille(); ++i) {
        const Utf8 &u = table[entree[i]];
        for (unsigned char k = 0; k < u.longueur; ++k)
            *p++ = u.octets[k];
    }
}

void lireOctets(const QString &chemin, DocumentXml::Chargement &resultat,
                DocumentXml::Tampon &tampon)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(chemin)) {
            pugi::xml_parse_result absent;
            absent.status = pugi::status_file_not_found;
            resultat.raison = QString::fromUtf8(absent.description());
        } else {
            resultat.raison = fichier.errorString();
        }
        return;
    }
    const qint64 taille = fichier.size();
    char *p = tampon.allouer(size_t(taille));
    qint64 lus = 0;
    while (lus < taille) {
        const qint64 n = fichier.read(p + lus, taille - lus);
        if (n <= 0)
            break;
        lus += n;
    }
    if (fichier.error() != QFileDevice::NoError) {
        resultat.raison = fichier.errorString();
        tampon.liberer();
        return;
    }
    tampon.reduire(size_t(lus));
    resultat.ouvert = true;
    if (DocumentXml::declareWindows1252(tampon.octets())) {
        DocumentXml::Tampon converti;
        windows1252VersUtf8(tampon, converti);
        tampon.echanger(converti);
    }
}

int ligne(QByteArrayView texte, qsizetype position)
{
    int n = 1;
    const qsizetype fin = std::min(position, texte.size());
    for (qsizetype i = 0; i < fin; ++i) {
        if (texte[i] == '\n' ||
            (texte[i] == '\r' && (i + 1 >= texte.size() || texte[i + 1] != '\n')))
            ++n;
    }
    return n;
}

} // namespace

namespace DocumentXml {

Tampon::~Tampon()
{
    liberer();
}

char *Tampon::allouer(size_t taille)
{
    liberer();
    // One byte more, so that an empty file still maps some memory.
    m_reserve = taille + 1;
    void *memoire =
        mmap(nullptr, m_reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memoire == MAP_FAILED)
        throw std::bad_alloc();
    madvise(memoire, m_reserve, MADV_HUGEPAGE);
    m_memoire = static_cast<char *>(memoire);
    m_taille = taille;
    return m_memoire;
}

void Tampon::liberer()
{
    if (m_memoire)
        munmap(m_memoire, m_reserve);
    m_memoire = nullptr;
    m_taille = m_reserve = 0;
}

Chargement charger(const QString &chemin, pugi::xml_document &document, Tampon &tampon,
                   unsigned int options)
{
    Chargement resultat;
    document.reset();
    lireOctets(chemin, resultat, tampon);
    if (!resultat.ouvert)
        return resultat;

    const pugi::xml_parse_result analyse = document.load_buffer_inplace(
        tampon.donnees(), tampon.taille(), options,
        declareWindows1252(tampon.octets()) ? pugi::encoding_utf8 : pugi::encoding_auto);
    if (analyse) {
        resultat.analyse = true;
        return resultat;
    }
    // The parse rewrote the buffer: count the lines on a fresh copy.
    Chargement relu;
    Tampon original;
    lireOctets(chemin, relu, original);
    resultat.raison = u"%1 (ligne %2)"_s.arg(QString::fromUtf8(analyse.description()))
                          .arg(ligne(original.octets(), analyse.offset));
    document.reset();
    return resultat;
}

bool declareWindows1252(QByteArrayView octets)
{
    if (!octets.startsWith("<?xml") || octets.size() < 6 || !estBlanc(octets[5]))
        return false;
    const qsizetype fin = octets.first(std::min<qsizetype>(octets.size(), 4096)).indexOf("?>");
    if (fin < 0)
        return false;
    const QByteArrayView declaration = octets.first(fin);
    qsizetype i = declaration.indexOf("encoding");
    if (i < 0)
        return false;
    i += 8;
    while (i < fin && estBlanc(declaration[i]))
        ++i;
    if (i >= fin || declaration[i] != '=')
        return false;
    ++i;
    while (i < fin && estBlanc(declaration[i]))
        ++i;
    if (i >= fin || (declaration[i] != '"' && declaration[i] != '\''))
        return false;
    const char guillemet = declaration[i++];
    const qsizetype finNom = declaration.indexOf(guillemet, i);
    if (finNom < 0)
        return false;
    const QByteArray nom = declaration.sliced(i, finNom - i).toByteArray().toLower();
    static constexpr std::array<const char *, 10> k_noms = {
        "windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
        "iso_8859-1",   "latin1", "latin-1",  "l1",         "us-ascii"};
    for (const char *candidat : k_noms) {
        if (nom == candidat)
            return true;
    }
    return false;
}

void versUtf8Xml(QStringView texte, std::string &sortie)
{
    const char16_t *d = texte.utf16();
    const qsizetype taille = texte.size();
    const size_t debut = sortie.size();
    sortie.resize(debut + 3 * static_cast<size_t>(taille));
    char *p = sortie.data() + debut;
    for (qsizetype i = 0; i < taille; ++i) {
        const char32_t c = d[i];
        if (c < 0x80) {
            if (c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r')
                *p++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | (c >> 6));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && i + 1 < taille && QChar::isLowSurrogate(d[i + 1])) {
                const char32_t u = QChar::surrogateToUcs4(d[i], d[i + 1]);
                ++i;
                *p++ = static_cast<char>(0xF0 | (u >> 18));
                *p++ = static_cast<char>(0x80 | ((u >> 12) & 0x3F));
                *p++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                *p++ = static_cast<char>(0x80 | (u & 0x3F));
            }
        } else if (c < 0xFFFE) {
            *p++ = static_cast<char>(0xE0 | (c >> 12));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    sortie.resize(static_cast<size_t>(p - sortie.data()));
}

EcrivainPeripherique::EcrivainPeripherique(QIODevice &peripherique)
    : m_peripherique(peripherique)
{
    m_bloc.reserve(1 << 20);
}

void EcrivainPeripherique::write(const void *donnees, size_t taille)
{
    if (m_bloc.size() + qsizetype(taille) > m_bloc.capacity() && !terminer())
        return;
    m_bloc.append(static_cast<const char *>(donnees), qsizetype(taille));
}

bool EcrivainPeripherique::terminer()
{
    if (!m_echec && !m_bloc.isEmpty())
        m_echec = m_peripherique.write(m_bloc) != m_bloc.size();
    m_bloc.resize(0);
    return !m_echec;
}

} // namespace DocumentXml

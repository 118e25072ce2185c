#include "catalogue/DocumentXml.h"

#include "import/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#define KINOLUX_SOUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KINOLUX_SOUS_ASAN 1
#endif
#endif
#ifndef KINOLUX_SOUS_ASAN
#define KINOLUX_SOUS_ASAN 0
#endif

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

// Bytes declared in Windows-1252 or Latin-1 are turned into UTF-8.
void convertirSiDeclare(DocumentXml::Tampon &tampon)
{
    if (DocumentXml::declareWindows1252(tampon.octets())) {
        DocumentXml::Tampon converti;
        windows1252VersUtf8(tampon, converti);
        tampon.echanger(converti);
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
    if (taille > DocumentXml::k_tailleMaximale) {
        resultat.raison =
            u"le fichier fait plus de %1 Mio, la taille maximale d'un catalogue"_s.arg(
                DocumentXml::k_tailleMaximale / (1024 * 1024));
        return;
    }
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
    convertirSiDeclare(tampon);
}

void copierOctets(QByteArrayView octets, DocumentXml::Tampon &tampon)
{
    char *p = tampon.allouer(size_t(octets.size()));
    if (!octets.isEmpty())
        std::memcpy(p, octets.data(), size_t(octets.size()));
    convertirSiDeclare(tampon);
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

pugi::xml_parse_result analyser(pugi::xml_document &document, DocumentXml::Tampon &tampon,
                                unsigned int options)
{
    return document.load_buffer_inplace(tampon.donnees(), tampon.taille(), options,
                                        DocumentXml::declareWindows1252(tampon.octets())
                                            ? pugi::encoding_utf8
                                            : pugi::encoding_auto);
}

// `original`: the bytes as they were before the parse rewrote them.
QString raisonAnalyse(const pugi::xml_parse_result &analyse, const DocumentXml::Tampon &original)
{
    return u"%1 (ligne %2)"_s.arg(QString::fromUtf8(analyse.description()))
        .arg(ligne(original.octets(), analyse.offset));
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
#if KINOLUX_SOUS_ASAN
    // AddressSanitizer does not watch mapped memory: from the heap, a read past the end is seen.
    m_reserve = taille;
    m_memoire = static_cast<char *>(std::malloc(std::max<size_t>(taille, 1)));
    if (!m_memoire)
        throw std::bad_alloc();
#else
    // One byte more, so that an empty file still maps some memory.
    m_reserve = taille + 1;
    void *memoire =
        mmap(nullptr, m_reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memoire == MAP_FAILED)
        throw std::bad_alloc();
    madvise(memoire, m_reserve, MADV_HUGEPAGE);
    m_memoire = static_cast<char *>(memoire);
#endif
    m_taille = taille;
    return m_memoire;
}

void Tampon::liberer()
{
#if KINOLUX_SOUS_ASAN
    std::free(m_memoire);
#else
    if (m_memoire)
        munmap(m_memoire, m_reserve);
#endif
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

    const pugi::xml_parse_result analyse = analyser(document, tampon, options);
    if (analyse) {
        resultat.analyse = true;
        return resultat;
    }
    // The parse rewrote the buffer: count the lines on a fresh copy.
    Chargement relu;
    Tampon original;
    lireOctets(chemin, relu, original);
    resultat.raison = raisonAnalyse(analyse, original);
    document.reset();
    return resultat;
}

Chargement chargerOctets(QByteArrayView octets, pugi::xml_document &document, Tampon &tampon,
                         unsigned int options)
{
    Chargement resultat;
    document.reset();
    copierOctets(octets, tampon);
    resultat.ouvert = true;
    const pugi::xml_parse_result analyse = analyser(document, tampon, options);
    if (analyse) {
        resultat.analyse = true;
        return resultat;
    }
    Tampon original;
    copierOctets(octets, original);
    resultat.raison = raisonAnalyse(analyse, original);
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

QString depuisUtf8(QByteArrayView utf8)
{
    if (!utf8.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(utf8);
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
    return decodeur(utf8);
}

constexpr qsizetype k_bloc = 1 << 20;

EcrivainPeripherique::EcrivainPeripherique(QIODevice &peripherique, QCryptographicHash *hash)
    : m_peripherique(peripherique)
    , m_hash(hash)
{
    m_bloc.reserve(k_bloc);
}

EcrivainPeripherique::~EcrivainPeripherique()
{
    if (m_hachage.valid())
        m_hachage.wait();
}

void EcrivainPeripherique::write(const void *donnees, size_t taille)
{
    if (m_bloc.size() + qsizetype(taille) > m_bloc.capacity() && !ecrireBloc())
        return;
    m_bloc.append(static_cast<const char *>(donnees), qsizetype(taille));
}

bool EcrivainPeripherique::ecrireBloc()
{
    if (!m_echec && !m_bloc.isEmpty()) {
        if (m_hash) {
            // One block hashed at a time, in order; the block is shared, not copied.
            if (m_hachage.valid())
                m_hachage.wait();
            m_hachage = std::async(std::launch::async,
                                   [hash = m_hash, bloc = m_bloc] { hash->addData(bloc); });
        }
        m_echec = m_peripherique.write(m_bloc) != m_bloc.size();
    }
    if (m_hash) {
        // A fresh block: the one handed to the hash is still being read.
        m_bloc = QByteArray();
        m_bloc.reserve(k_bloc);
    } else {
        m_bloc.resize(0);
    }
    return !m_echec;
}

bool EcrivainPeripherique::terminer()
{
    const bool reussi = ecrireBloc();
    if (m_hachage.valid())
        m_hachage.wait();
    return reussi;
}

QString TextesPartages::texte(const char *utf8)
{
    const std::string_view cle(utf8);
    if (cle.size() > k_longueurMaximale)
        return depuisUtf8(cle);
    auto [entree, nouvelle] = m_textes.try_emplace(cle);
    if (nouvelle)
        entree->second = depuisUtf8(cle);
    return entree->second;
}

} // namespace DocumentXml

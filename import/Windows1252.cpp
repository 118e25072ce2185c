#include "import/Windows1252.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the five the code page leaves undefined keep their own value.
constexpr std::array<char16_t, 32> k_c1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> k_versUnicode = [] {
    std::array<char16_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<char16_t>(i);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = k_c1[i];
    return table;
}();

// The byte of a character, or -1 when the code page has none.
constexpr int octet(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (k_c1[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace Windows1252 {

QString decoder(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    QChar *sortie = texte.data();
    const auto *entree = reinterpret_cast<const unsigned char *>(octets.data());
    for (qsizetype i = 0; i < octets.size(); ++i)
        sortie[i] = QChar(k_versUnicode[entree[i]]);
    return texte;
}

QByteArray encoder(QStringView texte, bool *perte)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    char *sortie = octets.data();
    const char16_t *entree = texte.utf16();
    const qsizetype taille = texte.size();
    qsizetype n = 0;
    bool perdu = false;
    for (qsizetype i = 0; i < taille; ++i) {
        const char16_t c = entree[i];
        int o = octet(c);
        if (o < 0) {
            perdu = true;
            o = '?';
            // A surrogate pair is one character: one '?'.
            if (QChar::isHighSurrogate(c) && i + 1 < taille && QChar::isLowSurrogate(entree[i + 1]))
                ++i;
        }
        sortie[n++] = static_cast<char>(o);
    }
    octets.truncate(n);
    if (perte)
        *perte = perdu;
    return octets;
}

bool peutEncoder(QStringView texte)
{
    for (const QChar c : texte) {
        if (octet(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace Windows1252

// What the import sends for a title: the title with its article put back in front, in the
// form body of the card request; and the card page's lists cut at their separators.
#include "fuzz/Verifier.h"
#include "import/Connexion.h"
#include "import/ListeTitres.h"
#include "import/PageFiche.h"
#include "import/Windows1252.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

int chiffre(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    // The first byte picks the separator, the rest is the title as the index holds it.
    if (taille == 0)
        return 0;
    const QChar separateur = QChar(char16_t(donnees[0]));
    const QString titre = Windows1252::decoder(QByteArrayView(donnees + 1, qsizetype(taille - 1)));

    const QString normalise = ListeTitres::normaliserTitre(titre);
    verifier(normalise.size() <= titre.size(), "putting the article in front adds nothing");

    // Every byte of the body is printable ASCII (or 0x80), and decoding the %XX gives back the
    // title's Windows-1252 bytes.
    const QByteArray corps = Connexion::encoderFormulaire({{QByteArrayLiteral("idmc"), normalise}});
    verifier(corps.startsWith("idmc="), "the field's name comes first");
    QByteArray decode;
    for (qsizetype i = 5; i < corps.size(); ++i) {
        const auto octet = static_cast<unsigned char>(corps[i]);
        verifier(octet >= 33 && octet <= 128, "no blank, control or high byte in the body");
        if (corps[i] != '%') {
            decode += corps[i];
            continue;
        }
        verifier(i + 2 < corps.size() && chiffre(corps[i + 1]) >= 0 && chiffre(corps[i + 2]) >= 0,
                 "% is followed by two upper-case hexadecimal digits");
        decode += char(chiffre(corps[i + 1]) * 16 + chiffre(corps[i + 2]));
        i += 2;
    }
    verifier(decode == Windows1252::encoder(normalise), "the body gives back the title's bytes");

    QStringList pieces;
    PageFiche::decouper(pieces, titre, separateur);
    verifier(pieces.size() == titre.count(separateur) + 1, "one piece more than separators");
    verifier(pieces.join(separateur) == titre, "the pieces give back the text");
    return 0;
}

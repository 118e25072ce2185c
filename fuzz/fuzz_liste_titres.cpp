// The title index movies.txt: Windows-1252 lines as the cover site sends them and the program
// keeps them, then the import filter over them.
#include "fuzz/Verifier.h"
#include "import/ListeTitres.h"
#include "import/Windows1252.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QByteArrayView octets(donnees, qsizetype(taille));
    const QStringList titres = ListeTitres::decouperLignes(octets);

    // Every line end becomes LF: the titles joined by LF give back the text, and a final line
    // end adds no empty title.
    QByteArray attendu = octets.toByteArray();
    attendu.replace("\r\n", "\n").replace('\r', '\n');
    QByteArray relu;
    for (const QString &titre : titres) {
        verifier(!titre.contains(u'\r') && !titre.contains(u'\n'), "no line end in a title");
        bool perte = false;
        relu += Windows1252::encoder(titre, &perte);
        relu += '\n';
        verifier(!perte, "a title gives back its bytes");
    }
    if (!attendu.endsWith('\n') && !relu.isEmpty())
        relu.chop(1);
    verifier(relu == attendu, "the titles give back the index");

    // The filter, with a fragment taken from the index itself.
    if (!titres.isEmpty()) {
        const QString &premier = titres.first();
        const QString fragment = premier.mid(premier.size() / 3, 4);
        const QStringList retenus = ListeTitres::filtrer(titres, fragment);
        verifier(!retenus.isEmpty(), "the title the fragment comes from is kept");
        for (const QString &titre : retenus)
            verifier(titre.contains(fragment), "a kept title holds the fragment");
        verifier(ListeTitres::filtrer(titres, QString()) == titres, "no fragment keeps all");
    }
    return 0;
}

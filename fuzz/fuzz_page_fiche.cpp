// The card page of the cover site, read as the import reads it: the eleven lines, then the lists
// cut at their separators.
#include "fuzz/Verifier.h"
#include "import/PageFiche.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const std::optional<QStringList> lignes =
        PageFiche::lignes(QByteArrayView(donnees, qsizetype(taille)));
    if (!lignes)
        return 0;
    verifier(lignes->size() == 11, "a card page gives eleven lines");
    for (const QString &ligne : *lignes) {
        verifier(!ligne.isEmpty(), "an empty line is given as \"-\"");
        verifier(!ligne.contains(u'\r') && !ligne.contains(u'\n'), "no line end in a line");
    }

    // Directors, nationalities, genres, actors, keywords (blanks separate them too).
    struct Liste
    {
        int ligne;
        char16_t separateur;
    };
    for (const auto &[numero, separateur] :
         {Liste{1, u'/'}, Liste{3, u'/'}, Liste{4, u','}, Liste{6, u';'}, Liste{10, u';'}}) {
        QString texte = lignes->at(numero);
        if (numero == 10)
            texte.replace(u' ', u';');
        QStringList pieces{u"-"_s};
        PageFiche::decouper(pieces, texte, separateur);
        verifier(pieces.size() == texte.count(separateur) + 2, "one piece more than separators");
        pieces.removeFirst();
        verifier(pieces.join(separateur) == texte, "the pieces give back the text");
    }
    return 0;
}

// The saved playlist listeLecture.ldl: read, written back, read again.
#include "catalogue/ListeLecture.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QStringList lignes = ListeLecture::lignes(QByteArrayView(donnees, qsizetype(taille)));
    for (const QString &ligne : lignes)
        verifier(!ligne.contains(u'\r') && !ligne.contains(u'\n'), "no line end in a line");

    // What the program saves of a playlist it read must read back as the same lines.
    const QByteArray ecrit = ListeLecture::enOctets(lignes);
    verifier(ListeLecture::lignes(ecrit) == lignes, "a saved playlist reads back the same");

    // kinolux.pls: two lines an entry, and the four lines around them.
    const QStringList pls = ListeLecture::lignesPls(lignes);
    verifier(pls.size() == 2 * lignes.size() + 3, "two lines an entry in kinolux.pls");
    return 0;
}

// The catalogue file baseFilm.bdf, read from its bytes as the start-up load reads it.
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    Catalogue fiches;
    try {
        Tdm_Kinolux::lireFiches(QByteArrayView(donnees, qsizetype(taille)), fiches);
    } catch (const Erreur &erreur) {
        verifier(!erreur.texte().isEmpty(), "a refused file says why");
    }
    for (const auto &fiche : fiches)
        verifier(fiche != nullptr, "every card read is a card");
    return 0;
}

// The journal a run left behind, read at the next start: cut short, damaged or not a journal at
// all, it gives back whole records only, and each change reads back as it was written.
#include "catalogue/Erreur.h"
#include "catalogue/Journal.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char *>(donnees), qsizetype(taille));
    const Journal::Lecture lecture = Journal::lireOctets(octets);
    verifier(lecture.finValide <= octets.size(), "the whole records end inside the file");
    verifier(lecture.valide || lecture.enregistrements.empty(), "no record without a heading");
    Catalogue fiches;
    for (int i = 0; i < 3; ++i)
        fiches.push_back(std::make_unique<TFicheFilm>(QStringLiteral("F%1").arg(i)));
    for (const auto &enregistrement : lecture.enregistrements) {
        for (const Journal::Changement &changement : enregistrement) {
            const Journal::Changement relu = Journal::decoder(Journal::coder(changement));
            verifier(relu.genre == changement.genre && relu.index == changement.index &&
                         relu.nombre == changement.nombre && relu.fiches == changement.fiches,
                     "a change reads back as written");
            try {
                Journal::appliquer(changement, fiches);
            } catch (const Erreur &) {
                // A change that does not fit the cards is refused, the cards left as they were.
            }
        }
    }
    return 0;
}

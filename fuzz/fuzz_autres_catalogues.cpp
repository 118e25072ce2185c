// Another program's catalogue (Tellico, GCstar, Ant Movie Catalog, Kodi): whatever the bytes, a
// clear refusal or cards that an import can take, each with its cover's place.
#include "catalogue/Erreur.h"
#include "echanges/AutresCatalogues.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char *>(donnees), qsizetype(taille));
    try {
        const AutresCatalogues::Import import = AutresCatalogues::importerOctets(
            octets, QStringLiteral("/nulle-part/catalogue.xml"),
            [](const QString &) -> const TFicheFilm * { return nullptr; });
        verifier(import.fiches.size() == import.couvertures.size(), "a cover slot a card");
        for (const auto &fiche : import.fiches) {
            verifier(!fiche->idFilm().trimmed().isEmpty(), "every card has an identifier");
            const QString dossier = QStringLiteral("IMAGES_FILMS\\");
            const QString &image = fiche->cheminImage();
            verifier(!image.startsWith(dossier) ||
                         (!image.mid(dossier.size()).contains(QLatin1Char('\\')) &&
                          !image.mid(dossier.size()).contains(QLatin1Char('/'))),
                     "a cover is a file of IMAGES_FILMS");
        }
    } catch (const Erreur &erreur) {
        verifier(!erreur.texte().isEmpty(), "a refusal says why");
    }
    return 0;
}

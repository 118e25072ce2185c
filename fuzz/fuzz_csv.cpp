// A CSV file to import: cut into records, made into cards, written back and read again.
#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "echanges/Csv.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    Csv::Import import;
    try {
        const Csv::Tableau tableau =
            Csv::lire(QByteArrayView(donnees, qsizetype(taille)), u"f.csv"_s);
        for (const QStringList &ligne : tableau.lignes)
            verifier(ligne.size() == tableau.entete.size(), "every record as wide as the heading");
        import = Csv::fiches(tableau, u"f.csv"_s, [](const QString &) { return false;
    });
}
catch (const Erreur &)
{
    return 0;
}

// The cards an import made come back field for field from the file an export writes.
std::vector<TFicheFilm> fiches;
for (const auto &fiche : import.fiches)
    fiches.push_back(*fiche);
std::vector<ChampsFiche::Champ> colonnes;
for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
    colonnes.push_back(static_cast<ChampsFiche::Champ>(c));
for (const QChar separateur : {QChar(u','), QChar(u';')}) {
    const QByteArray ecrit = Csv::ecrire(fiches, colonnes, nullptr, separateur);
    const Csv::Import relu = Csv::fiches(Csv::lire(ecrit, u"f.csv"_s), u"f.csv"_s,
                                         [](const QString &) { return false; });
    verifier(relu.fiches.size() == fiches.size(), "every card read back");
    for (size_t i = 0; i < fiches.size(); ++i)
        for (const ChampsFiche::Champ c : colonnes)
            verifier(ChampsFiche::enTexte(*relu.fiches[i], c) == ChampsFiche::enTexte(fiches[i], c),
                     "each field read back as written");
}
return 0;
}

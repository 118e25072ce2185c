#include "import/PageFiche.h"

#include "import/ListeTitres.h"

using namespace Qt::StringLiterals;

namespace PageFiche {

std::optional<QStringList> lignes(QByteArrayView corps)
{
    // A page of text never holds a NUL byte: such an answer is binary data, not a card.
    if (corps.contains('\0'))
        return std::nullopt;
    QStringList toutes = ListeTitres::decouperLignes(corps);
    if (toutes.size() < 11)
        return std::nullopt;
    toutes.resize(11);
    for (QString &ligne : toutes) {
        if (ligne.isEmpty())
            ligne = u"-"_s;
    }
    return toutes;
}

void decouper(QStringList &liste, const QString &texte, QChar separateur)
{
    liste.append(texte.split(separateur, Qt::KeepEmptyParts));
}

} // namespace PageFiche

#include "import/ListeTitres.h"

#include "import/Windows1252.h"

#include <QFile>

namespace ListeTitres {

QStringList decouperLignes(QByteArrayView octets)
{
    // Line ends are the same bytes in both encodings: decode once, then cut.
    const QString texte = Windows1252::decoder(octets);
    const QChar *d = texte.constData();
    const qsizetype taille = texte.size();

    QStringList lignes;
    lignes.reserve(octets.count('\n') + 1);
    qsizetype debut = 0;
    for (qsizetype i = 0; i < taille; ++i) {
        const char16_t c = d[i].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        lignes.append(QString(d + debut, i - debut));
        if (c == u'\r' && i + 1 < taille && d[i + 1] == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < taille)
        lignes.append(QString(d + debut, taille - debut));
    return lignes;
}

QStringList lire(const QString &chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    return decouperLignes(fichier.readAll());
}

} // namespace ListeTitres

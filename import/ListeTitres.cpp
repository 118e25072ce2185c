#include "import/ListeTitres.h"

#include "import/Windows1252.h"

#include <QFile>
#include <QSaveFile>

#include <array>

using namespace Qt::StringLiterals;

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

bool ecrire(const QString &chemin, const QStringList &titres, QString *erreur)
{
    QByteArray octets;
    qsizetype taille = 0;
    for (const QString &titre : titres)
        taille += titre.size() + 2;
    octets.reserve(taille);
    for (const QString &titre : titres) {
        octets += Windows1252::encoder(titre);
        octets += "\r\n";
    }
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size() &&
        fichier.commit())
        return true;
    if (erreur)
        *erreur = fichier.errorString();
    return false;
}

QStringList filtrer(const QStringList &titres, const QString &fragment)
{
    if (fragment.isEmpty())
        return titres;
    QStringList retenus;
    for (const QString &titre : titres) {
        if (titre.contains(fragment))
            retenus.append(titre);
    }
    return retenus;
}

QString normaliserTitre(const QString &titre)
{
    static const std::array<std::pair<QString, QString>, 13> articles = {{
        {u" (LE)"_s, u"LE "_s},
        {u" (LES)"_s, u"LES "_s},
        {u" (LA)"_s, u"LA "_s},
        {u" (L')"_s, u"L'"_s},
        {u" (UNE)"_s, u"UNE "_s},
        {u" (UN)"_s, u"UN "_s},
        {u" (THE)"_s, u"THE "_s},
        {u" (AN)"_s, u"AN "_s},
        {u" (EL)"_s, u"EL "_s},
        {u" (C7A)"_s, u"C7A "_s},
        {u" (CCM)"_s, u"CCM "_s},
        {u" (CIM)"_s, u"CIM "_s},
        {u" (VRM)"_s, u"VRM "_s},
    }};
    QString resultat = titre;
    for (const auto &[suffixe, prefixe] : articles) {
        const qsizetype position = resultat.indexOf(suffixe);
        if (position >= 0)
            resultat = prefixe + resultat.left(position);
    }
    return resultat;
}

} // namespace ListeTitres

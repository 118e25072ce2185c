#include "catalogue/ListeLecture.h"

#include "catalogue/Erreur.h"
#include "import/Windows1252.h"

#include <QDir>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ListeLecture {

namespace {

const QByteArray k_marqueUtf8 = QByteArrayLiteral("\xEF\xBB\xBF");
// The byte-order mark read as Windows-1252.
const QString k_marqueLue = u"\u00EF\u00BB\u00BF"_s;

} // namespace

QByteArray enOctets(const QStringList &lignes)
{
    // A first line that begins with the mark's three characters would be taken for the mark when
    // read back: such a file is written as UTF-8 too.
    bool utf8 = !lignes.isEmpty() && lignes.first().startsWith(k_marqueLue);
    for (const QString &ligne : lignes) {
        if (utf8)
            break;
        utf8 = !Windows1252::peutEncoder(ligne);
    }

    QByteArray octets = utf8 ? k_marqueUtf8 : QByteArray();
    for (const QString &ligne : lignes) {
        octets += utf8 ? ligne.toUtf8() : Windows1252::encoder(ligne);
        octets += "\r\n";
    }
    return octets;
}

QStringList lignes(QByteArrayView octets)
{
    // Only the first mark is dropped: QString::fromUtf8 would drop a second one too, and a title
    // that begins with U+FEFF would lose it at every reading.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString texte = octets.startsWith(k_marqueUtf8)
                              ? QString(utf8(octets.sliced(k_marqueUtf8.size())))
                              : Windows1252::decoder(octets);
    QStringList resultat;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        resultat.append(texte.mid(debut, i - debut));
        if (c == u'\r' && i + 1 < texte.size() && texte.at(i + 1) == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < texte.size())
        resultat.append(texte.mid(debut));
    return resultat;
}

QString nomDansChemin(const QString &chemin)
{
    const qsizetype separateur = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u':'));
    return chemin.mid(separateur + 1);
}

QStringList lignesPls(const QStringList &chemins)
{
    QStringList resultat{u"[playlist]"_s};
    for (qsizetype i = 0; i < chemins.size(); ++i) {
        const QString n = QString::number(i + 1);
        resultat.append(u"File"_s + n + u'=' + chemins.at(i));
        resultat.append(u"Title"_s + n + u'=' + nomDansChemin(chemins.at(i)));
    }
    resultat.append(u"NumberOfEntries="_s + QString::number(chemins.size()));
    resultat.append(u"Version=2"_s);
    return resultat;
}

void ecrire(const QString &fichier, const QByteArray &octets)
{
    QSaveFile sortie(fichier);
    const bool ecrit = sortie.open(QIODevice::WriteOnly) && sortie.write(octets) == octets.size() &&
                       sortie.commit();
    if (!ecrit) {
        const QString raison = sortie.errorString();
        sortie.cancelWriting();
        throw Erreur(u"Impossible d'écrire le fichier « %1 » : %2"_s.arg(
            QDir::toNativeSeparators(fichier), raison));
    }
}

} // namespace ListeLecture

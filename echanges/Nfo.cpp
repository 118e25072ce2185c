#include "echanges/Nfo.h"

#include "catalogue/Erreur.h"
#include "catalogue/FiltreRapide.h"
#include "echanges/FichierEntier.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamWriter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool renseigne(const QString &texte)
{
    return !texte.trimmed().isEmpty() && texte != u"-"_s;
}

// Without the characters that XML 1.0 cannot hold (controls, lone surrogates), which would make
// the whole file unreadable to a media centre.
QString pourXml(const QString &texte)
{
    QString propre;
    propre.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < texte.size() && texte[i + 1].isLowSurrogate()) {
            propre += texte[i];
            propre += texte[++i];
        } else if ((c >= 0x20 && !QChar::isSurrogate(c) && c != 0xFFFE && c != 0xFFFF) ||
                   c == u'\t' || c == u'\n' || c == u'\r') {
            propre += texte[i];
        }
    }
    return propre;
}

void texte(QXmlStreamWriter &xml, const QString &element, const QString &valeur)
{
    if (renseigne(valeur))
        xml.writeTextElement(element, pourXml(valeur));
}

void liste(QXmlStreamWriter &xml, const QString &element, const QStringList &valeurs)
{
    for (const QString &valeur : valeurs)
        texte(xml, element, valeur);
}

QString nomDe(const TFicheFilm &fiche)
{
    return renseigne(fiche.titreFrancais()) ? fiche.titreFrancais() : fiche.idFilm();
}

} // namespace

namespace Nfo {

QByteArray xml(const TFicheFilm &fiche)
{
    QByteArray octets;
    QXmlStreamWriter xml(&octets);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument(u"1.0"_s, true);
    xml.writeStartElement(u"movie"_s);
    texte(xml, u"title"_s, fiche.titreFrancais());
    texte(xml, u"originaltitle"_s, fiche.titreOriginal());
    xml.writeTextElement(u"userrating"_s,
                         QString::number(std::clamp(fiche.niveauPreference(), 0, 10)));
    if (const auto annee = FiltreRapide::nombreEnTete(fiche.annee()))
        xml.writeTextElement(u"year"_s, QString::number(*annee));
    texte(xml, u"plot"_s, fiche.resume());
    if (const auto duree = FiltreRapide::nombreEnTete(fiche.duree()))
        xml.writeTextElement(u"runtime"_s, QString::number(*duree));
    xml.writeStartElement(u"uniqueid"_s);
    xml.writeAttribute(u"type"_s, u"kinolux"_s);
    xml.writeAttribute(u"default"_s, u"true"_s);
    xml.writeCharacters(pourXml(fiche.idFilm()));
    xml.writeEndElement();
    liste(xml, u"genre"_s, fiche.genres());
    liste(xml, u"country"_s, fiche.nationnalites());
    liste(xml, u"director"_s, fiche.realisateurs());
    texte(xml, u"studio"_s, fiche.distributeurFR());
    liste(xml, u"tag"_s, fiche.motsCles());
    texte(xml, u"tag"_s, fiche.typeSupport());
    int ordre = 0;
    for (const QString &acteur : fiche.acteurs()) {
        if (!renseigne(acteur))
            continue;
        xml.writeStartElement(u"actor"_s);
        xml.writeTextElement(u"name"_s, pourXml(acteur));
        xml.writeTextElement(u"order"_s, QString::number(ordre++));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return octets;
}

QString cheminNfo(const QString &video)
{
    const QFileInfo info(video);
    return info.dir().filePath(info.completeBaseName() + u".nfo"_s);
}

int existants(const std::vector<QString> &videos)
{
    int nombre = 0;
    for (const QString &video : videos)
        nombre += !video.isEmpty() && QFileInfo::exists(cheminNfo(video)) ? 1 : 0;
    return nombre;
}

Bilan ecrire(const std::vector<TFicheFilm> &fiches, const std::vector<QString> &videos,
             bool remplacer, Progression &progression)
{
    Bilan bilan;
    progression.definirTotal(qint64(fiches.size()));
    for (size_t i = 0; i < fiches.size(); ++i) {
        if (progression.annulee()) {
            bilan.arrete = true;
            break;
        }
        progression.compter();
        const TFicheFilm &fiche = fiches[i];
        const QString &video = videos[i];
        if (video.isEmpty()) {
            bilan.omis.append({nomDe(fiche), u"aucun fichier vidéo"_s});
            continue;
        }
        const QFileInfo info(video);
        if (!info.dir().exists()) {
            bilan.omis.append({nomDe(fiche), u"le dossier %1 n'existe plus"_s.arg(
                                                 QDir::toNativeSeparators(info.absolutePath()))});
            continue;
        }
        const QString nfo = cheminNfo(video);
        if (!remplacer && QFileInfo::exists(nfo)) {
            bilan.omis.append({nomDe(fiche), u"%1 existe déjà"_s.arg(nfo)});
            continue;
        }
        try {
            FichierEntier::ecrire(nfo, xml(fiche));
        } catch (const Erreur &erreur) {
            bilan.omis.append({nomDe(fiche), erreur.texte()});
            continue;
        }
        bilan.ecrits.append(nfo);
    }
    return bilan;
}

} // namespace Nfo

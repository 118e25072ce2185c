#include "echanges/Nfo.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "catalogue/FiltreRapide.h"
#include "echanges/FichierEntier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
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

// ---- Reading

namespace {

// The largest .nfo read: a card is a few kilobytes, the biggest with every actor well under one.
constexpr qint64 k_tailleMax = 4 << 20;

QString ligne(const QString &texte)
{
    return texte.simplified();
}

void ajouter(QStringList &liste, const QString &valeur)
{
    // Kodi writes one element a value, some managers a list joined by " / ".
    for (const QString &partie : valeur.split(u" / "_s)) {
        const QString propre = ligne(partie);
        if (!propre.isEmpty() && !liste.contains(propre))
            liste.append(propre);
    }
}

} // namespace

Lecture lireOctets(const QByteArray &octets)
{
    if (octets.trimmed().isEmpty())
        return {std::nullopt, u"le fichier est vide"_s};
    QXmlStreamReader xml(octets);
    const auto pasXml = [&xml]() -> Lecture {
        return {
            std::nullopt,
            u"ce n'est pas du XML : %1 (ligne %2)"_s.arg(xml.errorString()).arg(xml.lineNumber())};
    };
    if (!xml.readNextStartElement())
        return pasXml();
    if (xml.name() != u"movie")
        return {std::nullopt, u"ce n'est pas la fiche d'un film (<%1>)"_s.arg(xml.name())};

    TFicheFilm fiche(QString{});
    QString identifiant;
    QString titre;
    std::optional<int> note;
    while (xml.readNextStartElement()) {
        const QStringView nom = xml.name();
        if (nom == u"actor") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"name")
                    ajouter(fiche.acteurs(), xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
            continue;
        }
        if (nom == u"uniqueid") {
            const bool notre = xml.attributes().value(u"type"_s) == u"kinolux";
            const QString valeur = xml.readElementText().trimmed();
            if (notre)
                identifiant = valeur;
            continue;
        }
        const QString valeur = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (nom == u"title")
            titre = ligne(valeur);
        else if (nom == u"originaltitle")
            fiche.setTitreOriginal(ligne(valeur));
        else if (nom == u"year" || (nom == u"premiered" && fiche.annee().isEmpty()))
            fiche.setAnnee(ligne(valeur).left(4));
        else if (nom == u"plot")
            fiche.setResume(valeur.trimmed());
        else if (nom == u"runtime" && valeur.trimmed().toInt() > 0)
            fiche.setDuree(u"%1 min"_s.arg(valeur.trimmed().toInt()));
        else if (nom == u"genre")
            ajouter(fiche.genres(), valeur);
        else if (nom == u"country")
            ajouter(fiche.nationnalites(), valeur);
        else if (nom == u"director")
            ajouter(fiche.realisateurs(), valeur);
        else if (nom == u"studio" && fiche.distributeurFR().isEmpty())
            fiche.setDistributeurFR(ligne(valeur));
        else if (nom == u"userrating" && !valeur.trimmed().isEmpty())
            note = std::clamp(qRound(valeur.trimmed().toDouble()), 0, 10);
    }
    if (xml.hasError())
        return pasXml();
    if (titre.isEmpty())
        titre = fiche.titreOriginal();
    if (titre.isEmpty())
        return {std::nullopt, u"la fiche n'a pas de titre"_s};
    fiche.setTitreFrancais(titre);
    // What the file does not give is what a new card of the program holds.
    auto lue =
        ChampsFiche::nouvelleFiche(identifiant.isEmpty() ? titre.toUpper() : identifiant, titre);
    for (int c = ChampsFiche::TitreFrancais; c < ChampsFiche::NombreChamps; ++c) {
        const auto champ = static_cast<ChampsFiche::Champ>(c);
        const ChampsFiche::Description &description = ChampsFiche::champ(champ);
        if (description.genre == ChampsFiche::Genre::Liste) {
            if (!ChampsFiche::liste(fiche, champ).isEmpty())
                ChampsFiche::ecrireListe(*lue, champ, ChampsFiche::liste(fiche, champ));
        } else if (description.genre == ChampsFiche::Genre::Texte) {
            if (!ChampsFiche::texte(fiche, champ).isEmpty())
                ChampsFiche::ecrireTexte(*lue, champ, ChampsFiche::texte(fiche, champ));
        }
    }
    if (note)
        lue->setNiveauPreference(*note);
    return {std::move(*lue), QString()};
}

Lecture lire(const QString &chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return {std::nullopt, u"lecture impossible : %1"_s.arg(fichier.errorString())};
    if (fichier.size() > k_tailleMax)
        return {std::nullopt, u"le fichier est trop gros (%1 Mo)"_s.arg(fichier.size() >> 20)};
    return lireOctets(fichier.read(k_tailleMax + 1));
}

QString nfoDe(const QString &video)
{
    const QFileInfo info(video);
    for (const QString &nom : {info.completeBaseName() + u".nfo"_s, u"movie.nfo"_s}) {
        const QFileInfo nfo(info.dir().filePath(nom));
        if (nfo.isFile())
            return nfo.filePath();
    }
    return QString();
}

QString affiche(const QString &video)
{
    const QFileInfo info(video);
    for (const QString &nom : {info.completeBaseName() + u"-poster"_s, u"poster"_s, u"folder"_s}) {
        for (const char *extension : {".jpg", ".jpeg", ".png"}) {
            const QFileInfo image(info.dir().filePath(nom + QLatin1StringView(extension)));
            if (image.isFile())
                return image.filePath();
        }
    }
    return QString();
}

} // namespace Nfo

#include "echanges/AutresCatalogues.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Edition.h"
#include "catalogue/Erreur.h"
#include "catalogue/Recherche.h"
#include "echanges/ArchiveZip.h"
#include "echanges/FichierEntier.h"
#include "import/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QUrl>

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace AutresCatalogues {

namespace {

// ---------------------------------------------------------------------------------------------
// The file's text

// The encoding the XML declaration names, in small letters; "" without one.
QByteArray encodageDeclare(QByteArrayView octets)
{
    if (!octets.startsWith("<?xml"))
        return {};
    const QByteArrayView debut = octets.first(std::min<qsizetype>(octets.size(), 512));
    const qsizetype fin = debut.indexOf("?>");
    if (fin < 0)
        return {};
    const QByteArray prologue = debut.first(fin).toByteArray().toLower();
    qsizetype i = prologue.indexOf("encoding");
    if (i < 0)
        return {};
    i = prologue.indexOf('=', i);
    if (i < 0)
        return {};
    ++i;
    while (i < prologue.size() && (prologue[i] == ' ' || prologue[i] == '\t'))
        ++i;
    if (i >= prologue.size() || (prologue[i] != '"' && prologue[i] != '\''))
        return {};
    const qsizetype fermeture = prologue.indexOf(prologue[i], i + 1);
    return fermeture < 0 ? QByteArray() : prologue.mid(i + 1, fermeture - i - 1).trimmed();
}

bool windows1252(const QByteArray &encodage)
{
    static const QSet<QByteArray> noms = {"windows-1252", "cp1252",    "iso-8859-1",  "iso8859-1",
                                          "latin1",       "latin-1",   "iso-8859-15", "us-ascii",
                                          "ascii",        "iso_8859-1"};
    return noms.contains(encodage);
}

// The text as UTF-8 for pugixml, whatever the file was written in: the encoding its byte-order
// mark or declaration names, UTF-8 when neither does. UTF-8 that does not decode is taken for
// Windows-1252 (an Ant Movie Catalog file saved without its declaration), as spreadsheet files
// are.
QByteArray enUtf8(QByteArray octets, const QString &nom)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return octets.sliced(3);
    if (octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return QString(utf16(octets)).toUtf8();
    }
    const QByteArray encodage = encodageDeclare(octets);
    if (windows1252(encodage))
        return Windows1252::decoder(octets).toUtf8();
    if (encodage.isEmpty() || encodage == "utf-8" || encodage == "utf8") {
        if (QByteArrayView(octets).isValidUtf8())
            return octets;
        return Windows1252::decoder(octets).toUtf8();
    }
    QStringDecoder decodeur(encodage.constData());
    if (!decodeur.isValid())
        throw Erreur(u"Le fichier %1 est écrit en %2, un encodage que Kinolux ne lit pas."_s.arg(
            nom, QString::fromLatin1(encodage)));
    return QString(decodeur(octets)).toUtf8();
}

// A parsed XML file. pugixml reads the text in place: the text lives as long as the document.
struct Document
{
    QByteArray texte;
    pugi::xml_document xml;

    Document(QByteArray octets, const QString &nom)
        : texte(enUtf8(std::move(octets), nom))
    {
        texte.detach();
        // The doctype is kept only to look at it: pugixml never expands entities, and a file
        // that declares some is refused rather than read with its references left as text.
        const pugi::xml_parse_result resultat =
            xml.load_buffer_inplace(texte.data(), size_t(texte.size()),
                                    pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf8);
        if (!resultat) {
            const qsizetype position = std::min<qsizetype>(resultat.offset, texte.size());
            const qsizetype ligne = QByteArrayView(texte).first(position).count('\n') + 1;
            throw Erreur(u"Le fichier %1 n'est pas un XML bien formé : %2 (ligne %3)."_s
                             .arg(nom, QString::fromUtf8(resultat.description()))
                             .arg(ligne));
        }
        for (const pugi::xml_node noeud : xml.children()) {
            if (noeud.type() == pugi::node_doctype && std::strstr(noeud.value(), "<!ENTITY"))
                throw Erreur(u"Le fichier %1 déclare des entités XML (<!ENTITY …>) : Kinolux ne "
                             u"les lit pas, et n'importe pas ce fichier."_s.arg(nom));
        }
    }
};

// The name of the first element, past the declaration, comments and doctype; "" for a text that
// does not begin like XML.
QString premierElement(QByteArrayView octets)
{
    QString debut;
    const QByteArrayView tete = octets.first(std::min<qsizetype>(octets.size(), 64 << 10));
    if (tete.startsWith("\xFF\xFE") || tete.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        debut = utf16(tete);
    } else {
        // Element names are ASCII: each byte as a character is enough to find them.
        debut = QString::fromLatin1(tete.startsWith("\xEF\xBB\xBF") ? tete.sliced(3) : tete);
    }
    qsizetype i = 0;
    for (;;) {
        while (i < debut.size() && debut[i].isSpace())
            ++i;
        if (i >= debut.size() || debut[i] != u'<')
            return {};
        const QStringView reste = QStringView(debut).sliced(i);
        qsizetype fin = -1;
        if (reste.startsWith(u"<?")) {
            fin = debut.indexOf(u"?>", i);
            fin = fin < 0 ? -1 : fin + 2;
        } else if (reste.startsWith(u"<!--")) {
            fin = debut.indexOf(u"-->", i);
            fin = fin < 0 ? -1 : fin + 3;
        } else if (reste.startsWith(u"<!")) {
            // A doctype, its internal subset in brackets.
            int crochets = 0;
            for (qsizetype j = i + 2; j < debut.size(); ++j) {
                if (debut[j] == u'[')
                    ++crochets;
                else if (debut[j] == u']')
                    --crochets;
                else if (debut[j] == u'>' && crochets <= 0) {
                    fin = j + 1;
                    break;
                }
            }
        } else {
            qsizetype j = i + 1;
            while (j < debut.size() && (debut[j].isLetterOrNumber() || debut[j] == u'_' ||
                                        debut[j] == u'-' || debut[j] == u'.' || debut[j] == u':'))
                ++j;
            const QString nom = debut.mid(i + 1, j - i - 1);
            return nom.mid(nom.lastIndexOf(u':') + 1);
        }
        if (fin < 0)
            return {};
        i = fin;
    }
}

// ---------------------------------------------------------------------------------------------
// Values

QString texteDe(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The text of an element, the text of its children included (a plot written as markup).
QString texteEntier(const pugi::xml_node &element)
{
    const pugi::xml_node premier = element.first_child();
    if (premier && !premier.next_sibling() &&
        (premier.type() == pugi::node_pcdata || premier.type() == pugi::node_cdata))
        return texteDe(premier.value());
    QString texte;
    for (const pugi::xml_node noeud : element.children()) {
        if (noeud.type() == pugi::node_pcdata || noeud.type() == pugi::node_cdata) {
            texte += texteDe(noeud.value());
        } else if (noeud.type() == pugi::node_element) {
            const bool bloc =
                std::strcmp(noeud.name(), "br") == 0 || std::strcmp(noeud.name(), "p") == 0;
            if (bloc && !texte.isEmpty())
                texte += u'\n';
            texte += texteEntier(noeud);
        }
    }
    return texte;
}

QString ligne(const QString &texte)
{
    return texte.simplified();
}

// A list value cut at its separators, each part on one line, no part twice.
void ajouter(QStringList &liste, const QString &valeur, const QStringList &separateurs = {})
{
    QStringList parties{valeur};
    for (const QString &separateur : separateurs) {
        QStringList coupees;
        for (const QString &partie : parties)
            coupees += partie.split(separateur);
        parties = std::move(coupees);
    }
    for (const QString &partie : parties) {
        const QString propre = ligne(partie);
        if (!propre.isEmpty() && propre != u"-"_s && !liste.contains(propre))
            liste.append(propre);
    }
}

// "Zoé Lefèvre (Anaïs)" is Zoé Lefèvre: the card lists actors without their roles.
QString sansRole(const QString &acteur)
{
    const QString propre = ligne(acteur);
    if (!propre.endsWith(u')'))
        return propre;
    const qsizetype ouverture = propre.lastIndexOf(u" ("_s);
    return ouverture > 0 ? propre.left(ouverture) : propre;
}

// The year a date or a year gives ("2004", "12/05/2004", "2004-05-12"); "" without one.
QString anneeDe(const QString &texte)
{
    const QString propre = texte.trimmed();
    for (qsizetype i = 0; i + 4 <= propre.size(); ++i) {
        const QStringView quatre = QStringView(propre).sliced(i, 4);
        const bool chiffres = std::all_of(quatre.begin(), quatre.end(),
                                          [](QChar c) { return c >= u'0' && c <= u'9'; });
        const bool seul = (i == 0 || !propre[i - 1].isDigit()) &&
                          (i + 4 == propre.size() || !propre[i + 4].isDigit());
        if (chiffres && seul &&
            (quatre.startsWith(u"18") || quatre.startsWith(u"19") || quatre.startsWith(u"20")))
            return quatre.toString();
    }
    return {};
}

// A running time in minutes as the card writes it ("112 min") from "112", "102 min", "99 mins",
// "1h52", "1 h 52 min"; "" when the text gives none.
QString dureeDe(const QString &texte)
{
    const QString propre = texte.trimmed().toLower();
    qsizetype i = 0;
    const auto nombre = [&]() -> std::optional<int> {
        while (i < propre.size() && propre[i] == u' ')
            ++i;
        const qsizetype debut = i;
        while (i < propre.size() && propre[i].isDigit() && i - debut < 5)
            ++i;
        if (i == debut)
            return std::nullopt;
        return propre.mid(debut, i - debut).toInt();
    };
    const std::optional<int> premier = nombre();
    if (!premier)
        return {};
    int minutes = *premier;
    while (i < propre.size() && propre[i] == u' ')
        ++i;
    if (i < propre.size() && propre[i] == u'h') {
        ++i;
        minutes = *premier * 60 + nombre().value_or(0);
    }
    return minutes > 0 ? u"%1 min"_s.arg(minutes) : QString();
}

// A rating of the file as the card's preference, 0 to 10: `valeur` on a scale up to `maximum`.
// Decimal commas are read as points.
std::optional<int> noteSur(const QString &valeur, double maximum)
{
    bool ok = false;
    const double note = QString(valeur).replace(u',', u'.').trimmed().toDouble(&ok);
    if (!ok || maximum <= 0 || !std::isfinite(note))
        return std::nullopt;
    return std::clamp(int(std::lround(note * 10.0 / maximum)), 0, 10);
}

// A local file a value names: a path, or a file:// URL; "" for a web address.
QString cheminLocal(const QString &valeur)
{
    const QString propre = valeur.trimmed();
    if (propre.startsWith(u"file:"_s, Qt::CaseInsensitive))
        return QUrl(propre).toLocalFile();
    if (propre.contains(u"://"_s))
        return {};
    return propre;
}

// ---------------------------------------------------------------------------------------------
// Entries as read

struct Contexte
{
    QString chemin;  // the imported file
    QString nom;     // its name, for messages
    QString dossier; // its folder, absolute
    const ArchiveZip *archive = nullptr;
};

// A card as one entry gives it: only the fields the entry has are filled.
struct Lue
{
    QString entree;
    TFicheFilm fiche{QString()};
    std::optional<int> note;
    Couverture couverture;
    QString nomCouverture; // gives the extension of the copied picture
    QString remarque;
    QString raison; // why the entry is not read
};

QString nommer(const QString &sorte, const QString &numero)
{
    return numero.isEmpty() ? sorte : u"%1 %2"_s.arg(sorte, numero);
}

// Two entries of a file with the same number: its references (covers, loans) cannot be trusted.
void verifierNumero(QSet<QString> &numeros, const QString &numero, const Contexte &contexte)
{
    if (numero.isEmpty())
        return;
    if (numeros.contains(numero))
        throw Erreur(u"Le fichier %1 est abîmé : deux entrées portent le numéro %2. Rien n'est "
                     u"importé."_s.arg(contexte.nom, numero));
    numeros.insert(numero);
}

// A picture the file names by its path: taken when it lies in the file's folder or below it.
void couvertureParChemin(Lue &lue, const QString &valeur, const Contexte &contexte)
{
    QString chemin = cheminLocal(valeur);
    if (chemin.isEmpty())
        return;
    chemin.replace(u'\\', u'/');
    const bool windows = chemin.size() > 2 && chemin[1] == u':' && chemin[2] == u'/';
    const QString absolu = QDir::cleanPath(
        QDir::isAbsolutePath(chemin) || windows ? chemin : contexte.dossier + u'/' + chemin);
    const QString dossier = QDir::cleanPath(contexte.dossier) + u'/';
    // Lexically first, then once links are followed.
    bool dedans = absolu.startsWith(dossier);
    const QFileInfo info(absolu);
    if (dedans && info.exists())
        dedans = info.canonicalFilePath().startsWith(
            QFileInfo(contexte.dossier).canonicalFilePath() + u'/');
    if (!dedans) {
        lue.remarque = u"l'image %1 est hors du dossier du fichier : elle n'est pas copiée"_s.arg(
            valeur.trimmed());
        return;
    }
    if (!info.isFile()) {
        lue.remarque = u"l'image %1 est introuvable"_s.arg(valeur.trimmed());
        return;
    }
    lue.couverture = {Couverture::Source::Fichier, info.absoluteFilePath(), {}, {}};
    lue.nomCouverture = info.fileName();
}

// ---------------------------------------------------------------------------------------------
// Tellico

QString collectionTellico(int type)
{
    switch (type) {
    case 1:
        return u"fiches génériques"_s;
    case 2:
    case 5:
        return u"livres"_s;
    case 4:
        return u"disques"_s;
    case 6:
        return u"bandes dessinées"_s;
    case 7:
        return u"vins"_s;
    case 8:
        return u"pièces"_s;
    case 9:
        return u"timbres"_s;
    case 10:
        return u"cartes"_s;
    case 11:
        return u"jeux vidéo"_s;
    case 12:
        return u"fichiers"_s;
    case 13:
        return u"jeux de société"_s;
    default:
        return u"type %1"_s.arg(type);
    }
}

bool egal(const char *a, const char *b)
{
    return std::strcmp(a, b) == 0;
}

template <typename Noeuds> size_t nombre(const Noeuds &noeuds)
{
    return size_t(std::distance(noeuds.begin(), noeuds.end()));
}

bool aDesElements(const pugi::xml_node &noeud)
{
    for (const pugi::xml_node enfant : noeud.children())
        if (enfant.type() == pugi::node_element)
            return true;
    return false;
}

// The values of a field of an entry: one element, or a wrapper of one element a value
// (<genres><genre>…); a table's row gives its first column (<cast><column>actor</column>…).
QStringList valeursTellico(const pugi::xml_node &element)
{
    QStringList valeurs;
    if (!aDesElements(element)) {
        ajouter(valeurs, texteDe(element.text().get()));
        return valeurs;
    }
    for (const pugi::xml_node valeur : element.children()) {
        if (valeur.type() != pugi::node_element)
            continue;
        const pugi::xml_node colonne = valeur.child("column");
        ajouter(valeurs, texteDe(colonne ? colonne.text().get() : valeur.text().get()));
    }
    return valeurs;
}

void couvertureTellico(Lue &lue, const QString &valeur,
                       const QHash<QString, pugi::xml_node> &images, const Contexte &contexte)
{
    if (valeur.isEmpty())
        return;
    const pugi::xml_node image = images.value(valeur);
    if (valeur.contains(u"://"_s) || image.attribute("link").as_bool()) {
        if (valeur.startsWith(u"file:"_s, Qt::CaseInsensitive))
            couvertureParChemin(lue, valeur, contexte);
        return; // a picture on the web is not fetched
    }
    // An image id is a plain file name; anything else could lead out of the folders below.
    if (valeur.contains(u'/') || valeur.contains(u'\\') || valeur.startsWith(u'.')) {
        lue.remarque = u"l'image « %1 » n'a pas le nom d'une image de Tellico"_s.arg(valeur);
        return;
    }
    const QString entree = u"images/"_s + valeur;
    if (contexte.archive && contexte.archive->contient(entree)) {
        lue.couverture = {Couverture::Source::Archive, contexte.chemin, entree, {}};
        lue.nomCouverture = valeur;
        return;
    }
    if (const char *base64 = image.text().get(); *base64) {
        lue.couverture = {
            Couverture::Source::Incluse, {}, {}, QByteArray::fromBase64(QByteArray(base64))};
        lue.nomCouverture = valeur;
        return;
    }
    // Images kept in a folder beside the collection: "films.tc" keeps them in "films_files".
    const QString dossier =
        contexte.dossier + u'/' + QFileInfo(contexte.chemin).completeBaseName() + u"_files/"_s;
    if (QFileInfo(dossier + valeur).isFile()) {
        lue.couverture = {Couverture::Source::Fichier, dossier + valeur, {}, {}};
        lue.nomCouverture = valeur;
        return;
    }
    lue.remarque = u"l'image %1 n'est pas dans le fichier"_s.arg(valeur);
}

void lireTellico(const pugi::xml_node &racine, const Contexte &contexte, std::vector<Lue> &lues)
{
    const pugi::xml_node collection = racine.child("collection");
    if (!collection)
        throw Erreur(u"Le fichier %1 ne contient aucune collection Tellico."_s.arg(contexte.nom));
    const int type = collection.attribute("type").as_int();
    if (type != 3)
        throw Erreur(u"Le fichier %1 est une collection Tellico de %2, pas de films : rien n'est "
                     u"importé."_s.arg(contexte.nom, collectionTellico(type)));

    // Fields the collection declares: the rating's scale, and the fields that importers add for
    // an original title or a video file.
    double noteMaximale = 5;
    std::string titreOriginal = "origtitle";
    std::string fichier;
    for (const pugi::xml_node champ : collection.child("fields").children("field")) {
        const std::string nom = champ.attribute("name").value();
        const QString libelle = texteDe(champ.attribute("title").value()).toCaseFolded();
        if (nom == "rating") {
            for (const pugi::xml_node propriete : champ.children("prop"))
                if (egal(propriete.attribute("name").value(), "maximum"))
                    noteMaximale = propriete.text().as_double(5);
        } else if (nom == "original-title" || nom == "originaltitle" ||
                   libelle == u"original title" || libelle == u"titre original") {
            titreOriginal = nom;
        } else if (fichier.empty() && (nom == "file" || nom == "filename" || nom == "fichier" ||
                                       nom == "path" || libelle == u"fichier")) {
            fichier = nom;
        }
    }
    if (fichier.empty())
        fichier = "url";
    QHash<QString, pugi::xml_node> images;
    for (const pugi::xml_node image : collection.child("images").children("image"))
        images.insert(texteDe(image.attribute("id").value()), image);

    QSet<QString> numeros;
    lues.reserve(nombre(collection.children("entry")));
    for (const pugi::xml_node entree : collection.children("entry")) {
        Lue &lue = lues.emplace_back();
        const QString numero = texteDe(entree.attribute("id").value());
        verifierNumero(numeros, numero, contexte);
        TFicheFilm &fiche = lue.fiche;
        QString couverture;
        for (const pugi::xml_node champ : entree.children()) {
            const char *nom = champ.name();
            const auto valeur = [&] {
                return texteDe(champ.text().get());
            };
            if (egal(nom, "title"))
                fiche.setTitreFrancais(ligne(valeur()));
            else if (nom == titreOriginal)
                fiche.setTitreOriginal(ligne(valeur()));
            else if (egal(nom, "year"))
                fiche.setAnnee(anneeDe(valeur()));
            else if (egal(nom, "running-time"))
                fiche.setDuree(dureeDe(valeur()));
            else if (egal(nom, "plot"))
                fiche.setResume(texteBrut(texteEntier(champ)));
            else if (egal(nom, "comments"))
                fiche.setCommentaire(texteBrut(texteEntier(champ)));
            else if (egal(nom, "medium"))
                fiche.setTypeSupport(ligne(valeur()));
            else if (egal(nom, "rating"))
                lue.note = noteSur(valeur(), noteMaximale);
            else if (egal(nom, "cover"))
                couverture = valeur().trimmed();
            else if (nom == fichier)
                fiche.setCheminFichier(cheminLocal(valeur()));
            else if (egal(nom, "directors") || egal(nom, "director"))
                fiche.realisateurs() += valeursTellico(champ);
            else if (egal(nom, "casts") || egal(nom, "cast"))
                fiche.acteurs() += valeursTellico(champ);
            else if (egal(nom, "genres") || egal(nom, "genre"))
                fiche.genres() += valeursTellico(champ);
            else if (egal(nom, "nationalitys") || egal(nom, "nationality"))
                fiche.nationnalites() += valeursTellico(champ);
            else if (egal(nom, "keywords") || egal(nom, "keyword"))
                fiche.motsCles() += valeursTellico(champ);
            else if (egal(nom, "studios") || egal(nom, "studio"))
                fiche.setDistributeurFR(valeursTellico(champ).join(u", "_s));
        }
        lue.entree = nommer(u"entrée"_s, numero);
        couvertureTellico(lue, couverture, images, contexte);
    }
}

// ---------------------------------------------------------------------------------------------
// GCstar

// A list field: <genre><line><col>Drame</col></line>…</genre> (the first column of each line),
// or, in older files, an attribute "Drame, Comédie".
QStringList listeGCstar(const pugi::xml_node &item, const char *nom, bool roles = false)
{
    QStringList valeurs;
    if (const pugi::xml_node element = item.child(nom)) {
        for (const pugi::xml_node ligneListe : element.children("line"))
            ajouter(valeurs, texteDe(ligneListe.child("col").text().get()));
        return valeurs;
    }
    QStringList parties;
    ajouter(parties, texteDe(item.attribute(nom).value()), {u","_s});
    for (const QString &partie : parties)
        ajouter(valeurs, roles ? sansRole(partie) : partie);
    return valeurs;
}

void lireGCstar(const pugi::xml_node &racine, const Contexte &contexte, std::vector<Lue> &lues)
{
    const QString type = texteDe(racine.attribute("type").value());
    if (type != u"GCfilms"_s)
        throw Erreur(u"Le fichier %1 est une collection GCstar « %2 », pas de films : rien n'est "
                     u"importé."_s.arg(contexte.nom, type));
    QSet<QString> numeros;
    lues.reserve(nombre(racine.children("item")));
    for (const pugi::xml_node item : racine.children("item")) {
        Lue &lue = lues.emplace_back();
        const QString numero = texteDe(item.attribute("id").value());
        verifierNumero(numeros, numero, contexte);
        lue.entree = nommer(u"entrée"_s, numero);
        TFicheFilm &fiche = lue.fiche;
        const auto attribut = [&item](const char *nom) {
            return texteDe(item.attribute(nom).value());
        };
        // Long texts are elements; a value may also come as an element in hand-made files.
        const auto valeur = [&](const char *nom) {
            const pugi::xml_node element = item.child(nom);
            return element ? texteEntier(element) : attribut(nom);
        };
        fiche.setTitreFrancais(ligne(valeur("title")));
        fiche.setTitreOriginal(ligne(valeur("original")));
        fiche.setAnnee(anneeDe(valeur("date")));
        fiche.setDuree(dureeDe(valeur("time")));
        fiche.setResume(texteBrut(valeur("synopsis")));
        fiche.setCommentaire(texteBrut(valeur("comment")));
        fiche.setTypeSupport(ligne(valeur("format")));
        ajouter(fiche.realisateurs(), valeur("director"), {u","_s, u";"_s, u" / "_s});
        fiche.genres() = listeGCstar(item, "genre");
        fiche.nationnalites() = listeGCstar(item, "country");
        fiche.acteurs() = listeGCstar(item, "actors", true);
        fiche.motsCles() = listeGCstar(item, "tags");
        if (const QString note = valeur("rating"); !note.trimmed().isEmpty())
            lue.note = noteSur(note, 10);
        // GCstar's "trailer" is a file field, where collectors keep the film's own file.
        fiche.setCheminFichier(cheminLocal(valeur("trailer")));
        const QString image = valeur("image").trimmed();
        if (!image.isEmpty() && image != u"images/no.png"_s)
            couvertureParChemin(lue, image, contexte);
    }
}

// ---------------------------------------------------------------------------------------------
// Ant Movie Catalog

void lireAnt(const pugi::xml_node &racine, const Contexte &contexte, std::vector<Lue> &lues)
{
    const pugi::xml_node contenu = racine.child("Catalog").child("Contents");
    QSet<QString> numeros;
    lues.reserve(nombre(contenu.children("Movie")));
    for (const pugi::xml_node film : contenu.children("Movie")) {
        Lue &lue = lues.emplace_back();
        const auto attribut = [&film](const char *nom) {
            return texteDe(film.attribute(nom).value());
        };
        // The export writes each line end of a text as "|".
        const auto texte = [&](const char *nom) {
            return attribut(nom).replace(u'|', u'\n');
        };
        const QString numero = attribut("Number");
        verifierNumero(numeros, numero, contexte);
        lue.entree = nommer(u"film n°"_s, numero);
        TFicheFilm &fiche = lue.fiche;
        fiche.setTitreFrancais(ligne(attribut("TranslatedTitle")));
        fiche.setTitreOriginal(ligne(attribut("OriginalTitle")));
        fiche.setAnnee(anneeDe(attribut("Year")));
        fiche.setDuree(dureeDe(attribut("Length")));
        fiche.setResume(texteBrut(texte("Description")));
        fiche.setCommentaire(texteBrut(texte("Comments")));
        fiche.setTypeSupport(ligne(attribut("MediaType")));
        fiche.setNomSupport(ligne(attribut("MediaLabel")));
        fiche.setCodec(ligne(attribut("VideoFormat")));
        fiche.setCheminFichier(attribut("FilePath").trimmed());
        const QStringList separateurs{u","_s, u";"_s, u" / "_s};
        ajouter(fiche.realisateurs(), attribut("Director"), separateurs);
        ajouter(fiche.nationnalites(), attribut("Country"), separateurs);
        ajouter(fiche.genres(), attribut("Category"), separateurs);
        QStringList acteurs;
        ajouter(acteurs, texte("Actors"), {u"\n"_s, u","_s});
        for (const QString &acteur : acteurs)
            ajouter(fiche.acteurs(), sansRole(acteur));
        // The owner's own rating first, the one taken from the web else.
        const QString note =
            attribut("UserRating").isEmpty() ? attribut("Rating") : attribut("UserRating");
        if (!note.isEmpty())
            lue.note = noteSur(note, 10);
        if (const QString image = attribut("Picture"); !image.trimmed().isEmpty())
            couvertureParChemin(lue, image, contexte);
    }
}

// ---------------------------------------------------------------------------------------------
// Kodi

void lireKodi(const pugi::xml_node &racine, const Contexte &contexte, std::vector<Lue> &lues)
{
    const QStringList separateur{u" / "_s};
    int rang = 0;
    lues.reserve(nombre(racine.children()));
    for (const pugi::xml_node element : racine.children()) {
        if (element.type() != pugi::node_element)
            continue;
        const bool film = egal(element.name(), "movie");
        const bool serie = egal(element.name(), "tvshow");
        if (!film && !serie && !egal(element.name(), "musicvideo"))
            continue;
        Lue &lue = lues.emplace_back();
        const QString titre = ligne(texteDe(element.child("title").text().get()));
        if (!film) {
            lue.entree = u"« %1 »"_s.arg(titre);
            lue.raison = serie ? u"une série, pas un film"_s : u"un clip, pas un film"_s;
            continue;
        }
        lue.entree = nommer(u"film n°"_s, QString::number(++rang));
        TFicheFilm &fiche = lue.fiche;
        QString studios;
        QString poster;
        QString fichier;
        QString dossierVideo;
        QString nomVideo;
        std::optional<int> noteWeb;
        for (const pugi::xml_node champ : element.children()) {
            const char *nom = champ.name();
            const auto valeur = [&] {
                return texteDe(champ.text().get());
            };
            if (egal(nom, "title"))
                fiche.setTitreFrancais(titre);
            else if (egal(nom, "originaltitle"))
                fiche.setTitreOriginal(ligne(valeur()));
            else if (egal(nom, "premiered") && !anneeDe(valeur()).isEmpty())
                fiche.setAnnee(anneeDe(valeur()));
            else if (egal(nom, "year") && fiche.annee().isEmpty())
                fiche.setAnnee(anneeDe(valeur()));
            else if (egal(nom, "runtime"))
                fiche.setDuree(dureeDe(valeur()));
            else if (egal(nom, "plot") || (egal(nom, "outline") && fiche.resume().isEmpty()))
                fiche.setResume(texteBrut(texteEntier(champ)));
            else if (egal(nom, "genre"))
                ajouter(fiche.genres(), valeur(), separateur);
            else if (egal(nom, "country"))
                ajouter(fiche.nationnalites(), valeur(), separateur);
            else if (egal(nom, "director"))
                ajouter(fiche.realisateurs(), valeur(), separateur);
            else if (egal(nom, "tag"))
                ajouter(fiche.motsCles(), valeur(), separateur);
            else if (egal(nom, "studio"))
                studios += (studios.isEmpty() ? QString() : u", "_s) + ligne(valeur());
            else if (egal(nom, "actor"))
                ajouter(fiche.acteurs(), texteDe(champ.child("name").text().get()));
            else if (egal(nom, "userrating") && !valeur().trimmed().isEmpty())
                lue.note = noteSur(valeur(), champ.attribute("max").as_double(10));
            else if (egal(nom, "ratings")) {
                pugi::xml_node note = champ.find_child_by_attribute("rating", "default", "true");
                if (!note)
                    note = champ.child("rating");
                if (note)
                    noteWeb = noteSur(texteDe(note.child("value").text().get()),
                                      note.attribute("max").as_double(10));
            } else if (egal(nom, "rating") && !aDesElements(champ))
                noteWeb = noteSur(valeur(), champ.attribute("max").as_double(10));
            else if (egal(nom, "filenameandpath"))
                fichier = valeur().trimmed();
            else if (egal(nom, "path"))
                dossierVideo = valeur().trimmed();
            else if (egal(nom, "file"))
                nomVideo = valeur().trimmed();
            else if (egal(nom, "art") && champ.child("poster"))
                poster = texteDe(champ.child("poster").text().get());
            else if (egal(nom, "thumb") && poster.isEmpty() &&
                     egal(champ.attribute("aspect").value(), "poster"))
                poster = valeur();
        }
        if (!lue.note)
            lue.note = noteWeb;
        fiche.setDistributeurFR(studios);
        if (fichier.isEmpty() && !nomVideo.isEmpty())
            fichier = dossierVideo + nomVideo;
        fiche.setCheminFichier(cheminLocal(fichier));
        poster = poster.trimmed();
        // Kodi's own picture cache ("image://…") and the web are not read.
        if (!poster.isEmpty() && !poster.startsWith(u"image://"_s) &&
            !cheminLocal(poster).isEmpty())
            couvertureParChemin(lue, poster, contexte);
    }
}

// ---------------------------------------------------------------------------------------------
// The cards

// Which holds an identifier already.
enum class Tenant
{
    Personne,
    Catalogue,
    Fichier
};

Import assembler(Format format, std::vector<Lue> &lues, const TrouverFiche &trouver,
                 Progression *progression)
{
    Import import;
    import.format = format;
    if (progression)
        progression->definirTotal(qint64(lues.size()));
    // The year of the entry that took each identifier.
    QHash<QString, QString> pris;
    const auto tenant = [&](const QString &id, QString &annee) {
        if (const auto it = pris.constFind(id); it != pris.cend()) {
            annee = *it;
            return Tenant::Fichier;
        }
        if (const TFicheFilm *fiche = trouver ? trouver(id) : nullptr) {
            annee = anneeDe(fiche->annee());
            return Tenant::Catalogue;
        }
        return Tenant::Personne;
    };
    qint64 faits = 0;
    for (Lue &lue : lues) {
        if (progression && ++faits % 1024 == 0)
            progression->avancer(1024);
        const TFicheFilm &lu = lue.fiche;
        const QString titre =
            lu.titreFrancais().isEmpty() ? lu.titreOriginal() : lu.titreFrancais();
        if (lue.raison.isEmpty() && titre.isEmpty())
            lue.raison = u"l'entrée n'a pas de titre"_s;
        if (!lue.raison.isEmpty()) {
            import.illisibles.append({lue.entree, lue.raison});
            continue;
        }
        const QString annee = lu.annee();
        QString id = Recherche::majusculesAscii(titre);
        QString anneeTenant;
        Tenant qui = tenant(id, anneeTenant);
        // A remake: the same title, another year.
        if (qui != Tenant::Personne && !annee.isEmpty() && !anneeTenant.isEmpty() &&
            anneeTenant != annee) {
            id += u" (%1)"_s.arg(annee);
            qui = tenant(id, anneeTenant);
        }
        if (qui == Tenant::Fichier) {
            import.repetes.append(id);
            continue;
        }
        if (qui == Tenant::Catalogue) {
            import.dejaPresents.append(id);
            continue;
        }
        pris.insert(id, annee);

        // What the entry does not give is what a new card of the program holds.
        auto fiche = ChampsFiche::nouvelleFiche(id, titre);
        for (int c = ChampsFiche::TitreFrancais; c < ChampsFiche::NombreChamps; ++c) {
            const auto champ = static_cast<ChampsFiche::Champ>(c);
            switch (ChampsFiche::champ(champ).genre) {
            case ChampsFiche::Genre::Liste:
                if (!ChampsFiche::liste(lu, champ).isEmpty())
                    ChampsFiche::ecrireListe(*fiche, champ, ChampsFiche::liste(lu, champ));
                break;
            case ChampsFiche::Genre::Texte:
                if (!ChampsFiche::texte(lu, champ).isEmpty())
                    ChampsFiche::ecrireTexte(*fiche, champ, ChampsFiche::texte(lu, champ));
                break;
            case ChampsFiche::Genre::Entier:
                break;
            }
        }
        fiche->setTitreFrancais(titre);
        if (lue.note)
            fiche->setNiveauPreference(*lue.note);
        if (lue.couverture.source != Couverture::Source::Aucune) {
            const QString source =
                Edition::extension(lue.nomCouverture).isEmpty() ? u"x.jpg"_s : lue.nomCouverture;
            fiche->setCheminImage(Edition::nouveauCheminImage(id, source));
        }
        if (!lue.remarque.isEmpty())
            import.remarques.append({u"%1 (%2)"_s.arg(lue.entree, titre), lue.remarque});
        import.fiches.push_back(std::move(fiche));
        import.couvertures.push_back(std::move(lue.couverture));
    }
    return import;
}

} // namespace

QString nomFormat(Format format)
{
    switch (format) {
    case Format::Tellico:
        return u"Tellico"_s;
    case Format::GCstar:
        return u"GCstar"_s;
    case Format::AntMovieCatalog:
        return u"Ant Movie Catalog"_s;
    case Format::Kodi:
        return u"Kodi"_s;
    }
    return {};
}

Format detecter(QByteArrayView octets, const QString &nom)
{
    if (ArchiveZip::estZip(octets))
        return Format::Tellico;
    if (octets.startsWith("GCfilms"))
        throw Erreur(
            u"Le fichier %1 est une collection de l'ancien format de GCstar : "
            u"ouvrez-la avec GCstar et enregistrez-la, puis importez le fichier .gcs."_s.arg(nom));
    const QString racine = premierElement(octets);
    if (racine == u"tellico" || racine == u"bookcase")
        return Format::Tellico;
    if (racine == u"collection")
        return Format::GCstar;
    if (racine == u"AntMovieCatalog")
        return Format::AntMovieCatalog;
    if (racine == u"videodb")
        return Format::Kodi;
    throw Erreur(
        u"Le fichier %1 n'est ni une collection Tellico ou GCstar, ni un catalogue "
        u"Ant Movie Catalog (export XML), ni une bibliothèque Kodi (videodb.xml)."_s.arg(nom));
}

namespace {

Import lireDocument(QByteArray xml, Format format, const Contexte &contexte,
                    const TrouverFiche &trouver, Progression *progression)
{
    const Document document(std::move(xml), contexte.nom);
    const pugi::xml_node racine = document.xml.document_element();
    std::vector<Lue> lues;
    switch (format) {
    case Format::Tellico:
        lireTellico(racine, contexte, lues);
        break;
    case Format::GCstar:
        lireGCstar(racine, contexte, lues);
        break;
    case Format::AntMovieCatalog:
        lireAnt(racine, contexte, lues);
        break;
    case Format::Kodi:
        lireKodi(racine, contexte, lues);
        break;
    }
    return assembler(format, lues, trouver, progression);
}

Import lireArchive(const ArchiveZip &archive, Contexte contexte, const TrouverFiche &trouver,
                   Progression *progression)
{
    contexte.archive = &archive;
    QString entree;
    for (const QString &nom : {u"tellico.xml"_s, u"bookcase.xml"_s}) {
        if (archive.contient(nom)) {
            entree = nom;
            break;
        }
    }
    if (entree.isEmpty())
        throw Erreur(u"Le fichier %1 est une archive zip sans collection Tellico "
                     u"(tellico.xml) : ce n'est pas un fichier de Tellico."_s.arg(contexte.nom));
    QByteArray xml = archive.lire(entree, k_tailleMaximale);
    const QString racine = premierElement(xml);
    if (racine != u"tellico" && racine != u"bookcase")
        throw Erreur(u"Le fichier %1 n'est pas une collection Tellico : son %2 n'en est "
                     u"pas une."_s.arg(contexte.nom, entree));
    return lireDocument(std::move(xml), Format::Tellico, contexte, trouver, progression);
}

Contexte contexteDe(const QString &chemin)
{
    const QFileInfo info(chemin);
    return {chemin, info.fileName(), info.absolutePath(), nullptr};
}

} // namespace

Import importerOctets(const QByteArray &octets, const QString &chemin, const TrouverFiche &trouver,
                      Progression *progression)
{
    const Contexte contexte = contexteDe(chemin);
    if (octets.size() > k_tailleMaximale)
        throw Erreur(
            u"Le fichier %1 dépasse %2 Mo."_s.arg(contexte.nom).arg(k_tailleMaximale >> 20));
    if (octets.trimmed().isEmpty())
        throw Erreur(u"Le fichier %1 est vide."_s.arg(contexte.nom));
    const Format format = detecter(octets, contexte.nom);
    if (ArchiveZip::estZip(octets))
        return lireArchive(ArchiveZip(octets, contexte.nom), contexte, trouver, progression);
    return lireDocument(octets, format, contexte, trouver, progression);
}

Import importer(const QString &chemin, const TrouverFiche &trouver, Progression *progression)
{
    QFile fichier(chemin);
    const Contexte contexte = contexteDe(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        throw Erreur(
            u"Le fichier %1 ne peut pas être lu : %2"_s.arg(contexte.nom, fichier.errorString()));
    // An archive is read where it lies: libzip reads its directory and the collection, not the
    // pictures beside them.
    if (ArchiveZip::estZip(fichier.peek(4))) {
        fichier.close();
        return lireArchive(ArchiveZip(chemin), contexte, trouver, progression);
    }
    if (fichier.size() > k_tailleMaximale)
        throw Erreur(
            u"Le fichier %1 dépasse %2 Mo."_s.arg(contexte.nom).arg(k_tailleMaximale >> 20));
    return importerOctets(fichier.read(k_tailleMaximale + 1), chemin, trouver, progression);
}

// ---------------------------------------------------------------------------------------------
// Plain text of HTML

namespace {

std::optional<char16_t> entiteNommee(QStringView nom)
{
    static const QHash<QString, char16_t> entites = {
        {u"amp"_s, u'&'},    {u"lt"_s, u'<'},     {u"gt"_s, u'>'},     {u"quot"_s, u'"'},
        {u"apos"_s, u'\''},  {u"nbsp"_s, u' '},   {u"eacute"_s, u'é'}, {u"egrave"_s, u'è'},
        {u"ecirc"_s, u'ê'},  {u"euml"_s, u'ë'},   {u"agrave"_s, u'à'}, {u"acirc"_s, u'â'},
        {u"ccedil"_s, u'ç'}, {u"icirc"_s, u'î'},  {u"iuml"_s, u'ï'},   {u"ocirc"_s, u'ô'},
        {u"ugrave"_s, u'ù'}, {u"ucirc"_s, u'û'},  {u"uuml"_s, u'ü'},   {u"Eacute"_s, u'É'},
        {u"Egrave"_s, u'È'}, {u"Agrave"_s, u'À'}, {u"Ccedil"_s, u'Ç'}, {u"oelig"_s, u'œ'},
        {u"laquo"_s, u'«'},  {u"raquo"_s, u'»'},  {u"rsquo"_s, u'’'},  {u"lsquo"_s, u'‘'},
        {u"ldquo"_s, u'“'},  {u"rdquo"_s, u'”'},  {u"hellip"_s, u'…'}, {u"ndash"_s, u'–'},
        {u"mdash"_s, u'—'},  {u"copy"_s, u'©'},   {u"deg"_s, u'°'},    {u"middot"_s, u'·'}};
    const auto it = entites.constFind(nom.toString());
    return it == entites.cend() ? std::nullopt : std::optional<char16_t>(*it);
}

bool balise(QStringView nom, std::initializer_list<QStringView> noms)
{
    return std::any_of(noms.begin(), noms.end(),
                       [&](QStringView n) { return nom.compare(n, Qt::CaseInsensitive) == 0; });
}

} // namespace

QString texteBrut(const QString &html)
{
    if (!html.contains(u'<') && !html.contains(u'&'))
        return html.trimmed();
    QString sortie;
    sortie.reserve(html.size());
    const auto finDeLigne = [&] {
        while (sortie.endsWith(u' '))
            sortie.chop(1);
        sortie += u'\n';
    };
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'<' && i + 1 < html.size() &&
            (html[i + 1].isLetter() || html[i + 1] == u'/' || html[i + 1] == u'!')) {
            const qsizetype fin = html.indexOf(u'>', i + 1);
            if (fin > 0) {
                QStringView contenu = QStringView(html).sliced(i + 1, fin - i - 1);
                if (contenu.startsWith(u'/'))
                    contenu = contenu.sliced(1);
                qsizetype n = 0;
                while (n < contenu.size() && contenu[n].isLetterOrNumber())
                    ++n;
                const QStringView nom = contenu.first(n);
                if (balise(nom, {u"br"}))
                    finDeLigne();
                else if (balise(nom, {u"p", u"div", u"li", u"tr", u"h1", u"h2", u"h3", u"h4",
                                      u"blockquote", u"ul", u"ol"}) &&
                         !sortie.isEmpty() && !sortie.endsWith(u'\n'))
                    finDeLigne();
                i = fin;
                continue;
            }
        }
        if (c == u'&') {
            const qsizetype fin = html.indexOf(u';', i + 1);
            if (fin > i + 1 && fin - i <= 10) {
                const QStringView nom = QStringView(html).sliced(i + 1, fin - i - 1);
                std::optional<char32_t> code;
                if (nom.startsWith(u'#')) {
                    bool ok = false;
                    const bool hexa = nom.size() > 1 && (nom[1] == u'x' || nom[1] == u'X');
                    const uint valeur = nom.sliced(hexa ? 2 : 1).toUInt(&ok, hexa ? 16 : 10);
                    if (ok && valeur > 0 && valeur <= 0x10FFFF &&
                        (valeur < 0xD800 || valeur > 0xDFFF))
                        code = char32_t(valeur);
                } else if (const auto caractere = entiteNommee(nom)) {
                    code = *caractere;
                }
                if (code) {
                    sortie += QString::fromUcs4(&*code, 1);
                    i = fin;
                    continue;
                }
            }
        }
        sortie += c;
    }
    // Blanks at line ends go, and never more than one empty line in a row.
    QStringList lignes = sortie.split(u'\n');
    QStringList gardees;
    for (QString &l : lignes) {
        while (l.endsWith(u' ') || l.endsWith(u'\r') || l.endsWith(u'\t'))
            l.chop(1);
        if (l.isEmpty() && (gardees.isEmpty() || gardees.back().isEmpty()))
            continue;
        gardees.append(l);
    }
    while (!gardees.isEmpty() && gardees.back().isEmpty())
        gardees.removeLast();
    return gardees.join(u'\n').trimmed();
}

// ---------------------------------------------------------------------------------------------
// Covers

struct LecteurCouvertures::Archives
{
    QHash<QString, std::shared_ptr<ArchiveZip>> ouvertes;
};

LecteurCouvertures::LecteurCouvertures()
    : m_archives(std::make_unique<Archives>())
{
}

LecteurCouvertures::~LecteurCouvertures() = default;

QByteArray LecteurCouvertures::octets(const Couverture &couverture)
{
    switch (couverture.source) {
    case Couverture::Source::Aucune:
        return {};
    case Couverture::Source::Incluse:
        return couverture.octets;
    case Couverture::Source::Archive: {
        std::shared_ptr<ArchiveZip> &archive = m_archives->ouvertes[couverture.chemin];
        if (!archive)
            archive = std::make_shared<ArchiveZip>(couverture.chemin);
        return archive->lire(couverture.entree, k_imageMaximale);
    }
    case Couverture::Source::Fichier: {
        QFile fichier(couverture.chemin);
        if (!fichier.open(QIODevice::ReadOnly))
            throw Erreur(u"L'image %1 ne peut pas être lue : %2"_s.arg(
                QDir::toNativeSeparators(couverture.chemin), fichier.errorString()));
        if (fichier.size() > k_imageMaximale)
            throw Erreur(
                u"L'image %1 dépasse %2 Mo."_s.arg(QDir::toNativeSeparators(couverture.chemin))
                    .arg(k_imageMaximale >> 20));
        return fichier.readAll();
    }
    }
    return {};
}

CopieCouvertures copierCouvertures(Import &import, const QString &repertoire,
                                   Progression *progression)
{
    CopieCouvertures copie;
    LecteurCouvertures lecteur;
    QDir(repertoire).mkpath(u"IMAGES_FILMS"_s);
    if (progression)
        progression->definirTotal(qint64(import.fiches.size()));
    for (size_t i = 0; i < import.fiches.size(); ++i) {
        if (progression)
            progression->avancer();
        TFicheFilm &fiche = *import.fiches[i];
        const Couverture &couverture = import.couvertures[i];
        if (couverture.source == Couverture::Source::Aucune)
            continue;
        const QString relatif = fiche.cheminImage();
        const QString fichier = repertoire + u'/' + QString(relatif).replace(u'\\', u'/');
        try {
            if (QFileInfo::exists(fichier))
                throw Erreur(u"%1 existe déjà"_s.arg(relatif));
            FichierEntier::ecrire(fichier, lecteur.octets(couverture));
            copie.ecrits.append(relatif);
        } catch (const Erreur &erreur) {
            copie.echecs.append({fiche.titreFrancais(), erreur.texte()});
            fiche.setCheminImage(u"-"_s);
        }
    }
    return copie;
}

} // namespace AutresCatalogues

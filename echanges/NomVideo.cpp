#include "echanges/NomVideo.h"

#include "import/ListeTitres.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <vector>

using namespace Qt::StringLiterals;

namespace NomVideo {

namespace {

template <typename Mots> QSet<QString> ensemble(const Mots &mots)
{
    QSet<QString> resultat;
    for (const char16_t *mot : mots)
        resultat.insert(QString::fromUtf16(mot));
    return resultat;
}

// ---------------------------------------------------------------------------------------------
// Comparison keys

// What one character becomes in a key: "" (an accent, dropped), " " (not a letter or a digit)
// or the letters and digits it stands for, in lower case, accents removed.
QString plierCaractere(QChar c)
{
    switch (c.unicode()) {
    case u'Œ':
    case u'œ':
        return u"oe"_s;
    case u'Æ':
    case u'æ':
        return u"ae"_s;
    case u'ß':
        return u"ss"_s;
    case u'Ø':
    case u'ø':
        return u"o"_s;
    case u'Đ':
    case u'đ':
    case u'Ð':
    case u'ð':
        return u"d"_s;
    case u'Ł':
    case u'ł':
        return u"l"_s;
    default:
        break;
    }
    if (c.isMark())
        return {};
    // Canonical decompositions take the accents off; the others spell out ligatures (ﬁ),
    // superscripts and no-break spaces.
    if (c.decompositionTag() != QChar::NoDecomposition) {
        QString resultat;
        for (const QChar partie : c.decomposition())
            resultat += plierCaractere(partie);
        return resultat;
    }
    if (c.isLetterOrNumber())
        return QString(c.toCaseFolded());
    return u" "_s;
}

// The Latin letters of Windows-1252 and their neighbours, folded once.
const std::array<QString, 0x250> &plisLatins()
{
    static const std::array<QString, 0x250> table = [] {
        std::array<QString, 0x250> t;
        for (char16_t u = 0; u < t.size(); ++u)
            t[u] = plierCaractere(QChar(u));
        return t;
    }();
    return table;
}

// Case folded, accents removed, every run of characters that are neither letters nor digits
// one blank, no blank at either end.
QString plier(QStringView texte)
{
    const auto &latins = plisLatins();
    QString resultat;
    resultat.reserve(texte.size());
    bool blanc = false;
    const auto ecrire = [&](QChar c) {
        if (c == u' ') {
            blanc = !resultat.isEmpty();
            return;
        }
        if (blanc)
            resultat += u' ';
        blanc = false;
        resultat += c;
    };
    for (const QChar c : texte) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
            ecrire(c);
        else if (u >= u'A' && u <= u'Z')
            ecrire(QChar(char16_t(u + (u'a' - u'A'))));
        else if (u < 0x80)
            ecrire(u' ');
        else
            for (const QChar p : u < latins.size() ? latins[u] : plierCaractere(c))
                ecrire(p);
    }
    return resultat;
}

// The key a title is compared on: the index's own form "PONT (LE)" read as "le pont".
QString cle(const QString &titre)
{
    const QString capitales = titre.toUpper();
    // Every suffix that normaliserTitre moves starts with " (".
    if (!capitales.contains(u" ("))
        return plier(capitales);
    return plier(ListeTitres::normaliserTitre(capitales));
}

// Articles and short words, in their key form: they do not make two titles alike, though they
// break ties. One-letter words too (the "l" of "l'armée").
bool motVide(QStringView mot)
{
    static constexpr QStringView vides[] = {u"le",  u"la", u"les", u"un",  u"une", u"des",
                                            u"de",  u"du", u"au",  u"aux", u"et",  u"en",
                                            u"the", u"an", u"of",  u"and"};
    if (mot.size() == 1)
        return !mot.front().isDigit();
    return mot.size() <= 3 && std::find(std::begin(vides), std::end(vides), mot) != std::end(vides);
}

// ---------------------------------------------------------------------------------------------
// Release tags

// A sure tag ends the title wherever it stands. A doubtful one is also an ordinary word
// ("The French Connection", "Charlotte's Web", "Un homme en colère"): it is a tag only when a tag
// follows it, when it stands in parentheses, or when the release group follows it.
enum class Force
{
    Sure,
    Douteuse
};

// Written as the name's words, in capitals, without apostrophes or '+'; several words separated
// by blanks are matched over successive words of the name ("H.264", "WEB-DL", "DIRECTORS.CUT").
constexpr const char16_t *k_etiquettesSures[] = {
    // Resolutions.
    u"360P", u"480P", u"540P", u"576P", u"576I", u"720P", u"1080P", u"1080I", u"1440P", u"2160P",
    u"4320P", u"4K", u"8K", u"UHD", u"FHD", u"ULTRAHD", u"ULTRA HD",
    // Sources.
    u"BLURAY", u"BLU RAY", u"BDRIP", u"BRRIP", u"BDREMUX", u"BD25", u"BD50", u"BDSCR", u"WEBDL",
    u"WEB DL", u"WEBRIP", u"WEB RIP", u"HDTV", u"PDTV", u"SDTV", u"DSRIP", u"DVDRIP", u"DVD",
    u"DVDR", u"DVD5", u"DVD9", u"DVDSCR", u"SCREENER", u"REMUX", u"HDRIP", u"HDCAM", u"CAMRIP",
    u"TELESYNC", u"TELECINE", u"HDTS", u"VHSRIP", u"TVRIP", u"SATRIP", u"DVBRIP", u"HDLIGHT",
    u"HD LIGHT", u"MHD", u"4KLIGHT", u"4K LIGHT", u"AMZN", u"DSNP", u"HMAX", u"ATVP", u"NTSC",
    u"SECAM", u"R5",
    // Codecs, picture and sound.
    u"X264", u"X265", u"H264", u"H265", u"H 264", u"H 265", u"HEVC", u"AVC", u"XVID", u"DIVX",
    u"MPEG2", u"VC1", u"10BIT", u"10BITS", u"10 BIT", u"8BIT", u"HI10P", u"HDR", u"HDR10", u"DOVI",
    u"DOLBY VISION", u"AAC", u"AAC2", u"AC3", u"EAC3", u"DTS", u"DTSHD", u"TRUEHD", u"ATMOS",
    u"FLAC", u"MP3", u"LPCM", u"DD2", u"DD5", u"DD7", u"DDP", u"DDP2", u"DDP5", u"DDP7", u"SBS",
    u"HSBS", u"HOU",
    // Editions and releases.
    u"PROPER", u"REPACK", u"RERIP", u"READNFO", u"NFOFIX", u"EXTENDED", u"UNRATED", u"REMASTERED",
    u"DIRECTORS CUT", u"DIRECTOR CUT", u"CRITERION", u"DUAL AUDIO",
    // Languages and subtitles.
    u"MULTI", u"MULTI2", u"TRUEFRENCH", u"VOSTFR", u"VOST", u"VOSTA", u"STFR", u"SUBFRENCH", u"VFF",
    u"VFQ", u"VFI", u"VF2", u"VF", u"VO", u"VOF", u"FR", u"ENG", u"ITA"};

constexpr const char16_t *k_etiquettesDouteuses[] = {
    u"FRENCH", u"ENGLISH", u"GERMAN",  u"ITALIAN",  u"SPANISH",  u"JAPANESE",   u"EN",
    u"SPA",    u"ESP",     u"GER",     u"JAP",      u"DUBBED",   u"SUBBED",     u"SUBS",
    u"DUAL",   u"UNCUT",   u"LIMITED", u"INTERNAL", u"COMPLETE", u"THEATRICAL", u"IMAX",
    u"WEB",    u"HD",      u"SD",      u"CAM",      u"TS",       u"TC",         u"DV",
    u"WS",     u"HC",      u"NF",      u"3D",       u"SAMPLE",   u"PAL"};

struct Etiquette
{
    QStringList mots;
    Force force;
};

// The tags by their first word, the longest first.
const QHash<QString, QList<Etiquette>> &etiquettes()
{
    static const QHash<QString, QList<Etiquette>> table = [] {
        QHash<QString, QList<Etiquette>> t;
        const auto ajouter = [&t](const char16_t *texte, Force force) {
            const QStringList mots = QString::fromUtf16(texte).split(u' ');
            t[mots.front()].append({mots, force});
        };
        for (const char16_t *texte : k_etiquettesSures)
            ajouter(texte, Force::Sure);
        for (const char16_t *texte : k_etiquettesDouteuses)
            ajouter(texte, Force::Douteuse);
        for (QList<Etiquette> &liste : t)
            std::stable_sort(liste.begin(), liste.end(), [](const auto &a, const auto &b) {
                return a.mots.size() > b.mots.size();
            });
        return t;
    }();
    return table;
}

// The ends of a site's address put in front of a name ("www.site.com - ").
constexpr const char16_t *k_domaines[] = {u"COM", u"NET", u"ORG", u"FR", u"INFO", u"BIZ", u"TO",
                                          u"PH",  u"CC",  u"IO",  u"TV", u"WS",   u"EU",  u"ME",
                                          u"CO",  u"NL",  u"BE",  u"CH", u"CA"};

constexpr const char16_t *k_extensionsVideo[] = {
    u"avi", u"mkv",  u"mk3d", u"mp4",  u"m4v", u"mov", u"qt",   u"wmv", u"asf",
    u"mpg", u"mpeg", u"mpe",  u"m1v",  u"m2v", u"ts",  u"m2ts", u"mts", u"tp",
    u"vob", u"iso",  u"divx", u"xvid", u"ogm", u"ogv", u"webm", u"flv", u"f4v",
    u"3gp", u"3g2",  u"rm",   u"rmvb", u"dv",  u"mxf", u"wtv",  u"evo"};

bool domaine(const QString &forme)
{
    static const QSet<QString> domaines = ensemble(k_domaines);
    return domaines.contains(forme);
}

bool extensionVideo(const QString &extension)
{
    static const QSet<QString> extensions = ensemble(k_extensionsVideo);
    return extensions.contains(extension.toLower());
}

bool chiffres(QStringView mot)
{
    return !mot.isEmpty() &&
           std::all_of(mot.begin(), mot.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A year of the 20th or 21st century.
bool estAnnee(QStringView mot)
{
    return mot.size() == 4 && chiffres(mot) && (mot.startsWith(u"19") || mot.startsWith(u"20"));
}

// "CD", "DISC", … that a disc number follows, joined ("CD1") or not ("Disc 2").
qsizetype prefixeDisque(QStringView forme)
{
    for (const QStringView prefixe : {u"CD", u"DISC", u"DISK", u"DISQUE", u"DVD"})
        if (forme.startsWith(prefixe))
            return prefixe.size();
    return 0;
}

bool petitNombre(QStringView forme)
{
    return forme.size() <= 2 && chiffres(forme);
}

// ---------------------------------------------------------------------------------------------
// Cutting a name into words

struct Element
{
    enum class Genre
    {
        Mot,
        Ouvrante,
        Fermante
    };
    Genre genre = Genre::Mot;
    QString texte;                 // as written
    QString forme;                 // capitals, no apostrophe nor '+': as the tag tables write it
    bool colle = false;            // joined to the word before by a dash
    bool entreParentheses = false; // inside "( … )"
};

QString forme(const QString &mot)
{
    QString resultat = mot.toUpper();
    resultat.remove(u'\'');
    resultat.remove(u'’');
    resultat.remove(u'+');
    return resultat;
}

// Words and parentheses. Blanks, dots and underscores separate words; a dash joins the words on
// either side, unless `tiretsSeparent` (a name written "le-pont-1959" has no other separator).
std::vector<Element> decouper(const QString &texte, bool tiretsSeparent)
{
    std::vector<Element> elements;
    QString mot;
    bool colle = false;
    bool tiretEnAttente = false;
    int profondeur = 0;
    const auto finir = [&] {
        if (mot.isEmpty())
            return;
        Element element;
        element.texte = mot;
        element.forme = forme(mot);
        element.colle = colle;
        element.entreParentheses = profondeur > 0;
        elements.push_back(std::move(element));
        mot.clear();
    };
    for (const QChar c : texte) {
        if (c == u'(' || c == u')') {
            finir();
            tiretEnAttente = false;
            Element parenthese;
            parenthese.genre = c == u'(' ? Element::Genre::Ouvrante : Element::Genre::Fermante;
            elements.push_back(std::move(parenthese));
            profondeur = c == u'(' ? profondeur + 1 : std::max(0, profondeur - 1);
            continue;
        }
        if (c == u'-' && !tiretsSeparent) {
            // A dash after a blank joins nothing: "Le Pont - 1959".
            if (!mot.isEmpty()) {
                finir();
                tiretEnAttente = true;
            }
            continue;
        }
        if (c == u' ' || c == u'.' || c == u'_' || c == u'-' || c == u'–' || c == u'—') {
            finir();
            tiretEnAttente = false;
            continue;
        }
        if (mot.isEmpty()) {
            colle = tiretEnAttente;
            tiretEnAttente = false;
        }
        mot += c;
    }
    finir();
    return elements;
}

// Square brackets and braces go with what they hold ("[YTS.MX]", "{1080p}"); one unclosed runs
// to the end. A year alone inside is kept in `annee`.
QString sansCrochets(const QString &texte, QString &annee)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c == u'[' || c == u'{') {
            qsizetype fin = texte.indexOf(c == u'[' ? u']' : u'}', i + 1);
            if (fin < 0)
                fin = texte.size();
            const QString dedans = texte.mid(i + 1, fin - i - 1).trimmed();
            if (annee.isEmpty() && estAnnee(dedans))
                annee = dedans;
            resultat += u' ';
            i = fin;
        } else if (c == u']' || c == u'}') {
            resultat += u' ';
        } else {
            resultat += c;
        }
    }
    return resultat;
}

// Parentheses left without their pair by the cut go, and so do empty ones.
QString parenthesesEquilibrees(const QString &texte)
{
    std::vector<bool> garder(size_t(texte.size()), true);
    std::vector<qsizetype> ouvertes;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] == u'(') {
            ouvertes.push_back(i);
        } else if (texte[i] == u')') {
            if (ouvertes.empty())
                garder[size_t(i)] = false;
            else
                ouvertes.pop_back();
        }
    }
    for (const qsizetype i : ouvertes)
        garder[size_t(i)] = false;
    QString resultat;
    for (qsizetype i = 0; i < texte.size(); ++i)
        if (garder[size_t(i)])
            resultat += texte[i];
    resultat.replace(u"()"_s, u" "_s);
    return resultat.simplified();
}

// Punctuation a cut leaves at either end: "LE PONT," "LE PONT -".
QString sansPonctuationAuxBouts(QString texte)
{
    static const QString bouts = u" ,;:-&+~#"_s;
    while (!texte.isEmpty() && bouts.contains(texte.back()))
        texte.chop(1);
    qsizetype debut = 0;
    while (debut < texte.size() && bouts.contains(texte[debut]))
        ++debut;
    return texte.mid(debut);
}

// Words of file and folder names that say nothing of the film, in key form.
constexpr const char16_t *k_generiques[] = {u"movie",     u"movies",
                                            u"film",      u"films",
                                            u"video",     u"videos",
                                            u"ts",        u"audio",
                                            u"vts",       u"bdmv",
                                            u"stream",    u"certificate",
                                            u"backup",    u"playlist",
                                            u"clipinf",   u"sample",
                                            u"samples",   u"subs",
                                            u"sub",       u"subtitles",
                                            u"extras",    u"featurettes",
                                            u"bonus",     u"main",
                                            u"feature",   u"title",
                                            u"titre",     u"untitled",
                                            u"disc",      u"disque",
                                            u"disk",      u"cd",
                                            u"dvd",       u"part",
                                            u"partie",    u"download",
                                            u"downloads", u"telechargements",
                                            u"torrents",  u"complete",
                                            u"incoming",  u"media",
                                            u"medias",    u"temp",
                                            u"tmp",       u"new",
                                            u"index"};

// A name made of those words, articles and numbers of a series only ("movie", "VIDEO_TS",
// "VTS_01_1", "00001", "Disc 1" once cleaned), or of nothing.
bool neDitRien(const QString &titre)
{
    static const QSet<QString> generiques = ensemble(k_generiques);
    const QStringList mots = plier(titre).split(u' ', Qt::SkipEmptyParts);
    bool generique = false;
    for (const QString &mot : mots) {
        if (generiques.contains(mot)) {
            generique = true;
        } else if (chiffres(mot)) {
            // "00001.m2ts", "1.avi": a place in a series. "1917" is a title.
            if (mot.size() == 1 || mot.front() == u'0')
                generique = true;
        } else if (!motVide(mot)) {
            return false;
        }
    }
    return generique || mots.isEmpty();
}

// How many words a tag starting at word `i` takes (0: none there), and how sure it is.
struct Reperage
{
    qsizetype longueur = 0;
    Force force = Force::Sure;
};

Reperage reperer(const std::vector<const Element *> &mots, qsizetype i)
{
    const qsizetype n = qsizetype(mots.size());
    const QString &f = mots[size_t(i)]->forme;
    if (const qsizetype prefixe = prefixeDisque(f)) {
        const QStringView numero = QStringView(f).mid(prefixe);
        if (!numero.isEmpty() && petitNombre(numero))
            return {1, Force::Sure};
        if (numero.isEmpty() && i + 1 < n && petitNombre(mots[size_t(i + 1)]->forme))
            return {2, Force::Sure};
    }
    const auto &table = etiquettes();
    const auto trouve = table.constFind(f);
    if (trouve == table.constEnd())
        return {};
    for (const Etiquette &etiquette : *trouve) {
        const qsizetype longueur = etiquette.mots.size();
        if (i + longueur > n)
            continue;
        bool egaux = true;
        for (qsizetype k = 1; k < longueur && egaux; ++k)
            egaux = mots[size_t(i + k)]->forme == etiquette.mots[k];
        if (egaux)
            return {longueur, etiquette.force};
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// The index's helpers

// FNV-1a over the word, the character at `sauf` left out (-1: none).
quint64 empreinte(QStringView mot, qsizetype sauf = -1)
{
    quint64 h = 14695981039346656037ULL;
    for (qsizetype i = 0; i < mot.size(); ++i) {
        if (i == sauf)
            continue;
        h = (h ^ mot[i].unicode()) * 1099511628211ULL;
    }
    return h;
}

// One typing slip apart: a letter added, dropped, changed, or two neighbours swapped.
bool uneFaute(QStringView a, QStringView b)
{
    if (a.size() < b.size())
        std::swap(a, b);
    if (a.size() - b.size() > 1)
        return false;
    qsizetype i = 0;
    while (i < b.size() && a[i] == b[i])
        ++i;
    if (a.size() != b.size())
        return a.mid(i + 1) == b.mid(i);
    if (i == a.size())
        return false;
    if (a.mid(i + 1) == b.mid(i + 1))
        return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.mid(i + 2) == b.mid(i + 2);
}

// Levenshtein distance, or `borne` + 1 as soon as it is sure to exceed `borne`.
int distance(QStringView a, QStringView b, int borne)
{
    if (std::abs(a.size() - b.size()) > borne)
        return borne + 1;
    std::vector<int> precedente(size_t(b.size() + 1));
    std::vector<int> courante(size_t(b.size() + 1));
    for (size_t j = 0; j < precedente.size(); ++j)
        precedente[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        courante[0] = int(i);
        int minimum = courante[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitution = precedente[size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1);
            courante[size_t(j)] =
                std::min({precedente[size_t(j)] + 1, courante[size_t(j - 1)] + 1, substitution});
            minimum = std::min(minimum, courante[size_t(j)]);
        }
        if (minimum > borne)
            return borne + 1;
        std::swap(precedente, courante);
    }
    return std::min(precedente.back(), borne + 1);
}

// Letter triplets of a key padded with a blank at each end, folded onto 64 symbols: blank,
// a to z, 0 to 9, and any other character by its code. Two keys that share no triplet code
// share no triplet.
constexpr int k_symboles = 64;
constexpr int k_codesTrigrammes = k_symboles * k_symboles * k_symboles;

int symbole(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u' ')
        return 0;
    if (u >= u'a' && u <= u'z')
        return 1 + (u - u'a');
    if (u >= u'0' && u <= u'9')
        return 27 + (u - u'0');
    return 37 + u % (k_symboles - 37);
}

// Calls `visiter(code)` for each triplet of the key, in order, repeats included.
template <typename Visiteur> void trigrammes(QStringView cleTitre, Visiteur visiter)
{
    const qsizetype n = cleTitre.size() + 2;
    const auto a = [&](qsizetype i) {
        return i == 0 || i == n - 1 ? 0 : symbole(cleTitre[i - 1]);
    };
    for (qsizetype i = 0; i + 2 < n; ++i)
        visiter((a(i) * k_symboles + a(i + 1)) * k_symboles + a(i + 2));
}

// Not noexcept: the standard library then keeps each key's hash beside it instead of computing
// it again at every step of a bucket's chain.
struct EmpreinteVue
{
    size_t operator()(QStringView texte) const { return size_t(empreinte(texte)); }
};
// Views on the index's own keys, which stay put once made.
using Numeros = std::unordered_map<QStringView, int, EmpreinteVue>;

// A list of lists in two arrays: the items of list i are elements[debuts[i]] up to
// elements[debuts[i + 1]].
struct Listes
{
    std::vector<int> debuts{0};
    std::vector<int> elements;

    qsizetype taille(qsizetype i) const { return debuts[size_t(i + 1)] - debuts[size_t(i)]; }
    const int *begin(qsizetype i) const { return elements.data() + debuts[size_t(i)]; }
    const int *end(qsizetype i) const { return elements.data() + debuts[size_t(i + 1)]; }

    // From (list, item) pairs counted first: `compter(visiter)` calls visiter(list, item) for
    // every pair, twice over, in the same order.
    template <typename Parcours> static Listes depuis(qsizetype nombre, Parcours compter)
    {
        Listes l;
        l.debuts.assign(size_t(nombre + 1), 0);
        compter([&l](int liste, int) { ++l.debuts[size_t(liste + 1)]; });
        for (size_t i = 1; i < l.debuts.size(); ++i)
            l.debuts[i] += l.debuts[i - 1];
        l.elements.resize(size_t(l.debuts.back()));
        std::vector<int> places(l.debuts.begin(), l.debuts.end() - 1);
        compter(
            [&](int liste, int element) { l.elements[size_t(places[size_t(liste)]++)] = element; });
        return l;
    }
};

// How much shared articles may add to the words' score: enough to order titles that the other
// words leave level, too little to pass a title that shares more of them.
constexpr double k_poidsVides = 1e-4;
// The weight of a word one slip away from the query's.
constexpr float k_poidsFaute = 0.8f;
// A word this long or longer may be matched one slip away.
constexpr qsizetype k_longueurFaute = 5;
// The distance allowed, as a fraction of the longer key (2/5).
constexpr int k_distanceNumerateur = 2;
constexpr int k_distanceDenominateur = 5;
// The triplet lists read for one query, at most (the rarest first), and the titles whose edit
// distance is then computed.
constexpr qsizetype k_budgetTrigrammes = 30000;
constexpr qsizetype k_candidatsDistance = 64;

// What one query writes per key of the index, put back as it was before the query ends (only
// the keys it touched). One per thread, kept from one query to the next: a query need not clear
// an array the size of the index, and queries may run side by side.
struct Brouillon
{
    struct Case
    {
        float poids = 0.f; // sum of the matched words' weights
        int apparies = 0;  // words of the query matched
        int marque = -1;   // last query word that matched, -1 none
        int partages = 0;  // shared triplets
    };
    std::vector<Case> cases;  // by key
    std::vector<int> touches; // keys with apparies > 0
    std::vector<int> vus;     // keys with partages > 0

    void preparer(size_t taille)
    {
        if (cases.size() < taille)
            cases.resize(taille);
    }
    void effacer()
    {
        for (const int k : touches)
            cases[size_t(k)] = Case();
        for (const int k : vus)
            cases[size_t(k)] = Case();
        touches.clear();
        vus.clear();
    }
};

} // namespace

QString cleTitre(const QString &titre)
{
    return cle(titre);
}

// ---------------------------------------------------------------------------------------------
// Names

TitreDevine nettoyer(const QString &nom)
{
    QString texte = nom.normalized(QString::NormalizationForm_C);
    for (QChar &c : texte) {
        const QChar::Category categorie = c.category();
        if (c.isSpace() || categorie == QChar::Other_Control || categorie == QChar::Other_Format ||
            c == u'/' || c == u'\\')
            c = u' ';
    }
    texte = texte.trimmed();
    if (const qsizetype point = texte.lastIndexOf(u'.');
        point >= 0 && extensionVideo(texte.mid(point + 1)))
        texte.truncate(point);

    TitreDevine resultat;
    QString anneeCrochets;
    texte = sansCrochets(texte, anneeCrochets);
    const bool tiretsSeparent =
        !texte.contains(u' ') && !texte.contains(u'.') && !texte.contains(u'_');
    const std::vector<Element> elements = decouper(texte, tiretsSeparent);

    std::vector<const Element *> mots;
    std::vector<size_t> placeDuMot; // index in `elements`
    for (size_t i = 0; i < elements.size(); ++i)
        if (elements[i].genre == Element::Genre::Mot) {
            mots.push_back(&elements[i]);
            placeDuMot.push_back(i);
        }
    const qsizetype n = qsizetype(mots.size());

    // Where each tag starts and how many words it takes, read from the end so that a doubtful
    // word knows whether a tag follows it.
    std::vector<qsizetype> etiquette(size_t(n), 0);
    for (qsizetype i = n - 1; i >= 0; --i) {
        const Reperage reperage = reperer(mots, i);
        if (reperage.longueur == 0)
            continue;
        bool compte = reperage.force == Force::Sure;
        if (!compte) {
            const qsizetype suivant = i + reperage.longueur;
            compte = mots[size_t(i)]->entreParentheses ||
                     (suivant < n && etiquette[size_t(suivant)] > 0) ||
                     (suivant == n - 1 && mots[size_t(suivant)]->colle);
        }
        if (compte)
            etiquette[size_t(i)] = reperage.longueur;
    }

    // The release group: a last word joined by a dash to a tag or a year ("x264-GROUP").
    std::vector<bool> couvert(size_t(n), false);
    for (qsizetype i = 0; i < n; ++i)
        for (qsizetype k = i; k < i + etiquette[size_t(i)]; ++k)
            couvert[size_t(k)] = true;
    qsizetype utiles = n;
    if (n >= 2 && mots[size_t(n - 1)]->colle && !couvert[size_t(n - 1)] &&
        (couvert[size_t(n - 2)] || estAnnee(mots[size_t(n - 2)]->forme)))
        utiles = n - 1;

    qsizetype debut = 0;
    if (n > 0 && mots[0]->forme == u"WWW"_s)
        for (qsizetype k = 1; k < std::min<qsizetype>(n, 5); ++k)
            if (domaine(mots[size_t(k)]->forme)) {
                debut = k + 1;
                break;
            }
    // Tags in front of the title are passed over.
    const qsizetype debutNom = debut;
    while (debut < utiles && etiquette[size_t(debut)] > 0)
        debut += etiquette[size_t(debut)];
    qsizetype fin = debut;
    while (fin < utiles && etiquette[size_t(fin)] == 0)
        ++fin;

    // The year is the last one before the tags; the name's very first word is a title even when
    // it reads as a year ("1917.2019.1080p", "2001.A.Space.Odyssey.1968").
    qsizetype motAnnee = -1;
    const bool premierPeutEtreAnnee = debut > debutNom;
    for (qsizetype i = fin - 1; i > debut || (i == debut && premierPeutEtreAnnee); --i)
        if (estAnnee(mots[size_t(i)]->forme)) {
            motAnnee = i;
            break;
        }
    if (motAnnee >= 0) {
        resultat.annee = mots[size_t(motAnnee)]->forme;
        fin = motAnnee;
    } else {
        for (qsizetype i = fin; i < utiles && resultat.annee.isEmpty(); ++i)
            if (estAnnee(mots[size_t(i)]->forme))
                resultat.annee = mots[size_t(i)]->forme;
        if (resultat.annee.isEmpty())
            resultat.annee = anneeCrochets;
    }
    if (debut >= fin)
        return resultat;

    const size_t premier = debut == 0 ? 0 : placeDuMot[size_t(debut)];
    const size_t dernier = fin < n ? placeDuMot[size_t(fin)] : elements.size();
    QString titre;
    for (size_t i = premier; i < dernier; ++i) {
        const Element &element = elements[i];
        switch (element.genre) {
        case Element::Genre::Mot:
            if (!titre.isEmpty() && !titre.endsWith(u'('))
                titre += element.colle ? u'-' : u' ';
            titre += element.texte;
            break;
        case Element::Genre::Ouvrante:
            if (!titre.isEmpty())
                titre += u' ';
            titre += u'(';
            break;
        case Element::Genre::Fermante:
            titre += u')';
            break;
        }
    }
    resultat.titre = sansPonctuationAuxBouts(parenthesesEquilibrees(titre)).toUpper();
    return resultat;
}

// The folders above a file that may name its film.
constexpr qsizetype k_dossiersLus = 3;

TitreDevine deviner(const QString &cheminFichier)
{
    QStringList parties =
        QString(cheminFichier).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    if (parties.isEmpty())
        return {};
    const TitreDevine fichier = nettoyer(parties.takeLast());

    // The nearest folder that names something, passing over two at most ("BDMV/STREAM");
    // "C:" is the root of a Windows path.
    std::optional<TitreDevine> dossier;
    for (qsizetype i = parties.size() - 1;
         i >= 0 && i >= parties.size() - k_dossiersLus && !parties[i].endsWith(u':'); --i) {
        TitreDevine lu = nettoyer(parties[i]);
        if (!neDitRien(lu.titre)) {
            dossier = std::move(lu);
            break;
        }
    }

    if (!neDitRien(fichier.titre)) {
        TitreDevine resultat = fichier;
        if (resultat.annee.isEmpty() && dossier && cle(dossier->titre) == cle(fichier.titre))
            resultat.annee = dossier->annee;
        return resultat;
    }
    if (!dossier)
        return fichier;
    if (dossier->annee.isEmpty())
        dossier->annee = fichier.annee;
    return *dossier;
}

// ---------------------------------------------------------------------------------------------
// The index

struct IndexTitres::Donnees
{
    QStringList titres;
    // The distinct keys, numbered in the order of their first title: a key's number orders it
    // as the index does. Never changed once made (the views below point into them).
    std::vector<QString> cles;
    Numeros numeroCle;
    Listes lignesDeCle;           // key → its lines, in order
    std::vector<quint16> tailles; // key → its length (at most 65,535), read often, kept small

    std::vector<QStringView> mots;
    Numeros numeroMot;
    std::vector<char> vide;  // word → motVide
    Listes motsDeCle;        // key → its distinct words
    std::vector<int> pleins; // key → how many of its words count
    Listes clesDeMot;        // word that counts → the keys holding it, in order
    // (empreinte of a word less one letter, word), sorted: the words one slip from another.
    std::vector<std::pair<quint64, int>> effacements;
    Listes clesDeTrigramme; // triplet code → the keys holding it, in order

    int numero(const Numeros &numeros, QStringView texte) const
    {
        const auto trouve = numeros.find(texte);
        return trouve == numeros.end() ? -1 : trouve->second;
    }
};

IndexTitres::IndexTitres(const QStringList &titres)
{
    auto d = std::make_shared<Donnees>();
    d->titres = titres;

    std::vector<int> cleDeLigne(size_t(titres.size()));
    d->cles.reserve(size_t(titres.size()));
    d->numeroCle.reserve(size_t(titres.size()));
    for (qsizetype l = 0; l < titres.size(); ++l) {
        QString c = cle(titres[l]);
        if (const int numero = d->numero(d->numeroCle, c); numero >= 0) {
            cleDeLigne[size_t(l)] = numero;
            continue;
        }
        const int numero = int(d->cles.size());
        d->cles.push_back(std::move(c));
        d->numeroCle.emplace(d->cles.back(), numero);
        cleDeLigne[size_t(l)] = numero;
    }
    const qsizetype nombreCles = qsizetype(d->cles.size());
    d->tailles.reserve(size_t(nombreCles));
    for (const QString &c : d->cles)
        d->tailles.push_back(quint16(std::min<qsizetype>(c.size(), 0xFFFF)));
    d->lignesDeCle = Listes::depuis(nombreCles, [&](auto visiter) {
        for (size_t l = 0; l < cleDeLigne.size(); ++l)
            visiter(cleDeLigne[l], int(l));
    });

    // The words of every key.
    d->pleins.assign(size_t(nombreCles), 0);
    d->motsDeCle.debuts.reserve(size_t(nombreCles + 1));
    std::vector<int> motsDeLaCle;
    for (qsizetype k = 0; k < nombreCles; ++k) {
        motsDeLaCle.clear();
        for (const QStringView mot :
             QStringView(d->cles[size_t(k)]).tokenize(u' ', Qt::SkipEmptyParts)) {
            const auto [place, nouveau] = d->numeroMot.try_emplace(mot, int(d->mots.size()));
            const int numero = place->second;
            if (nouveau) {
                d->mots.push_back(mot);
                d->vide.push_back(motVide(mot));
            }
            if (std::find(motsDeLaCle.begin(), motsDeLaCle.end(), numero) != motsDeLaCle.end())
                continue;
            motsDeLaCle.push_back(numero);
            d->motsDeCle.elements.push_back(numero);
            if (!d->vide[size_t(numero)])
                ++d->pleins[size_t(k)];
        }
        d->motsDeCle.debuts.push_back(int(d->motsDeCle.elements.size()));
    }
    d->clesDeMot = Listes::depuis(qsizetype(d->mots.size()), [&](auto visiter) {
        for (qsizetype k = 0; k < nombreCles; ++k)
            for (const int *m = d->motsDeCle.begin(k); m != d->motsDeCle.end(k); ++m)
                if (!d->vide[size_t(*m)])
                    visiter(*m, int(k));
    });

    for (size_t m = 0; m < d->mots.size(); ++m) {
        const QStringView mot = d->mots[m];
        if (d->vide[m] || mot.size() < k_longueurFaute)
            continue;
        for (qsizetype p = 0; p < mot.size(); ++p)
            d->effacements.emplace_back(empreinte(mot, p), int(m));
    }
    std::sort(d->effacements.begin(), d->effacements.end());
    d->effacements.erase(std::unique(d->effacements.begin(), d->effacements.end()),
                         d->effacements.end());

    // A triplet met twice in a key is listed once: `dernier` holds, per code, the last key
    // that gave it.
    std::vector<int> dernier;
    d->clesDeTrigramme = Listes::depuis(k_codesTrigrammes, [&](auto visiter) {
        dernier.assign(size_t(k_codesTrigrammes), -1);
        for (qsizetype k = 0; k < nombreCles; ++k)
            trigrammes(d->cles[size_t(k)], [&](int code) {
                if (dernier[size_t(code)] == int(k))
                    return;
                dernier[size_t(code)] = int(k);
                visiter(code, int(k));
            });
    });

    m_donnees = std::move(d);
}

qsizetype IndexTitres::taille() const
{
    return m_donnees->titres.size();
}

QList<Candidat> IndexTitres::meilleurs(const QString &titreNettoye, int nombre) const
{
    QList<Candidat> resultat;
    const Donnees &d = *m_donnees;
    const QString cleCherchee = cle(titreNettoye);
    if (nombre <= 0 || cleCherchee.isEmpty())
        return resultat;

    // The `reste` best lines of the keys scored, best score first, then in the index's order.
    // A line among them is one of the first `reste` lines of a key among the `reste` best keys
    // (by score, then by number: by first line), so only those are looked at.
    const auto garderMeilleurs = [&](std::vector<std::pair<double, int>> &scores, qsizetype reste,
                                     Candidat::Sorte sorte) {
        const auto avant = [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        };
        if (qsizetype(scores.size()) > reste) {
            std::nth_element(scores.begin(), scores.begin() + reste, scores.end(), avant);
            scores.resize(size_t(reste));
        }
        std::vector<std::pair<double, int>> places;
        for (const auto &[score, k] : scores) {
            const int *ligne = d.lignesDeCle.begin(k);
            const int *fin = std::min(d.lignesDeCle.end(k), ligne + reste);
            for (; ligne != fin; ++ligne)
                places.emplace_back(score, *ligne);
        }
        const auto fin = places.begin() + std::min(reste, qsizetype(places.size()));
        std::partial_sort(places.begin(), fin, places.end(), avant);
        for (auto place = places.begin(); place != fin; ++place)
            resultat.append({place->second, d.titres[place->second], sorte, place->first});
    };

    const int exacte = d.numero(d.numeroCle, cleCherchee);
    if (exacte >= 0) {
        std::vector<std::pair<double, int>> seule{{1.0, exacte}};
        garderMeilleurs(seule, nombre, Candidat::Sorte::Exact);
    }
    if (resultat.size() >= nombre)
        return resultat;

    thread_local Brouillon brouillon;
    brouillon.preparer(d.cles.size());
    struct Effacement
    {
        Brouillon &b;
        ~Effacement() { b.effacer(); }
    } effacement{brouillon};

    // The query's words: those that count, each with the index's words it matches.
    std::vector<QStringView> motsCherches;
    for (const QStringView mot : QStringView(cleCherchee).tokenize(u' ', Qt::SkipEmptyParts))
        if (std::find(motsCherches.begin(), motsCherches.end(), mot) == motsCherches.end())
            motsCherches.push_back(mot);
    int pleinsCherches = 0;
    int videsCherches = 0;
    std::vector<int> videsConnus;
    std::vector<std::pair<int, float>> apparies;
    std::vector<int> proches;
    for (const QStringView mot : motsCherches) {
        const int connu = d.numero(d.numeroMot, mot);
        if (motVide(mot)) {
            ++videsCherches;
            if (connu >= 0)
                videsConnus.push_back(connu);
            continue;
        }
        const int rang = pleinsCherches++;
        apparies.clear();
        if (connu >= 0)
            apparies.emplace_back(connu, 1.f);
        if (mot.size() >= k_longueurFaute) {
            proches.clear();
            const auto voisins = [&](quint64 h) {
                const auto [de, a] = std::equal_range(
                    d.effacements.begin(), d.effacements.end(), std::pair<quint64, int>(h, -1),
                    [](const auto &x, const auto &y) { return x.first < y.first; });
                for (auto it = de; it != a; ++it)
                    proches.push_back(it->second);
            };
            voisins(empreinte(mot));
            QString court;
            for (qsizetype p = 0; p < mot.size(); ++p) {
                voisins(empreinte(mot, p));
                court.clear();
                court.append(mot.left(p)).append(mot.mid(p + 1));
                if (const int m = d.numero(d.numeroMot, court); m >= 0)
                    proches.push_back(m);
            }
            std::sort(proches.begin(), proches.end());
            proches.erase(std::unique(proches.begin(), proches.end()), proches.end());
            for (const int m : proches)
                if (!d.vide[size_t(m)] && d.mots[size_t(m)].size() >= k_longueurFaute - 1 &&
                    uneFaute(mot, d.mots[size_t(m)]))
                    apparies.emplace_back(m, k_poidsFaute);
        }
        // The exact word first: a title holding both forms scores the exact one.
        for (const auto &[m, poids] : apparies)
            for (const int *k = d.clesDeMot.begin(m); k != d.clesDeMot.end(m); ++k) {
                Brouillon::Case &c = brouillon.cases[size_t(*k)];
                if (*k == exacte || c.marque == rang)
                    continue;
                if (c.apparies == 0)
                    brouillon.touches.push_back(*k);
                c.marque = rang;
                c.poids += poids;
                ++c.apparies;
            }
    }

    std::vector<std::pair<double, int>> scores;
    scores.reserve(brouillon.touches.size());
    for (const int k : brouillon.touches) {
        const Brouillon::Case &c = brouillon.cases[size_t(k)];
        const int pleins = d.pleins[size_t(k)];
        const int reunion =
            std::max({pleinsCherches, pleins, pleinsCherches + pleins - c.apparies});
        scores.emplace_back(std::min(1.0, double(c.poids) / reunion), k);
    }
    // Shared articles break ties: they are counted only for the titles that the other words
    // place as high as the last one kept, or higher.
    if (videsCherches > 0 && !scores.empty()) {
        const qsizetype reste = nombre - resultat.size();
        double seuil = -1.0;
        if (qsizetype(scores.size()) > reste) {
            std::nth_element(scores.begin(), scores.begin() + reste - 1, scores.end(),
                             [](const auto &a, const auto &b) { return a.first > b.first; });
            seuil = scores[size_t(reste - 1)].first;
        }
        for (auto &[score, k] : scores) {
            if (score < seuil)
                continue;
            int vides = 0;
            int videsPartages = 0;
            for (const int *m = d.motsDeCle.begin(k); m != d.motsDeCle.end(k); ++m)
                if (d.vide[size_t(*m)]) {
                    ++vides;
                    if (std::find(videsConnus.begin(), videsConnus.end(), *m) != videsConnus.end())
                        ++videsPartages;
                }
            score += k_poidsVides * videsPartages / (videsCherches + vides - videsPartages);
        }
    }
    garderMeilleurs(scores, nombre - resultat.size(), Candidat::Sorte::Mots);
    if (resultat.size() >= nombre)
        return resultat;

    // The nearest keys by edit distance, among those that share the most triplets.
    const qsizetype longueur = cleCherchee.size();
    const auto borne = [&](qsizetype autre) {
        return int(std::max(longueur, autre) * k_distanceNumerateur / k_distanceDenominateur);
    };
    std::vector<int> codes;
    trigrammes(cleCherchee, [&codes](int code) { codes.push_back(code); });
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    std::sort(codes.begin(), codes.end(), [&](int a, int b) {
        return d.clesDeTrigramme.taille(a) < d.clesDeTrigramme.taille(b);
    });
    qsizetype lus = 0;
    for (const int code : codes) {
        const qsizetype taille = d.clesDeTrigramme.taille(code);
        if (lus > 0 && lus + taille > k_budgetTrigrammes)
            break;
        lus += taille;
        for (const int *k = d.clesDeTrigramme.begin(code); k != d.clesDeTrigramme.end(code); ++k) {
            const qsizetype autre = d.tailles[size_t(*k)];
            if (*k == exacte || std::abs(autre - longueur) > borne(autre))
                continue;
            Brouillon::Case &c = brouillon.cases[size_t(*k)];
            if (c.apparies > 0)
                continue;
            if (c.partages++ == 0)
                brouillon.vus.push_back(*k);
        }
    }
    // The most triplets shared first, then the nearest length, then the index's order; packed
    // in one number so that the choice is quick.
    std::vector<quint64> candidats;
    candidats.reserve(brouillon.vus.size());
    for (const int k : brouillon.vus) {
        const quint64 partages = quint64(std::min(brouillon.cases[size_t(k)].partages, 0xFFFFF));
        const quint64 ecart =
            quint64(std::min<qsizetype>(std::abs(d.tailles[size_t(k)] - longueur), 0xFFFFF));
        candidats.push_back(((0xFFFFFULL - partages) << 44) | (ecart << 24) | quint64(k));
    }
    if (qsizetype(candidats.size()) > k_candidatsDistance) {
        std::nth_element(candidats.begin(), candidats.begin() + k_candidatsDistance,
                         candidats.end());
        candidats.resize(size_t(k_candidatsDistance));
    }
    scores.clear();
    for (const quint64 candidat : candidats) {
        const int k = int(candidat & 0xFFFFFF);
        const QString &autre = d.cles[size_t(k)];
        const int limite = borne(autre.size());
        const int ecartEdition = distance(cleCherchee, autre, limite);
        if (ecartEdition <= limite)
            scores.emplace_back(
                1.0 - double(ecartEdition) / double(std::max(longueur, autre.size())), k);
    }
    garderMeilleurs(scores, nombre - resultat.size(), Candidat::Sorte::Distance);
    return resultat;
}

} // namespace NomVideo

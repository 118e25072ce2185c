// Random cards saved and read back: the file always reads, and every card comes back as a model
// of the documented normalisations says, written here without the program's code.
#include "tests/catalogue/OutilsCatalogue.h"

#include <array>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

using Generateur = std::mt19937;

int tirer(Generateur &g, int min, int max)
{
    return std::uniform_int_distribution<int>(min, max)(g);
}

void ajouterPoint(QString &texte, char32_t point)
{
    texte.append(QString::fromUcs4(&point, 1));
}

// One piece of text among those that a file format finds hard.
void ajouterMorceau(QString &texte, Generateur &g)
{
    switch (tirer(g, 0, 13)) {
    case 0:
    case 1:
    case 2:
        texte += QChar(tirer(g, 0x20, 0x7E));
        break;
    case 3: {
        static const std::array<QString, 12> sequences = {
            u"]]>"_s,  u"<"_s,  u"&"_s,  u">"_s,  u"\""_s,    u"'"_s,
            u"\r\n"_s, u"\r"_s, u"\n"_s, u"\t"_s, u"&amp;"_s, u"<![CDATA["_s};
        texte += sequences[size_t(tirer(g, 0, int(sequences.size()) - 1))];
        break;
    }
    case 4: // C0 controls, tab, LF and CR included
        texte += QChar(tirer(g, 0, 0x1F));
        break;
    case 5:
        texte += QChar(tirer(g, 0, 1) == 0 ? 0xFFFE : 0xFFFF);
        break;
    case 6: // a surrogate alone, or a pair in the wrong order
        if (tirer(g, 0, 2) == 0) {
            texte += QChar(tirer(g, 0xDC00, 0xDFFF));
            texte += QChar(tirer(g, 0xD800, 0xDBFF));
        } else {
            texte += QChar(tirer(g, 0xD800, 0xDFFF));
        }
        break;
    case 7:
    case 8:
        texte += QChar(tirer(g, 0x80, 0x7FF));
        break;
    case 9:
        texte += QChar(tirer(g, 0, 1) == 0 ? tirer(g, 0x800, 0xD7FF) : tirer(g, 0xE000, 0xFFFD));
        break;
    case 10:
    case 11:
        ajouterPoint(texte, char32_t(tirer(g, 0x10000, 0x10FFFF)));
        break;
    case 12:
        texte += u' ';
        break;
    default:
        texte += u"é"_s;
        break;
    }
}

QString texteAuHasard(Generateur &g, bool long_)
{
    const int forme = tirer(g, 0, 99);
    if (forme < 8)
        return {};
    if (forme < 11)
        return u"-"_s;
    QString texte;
    if (forme < 17) { // only blanks
        static const QString blancs = u" \t\r\n"_s;
        for (int n = tirer(g, 1, 6); n > 0; --n)
            texte += blancs.at(tirer(g, 0, 3));
        return texte;
    }
    if (forme < 21) { // only what XML cannot carry
        for (int n = tirer(g, 1, 4); n > 0; --n)
            texte += tirer(g, 0, 1) == 0 ? QChar(tirer(g, 1, 8)) : QChar(0xD800);
        return texte;
    }
    const int longueur = long_ && forme >= 80 ? 10'000 : tirer(g, 1, forme >= 70 ? 300 : 20);
    while (texte.size() < longueur)
        ajouterMorceau(texte, g);
    // A lone high surrogate at the very end.
    if (forme % 17 == 0)
        texte += QChar(0xDBFF);
    return texte;
}

QStringList listeAuHasard(Generateur &g)
{
    QStringList liste;
    for (int n = tirer(g, 0, 3) == 0 ? 0 : tirer(g, 1, 6); n > 0; --n)
        liste.append(texteAuHasard(g, false));
    return liste;
}

std::unique_ptr<TFicheFilm> ficheAuHasard(Generateur &g)
{
    auto t = [&g] {
        return texteAuHasard(g, false);
    };
    QString idFilm = t(), titre = t(), annee = t(), duree = t();
    QString resume = texteAuHasard(g, true);
    QString distributeur = t(), original = t();
    QStringList realisateurs = listeAuHasard(g), nations = listeAuHasard(g);
    QStringList genres = listeAuHasard(g), acteurs = listeAuHasard(g), motsCles = listeAuHasard(g);
    auto fiche =
        std::make_unique<TFicheFilm>(idFilm, titre, annee, duree, resume, distributeur, original,
                                     realisateurs, nations, genres, acteurs, motsCles);
    const std::array<qint32, 6> niveaux = {
        0, 5, 10, -1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    fiche->setNiveauPreference(tirer(g, 0, 1) == 0 ? niveaux[size_t(tirer(g, 0, 5))] : qint32(g()));
    fiche->setNomSupport(t());
    fiche->setTypeSupport(t());
    fiche->setCheminFichier(t());
    fiche->setCheminImage(t());
    fiche->setCodec(t());
    fiche->setCommentaire(texteAuHasard(g, true));
    return fiche;
}

// What XML 1.0 can carry of a text: tab, LF, CR, U+0020 to U+D7FF, U+E000 to U+FFFD and the
// characters beyond U+FFFF written as a surrogate pair.
QString porte(const QString &texte)
{
    QString reste;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < texte.size() &&
            texte.at(i + 1).unicode() >= 0xDC00 && texte.at(i + 1).unicode() <= 0xDFFF) {
            reste += texte.at(i);
            reste += texte.at(++i);
        } else if (c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0xD7FF) ||
                   (c >= 0xE000 && c <= 0xFFFD)) {
            reste += texte.at(i);
        }
    }
    return reste;
}

// A text that is nothing but blanks is no text for the reader.
bool sansTexte(const QString &texte)
{
    for (const QChar c : texte) {
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

// A field reads back as "-" when nothing of it is left, a list entry as an empty entry.
QString champRelu(const QString &texte)
{
    const QString reste = porte(texte);
    return sansTexte(reste) ? u"-"_s : reste;
}

QStringList listeRelue(const QStringList &liste)
{
    QStringList relue;
    for (const QString &entree : liste) {
        const QString reste = porte(entree);
        relue.append(sansTexte(reste) ? QString() : reste);
    }
    return relue;
}

// The text with every character outside printable ASCII as \uXXXX, for failure messages.
std::string lisible(const QString &texte)
{
    std::string sortie;
    for (const QChar c : texte) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            sortie += char(c.unicode());
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", unsigned(c.unicode()));
            sortie += code;
        }
    }
    return sortie.size() > 300 ? sortie.substr(0, 300) + "..." : sortie;
}

std::string lisible(const QStringList &liste)
{
    std::string sortie = "[";
    for (const QString &entree : liste)
        sortie += "\"" + lisible(entree) + "\" ";
    return sortie + "]";
}

struct Champ
{
    const char *nom;
    std::function<QString(const TFicheFilm &)> texte;
};

const std::array<Champ, 13> k_textes = {{
    {"idFilm", &TFicheFilm::idFilm},
    {"titreFrancais", &TFicheFilm::titreFrancais},
    {"annee", &TFicheFilm::annee},
    {"duree", &TFicheFilm::duree},
    {"resume", &TFicheFilm::resume},
    {"distributeurFR", &TFicheFilm::distributeurFR},
    {"titreOriginal", &TFicheFilm::titreOriginal},
    {"nomSupport", &TFicheFilm::nomSupport},
    {"typeSupport", &TFicheFilm::typeSupport},
    {"cheminFichier", &TFicheFilm::cheminFichier},
    {"cheminImage", &TFicheFilm::cheminImage},
    {"codec", &TFicheFilm::codec},
    {"commentaire", &TFicheFilm::commentaire},
}};

const std::array<std::pair<const char *, const QStringList &(TFicheFilm::*)() const>, 5> k_listes =
    {{
        {"realisateurs", &TFicheFilm::realisateurs},
        {"nationnalites", &TFicheFilm::nationnalites},
        {"genres", &TFicheFilm::genres},
        {"acteurs", &TFicheFilm::acteurs},
        {"motsCles", &TFicheFilm::motsCles},
    }};

// Where two texts first differ, for failure messages.
std::string ecart(const QString &attendu, const QString &lu)
{
    qsizetype i = 0;
    while (i < attendu.size() && i < lu.size() && attendu.at(i) == lu.at(i))
        ++i;
    return " (first difference at " + std::to_string(i) + ": expected \"" +
           lisible(attendu.mid(i, 12)) + "\", read \"" + lisible(lu.mid(i, 12)) + "\")";
}

// Every difference between the card read back and the model's, one line each.
std::string differences(const TFicheFilm &ecrite, const TFicheFilm &relue)
{
    std::string ecarts;
    for (const Champ &champ : k_textes) {
        const QString attendu = champRelu(champ.texte(ecrite));
        const QString lu = champ.texte(relue);
        if (lu != attendu)
            ecarts += std::string(champ.nom) + ": written \"" + lisible(champ.texte(ecrite)) +
                      "\", expected \"" + lisible(attendu) + "\", read \"" + lisible(lu) + "\"" +
                      ecart(attendu, lu) + "\n";
    }
    for (const auto &[nom, liste] : k_listes) {
        const QStringList attendue = listeRelue((ecrite.*liste)());
        const QStringList &lue = (relue.*liste)();
        if (lue != attendue)
            ecarts += std::string(nom) + ": written " + lisible((ecrite.*liste)()) + ", expected " +
                      lisible(attendue) + ", read " + lisible(lue) + "\n";
    }
    if (relue.niveauPreference() != ecrite.niveauPreference())
        ecarts += "niveauPreference: written " + std::to_string(ecrite.niveauPreference()) +
                  ", read " + std::to_string(relue.niveauPreference()) + "\n";
    return ecarts;
}

// The seeds: a fixed set, or those of KINOLUX_GRAINES ("7,8,9") to replay or explore.
QList<quint32> graines()
{
    const QByteArray donnees = qgetenv("KINOLUX_GRAINES");
    QList<quint32> liste;
    for (const QByteArray &graine : donnees.split(',')) {
        bool ok = false;
        const quint32 valeur = graine.trimmed().toUInt(&ok);
        if (ok)
            liste.append(valeur);
    }
    if (liste.isEmpty())
        liste = {1, 2, 3, 4, 5, 6, 7, 8};
    return liste;
}

} // namespace

TEST(CatalogueAllerRetour, DesFichesAuHasardSeRelisentCommeLeModeleLeDit)
{
    constexpr int k_fichesParGraine = 50;
    int fiches = 0;
    for (const quint32 graine : graines()) {
        SCOPED_TRACE("graine " + std::to_string(graine) +
                     " (KINOLUX_GRAINES=" + std::to_string(graine) + " rejoue ce cas)");
        Generateur g(graine);
        Programme programme;
        Tdm_Kinolux &dm = programme.demarrer();
        std::vector<std::unique_ptr<TFicheFilm>> ecrites;
        Catalogue copies;
        for (int i = 0; i < k_fichesParGraine; ++i) {
            ecrites.push_back(ficheAuHasard(g));
            copies.push_back(std::make_unique<TFicheFilm>(*ecrites.back()));
        }
        dm.adopterFiches(std::move(copies));
        const QString erreurEcriture = texteErreur([&] { dm.ecrireBaseFilms(); });
        ASSERT_TRUE(erreurEcriture.isEmpty()) << erreurEcriture.toStdString();
        const QString erreurLecture = texteErreur([&] { dm.lireBaseFilms(); });
        ASSERT_TRUE(erreurLecture.isEmpty()) << erreurLecture.toStdString();
        ASSERT_EQ(dm.fichesFilms().size(), ecrites.size());
        for (size_t i = 0; i < ecrites.size(); ++i) {
            const std::string ecarts = differences(*ecrites[i], *dm.fichesFilms()[i]);
            EXPECT_TRUE(ecarts.empty()) << "fiche " << i << ":\n" << ecarts;
        }

        // What was read back is saved and read again unchanged.
        std::vector<std::unique_ptr<TFicheFilm>> relues;
        for (const auto &fiche : dm.fichesFilms())
            relues.push_back(std::make_unique<TFicheFilm>(*fiche));
        dm.ecrireBaseFilms();
        dm.lireBaseFilms();
        ASSERT_EQ(dm.fichesFilms().size(), relues.size());
        for (size_t i = 0; i < relues.size(); ++i) {
            const std::string ecarts = differences(*relues[i], *dm.fichesFilms()[i]);
            EXPECT_TRUE(ecarts.empty()) << "fiche " << i << " au second tour:\n" << ecarts;
        }
        fiches += k_fichesParGraine;
    }
    RecordProperty("fiches", fiches);
}

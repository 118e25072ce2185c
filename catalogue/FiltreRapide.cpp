#include "catalogue/FiltreRapide.h"

#include <array>
#include <limits>
#include <memory>
#include <string_view>

using namespace Qt::StringLiterals;

namespace FiltreRapide {

namespace {

// One folded character for each UTF-16 unit: the base letter of a canonical decomposition, in
// its case-folded form. Made once, the first time a text is folded.
const std::array<char16_t, 65536> &tablePliage()
{
    static const std::unique_ptr<std::array<char16_t, 65536>> table = [] {
        auto t = std::make_unique<std::array<char16_t, 65536>>();
        for (int c = 0; c < 65536; ++c) {
            QChar caractere{char16_t(c)};
            if (caractere.isSurrogate()) {
                (*t)[size_t(c)] = char16_t(c);
                continue;
            }
            if (caractere.decompositionTag() == QChar::Canonical) {
                const QString decomposition = caractere.decomposition();
                if (!decomposition.isEmpty())
                    caractere = decomposition.at(0);
            }
            (*t)[size_t(c)] = caractere.toCaseFolded().unicode();
        }
        return t;
    }();
    return *table;
}

void ajouterPlie(QStringView texte, QByteArray &sortie)
{
    const auto &table = tablePliage();
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = table[texte[i].unicode()];
        if (c < 0x80) {
            sortie.append(char(c));
        } else if (c < 0x800) {
            sortie.append(char(0xC0 | (c >> 6)));
            sortie.append(char(0x80 | (c & 0x3F)));
        } else {
            // Surrogates are copied as they are: the pairs stay pairs, and compare as such.
            sortie.append(char(0xE0 | (c >> 12)));
            sortie.append(char(0x80 | ((c >> 6) & 0x3F)));
            sortie.append(char(0x80 | (c & 0x3F)));
        }
    }
}

// Fields are kept apart so that a word never spans two of them.
constexpr char k_separateur = '\x1F';

struct Prefixe
{
    const char *nom;
    ChampsFiche::Champ champ;
    bool nombre;
};

constexpr Prefixe k_prefixes[] = {
    {"titre", ChampsFiche::TitreFrancais, false},
    {"original", ChampsFiche::TitreOriginal, false},
    {"genre", ChampsFiche::Genres, false},
    {"acteur", ChampsFiche::Acteurs, false},
    {"realisateur", ChampsFiche::Realisateurs, false},
    {"nationalite", ChampsFiche::Nationnalites, false},
    {"pays", ChampsFiche::Nationnalites, false},
    {"motcle", ChampsFiche::MotsCles, false},
    {"distributeur", ChampsFiche::DistributeurFR, false},
    {"support", ChampsFiche::NomSupport, false},
    {"type", ChampsFiche::TypeSupport, false},
    {"codec", ChampsFiche::Codec, false},
    {"annee", ChampsFiche::Annee, true},
    {"duree", ChampsFiche::Duree, true},
    {"pref", ChampsFiche::NiveauPreference, true},
    {"preference", ChampsFiche::NiveauPreference, true},
};

// "1960-1969", "1968", ">7", ">=7", "<3", "<=3".
std::optional<std::pair<qint64, qint64>> intervalle(QStringView valeur)
{
    constexpr qint64 plusPetit = std::numeric_limits<qint64>::min();
    constexpr qint64 plusGrand = std::numeric_limits<qint64>::max();
    const auto nombre = [](QStringView texte) -> std::optional<qint64> {
        bool ok = false;
        const qint64 n = texte.toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    };
    if (valeur.startsWith(u">=") || valeur.startsWith(u"<=")) {
        const auto n = nombre(valeur.mid(2));
        if (!n)
            return std::nullopt;
        return valeur[0] == u'>' ? std::pair(*n, plusGrand) : std::pair(plusPetit, *n);
    }
    if (valeur.startsWith(u'>') || valeur.startsWith(u'<')) {
        const auto n = nombre(valeur.mid(1));
        if (!n || *n == plusGrand || *n == plusPetit)
            return std::nullopt;
        return valeur[0] == u'>' ? std::pair(*n + 1, plusGrand) : std::pair(plusPetit, *n - 1);
    }
    const qsizetype tiret = valeur.indexOf(u'-', 1);
    if (tiret > 0) {
        const auto debut = nombre(valeur.left(tiret));
        const auto fin = nombre(valeur.mid(tiret + 1));
        if (!debut || !fin)
            return std::nullopt;
        return std::pair(std::min(*debut, *fin), std::max(*debut, *fin));
    }
    const auto n = nombre(valeur);
    return n ? std::optional(std::pair(*n, *n)) : std::nullopt;
}

bool contient(QByteArrayView texte, const QByteArray &mot)
{
    return std::string_view(texte.data(), size_t(texte.size()))
               .find(std::string_view(mot.constData(), size_t(mot.size()))) !=
           std::string_view::npos;
}

std::optional<qint64> nombreDuChamp(const TFicheFilm &fiche, ChampsFiche::Champ champ)
{
    if (champ == ChampsFiche::NiveauPreference)
        return fiche.niveauPreference();
    return nombreEnTete(ChampsFiche::texte(fiche, champ));
}

} // namespace

QByteArray plier(QStringView texte)
{
    QByteArray sortie;
    sortie.reserve(texte.size());
    ajouterPlie(texte, sortie);
    return sortie;
}

std::optional<qint64> nombreEnTete(QStringView texte)
{
    qsizetype i = 0;
    while (i < texte.size() && texte[i].isSpace())
        ++i;
    qint64 valeur = 0;
    const qsizetype debut = i;
    for (; i < texte.size() && texte[i] >= u'0' && texte[i] <= u'9' && i - debut < 18; ++i)
        valeur = valeur * 10 + (texte[i].unicode() - u'0');
    if (i == debut)
        return std::nullopt;
    return valeur;
}

// The words of the text; a part between double quotes keeps its blanks ('genre:"film noir"').
QStringList mots(const QString &saisie)
{
    QStringList resultat;
    QString mot;
    bool guillemets = false;
    bool commence = false;
    for (const QChar c : saisie) {
        if (c == u'"') {
            guillemets = !guillemets;
            commence = true;
        } else if (c.isSpace() && !guillemets) {
            if (commence && !mot.isEmpty())
                resultat.append(mot);
            mot.clear();
            commence = false;
        } else {
            mot.append(c);
            commence = true;
        }
    }
    if (!mot.isEmpty())
        resultat.append(mot);
    return resultat;
}

Filtre analyser(const QString &saisie)
{
    Filtre filtre;
    const QStringList mots = FiltreRapide::mots(saisie);
    for (const QString &mot : mots) {
        Critere critere;
        const qsizetype deuxPoints = mot.indexOf(u':');
        if (deuxPoints > 0 && deuxPoints + 1 < mot.size()) {
            const QByteArray nom = plier(QStringView(mot).left(deuxPoints));
            const QStringView valeur = QStringView(mot).mid(deuxPoints + 1);
            for (const Prefixe &prefixe : k_prefixes) {
                if (nom != prefixe.nom)
                    continue;
                critere.champ = prefixe.champ;
                if (prefixe.nombre) {
                    if (const auto bornes = intervalle(valeur)) {
                        critere.genre = Critere::Genre::Intervalle;
                        critere.minimum = bornes->first;
                        critere.maximum = bornes->second;
                    }
                } else {
                    critere.genre = Critere::Genre::Champ;
                    critere.texte = plier(valeur);
                }
                break;
            }
        }
        // A prefix the filter does not know, or a value it cannot read: the whole word is
        // looked for.
        if (critere.genre == Critere::Genre::Mot) {
            critere.champ = ChampsFiche::Aucun;
            critere.texte = plier(mot);
        }
        filtre.criteres.push_back(std::move(critere));
    }
    return filtre;
}

QByteArray texteCherche(const TFicheFilm &fiche)
{
    QByteArray texte;
    for (int i = 0; i < ChampsFiche::NombreChamps; ++i) {
        const auto champ = static_cast<ChampsFiche::Champ>(i);
        if (champ == ChampsFiche::CheminImage || champ == ChampsFiche::CheminFichier)
            continue;
        switch (ChampsFiche::champ(champ).genre) {
        case ChampsFiche::Genre::Texte:
            ajouterPlie(ChampsFiche::texte(fiche, champ), texte);
            texte.append(k_separateur);
            break;
        case ChampsFiche::Genre::Liste:
            for (const QString &entree : ChampsFiche::liste(fiche, champ)) {
                ajouterPlie(entree, texte);
                texte.append(k_separateur);
            }
            break;
        case ChampsFiche::Genre::Entier:
            break;
        }
    }
    // Kept for every card while the overview is open: no room left over.
    texte.squeeze();
    return texte;
}

bool correspond(const TFicheFilm &fiche, QByteArrayView texte, const Filtre &filtre)
{
    for (const Critere &critere : filtre.criteres) {
        switch (critere.genre) {
        case Critere::Genre::Mot:
            if (!contient(texte, critere.texte))
                return false;
            break;
        case Critere::Genre::Champ: {
            bool trouve = false;
            if (ChampsFiche::champ(critere.champ).genre == ChampsFiche::Genre::Liste) {
                for (const QString &entree : ChampsFiche::liste(fiche, critere.champ))
                    trouve = trouve || contient(plier(entree), critere.texte);
            } else {
                trouve = contient(plier(ChampsFiche::texte(fiche, critere.champ)), critere.texte);
            }
            if (!trouve)
                return false;
            break;
        }
        case Critere::Genre::Intervalle: {
            const auto nombre = nombreDuChamp(fiche, critere.champ);
            if (!nombre || *nombre < critere.minimum || *nombre > critere.maximum)
                return false;
            break;
        }
        }
    }
    return true;
}

} // namespace FiltreRapide

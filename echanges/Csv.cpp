#include "echanges/Csv.h"

#include "catalogue/Erreur.h"
#include "catalogue/Recherche.h"
#include "echanges/DeuxMoities.h"
#include "import/Windows1252.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <exception>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using ChampsFiche::Champ;
using ChampsFiche::Genre;

namespace {

const QString k_joint = u"; "_s;

// A spreadsheet program runs a field that begins like a formula ("=", "+", "@", "-2+…"): such
// a field is written behind an apostrophe, which a spreadsheet shows as text and reading takes
// off again. A field that begins with an apostrophe before such a start gets one more, so that
// every value comes back as it was.
bool commeUneFormule(QStringView valeur)
{
    if (valeur.isEmpty())
        return false;
    switch (valeur.front().unicode()) {
    case u'=':
    case u'+':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    case u'-':
        return valeur.size() > 1;
    case u'\'':
        return commeUneFormule(valeur.mid(1));
    default:
        return false;
    }
}

bool aGuillemeter(QStringView valeur, QChar separateur)
{
    for (const QChar c : valeur)
        if (c == separateur || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    return false;
}

void ajouterEntreGuillemets(QString &sortie, QStringView valeur)
{
    qsizetype debut = 0;
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        if (valeur[i] == u'"') {
            sortie += valeur.mid(debut, i + 1 - debut);
            sortie += u'"';
            debut = i + 1;
        }
    }
    sortie += valeur.mid(debut);
}

// A field of one or several parts (the entries of a list, joined by "; ").
void ajouterParties(QString &sortie, const QStringList &parties, QChar separateur)
{
    bool guillemets = separateur == u';' && parties.size() > 1;
    for (const QString &partie : parties)
        guillemets = guillemets || aGuillemeter(partie, separateur);
    const bool protege = !parties.isEmpty() && commeUneFormule(parties.front());
    if (guillemets)
        sortie += u'"';
    if (protege)
        sortie += u'\'';
    bool premiere = true;
    for (const QString &partie : parties) {
        if (!premiere)
            sortie += k_joint;
        premiere = false;
        if (guillemets)
            ajouterEntreGuillemets(sortie, partie);
        else
            sortie += partie;
    }
    if (guillemets)
        sortie += u'"';
}

void ajouterChamp(QString &sortie, const QString &valeur, QChar separateur)
{
    if (!commeUneFormule(valeur) && !aGuillemeter(valeur, separateur))
        sortie += valeur;
    else
        ajouterParties(sortie, QStringList{valeur}, separateur);
}

void ajouterValeur(QString &sortie, const TFicheFilm &fiche, Champ c, QChar separateur)
{
    const ChampsFiche::Description &d = ChampsFiche::champ(c);
    switch (d.genre) {
    case Genre::Liste:
        return ajouterParties(sortie, (fiche.*d.liste)(), separateur);
    case Genre::Entier:
        sortie += QString::number((fiche.*d.entier)());
        return;
    case Genre::Texte:
        break;
    }
    ajouterChamp(sortie, (fiche.*d.texte)(), separateur);
}

Erreur erreurLigne(const QString &nom, int ligne, const QString &texte)
{
    return Erreur(u"%1, ligne %2 : %3"_s.arg(nom).arg(ligne).arg(texte));
}

// The text of the file: UTF-8 (with or without its mark), UTF-16 with its mark, otherwise
// Windows-1252 as spreadsheet programs save it on Windows.
QString decoder(QByteArrayView octets)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(octets.sliced(3));
    if (octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16(octets);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8(octets);
    if (!utf8.hasError())
        return texte;
    return Windows1252::decoder(octets);
}

// The separator of the heading: the most frequent of ",", ";" and tab outside quotes.
QChar separateurDe(QStringView texte)
{
    int virgules = 0;
    int pointsVirgules = 0;
    int tabulations = 0;
    bool entreGuillemets = false;
    for (const QChar c : texte) {
        if (c == u'"')
            entreGuillemets = !entreGuillemets;
        else if (entreGuillemets)
            continue;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u',')
            ++virgules;
        else if (c == u';')
            ++pointsVirgules;
        else if (c == u'\t')
            ++tabulations;
    }
    if (pointsVirgules > virgules && pointsVirgules >= tabulations)
        return u';';
    if (tabulations > virgules && tabulations > pointsVirgules)
        return u'\t';
    return u',';
}

// The records of the text, each cut into fields.
class Decoupeur
{
public:
    Decoupeur(const QString &texte, const QString &nom, QChar separateur)
        : m_debut(texte.constData())
        , m_fin(texte.constData() + texte.size())
        , m_nom(nom)
        , m_separateur(separateur.unicode())
    {
    }

    bool fini() const { return m_courant >= m_fin; }
    int ligne() const { return m_ligne; }

    // The next record; a record of one empty field for a blank line.
    QStringList enregistrement()
    {
        QStringList champs;
        for (;;) {
            champs.append(champSuivant());
            if (m_courant >= m_fin)
                return champs;
            const char16_t c = m_courant->unicode();
            if (c == m_separateur) {
                ++m_courant;
                if (m_courant >= m_fin) {
                    champs.append(QString());
                    return champs;
                }
                continue;
            }
            // The end of the line: CRLF, LF or a lone CR.
            ++m_courant;
            if (c == u'\r' && m_courant < m_fin && *m_courant == u'\n')
                ++m_courant;
            ++m_ligne;
            return champs;
        }
    }

private:
    QString champSuivant()
    {
        const QChar *const debut = m_courant;
        if (m_courant < m_fin && *m_courant == u'"')
            return champEntreGuillemets();
        while (m_courant < m_fin) {
            const char16_t c = m_courant->unicode();
            if (c == m_separateur || c == u'\n' || c == u'\r')
                break;
            ++m_courant;
        }
        verifierTaille(m_courant - debut, m_ligne);
        return QString(debut, m_courant - debut);
    }

    QString champEntreGuillemets()
    {
        const int ligneOuverte = m_ligne;
        ++m_courant;
        QString valeur;
        const QChar *morceau = m_courant;
        for (;;) {
            if (m_courant >= m_fin)
                throw erreurLigne(m_nom, ligneOuverte,
                                  u"un guillemet ouvert n'est jamais fermé."_s);
            const char16_t c = m_courant->unicode();
            if (c == u'"') {
                valeur.append(morceau, m_courant - morceau);
                ++m_courant;
                if (m_courant < m_fin && *m_courant == u'"') {
                    morceau = m_courant; // the doubled quote stands for one
                    ++m_courant;
                    continue;
                }
                break;
            }
            if (c == u'\n' || (c == u'\r' && (m_courant + 1 >= m_fin || m_courant[1] != u'\n')))
                ++m_ligne;
            ++m_courant;
            verifierTaille(valeur.size() + (m_courant - morceau), ligneOuverte);
        }
        // Spreadsheets leave what follows a closing quote in the field ("ab"cd is abcd).
        const QChar *reste = m_courant;
        while (m_courant < m_fin) {
            const char16_t c = m_courant->unicode();
            if (c == m_separateur || c == u'\n' || c == u'\r')
                break;
            ++m_courant;
        }
        valeur.append(reste, m_courant - reste);
        verifierTaille(valeur.size(), ligneOuverte);
        return valeur;
    }

    void verifierTaille(qsizetype taille, int ligne) const
    {
        if (taille > Csv::k_champMaximal)
            throw erreurLigne(m_nom, ligne, u"un champ dépasse 1 Mo."_s);
    }

    const QChar *m_debut;
    const QChar *m_courant = m_debut;
    const QChar *m_fin;
    const QString &m_nom;
    char16_t m_separateur;
    int m_ligne = 1;
};

bool vide(const QStringList &enregistrement)
{
    return enregistrement.size() == 1 && enregistrement.front().isEmpty();
}

QString sansApostrophe(const QString &valeur)
{
    return valeur.startsWith(u'\'') && commeUneFormule(QStringView(valeur).mid(1)) ? valeur.mid(1)
                                                                                   : valeur;
}

// The field a heading names: its French label or its element, letter case and blanks aside.
const QHash<QString, Champ> &colonnesConnues()
{
    static const QHash<QString, Champ> colonnes = [] {
        QHash<QString, Champ> table;
        for (int i = 0; i < ChampsFiche::NombreChamps; ++i) {
            const auto c = static_cast<Champ>(i);
            table.insert(ChampsFiche::libelle(c).toCaseFolded(), c);
            table.insert(QString::fromLatin1(ChampsFiche::champ(c).element).toCaseFolded(), c);
        }
        table.insert(u"couverture"_s, ChampsFiche::CheminImage);
        return table;
    }();
    return colonnes;
}

std::optional<qint32> entier(const QString &texte)
{
    bool ok = false;
    const int valeur = texte.trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(valeur) : std::nullopt;
}

} // namespace

namespace Csv {

QString champ(const QString &valeur, QChar separateur)
{
    QString sortie;
    ajouterChamp(sortie, valeur, separateur);
    return sortie;
}

QByteArray ecrire(const std::vector<TFicheFilm> &fiches, const std::vector<Champ> &colonnes,
                  Progression *progression, QChar separateur)
{
    if (progression)
        progression->definirTotal(qint64(fiches.size()));
    QString entete;
    for (size_t i = 0; i < colonnes.size(); ++i) {
        if (i > 0)
            entete += separateur;
        ajouterChamp(entete, ChampsFiche::libelle(colonnes[i]), separateur);
    }
    entete += u"\r\n";

    // The records of a run of cards, in UTF-8. Both halves of the cards are written at once.
    const auto lignes = [&](size_t debut, size_t fin) {
        QString texte;
        size_t compte = 0;
        for (size_t f = debut; f < fin; ++f) {
            for (size_t i = 0; i < colonnes.size(); ++i) {
                if (i > 0)
                    texte += separateur;
                ajouterValeur(texte, fiches[f], colonnes[i], separateur);
            }
            texte += u"\r\n";
            // The room for the rest, from what the first cards took.
            if (++compte == 64)
                texte.reserve(texte.size() * qsizetype(fin - debut) / 64 * 11 / 10);
            if (progression && compte % 1024 == 0)
                progression->avancer(1024);
        }
        return texte.toUtf8();
    };
    const auto [octets, seconde] = enDeuxMoities(fiches.size(), lignes);
    QByteArray fichier;
    fichier.reserve(3 + entete.size() * 3 + octets.size() + seconde.size());
    fichier += "\xEF\xBB\xBF";
    fichier += entete.toUtf8();
    fichier += octets;
    fichier += seconde;
    return fichier;
}

Tableau lire(QByteArrayView octets, const QString &nom)
{
    if (octets.size() > k_tailleMaximale)
        throw Erreur(u"Le fichier %1 dépasse 256 Mo."_s.arg(nom));
    const QString texte = decoder(octets);
    if (texte.trimmed().isEmpty())
        throw Erreur(u"Le fichier %1 est vide."_s.arg(nom));
    Tableau tableau;
    tableau.separateur = separateurDe(texte);
    Decoupeur decoupeur(texte, nom, tableau.separateur);
    // Blank lines before the heading and between records are passed over.
    while (!decoupeur.fini() && tableau.entete.isEmpty()) {
        QStringList entete = decoupeur.enregistrement();
        if (!vide(entete))
            tableau.entete = std::move(entete);
    }
    const qsizetype largeur = tableau.entete.size();
    while (!decoupeur.fini()) {
        const int ligne = decoupeur.ligne();
        QStringList enregistrement = decoupeur.enregistrement();
        if (vide(enregistrement))
            continue;
        if (enregistrement.size() != largeur)
            throw erreurLigne(nom, ligne,
                              u"%1 champs au lieu des %2 de l'en-tête."_s.arg(enregistrement.size())
                                  .arg(largeur));
        tableau.lignes.push_back(std::move(enregistrement));
        tableau.numeros.push_back(ligne);
    }
    return tableau;
}

Import fiches(const Tableau &tableau, const QString &nom,
              const std::function<bool(const QString &)> &present, Progression *progression)
{
    Import import;
    std::vector<Champ> colonnes;
    bool identifiant = false;
    bool titre = false;
    for (const QString &entete : tableau.entete) {
        const Champ c =
            colonnesConnues().value(entete.trimmed().toCaseFolded(), ChampsFiche::Aucun);
        const bool doublon = c != ChampsFiche::Aucun &&
                             std::find(colonnes.begin(), colonnes.end(), c) != colonnes.end();
        if (c == ChampsFiche::Aucun || doublon)
            import.colonnesIgnorees.append(entete.trimmed());
        colonnes.push_back(doublon ? ChampsFiche::Aucun : c);
        identifiant = identifiant || c == ChampsFiche::IdFilm;
        titre = titre || c == ChampsFiche::TitreFrancais;
    }
    if (!identifiant && !titre)
        throw erreurLigne(nom, 1,
                          u"il manque la colonne « %1 » ou « %2 »."_s.arg(
                              ChampsFiche::libelle(ChampsFiche::IdFilm),
                              ChampsFiche::libelle(ChampsFiche::TitreFrancais)));
    if (progression)
        progression->definirTotal(qint64(tableau.lignes.size()));

    // First the identifiers, in the file's order: which records come in, and the first one that
    // has neither identifier nor title.
    struct Retenu
    {
        size_t rang;
        QString id;
        QString titre;
    };
    std::vector<Retenu> retenus;
    size_t sansNom = tableau.lignes.size();
    QSet<QString> vus;
    for (size_t r = 0; r < tableau.lignes.size(); ++r) {
        const QStringList &enregistrement = tableau.lignes[r];
        QString id;
        QString titreFrancais;
        for (size_t i = 0; i < colonnes.size(); ++i) {
            if (colonnes[i] == ChampsFiche::IdFilm)
                id = sansApostrophe(enregistrement[qsizetype(i)]).trimmed();
            else if (colonnes[i] == ChampsFiche::TitreFrancais)
                titreFrancais = sansApostrophe(enregistrement[qsizetype(i)]);
        }
        if (id.isEmpty())
            id = Recherche::majusculesAscii(titreFrancais.trimmed());
        if (id.isEmpty()) {
            sansNom = r;
            break;
        }
        if (present(id) || vus.contains(id)) {
            import.dejaPresents.append(id);
            continue;
        }
        vus.insert(id);
        retenus.push_back({r, std::move(id), std::move(titreFrancais)});
    }

    const auto construire = [&](const Retenu &retenu) {
        const QStringList &enregistrement = tableau.lignes[retenu.rang];
        const QString &titreFrancais = retenu.titre;
        auto fiche = ChampsFiche::nouvelleFiche(
            retenu.id,
            titreFrancais.isEmpty() || titreFrancais == u"-"_s ? retenu.id : titreFrancais);
        for (size_t i = 0; i < colonnes.size(); ++i) {
            const Champ c = colonnes[i];
            if (c == ChampsFiche::Aucun || c == ChampsFiche::IdFilm)
                continue;
            const QString valeur = sansApostrophe(enregistrement[qsizetype(i)]);
            switch (ChampsFiche::champ(c).genre) {
            case Genre::Texte:
                ChampsFiche::ecrireTexte(*fiche, c, valeur);
                break;
            case Genre::Liste:
                ChampsFiche::ecrireListe(*fiche, c,
                                         valeur.isEmpty() ? QStringList() : valeur.split(k_joint));
                break;
            case Genre::Entier: {
                if (valeur.trimmed().isEmpty())
                    break;
                const std::optional<qint32> nombre = entier(valeur);
                if (!nombre)
                    throw erreurLigne(nom, tableau.numeros[retenu.rang],
                                      u"« %1 » n'est pas un nombre entier (colonne « %2 »)."_s.arg(
                                          valeur.left(40), ChampsFiche::libelle(c)));
                (fiche.get()->*ChampsFiche::champ(c).ecrireEntier)(*nombre);
                break;
            }
            }
        }
        return fiche;
    };

    // Then the cards, each half of them on a core. Each half stops at its first fault; the first
    // one in the file is the one told.
    import.fiches.resize(retenus.size());
    const auto moitie = [&](size_t debut, size_t fin) -> std::exception_ptr {
        try {
            for (size_t k = debut; k < fin; ++k) {
                import.fiches[k] = construire(retenus[k]);
                if (progression && (k + 1) % 1024 == 0)
                    progression->avancer(1024);
            }
        } catch (const Progression::Annulation &) {
            throw;
        } catch (...) {
            return std::current_exception();
        }
        return nullptr;
    };
    const auto [premiere, seconde] = enDeuxMoities(retenus.size(), moitie);
    if (premiere)
        std::rethrow_exception(premiere);
    if (seconde)
        std::rethrow_exception(seconde);
    if (sansNom < tableau.lignes.size())
        throw erreurLigne(nom, tableau.numeros[sansNom], u"ni identifiant ni titre."_s);
    return import;
}

} // namespace Csv

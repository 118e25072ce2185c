#include "catalogue/Recherche.h"

#include <QSet>

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace Recherche {

namespace {

char16_t majusculeAscii(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// Whether the text, upper-cased like the pattern, contains it; compared in place, as the
// search reads two titles of every card.
bool contient(QStringView texte, QStringView motifMajuscules)
{
    const qsizetype longueur = motifMajuscules.size();
    for (qsizetype debut = 0; debut + longueur <= texte.size(); ++debut) {
        qsizetype i = 0;
        while (i < longueur &&
               majusculeAscii(texte[debut + i].unicode()) == motifMajuscules[i].unicode())
            ++i;
        if (i == longueur)
            return true;
    }
    return false;
}

bool satisfaitPrepare(const TFicheFilm &fiche, const Criteres &criteres, const QString &motif)
{
    if (!(criteres.nomFilm || criteres.motCle || criteres.acteur || criteres.distributeur ||
          criteres.realisateur || criteres.annee))
        return false;
    // An empty text occurs nowhere.
    if (criteres.nomFilm && (motif.isEmpty() || !(contient(fiche.titreFrancais(), motif) ||
                                                  contient(fiche.titreOriginal(), motif))))
        return false;
    if (criteres.motCle &&
        (motif.isEmpty() || std::none_of(fiche.motsCles().cbegin(), fiche.motsCles().cend(),
                                         [&](const QString &mot) { return contient(mot, motif); })))
        return false;
    if (criteres.acteur && !fiche.acteurs().contains(criteres.acteurChoisi))
        return false;
    if (criteres.distributeur && fiche.distributeurFR() != criteres.distributeurChoisi)
        return false;
    if (criteres.realisateur && !fiche.realisateurs().contains(criteres.realisateurChoisi))
        return false;
    if (criteres.annee && fiche.annee() != criteres.anneeChoisie)
        return false;
    return true;
}

// A text that compares and hashes ignoring letter case, code point by code point as
// Qt::CaseInsensitive compares; it only views the text.
struct SansCasse
{
    QStringView texte;
};

bool operator==(SansCasse a, SansCasse b)
{
    return a.texte.compare(b.texte, Qt::CaseInsensitive) == 0;
}

size_t qHash(SansCasse cle, size_t graine)
{
    size_t empreinte = graine ^ 0xcbf29ce484222325ULL;
    for (auto c = cle.texte.cbegin(), fin = cle.texte.cend(); c != fin;) {
        char32_t point = c->unicode();
        ++c;
        if (point < 0x80) {
            if (point >= u'A' && point <= u'Z')
                point += u'a' - u'A';
        } else {
            if (QChar::isHighSurrogate(point) && c != fin && c->isLowSurrogate()) {
                point = QChar::surrogateToUcs4(char16_t(point), c->unicode());
                ++c;
            }
            point = QChar::toCaseFolded(point);
        }
        empreinte = (empreinte ^ point) * 0x100000001b3ULL;
    }
    return empreinte;
}

// Appends the values not yet offered, ignoring letter case. The values are the cards' own
// texts, which outlive it. Cards read from the file share their recurring values: a text whose
// very characters were met before is known without reading it again.
class Offre
{
public:
    void ajouter(const QString &valeur)
    {
        const auto [connu, nouveau] = m_caracteres.try_emplace(valeur.constData(), valeur.size());
        if (!nouveau && connu->second == valeur.size())
            return;
        const qsizetype avant = m_vues.size();
        m_vues.insert(SansCasse{valeur});
        if (m_vues.size() != avant)
            m_valeurs.append(valeur);
    }
    QStringList resultat() { return std::move(m_valeurs); }

private:
    // The characters already met, with their length.
    std::unordered_map<const QChar *, qsizetype> m_caracteres;
    QSet<SansCasse> m_vues;
    QStringList m_valeurs;
};

} // namespace

QString majusculesAscii(QString texte)
{
    for (QChar &c : texte)
        c = QChar(majusculeAscii(c.unicode()));
    return texte;
}

bool satisfait(const TFicheFilm &fiche, const Criteres &criteres)
{
    return satisfaitPrepare(fiche, criteres, majusculesAscii(criteres.texte));
}

QStringList rechercher(const Catalogue &fiches, const Criteres &criteres)
{
    const QString motif = majusculesAscii(criteres.texte);
    QStringList titres;
    const size_t nombre = fiches.size();
    for (size_t i = 0; i < nombre; ++i) {
        if (i + 16 < nombre)
            prechargerFiche(fiches[i + 16].get());
        if (i + 8 < nombre) {
            prechargerTexte(fiches[i + 8]->titreFrancais());
            prechargerTexte(fiches[i + 8]->titreOriginal());
        }
        if (satisfaitPrepare(*fiches[i], criteres, motif))
            titres.append(fiches[i]->titreFrancais());
    }
    return titres;
}

Valeurs valeursOffertes(const Catalogue &fiches)
{
    Offre acteurs, distributeurs, realisateurs, annees;
    const size_t nombre = fiches.size();
    for (size_t i = 0; i < nombre; ++i) {
        const TFicheFilm *fiche = fiches[i].get();
        if (i + 16 < nombre)
            prechargerFiche(fiches[i + 16].get());
        if (i + 8 < nombre) {
            prechargerListe(fiches[i + 8]->acteurs());
            prechargerListe(fiches[i + 8]->realisateurs());
        }
        for (const QString &acteur : fiche->acteurs())
            acteurs.ajouter(acteur);
        distributeurs.ajouter(fiche->distributeurFR());
        for (const QString &realisateur : fiche->realisateurs())
            realisateurs.ajouter(realisateur);
        annees.ajouter(fiche->annee());
    }
    return {acteurs.resultat(), distributeurs.resultat(), realisateurs.resultat(),
            annees.resultat()};
}

} // namespace Recherche

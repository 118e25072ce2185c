#include "catalogue/Statistiques.h"

#include "catalogue/FiltreRapide.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/ModeleVueEnsemble.h"

#include <QHash>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Statistiques {

namespace {

bool absent(QStringView texte)
{
    texte = texte.trimmed();
    return texte.isEmpty() || (texte.size() == 1 && texte.front() == u'-');
}

QString valeurOuInconnu(const QString &texte)
{
    if (absent(texte))
        return inconnu();
    // Most values have no blank around them: they are taken as they are, without a copy.
    if (!texte.front().isSpace() && !texte.back().isSpace())
        return texte;
    return texte.trimmed();
}

// Counts the values as the cards hold them, by their characters' address first: the values that
// recur share one text since the catalogue was read, so a count costs no reading of the text.
// The counts of equal values held apart are joined at the end, blanks around them taken off.
class Compteur
{
public:
    void ajouter(const QString &valeur)
    {
        const Cle cle{valeur.constData(), valeur.size()};
        auto position = m_parTexte.find(cle);
        if (position == m_parTexte.end())
            position = m_parTexte.insert(cle, {valeur, 0});
        ++position->nombre;
    }
    void ajouterInconnu() { ++m_inconnus; }

    // Each value once a card: lists are short, a value is compared with the ones before it.
    void ajouterListe(const QStringList &liste)
    {
        if (liste.isEmpty()) {
            ajouterInconnu();
            return;
        }
        for (qsizetype i = 0; i < liste.size(); ++i) {
            const QString &valeur = liste[i];
            bool dejaVue = false;
            for (qsizetype j = 0; j < i && !dejaVue; ++j) {
                const QString &avant = liste[j];
                dejaVue =
                    (avant.constData() == valeur.constData() && avant.size() == valeur.size()) ||
                    (absent(avant) && absent(valeur)) ||
                    QStringView(avant).trimmed() == QStringView(valeur).trimmed();
            }
            if (!dejaVue)
                ajouter(valeur);
        }
    }

    QHash<QString, int> comptes() const
    {
        QHash<QString, int> resultat;
        for (const Entree &entree : m_parTexte)
            resultat[valeurOuInconnu(entree.texte)] += entree.nombre;
        if (m_inconnus > 0)
            resultat[inconnu()] += m_inconnus;
        return resultat;
    }

private:
    struct Cle
    {
        const QChar *texte;
        qsizetype taille;
        bool operator==(const Cle &autre) const
        {
            return texte == autre.texte && taille == autre.taille;
        }
        friend size_t qHash(const Cle &cle, size_t graine)
        {
            return qHashMulti(graine, quintptr(cle.texte), cle.taille);
        }
    };
    // The value is held: its characters stay where they are while they are counted.
    struct Entree
    {
        QString texte;
        int nombre;
    };
    QHash<Cle, Entree> m_parTexte;
    int m_inconnus = 0;
};

// Most frequent first, then in alphabetical order; beyond `maximum` values, the rest as "Autres";
// "Inconnu" last.
std::vector<Compte> classer(const QHash<QString, int> &comptes, int maximum)
{
    std::vector<Compte> tries;
    int inconnus = 0;
    for (auto it = comptes.cbegin(); it != comptes.cend(); ++it) {
        if (it.key() == inconnu())
            inconnus = it.value();
        else
            tries.push_back({it.key(), it.value()});
    }
    std::sort(tries.begin(), tries.end(), [](const Compte &a, const Compte &b) {
        return a.nombre != b.nombre ? a.nombre > b.nombre : a.valeur < b.valeur;
    });
    if (maximum > 0 && tries.size() > size_t(maximum)) {
        int reste = 0;
        for (size_t i = size_t(maximum); i < tries.size(); ++i)
            reste += tries[i].nombre;
        tries.resize(size_t(maximum));
        tries.push_back({autres(), reste});
    }
    if (inconnus > 0)
        tries.push_back({inconnu(), inconnus});
    return tries;
}

} // namespace

const QString &inconnu()
{
    static const QString texte = u"Inconnu"_s;
    return texte;
}

const QString &autres()
{
    static const QString texte = u"Autres"_s;
    return texte;
}

Resultat calculer(std::span<const TFicheFilm *const> fiches)
{
    Resultat resultat;
    resultat.films = int(fiches.size());
    QHash<int, int> decennies;
    int anneesInconnues = 0;
    Compteur genres, nationalites, distributeurs, supports;
    int preferences[11] = {};
    int preferencesInconnues = 0;
    qint64 sommePreferences = 0;

    for (size_t i = 0; i < fiches.size(); ++i) {
        const TFicheFilm &fiche = *fiches[i];
        if (i + 8 < fiches.size())
            prechargerFiche(fiches[i + 8]);
        if (const auto annee = FiltreRapide::nombreEnTete(fiche.annee()))
            ++decennies[int(*annee / 10 * 10)];
        else
            ++anneesInconnues;
        if (const auto duree = FiltreRapide::nombreEnTete(fiche.duree()))
            resultat.minutes += *duree;
        else
            ++resultat.dureesInconnues;
        genres.ajouterListe(fiche.genres());
        nationalites.ajouterListe(fiche.nationnalites());
        distributeurs.ajouter(fiche.distributeurFR());
        supports.ajouter(fiche.typeSupport());
        const qint32 preference = fiche.niveauPreference();
        if (preference >= 0 && preference <= 10) {
            ++preferences[preference];
            sommePreferences += preference;
        } else {
            ++preferencesInconnues;
        }
        const QString &couverture = fiche.cheminImage();
        if (absent(couverture) ||
            QStringView(couverture).trimmed().endsWith(u"SANSIMAGE.jpg", Qt::CaseInsensitive))
            ++resultat.sansCouverture;
        if (absent(fiche.cheminFichier()))
            ++resultat.sansFichier;
    }
    resultat.sansAnnee = anneesInconnues;

    std::vector<int> debuts(decennies.keyBegin(), decennies.keyEnd());
    std::sort(debuts.begin(), debuts.end());
    auto &parDecennie = resultat.comptes[int(Graphique::Decennies)];
    for (const int debut : debuts)
        parDecennie.push_back({u"%1-%2"_s.arg(debut).arg(debut + 9), decennies.value(debut)});
    if (anneesInconnues > 0)
        parDecennie.push_back({inconnu(), anneesInconnues});
    resultat.comptes[int(Graphique::Genres)] = classer(genres.comptes(), k_plusFrequents);
    resultat.comptes[int(Graphique::Nationalites)] =
        classer(nationalites.comptes(), k_plusFrequents);
    resultat.comptes[int(Graphique::Distributeurs)] =
        classer(distributeurs.comptes(), k_plusFrequents);
    resultat.comptes[int(Graphique::Supports)] = classer(supports.comptes(), 0);
    auto &parPreference = resultat.comptes[int(Graphique::Preferences)];
    for (int niveau = 0; niveau <= 10; ++niveau)
        parPreference.push_back({QString::number(niveau), preferences[niveau]});
    if (preferencesInconnues > 0)
        parPreference.push_back({inconnu(), preferencesInconnues});
    const int notees = resultat.films - preferencesInconnues;
    resultat.preferenceMoyenne = notees > 0 ? double(sommePreferences) / notees : 0;
    return resultat;
}

std::vector<const TFicheFilm *> fichesMontrees(const ModeleVueEnsemble &vue)
{
    const auto *source = static_cast<const ModeleCatalogue *>(vue.sourceModel());
    std::vector<const TFicheFilm *> fiches;
    const int lignes = vue.rowCount();
    fiches.reserve(size_t(lignes));
    for (int ligne = 0; ligne < lignes; ++ligne)
        fiches.push_back(&source->fiche(vue.mapToSource(vue.index(ligne, 0)).row()));
    return fiches;
}

QString filtrePour(Graphique graphique, const QString &valeur)
{
    if (valeur == inconnu() || valeur == autres())
        return {};
    static const char16_t *const prefixes[nombreGraphiques] = {
        u"annee:", u"genre:", u"pays:", u"distributeur:", u"type:", u"pref:"};
    QString texte = valeur;
    if (texte.contains(u' ') || texte.contains(u'"'))
        texte = u'"' + texte.replace(u'"', u' ') + u'"';
    return QString::fromUtf16(prefixes[int(graphique)]) + texte;
}

QString titre(Graphique graphique)
{
    switch (graphique) {
    case Graphique::Decennies:
        return u"Films par décennie"_s;
    case Graphique::Genres:
        return u"Genres"_s;
    case Graphique::Nationalites:
        return u"Nationalités"_s;
    case Graphique::Distributeurs:
        return u"Distributeurs"_s;
    case Graphique::Supports:
        return u"Types de support"_s;
    case Graphique::Preferences:
        return u"Préférences"_s;
    }
    return {};
}

QString totaux(const Resultat &r)
{
    const QLocale francais(QLocale::French, QLocale::France);
    const qint64 heures = r.minutes / 60;
    QStringList lignes;
    lignes << u"Films : %1"_s.arg(francais.toString(r.films));
    lignes << u"Durée totale : %1 j %2 h %3 min"_s.arg(heures / 24)
                      .arg(heures % 24)
                      .arg(r.minutes % 60) +
                  (r.dureesInconnues > 0
                       ? u" (%1 durée(s) inconnue(s))"_s.arg(francais.toString(r.dureesInconnues))
                       : QString());
    lignes << u"Préférence moyenne : %1"_s.arg(francais.toString(r.preferenceMoyenne, 'f', 1));
    lignes << u"Sans couverture : %1"_s.arg(francais.toString(r.sansCouverture));
    lignes << u"Sans fichier vidéo : %1"_s.arg(francais.toString(r.sansFichier));
    lignes << u"Sans année : %1"_s.arg(francais.toString(r.sansAnnee));
    return lignes.join(u'\n');
}

} // namespace Statistiques

#include "echanges/Doublons.h"

#include "catalogue/Erreur.h"
#include "catalogue/FiltreRapide.h"
#include "echanges/DeuxMoities.h"
#include "echanges/NomVideo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace Doublons {

namespace {

bool renseigne(const QString &texte)
{
    return !texte.isEmpty() && texte != u"-"_s;
}

// The year of a card as a number ("1968?" is 1968); 0 without one.
int anneeDe(const QString &annee)
{
    const std::optional<qint64> nombre = FiltreRapide::nombreEnTete(annee);
    return nombre && *nombre >= 1000 && *nombre <= 9999 ? int(*nombre) : 0;
}

class Ensembles
{
public:
    explicit Ensembles(size_t nombre)
        : m_parent(nombre)
        , m_raisons(nombre, 0)
    {
        std::iota(m_parent.begin(), m_parent.end(), quint32(0));
    }

    quint32 racine(quint32 i)
    {
        while (m_parent[i] != i) {
            m_parent[i] = m_parent[m_parent[i]];
            i = m_parent[i];
        }
        return i;
    }

    void unir(quint32 a, quint32 b, unsigned raison)
    {
        a = racine(a);
        b = racine(b);
        if (a != b) {
            // The smaller place stays the root: a group is then found at its first card.
            if (b < a)
                std::swap(a, b);
            m_parent[b] = a;
            m_raisons[a] |= m_raisons[b];
        }
        m_raisons[a] |= raison;
    }

    unsigned raisons(quint32 i) { return m_raisons[racine(i)]; }

private:
    std::vector<quint32> m_parent;
    std::vector<unsigned> m_raisons;
};

// Links the cards of one bucket, but never two the user set apart.
class Liens
{
public:
    Liens(const Catalogue &fiches, const PasDoublons &pasDoublons, Ensembles &ensembles)
        : m_fiches(fiches)
        , m_ensembles(ensembles)
    {
        for (const Paire &p : pasDoublons) {
            m_exclus[p.first].insert(p.second);
            m_exclus[p.second].insert(p.first);
        }
    }

    void lier(const std::vector<quint32> &seau, unsigned raison)
    {
        if (seau.size() < 2)
            return;
        if (m_exclus.isEmpty()) {
            for (size_t i = 1; i < seau.size(); ++i)
                m_ensembles.unir(seau[0], seau[i], raison);
            return;
        }
        // Cards that no pair names all go to the first of them; each named card goes to the
        // first card it is not set apart from.
        std::vector<quint32> libres;
        std::vector<quint32> marques;
        for (const quint32 i : seau)
            (m_exclus.contains(id(i)) ? marques : libres).push_back(i);
        for (size_t i = 1; i < libres.size(); ++i)
            m_ensembles.unir(libres[0], libres[i], raison);
        for (size_t k = 0; k < marques.size(); ++k) {
            const QSet<QString> &exclus = m_exclus[id(marques[k])];
            const auto libre = std::find_if(libres.begin(), libres.end(),
                                            [&](quint32 i) { return !exclus.contains(id(i)); });
            if (libre != libres.end())
                m_ensembles.unir(marques[k], *libre, raison);
            for (size_t j = k + 1; j < marques.size(); ++j)
                if (!exclus.contains(id(marques[j])))
                    m_ensembles.unir(marques[k], marques[j], raison);
        }
    }

private:
    const QString &id(quint32 i) const { return m_fiches[i]->idFilm(); }

    const Catalogue &m_fiches;
    Ensembles &m_ensembles;
    QHash<QString, QSet<QString>> m_exclus;
};

template <typename Cle> using Seaux = QHash<Cle, std::vector<quint32>>;

// Cards by key, the cards of a key chained through a table beside the cards: no list is made for
// a key that only one card has, which most keys are.
class Chaines
{
public:
    explicit Chaines(size_t nombre)
        : m_suivant(nombre, k_fin)
    {
    }

    void ajouter(const QString &cle, quint32 i)
    {
        const auto it = m_bouts.find(cle);
        if (it == m_bouts.end()) {
            m_bouts.insert(cle, {i, i});
            return;
        }
        m_suivant[it->second] = i;
        it->second = i;
    }

    // f(cards) for each key that two cards or more share.
    template <typename F> void parcourir(F f) const
    {
        std::vector<quint32> seau;
        for (const auto &[premier, dernier] : m_bouts) {
            if (premier == dernier)
                continue;
            seau.clear();
            for (quint32 i = premier; i != k_fin; i = m_suivant[i])
                seau.push_back(i);
            f(seau);
        }
    }

private:
    static constexpr quint32 k_fin = ~quint32(0);
    QHash<QString, std::pair<quint32, quint32>> m_bouts;
    std::vector<quint32> m_suivant;
};

// The same title: by key, then by year; cards without a year go with the only year of their
// title, or stay among themselves.
void lierTitres(const Catalogue &fiches, const std::vector<QString> &cles, Liens &liens)
{
    Chaines titres(fiches.size());
    for (size_t i = 0; i < fiches.size(); ++i)
        if (!cles[i].isEmpty())
            titres.ajouter(cles[i], quint32(i));
    titres.parcourir([&](const std::vector<quint32> &seau) {
        std::vector<std::pair<int, quint32>> parAnnee;
        for (const quint32 i : seau)
            parAnnee.emplace_back(anneeDe(fiches[i]->annee()), i);
        std::sort(parAnnee.begin(), parAnnee.end());
        std::vector<quint32> sansAnnee;
        std::vector<std::vector<quint32>> annees;
        for (size_t k = 0; k < parAnnee.size(); ++k) {
            const auto [annee, i] = parAnnee[k];
            if (annee == 0)
                sansAnnee.push_back(i);
            else if (k > 0 && parAnnee[k - 1].first == annee)
                annees.back().push_back(i);
            else
                annees.push_back({i});
        }
        if (annees.size() == 1) {
            annees[0].insert(annees[0].end(), sansAnnee.begin(), sansAnnee.end());
            liens.lier(annees[0], MemeTitre);
            return;
        }
        for (const std::vector<quint32> &annee : annees)
            liens.lier(annee, MemeTitre);
        liens.lier(sansAnnee, MemeTitre);
    });
}

QString cheminVideo(const QString &chemin)
{
    if (!renseigne(chemin.trimmed()))
        return {};
    return QDir::cleanPath(QString(chemin.trimmed()).replace(u'\\', u'/'));
}

bool sansImage(const QString &chemin)
{
    return !renseigne(chemin) || chemin.endsWith(u"SANSIMAGE.jpg"_s, Qt::CaseInsensitive);
}

// The same picture: first by stored path (the same file), then by size, then by the first bytes,
// and only then by the whole picture. Pictures whose size no other shares are never read.
void lierCouvertures(const Catalogue &fiches, const Couvertures &couvertures, Liens &liens)
{
    constexpr qint64 k_debut = 16 << 10;
    Seaux<QString> parChemin;
    for (size_t i = 0; i < fiches.size(); ++i) {
        const QString &chemin = fiches[i]->cheminImage();
        if (!sansImage(chemin))
            parChemin[QString(chemin).replace(u'\\', u'/')].push_back(quint32(i));
    }
    QHash<qint64, QStringList> parTaille;
    for (auto it = parChemin.cbegin(); it != parChemin.cend(); ++it) {
        const qint64 taille = couvertures.taille ? couvertures.taille(it.key()) : -1;
        if (taille > 0)
            parTaille[taille].append(it.key());
    }
    const auto empreinte = [](QByteArrayView octets) {
        return QCryptographicHash::hash(octets, QCryptographicHash::Sha1);
    };
    const QByteArray &modele = couvertures.sansImage;
    const QByteArray debutModele =
        modele.isEmpty() ? QByteArray()
                         : empreinte(modele.first(std::min<qsizetype>(modele.size(), k_debut)));
    // A key of the pictures alike: their size, then the hash of all their bytes (or of their
    // first bytes, with a mark, for a picture that no other of its size begins like).
    Seaux<QByteArray> parContenu;
    const auto ajouter = [&](qint64 taille, const QByteArray &cle, const QString &chemin) {
        const std::vector<quint32> &cartes = parChemin[chemin];
        std::vector<quint32> &seau = parContenu[QByteArray::number(taille) + u':' + cle];
        seau.insert(seau.end(), cartes.begin(), cartes.end());
    };
    for (auto it = parTaille.cbegin(); it != parTaille.cend(); ++it) {
        const qint64 taille = it.key();
        const QStringList &chemins = it.value();
        if (chemins.size() == 1 && parChemin[chemins.front()].size() < 2)
            continue;
        QHash<QByteArray, QStringList> parDebut;
        for (const QString &chemin : chemins) {
            const QByteArray debut = couvertures.octets(chemin, k_debut);
            if (debut.isEmpty())
                continue;
            const QByteArray cle = empreinte(debut);
            if (taille == modele.size() && cle == debutModele &&
                (taille <= k_debut || couvertures.octets(chemin, -1) == modele))
                continue; // the placeholder
            parDebut[cle].append(chemin);
        }
        for (auto d = parDebut.cbegin(); d != parDebut.cend(); ++d) {
            for (const QString &chemin : d.value()) {
                if (taille <= k_debut)
                    ajouter(taille, d.key(), chemin);
                else if (d.value().size() == 1)
                    ajouter(taille, d.key() + "+", chemin);
                else
                    ajouter(taille, empreinte(couvertures.octets(chemin, -1)), chemin);
            }
        }
    }
    for (const std::vector<quint32> &seau : std::as_const(parContenu))
        if (seau.size() <= size_t(k_couvertureCommune))
            liens.lier(seau, MemeCouverture);
}

} // namespace

Paire paire(const QString &a, const QString &b)
{
    return a <= b ? Paire(a, b) : Paire(b, a);
}

void marquer(PasDoublons &pasDoublons, const std::vector<QString> &identifiants)
{
    for (size_t i = 0; i < identifiants.size(); ++i)
        for (size_t j = i + 1; j < identifiants.size(); ++j)
            if (identifiants[i] != identifiants[j])
                pasDoublons.insert(paire(identifiants[i], identifiants[j]));
}

Couvertures couverturesSurDisque(std::function<QString(const QString &)> fichier,
                                 QByteArray sansImage)
{
    Couvertures couvertures;
    couvertures.taille = [fichier](const QString &chemin) -> qint64 {
        const QString f = fichier(chemin);
        if (f.isEmpty())
            return -1;
        const QFileInfo info(f);
        return info.isFile() ? info.size() : -1;
    };
    couvertures.octets = [fichier](const QString &chemin, qint64 maximum) {
        QFile f(fichier(chemin));
        if (f.fileName().isEmpty() || !f.open(QIODevice::ReadOnly))
            return QByteArray();
        return maximum < 0 ? f.readAll() : f.read(maximum);
    };
    couvertures.sansImage = std::move(sansImage);
    return couvertures;
}

std::vector<Groupe> chercher(const Catalogue &fiches, const PasDoublons &pasDoublons,
                             const Couvertures *couvertures)
{
    // The title keys, each half of the cards on a core: they are most of the work.
    std::vector<QString> titres(fiches.size());
    std::vector<QString> originaux(fiches.size());
    enDeuxMoities(fiches.size(), [&](size_t debut, size_t fin) {
        for (size_t i = debut; i < fin; ++i) {
            const TFicheFilm &fiche = *fiches[i];
            if (renseigne(fiche.titreFrancais()))
                titres[i] = NomVideo::cleTitre(fiche.titreFrancais());
            const int annee = anneeDe(fiche.annee());
            if (annee && renseigne(fiche.titreOriginal())) {
                const QString cle = NomVideo::cleTitre(fiche.titreOriginal());
                if (!cle.isEmpty())
                    originaux[i] = cle + u'\x1f' + QString::number(annee);
            }
        }
        return 0;
    });

    Ensembles ensembles(fiches.size());
    Liens liens(fiches, pasDoublons, ensembles);
    lierTitres(fiches, titres, liens);

    Chaines memeOriginal(fiches.size());
    Chaines memeFichier(fiches.size());
    for (size_t i = 0; i < fiches.size(); ++i) {
        if (!originaux[i].isEmpty())
            memeOriginal.ajouter(originaux[i], quint32(i));
        if (const QString video = cheminVideo(fiches[i]->cheminFichier()); !video.isEmpty())
            memeFichier.ajouter(video, quint32(i));
    }
    memeOriginal.parcourir(
        [&](const std::vector<quint32> &seau) { liens.lier(seau, MemeTitreOriginal); });
    memeFichier.parcourir([&](const std::vector<quint32> &seau) { liens.lier(seau, MemeFichier); });
    if (couvertures)
        lierCouvertures(fiches, *couvertures, liens);

    std::vector<Groupe> groupes;
    QHash<quint32, size_t> groupeDe;
    for (size_t i = 0; i < fiches.size(); ++i) {
        const quint32 racine = ensembles.racine(quint32(i));
        if (racine == i)
            continue;
        auto it = groupeDe.find(racine);
        if (it == groupeDe.end()) {
            it = groupeDe.insert(racine, groupes.size());
            groupes.push_back({{racine}, ensembles.raisons(racine)});
        }
        groupes[*it].fiches.push_back(i);
    }
    return groupes;
}

QString fichierPasDoublons(const QString &repertoire)
{
    return QDir(repertoire).filePath(u"doublons.ini"_s);
}

PasDoublons lirePasDoublons(const QString &fichier)
{
    PasDoublons pasDoublons;
    if (!QFileInfo::exists(fichier))
        return pasDoublons;
    QSettings ini(fichier, QSettings::IniFormat);
    const int nombre = ini.beginReadArray(u"pasDoublons"_s);
    for (int i = 0; i < nombre; ++i) {
        ini.setArrayIndex(i);
        const QString premier = ini.value(u"premier"_s).toString();
        const QString second = ini.value(u"second"_s).toString();
        if (!premier.isEmpty() && !second.isEmpty() && premier != second)
            pasDoublons.insert(paire(premier, second));
    }
    ini.endArray();
    return pasDoublons;
}

void ecrirePasDoublons(const QString &fichier, const PasDoublons &pasDoublons)
{
    // In order, so that the file changes only where the set does.
    std::vector<Paire> paires(pasDoublons.begin(), pasDoublons.end());
    std::sort(paires.begin(), paires.end());
    {
        // QSettings writes through a temporary file renamed over the old one.
        QSettings ini(fichier, QSettings::IniFormat);
        ini.remove(u"pasDoublons"_s);
        ini.beginWriteArray(u"pasDoublons"_s, int(paires.size()));
        for (size_t i = 0; i < paires.size(); ++i) {
            ini.setArrayIndex(int(i));
            ini.setValue(u"premier"_s, paires[i].first);
            ini.setValue(u"second"_s, paires[i].second);
        }
        ini.endArray();
        ini.sync();
        if (ini.status() == QSettings::NoError)
            return;
    }
    throw Erreur(u"Le fichier %1 ne peut pas être écrit."_s.arg(QDir::toNativeSeparators(fichier)));
}

Choix choixParDefaut(const std::vector<const TFicheFilm *> &fiches)
{
    Choix choix{};
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c) {
        const auto champ = static_cast<ChampsFiche::Champ>(c);
        const ChampsFiche::Description &d = ChampsFiche::champ(champ);
        for (size_t i = 0; i < fiches.size(); ++i) {
            const bool plein = d.genre == ChampsFiche::Genre::Texte
                                   ? renseigne(ChampsFiche::texte(*fiches[i], champ))
                               : d.genre == ChampsFiche::Genre::Liste
                                   ? !ChampsFiche::liste(*fiches[i], champ).isEmpty()
                                   : true;
            if (plein) {
                choix[size_t(c)] = i;
                break;
            }
        }
    }
    return choix;
}

TFicheFilm fusionner(const std::vector<const TFicheFilm *> &fiches, const Choix &choix)
{
    const auto choisie = [&](ChampsFiche::Champ c) -> const TFicheFilm & {
        return *fiches.at(choix[size_t(c)]);
    };
    TFicheFilm fusion(choisie(ChampsFiche::IdFilm).idFilm());
    for (int c = ChampsFiche::TitreFrancais; c < ChampsFiche::NombreChamps; ++c) {
        const auto champ = static_cast<ChampsFiche::Champ>(c);
        const ChampsFiche::Description &d = ChampsFiche::champ(champ);
        switch (d.genre) {
        case ChampsFiche::Genre::Texte:
            ChampsFiche::ecrireTexte(fusion, champ, ChampsFiche::texte(choisie(champ), champ));
            break;
        case ChampsFiche::Genre::Entier:
            (fusion.*d.ecrireEntier)((choisie(champ).*d.entier)());
            break;
        case ChampsFiche::Genre::Liste: {
            QStringList unie;
            QSet<QString> vues;
            const auto ajouter = [&](const TFicheFilm &fiche) {
                for (const QString &entree : ChampsFiche::liste(fiche, champ)) {
                    const QString cle = entree.trimmed().toCaseFolded();
                    if (!vues.contains(cle)) {
                        vues.insert(cle);
                        unie.append(entree);
                    }
                }
            };
            ajouter(choisie(champ));
            for (const TFicheFilm *fiche : fiches)
                if (fiche != &choisie(champ))
                    ajouter(*fiche);
            ChampsFiche::ecrireListe(fusion, champ, unie);
            break;
        }
        }
    }
    return fusion;
}

} // namespace Doublons

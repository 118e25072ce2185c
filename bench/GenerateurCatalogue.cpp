#include "bench/GenerateurCatalogue.h"

#include "catalogue/Tdm_Kinolux.h"
#include "import/Windows1252.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>

#include <map>

using namespace Qt::StringLiterals;

namespace {

struct Article
{
    QString devant;  // as the title is read
    QString suffixe; // as the index writes it
};

const Article k_articles[] = {
    {u"Le "_s, u" (LE)"_s}, {u"La "_s, u" (LA)"_s}, {u"Les "_s, u" (LES)"_s},
    {u"L'"_s, u" (L')"_s},  {u"Un "_s, u" (UN)"_s}, {u"Une "_s, u" (UNE)"_s},
    {QString(), QString()}, {QString(), QString()},
};

const QStringList k_noms = {u"Pont"_s,     u"Été"_s,     u"Armée"_s,   u"Cercle"_s,  u"Fenêtre"_s,
                            u"Écume"_s,    u"Château"_s, u"Rivière"_s, u"Mémoire"_s, u"Forêt"_s,
                            u"Boucher"_s,  u"Silence"_s, u"Horloge"_s, u"Nuit"_s,    u"Dîner"_s,
                            u"Étranger"_s, u"Quai"_s,    u"Grève"_s,   u"Voyage"_s,  u"Récit"_s,
                            u"Ombre"_s,    u"Cœur"_s,    u"Île"_s,     u"Bête"_s,    u"Jardin"_s,
                            u"Départ"_s,   u"Procès"_s,  u"Sœur"_s,    u"Mépris"_s,  u"Amant"_s};
const QStringList k_complements = {u"des ombres"_s,     u"rouge"_s,       u"de minuit"_s,
                                   u"sur l'herbe"_s,    u"du paradis"_s,  u"à Paris"_s,
                                   u"d'hiver"_s,        u"perdu"_s,       u"de la rivière Kwaï"_s,
                                   u"des brumes"_s,     u"sans nom"_s,    u"éternel"_s,
                                   u"de cinq à sept"_s, u"du dimanche"_s, u"en plein été"_s,
                                   u"des innocents"_s,  u"français"_s,    u"blessé"_s};
const QStringList k_mots = {
    u"un"_s,       u"homme"_s,      u"revient"_s,   u"dans"_s,     u"son"_s,       u"village"_s,
    u"natal"_s,    u"après"_s,      u"la"_s,        u"guerre"_s,   u"et"_s,        u"découvre"_s,
    u"que"_s,      u"sa"_s,         u"maison"_s,    u"été"_s,      u"vendue"_s,    u"une"_s,
    u"jeune"_s,    u"femme"_s,      u"chanteuse"_s, u"attend"_s,   u"résultats"_s, u"médecin"_s,
    u"pendant"_s,  u"deux"_s,       u"heures"_s,    u"Paris"_s,    u"rencontre"_s, u"étrange"_s,
    u"frère"_s,    u"mystérieux"_s, u"château"_s,   u"hérite"_s,   u"d'un"_s,      u"oncle"_s,
    u"fortune"_s,  u"décide"_s,     u"fuir"_s,      u"vers"_s,     u"côte"_s,      u"où"_s,
    u"l'attend"_s, u"secret"_s,     u"famille"_s,   u"été"_s,      u"chaud"_s,     u"désir"_s,
    u"trahison"_s, u"enquête"_s,    u"policier"_s,  u"retraité"_s, u"lettre"_s,    u"ancienne"_s};
const QStringList k_prenoms = {
    u"Jean"_s,   u"Agnès"_s,    u"François"_s, u"Hélène"_s, u"Gérard"_s,   u"Stéphane"_s,
    u"Michel"_s, u"Cécile"_s,   u"André"_s,    u"Jérôme"_s, u"Isabelle"_s, u"Léa"_s,
    u"Noël"_s,   u"Béatrice"_s, u"Jacques"_s,  u"Renée"_s,  u"Émile"_s,    u"Chloé"_s};
const QStringList k_familles = {u"Gabin"_s,     u"Varda"_s,    u"Truffaut"_s, u"Moreau"_s,
                                u"Depardieu"_s, u"Audran"_s,   u"Piccoli"_s,  u"Deneuve"_s,
                                u"Signoret"_s,  u"Belmondo"_s, u"Delon"_s,    u"Huppert"_s,
                                u"Ventura"_s,   u"Noiret"_s,   u"Bonnaire"_s, u"Léaud"_s,
                                u"Bécaud"_s,    u"Présle"_s,   u"Dréville"_s, u"Lefèvre"_s};
const QStringList k_genres = {u"Drame"_s,           u"Comédie"_s,  u"Policier"_s,
                              u"Aventure"_s,        u"Guerre"_s,   u"Comédie dramatique"_s,
                              u"Science-fiction"_s, u"Thriller"_s, u"Romance"_s,
                              u"Documentaire"_s};
const QStringList k_nationalites = {u"France"_s, u"Italie"_s,  u"Belgique"_s, u"Suisse"_s,
                                    u"Canada"_s, u"Espagne"_s, u"Allemagne"_s};
const QStringList k_distributeurs = {u"Gaumont"_s,      u"Pathé"_s, u"UGC"_s,
                                     u"Ciné-Tamaris"_s, u"MK2"_s,   u"Les Films du Losange"_s};
const QStringList k_supports = {u"DVD-/+R(W)"_s, u"DVD-VIDEO"_s, u"CD-R(W)"_s,
                                u"Disque Dur Local"_s, u"Disque Dur Externe"_s};
const QStringList k_codecs = {u"MPEG2"_s, u"DivX"_s, u"XviD"_s, u"H.264"_s};

class Tirage
{
public:
    explicit Tirage(quint32 graine)
        : m_generateur(graine)
    {
    }
    int entier(int borne) { return int(m_generateur.bounded(borne)); }
    const QString &parmi(const QStringList &liste) { return liste[entier(int(liste.size()))]; }
    QString personne() { return parmi(k_prenoms) + u' ' + parmi(k_familles); }

    // The title as read and as the index writes it.
    std::pair<QString, QString> titre()
    {
        const Article &article = k_articles[entier(std::size(k_articles))];
        QString corps = parmi(k_noms);
        if (entier(3) != 0)
            corps += u' ' + parmi(k_complements);
        return {article.devant + corps, corps.toUpper() + article.suffixe};
    }

private:
    QRandomGenerator m_generateur;
};

} // namespace

namespace GenerateurCatalogue {

const std::vector<TFicheFilm> &copies(int nombre)
{
    static std::map<int, std::vector<TFicheFilm>> faites;
    std::vector<TFicheFilm> &liste = faites[nombre];
    if (liste.empty())
        for (const auto &fiche : fiches(nombre))
            liste.push_back(*fiche);
    return liste;
}

const QTemporaryDir &dossierAvecBase(const QString &modele, int nombre)
{
    static const QTemporaryDir dossier = [&] {
        QTemporaryDir d;
        QFile::copy(modele, d.filePath(QStringLiteral("baseFilmModele.bdf")));
        ecrireBase(d.path(), nombre);
        return d;
    }();
    return dossier;
}

std::vector<std::unique_ptr<TFicheFilm>> fiches(int nombre, quint32 graine)
{
    Tirage tirage(graine);
    QSet<QString> cles;
    std::vector<std::unique_ptr<TFicheFilm>> resultat;
    resultat.reserve(size_t(nombre));
    for (int i = 0; i < nombre; ++i) {
        auto [titre, cle] = tirage.titre();
        const QString base = cle;
        for (int n = 2; cles.contains(cle); ++n)
            cle = base + u' ' + QString::number(n);
        cles.insert(cle);

        QStringList mots;
        for (int m = 0; m < 60; ++m)
            mots.append(tirage.parmi(k_mots));
        QString resume = mots.join(u' ') + u'.';
        resume[0] = resume[0].toUpper();
        QStringList acteurs;
        for (int a = 0; a < 10; ++a)
            acteurs.append(tirage.personne());
        QStringList genres;
        while (genres.size() < 3) {
            const QString &genre = tirage.parmi(k_genres);
            if (!genres.contains(genre))
                genres.append(genre);
        }
        QStringList nationalites{tirage.parmi(k_nationalites)};
        nationalites.append(tirage.parmi(k_nationalites));

        auto fiche = std::make_unique<TFicheFilm>(
            cle, titre, QString::number(1930 + tirage.entier(80)),
            u"%1 h %2 min"_s.arg(1 + tirage.entier(2)).arg(tirage.entier(60), 2, 10, QChar(u'0')),
            resume, tirage.parmi(k_distributeurs), titre.toUpper(), QStringList{tirage.personne()},
            nationalites, genres, acteurs, QStringList{tirage.parmi(k_mots), tirage.parmi(k_mots)});
        fiche->setNiveauPreference(tirage.entier(11));
        fiche->setNomSupport(u"DVD "_s + titre.toUpper());
        fiche->setTypeSupport(tirage.parmi(k_supports));
        fiche->setCheminFichier(u"-"_s);
        fiche->setCheminImage(u"IMAGES_FILMS\\"_s + cle + u".jpg"_s);
        fiche->setCodec(tirage.parmi(k_codecs));
        fiche->setCommentaire(u"-"_s);
        resultat.push_back(std::move(fiche));
    }
    return resultat;
}

void ecrireBase(const QString &repertoire, int nombre, quint32 graine)
{
    Tdm_Kinolux dm(repertoire);
    // Loading after removing the old file leaves nothing for the save to keep aside.
    QFile::remove(dm.chemin(u"baseFilm.bdf"_s));
    dm.lireBaseFilms();
    // The keys are unique already: adopting them spares the add's scan of every card.
    dm.adopterFiches(fiches(nombre, graine));
    dm.ecrireBaseFilms();
}

QByteArray listeTitres(int nombre, quint32 graine)
{
    Tirage tirage(graine);
    QByteArray octets;
    octets.reserve(qsizetype(nombre) * 24);
    for (int i = 0; i < nombre; ++i)
        octets += Windows1252::encoder(tirage.titre().second) + "\r\n";
    return octets;
}

} // namespace GenerateurCatalogue

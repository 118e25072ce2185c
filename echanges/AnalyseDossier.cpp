#include "echanges/AnalyseDossier.h"

#include "catalogue/ChampsFiche.h"
#include "echanges/DeuxMoities.h"
#include "echanges/Nfo.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace AnalyseDossier {

namespace {

// A name as UTF-8, or nothing when its bytes are not UTF-8 (a name written on another system):
// Qt could then neither show nor open the file under that name.
std::optional<QString> nomUtf8(const QByteArray &octets)
{
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString nom = decodeur(octets);
    if (decodeur.hasError())
        return std::nullopt;
    return nom;
}

QString affichable(const QByteArray &octets)
{
    if (auto nom = nomUtf8(octets))
        return *nom;
    // Such names are mostly Windows-1252: Latin-1 shows nearly all of them.
    return QString::fromLatin1(octets);
}

class Parcours
{
public:
    Parcours(const QSet<QString> &connus, Progression &progression, Inventaire &inventaire)
        : m_connus(connus)
        , m_progression(progression)
        , m_inventaire(inventaire)
    {
    }

    void dossier(const QByteArray &chemin)
    {
        if (m_progression.annulee()) {
            m_inventaire.arrete = true;
            return;
        }
        DIR *repertoire = opendir(chemin.constData());
        if (!repertoire) {
            ecart(chemin,
                  u"dossier illisible : %1"_s.arg(QString::fromLocal8Bit(std::strerror(errno))));
            return;
        }
        std::vector<QByteArray> noms;
        while (const dirent *entree = readdir(repertoire)) {
            const QByteArray nom(entree->d_name);
            if (nom != "." && nom != "..")
                noms.push_back(nom);
        }
        closedir(repertoire);
        std::sort(noms.begin(), noms.end());

        for (const QByteArray &nom : noms) {
            if (m_inventaire.arrete)
                return;
            const QByteArray enfant = chemin.endsWith('/') ? chemin + nom : chemin + '/' + nom;
            struct stat etat
            {
            };
            // A link whose target is gone, or a file removed since the folder was read, is
            // simply not there.
            if (stat(enfant.constData(), &etat) != 0)
                continue;
            if (S_ISDIR(etat.st_mode)) {
                if (!m_vus.insert({etat.st_dev, etat.st_ino}).second)
                    continue; // seen already: a link back up the tree, or a second way in
                if (!nomUtf8(nom)) {
                    ecart(enfant, u"nom de dossier hors UTF-8, dossier laissé de côté"_s);
                    continue;
                }
                dossier(enfant);
            } else if (S_ISREG(etat.st_mode)) {
                fichier(enfant, nom);
            }
        }
    }

    void racine(const QByteArray &chemin)
    {
        struct stat etat
        {
        };
        if (stat(chemin.constData(), &etat) != 0 || !S_ISDIR(etat.st_mode)) {
            ecart(chemin, u"ce n'est pas un dossier lisible"_s);
            return;
        }
        m_vus.insert({etat.st_dev, etat.st_ino});
        dossier(chemin);
    }

private:
    void fichier(const QByteArray &chemin, const QByteArray &nom)
    {
        const QString texte = affichable(nom);
        if (!FaitsVideo::extensionVideo(texte))
            return;
        m_progression.compter();
        const std::optional<QString> complet = nomUtf8(chemin);
        if (!complet) {
            ecart(chemin, u"nom de fichier hors UTF-8, fichier laissé de côté"_s);
            return;
        }
        if (m_connus.contains(*complet))
            return;
        // A card may name the file by another way in: through a link, or the link itself.
        if (char *reel = realpath(chemin.constData(), nullptr)) {
            const std::optional<QString> canonique = nomUtf8(QByteArray(reel));
            std::free(reel);
            if (canonique && m_connus.contains(*canonique))
                return;
        }
        m_inventaire.videos.append(*complet);
    }

    void ecart(const QByteArray &chemin, const QString &raison)
    {
        m_inventaire.ecarts.append({affichable(chemin), raison});
    }

    const QSet<QString> &m_connus;
    Progression &m_progression;
    Inventaire &m_inventaire;
    std::set<std::pair<dev_t, ino_t>> m_vus;
};

// The file's own title for a blank card: the cleaned name, else the bare file name.
QString titreVierge(const Proposition &proposition)
{
    if (!proposition.titre.titre.isEmpty())
        return proposition.titre.titre;
    return QFileInfo(proposition.video).completeBaseName().simplified().toUpper();
}

} // namespace

Inventaire lister(const QString &dossier, const QSet<QString> &connus, Progression &progression)
{
    Inventaire inventaire;
    Parcours parcours(connus, progression, inventaire);
    parcours.racine(QFile::encodeName(QDir::cleanPath(QFileInfo(dossier).absoluteFilePath())));
    return inventaire;
}

Resultat proposer(const QString &video, const NomVideo::IndexTitres &index)
{
    Proposition p;
    p.video = video;
    p.faits = FaitsVideo::lire(video);
    if (!p.faits.lu)
        return {std::nullopt, Ecart{video, p.faits.raison}};
    p.titre = NomVideo::deviner(video);

    if (const QString nfo = Nfo::nfoDe(video); !nfo.isEmpty()) {
        Nfo::Lecture lecture = Nfo::lire(nfo);
        if (lecture.fiche) {
            p.source = Source::Nfo;
            p.fiche = std::move(*lecture.fiche);
            p.affiche = Nfo::affiche(video);
            if (!p.affiche.isEmpty() && QImageReader::imageFormat(p.affiche).isEmpty()) {
                p.remarque = u"%1 n'est pas une image"_s.arg(QFileInfo(p.affiche).fileName());
                p.affiche.clear();
            }
            return {std::move(p), std::nullopt};
        }
        p.remarque = u"%1 : %2"_s.arg(QFileInfo(nfo).fileName(), lecture.raison);
    }

    p.candidats = index.meilleurs(p.titre.titre, 5);
    if (!p.candidats.isEmpty())
        p.source = Source::Index;
    const QString titre = titreVierge(p);
    auto vierge = ChampsFiche::nouvelleFiche(titre, titre);
    vierge->setTitreFrancais(titre);
    if (!p.titre.annee.isEmpty())
        vierge->setAnnee(p.titre.annee);
    p.fiche = std::move(*vierge);
    return {std::move(p), std::nullopt};
}

Analyse proposerTout(const QStringList &videos, const NomVideo::IndexTitres &index,
                     Progression &progression)
{
    progression.definirTotal(videos.size());
    // MediaInfo reads most of the time: the second half of the files on a thread of its own.
    const auto moitie = [&](size_t debut, size_t fin) {
        std::vector<Resultat> resultats;
        resultats.reserve(fin - debut);
        for (size_t i = debut; i < fin; ++i) {
            resultats.push_back(proposer(videos[qsizetype(i)], index));
            progression.avancer();
        }
        return resultats;
    };
    auto [premiere, seconde] = enDeuxMoities(size_t(videos.size()), moitie);
    std::vector<Resultat> resultats = std::move(premiere);
    std::move(seconde.begin(), seconde.end(), std::back_inserter(resultats));

    Analyse analyse;
    for (Resultat &resultat : resultats) {
        if (resultat.proposition)
            analyse.propositions.append(std::move(*resultat.proposition));
        else if (resultat.ecart)
            analyse.ecarts.append(std::move(*resultat.ecart));
    }
    return analyse;
}

bool assezProche(const NomVideo::Candidat &candidat)
{
    switch (candidat.sorte) {
    case NomVideo::Candidat::Sorte::Exact:
        return true;
    case NomVideo::Candidat::Sorte::Mots:
        return candidat.score >= 0.5;
    case NomVideo::Candidat::Sorte::Distance:
        return candidat.score >= 0.8;
    }
    return false;
}

QString cheminPourFiche(const QString &video, const QString &repertoireProgramme)
{
    const QString absolu = QDir::cleanPath(QFileInfo(video).absoluteFilePath());
    const QString relatif = QDir(repertoireProgramme).relativeFilePath(absolu);
    if (!relatif.startsWith(u"../"_s) && relatif != u".."_s && !QDir::isAbsolutePath(relatif))
        return relatif;
    return absolu;
}

void completer(TFicheFilm &fiche, const Proposition &proposition,
               const QString &repertoireProgramme)
{
    fiche.setCheminFichier(cheminPourFiche(proposition.video, repertoireProgramme));
    FaitsVideo::ecrireDans(fiche, proposition.faits);
}

QString cheminVideo(const QString &cheminFichier, const QString &repertoireProgramme)
{
    QString chemin = cheminFichier.trimmed();
    if (chemin.isEmpty() || chemin == u"-"_s)
        return QString();
    chemin.replace(u'\\', u'/');
    return QDir::cleanPath(QDir(repertoireProgramme).absoluteFilePath(chemin));
}

QList<QStringList> chercherParNom(const QStringList &manquants, const QString &dossier,
                                  Progression &progression)
{
    const Inventaire inventaire = lister(dossier, {}, progression);
    QHash<QString, QList<QString>> parNom;
    for (const QString &video : inventaire.videos)
        parNom[QFileInfo(video).fileName().toLower()].append(video);
    QList<QStringList> trouves;
    trouves.reserve(manquants.size());
    for (const QString &manquant : manquants) {
        // The name as the card wrote it, whatever the separators of the system it came from.
        QString nom = manquant;
        nom.replace(u'\\', u'/');
        QStringList memes = parNom.value(QFileInfo(nom).fileName().toLower());
        std::stable_sort(memes.begin(), memes.end(), [](const QString &a, const QString &b) {
            return a.count(u'/') < b.count(u'/');
        });
        trouves.append(memes);
    }
    return trouves;
}

} // namespace AnalyseDossier

// The data module's side that talks to the cover site: the title index, the card import and
// the cover download.
#include "catalogue/ChampsFiche.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "import/Jpeg.h"
#include "import/ListeTitres.h"
#include "import/PageFiche.h"
#include "import/Windows1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

const QString Tdm_Kinolux::messageConnexion =
    u"Problème de connexion à Internet. Vérifiez la connectivité."_s;

QString Tdm_Kinolux::normaliserTitre(const QString &titre)
{
    return ListeTitres::normaliserTitre(titre);
}

void Tdm_Kinolux::erreurConnexion()
{
    if (m_dialogues)
        m_dialogues->erreur(messageConnexion);
}

bool Tdm_Kinolux::telechargerListeTitres()
{
    // The site wants to be asked twice; only the second answer is the index. The new index is
    // built aside and takes the place of the old one only once it is stored.
    const QByteArray index = "/DATA/movies.txt";
    bool reussi = m_connexion.get(m_hotes.principal, index).reussi;
    ReponseHttp reponse;
    if (reussi) {
        reponse = m_connexion.get(m_hotes.principal, index);
        reussi = reponse.reussi;
    }
    m_connexion.fermer();
    QStringList titres;
    if (reussi) {
        titres = ListeTitres::decouperLignes(reponse.corps);
        reussi = ListeTitres::ecrire(chemin(u"movies.txt"_s), titres);
    }
    if (!reussi) {
        erreurConnexion();
        return false;
    }
    m_listeTitres = std::move(titres);
    return true;
}

bool Tdm_Kinolux::contientIdFilm(const QString &idFilm) const
{
    for (const auto &fiche : m_fichesFilms) {
        if (fiche->idFilm() == idFilm)
            return true;
    }
    return false;
}

void Tdm_Kinolux::decouper(QStringList &liste, const QString &texte, QChar separateur)
{
    PageFiche::decouper(liste, texte, separateur);
}

std::unique_ptr<TFicheFilm> Tdm_Kinolux::importerFiche(const QString &titre)
{
    const QString titreNormalise = normaliserTitre(titre);
    const ReponseHttp reponse = m_connexion.post(m_hotes.principal, "/getfilm.html",
                                                 {{QByteArrayLiteral("idmc"), titreNormalise}});
    const std::optional<QStringList> lignes =
        reponse.reussi ? PageFiche::lignes(reponse.corps) : std::nullopt;
    m_connexion.fermer();
    if (!lignes) {
        erreurConnexion();
        return nullptr;
    }
    const QStringList &l = *lignes;
    QStringList realisateurs, nationnalites, genres, acteurs, motsCles;
    decouper(realisateurs, l[1], u'/');
    decouper(nationnalites, l[3], u'/');
    decouper(genres, l[4], u',');
    decouper(acteurs, l[6], u';');
    decouper(motsCles, QString(l[10]).replace(u' ', u';'), u';');

    auto fiche = ChampsFiche::nouvelleFiche(titre, titre);
    fiche->setTitreFrancais(l[0]);
    fiche->setAnnee(l[2]);
    fiche->setDuree(l[5]);
    fiche->setResume(l[7]);
    fiche->setDistributeurFR(l[8]);
    fiche->setTitreOriginal(l[9]);
    fiche->realisateurs() = std::move(realisateurs);
    fiche->nationnalites() = std::move(nationnalites);
    fiche->genres() = std::move(genres);
    fiche->acteurs() = std::move(acteurs);
    fiche->motsCles() = std::move(motsCles);
    // The cover's path is named by its download alone.
    fiche->setCheminImage(QString());
    try {
        telechargerImage(*fiche);
    } catch (const Erreur &) {
        erreurConnexion();
        return nullptr;
    }
    return fiche;
}

QString Tdm_Kinolux::cheminImagePour(const QString &idFilm)
{
    QString nom = idFilm;
    for (QChar &c : nom) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'_';
    }
    return u"IMAGES_FILMS\\"_s + nom + u".jpg"_s;
}

QByteArray Tdm_Kinolux::nomCouvertureSite(const QString &idFilm)
{
    return Windows1252::encoder(normaliserTitre(idFilm).replace(u' ', u"%20"_s));
}

QByteArray Tdm_Kinolux::nomCouvertureAffiches(const QString &idFilm)
{
    QString nom = normaliserTitre(idFilm).replace(u' ', u'_');
    for (QChar &c : nom) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return Windows1252::encoder(nom);
}

void Tdm_Kinolux::telechargerImage(CleFiche cle)
{
    modifierFiche(cle, [this](TFicheFilm &fiche) { telechargerImage(fiche); });
}

void Tdm_Kinolux::completerCouverture(CleFiche cle)
{
    struct Retour
    {
        bool &sansHistorique;
        bool avant;
        ~Retour() { sansHistorique = avant; }
    } retour{m_sansHistorique, m_sansHistorique};
    m_sansHistorique = true;
    telechargerImage(cle);
}

void Tdm_Kinolux::telechargerImage(TFicheFilm &fiche)
{
    const QString cheminImage = cheminImagePour(fiche.idFilm());
    const QByteArray nomSite = nomCouvertureSite(fiche.idFilm());
    ReponseHttp reponse = m_connexion.get(m_hotes.principal, "/getjpg.html/" + nomSite + ".jpg");
    if (reponse.reussi)
        reponse = m_connexion.get(m_hotes.donnees, "/DATA/zipcache/" + nomSite + ".jpg");
    if (!reponse.reussi) {
        reponse = m_connexion.get(m_hotes.affiches,
                                  "/affiches/" + nomCouvertureAffiches(fiche.idFilm()) + ".jpg");
    }
    m_connexion.fermer();

    const QString fichier = chemin(cheminImage);
    QByteArray image;
    if (reponse.reussi) {
        image = reponse.corps;
        if (!image.isEmpty() && !Jpeg::enTeteLisible(image))
            throw Erreur(
                u"La couverture reçue pour « %1 » n'est pas une image JPEG."_s.arg(fiche.idFilm()));
    } else {
        if (m_dialogues)
            m_dialogues->message(QCoreApplication::applicationName(), u"Image indisponible !"_s);
        // A cover already there under the card's name is worth more than the placeholder: a
        // site that cannot be reached must not cost the card its picture.
        QFile existante(fichier);
        if (existante.open(QIODevice::ReadOnly) && Jpeg::enTeteLisible(existante.read(1 << 20))) {
            fiche.setCheminImage(cheminImage);
            return;
        }
        const QString modele = chemin(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
        QFile sansImage(modele);
        if (sansImage.open(QIODevice::ReadOnly))
            image = sansImage.readAll();
        if (!Jpeg::enTeteLisible(image))
            throw Erreur(u"Impossible de lire l'image « %1 »."_s.arg(modele));
    }

    // The cover is written aside, then takes the place of the old one, which undoing brings
    // back. The card names it only once it is there: a failed download leaves the card as it was.
    conserverCouverture(cheminImage);
    QSaveFile sortie(fichier);
    if (!sortie.open(QIODevice::WriteOnly) || sortie.write(image) != image.size() ||
        !sortie.commit())
        throw Erreur(
            u"Impossible d'enregistrer l'image « %1 » : %2"_s.arg(fichier, sortie.errorString()));
    fiche.setCheminImage(cheminImage);
}

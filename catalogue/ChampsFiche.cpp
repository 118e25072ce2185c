#include "catalogue/ChampsFiche.h"

#include "import/ListeTitres.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace ChampsFiche {

namespace {

using F = TFicheFilm;

Description texteSeul(const char *element, const char16_t *libelle,
                      const QString &(F::*lire)() const, void (F::*ecrire)(const QString &))
{
    return {element, libelle, Genre::Texte, lire, ecrire};
}

// The getters of a list come in pairs: `const` for reading, plain for the card's own list.
Description listeDe(const char *element, const char16_t *libelle,
                    const QStringList &(F::*lire)() const, QStringList &(F::*propre)())
{
    Description d{element, libelle, Genre::Liste};
    d.liste = lire;
    d.listePropre = propre;
    return d;
}

#define KINOLUX_LISTE(element, libelle, membre)                                                    \
    listeDe(element, libelle, static_cast<const QStringList &(F::*)() const>(&F::membre),          \
            static_cast<QStringList &(F::*)()>(&F::membre))

} // namespace

const std::array<Description, NombreChamps> &champs()
{
    static const std::array<Description, NombreChamps> table = [] {
        Description preference{"niveauPreference", u"Préférence", Genre::Entier};
        preference.entier = &F::niveauPreference;
        preference.ecrireEntier = &F::setNiveauPreference;
        return std::array<Description, NombreChamps>{{
            texteSeul("idFilm", u"Identifiant", &F::idFilm, nullptr),
            texteSeul("titreFrancais", u"Titre Français", &F::titreFrancais, &F::setTitreFrancais),
            KINOLUX_LISTE("realisateurs", u"Réalisateur(s)", realisateurs),
            texteSeul("annee", u"Année", &F::annee, &F::setAnnee),
            KINOLUX_LISTE("nationnalites", u"Nationnalité(s)", nationnalites),
            KINOLUX_LISTE("genres", u"Genre(s)", genres),
            texteSeul("duree", u"Durée", &F::duree, &F::setDuree),
            KINOLUX_LISTE("acteurs", u"Acteur(s)", acteurs),
            texteSeul("resume", u"Résumé", &F::resume, &F::setResume),
            texteSeul("distributeurFR", u"Distributeur", &F::distributeurFR, &F::setDistributeurFR),
            texteSeul("titreOriginal", u"Titre Original", &F::titreOriginal, &F::setTitreOriginal),
            KINOLUX_LISTE("motsCles", u"Mots clés", motsCles),
            preference,
            texteSeul("nomSupport", u"Nom du support", &F::nomSupport, &F::setNomSupport),
            texteSeul("typeSupport", u"Type du support", &F::typeSupport, &F::setTypeSupport),
            texteSeul("cheminFichier", u"Fichier vidéo", &F::cheminFichier, &F::setCheminFichier),
            texteSeul("cheminImage", u"Image", &F::cheminImage, &F::setCheminImage),
            texteSeul("codec", u"Codec", &F::codec, &F::setCodec),
            texteSeul("commentaire", u"Commentaire", &F::commentaire, &F::setCommentaire),
        }};
    }();
    return table;
}

#undef KINOLUX_LISTE

QString libelle(Champ c)
{
    return QString::fromUtf16(champ(c).libelle);
}

Champ champDeElement(const char *element)
{
    const auto &table = champs();
    for (int i = 0; i < NombreChamps; ++i) {
        const char *nom = table[size_t(i)].element;
        if (nom[0] == element[0] && std::strcmp(nom, element) == 0)
            return static_cast<Champ>(i);
    }
    return Aucun;
}

const QString &texte(const TFicheFilm &fiche, Champ c)
{
    static const QString vide;
    const Description &d = champ(c);
    return d.texte ? (fiche.*d.texte)() : vide;
}

const QStringList &liste(const TFicheFilm &fiche, Champ c)
{
    static const QStringList vide;
    const Description &d = champ(c);
    return d.liste ? (fiche.*d.liste)() : vide;
}

QString enTexte(const TFicheFilm &fiche, Champ c)
{
    switch (champ(c).genre) {
    case Genre::Texte:
        return texte(fiche, c);
    case Genre::Liste:
        return liste(fiche, c).join(u", "_s);
    case Genre::Entier:
        return QString::number((fiche.*champ(c).entier)());
    }
    return {};
}

void ecrireTexte(TFicheFilm &fiche, Champ c, const QString &valeur)
{
    if (const auto ecrire = champ(c).ecrireTexte)
        (fiche.*ecrire)(valeur);
}

void ecrireListe(TFicheFilm &fiche, Champ c, const QStringList &lignes)
{
    const auto propre = champ(c).listePropre;
    if (!propre)
        return;
    QStringList &liste = (fiche.*propre)();
    if (&liste == &lignes)
        return;
    liste.clear();
    liste.append(lignes);
}

std::unique_ptr<TFicheFilm> nouvelleFiche(const QString &idFilm, const QString &titreSupport)
{
    const QString tiret = u"-"_s;
    auto fiche = std::make_unique<TFicheFilm>(idFilm);
    for (int i = 0; i < NombreChamps; ++i)
        ecrireTexte(*fiche, static_cast<Champ>(i), tiret);
    fiche->setNiveauPreference(5);
    fiche->setNomSupport(u"DVD "_s + ListeTitres::normaliserTitre(titreSupport));
    fiche->setTypeSupport(u"DVD-VIDEO"_s);
    fiche->setCodec(u"MPEG2"_s);
    return fiche;
}

} // namespace ChampsFiche

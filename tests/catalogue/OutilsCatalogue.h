#pragma once

#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/RepertoireTest.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &texte, std::ostream *flux)
{
    *flux << '"' << texte.toStdString() << '"';
}

inline void PrintTo(const QByteArray &octets, std::ostream *flux)
{
    *flux << '"' << octets.toStdString() << '"';
}

inline QByteArray lireFichier(const QString &chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

// A catalogue file around the children of listeFichesFilms.
inline QByteArray baseAvec(const QByteArray &fiches)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kinolux_BaseFilms><racine>"
           "<listeFichesFilms>\n" +
           fiches + "\n</listeFichesFilms></racine></Kinolux_BaseFilms>\n";
}

inline std::unique_ptr<TFicheFilm> ficheSimple(const QString &id)
{
    auto fiche = std::make_unique<TFicheFilm>(id, id, QStringLiteral("-"), QStringLiteral("-"),
                                              QStringLiteral("-"), QStringLiteral("-"),
                                              QStringLiteral("-"), QStringList(), QStringList(),
                                              QStringList(), QStringList(), QStringList());
    fiche->setNiveauPreference(5);
    return fiche;
}

// An empty text is written as an empty element, which reads back as "-": the card as a save and
// a read give it back.
inline void commeRelue(TFicheFilm &fiche)
{
    for (const ChampsFiche::Description &d : ChampsFiche::champs()) {
        if (d.ecrireTexte && (fiche.*d.texte)().isEmpty())
            (fiche.*d.ecrireTexte)(QStringLiteral("-"));
    }
}

inline void PrintTo(const TFicheFilm &fiche, std::ostream *flux)
{
    *flux << '{';
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
        *flux << ChampsFiche::enTexte(fiche, ChampsFiche::Champ(c)).toStdString() << '|';
    *flux << '}';
}

// The text of the Erreur that the call throws; empty when it throws none.
template <typename F> QString texteErreur(F &&appel)
{
    try {
        appel();
    } catch (const Erreur &erreur) {
        return erreur.texte();
    }
    return {};
}

// A program directory with its data module, built after the files are in place.
struct Programme
{
    RepertoireTest repertoire;
    std::unique_ptr<Tdm_Kinolux> dm;

    Tdm_Kinolux &demarrer()
    {
        dm = std::make_unique<Tdm_Kinolux>(repertoire.chemin());
        return *dm;
    }
    const Catalogue &lire(const QByteArray &base)
    {
        repertoire.ecrire(QStringLiteral("baseFilm.bdf"), base);
        demarrer().lireBaseFilms();
        return dm->fichesFilms();
    }
    QByteArray base() const { return repertoire.lire(QStringLiteral("baseFilm.bdf")); }
};

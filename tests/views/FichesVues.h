#pragma once

#include "catalogue/TFicheFilm.h"
#include "tests/support/RepertoireTest.h"

#include <QString>
#include <QStringList>

#include <memory>

// A card with the placeholder cover and medium, as the sheet can show it without downloading.
inline std::unique_ptr<TFicheFilm> nouvelleFiche(const QString &id, const QString &titre)
{
    using namespace Qt::StringLiterals;
    auto fiche = std::make_unique<TFicheFilm>(id, titre, u"-"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s,
                                              QStringList(), QStringList(), QStringList(),
                                              QStringList(), QStringList());
    fiche->setNiveauPreference(5);
    fiche->setNomSupport(u"-"_s);
    fiche->setTypeSupport(u"-"_s);
    fiche->setCheminImage(u"IMAGES_FILMS\\SANSIMAGE.jpg"_s);
    return fiche;
}

// A card with a cover file of its own ("jpeg de " and the identifier), written into the program
// directory.
inline std::unique_ptr<TFicheFilm> ficheAvecCouverture(const RepertoireTest &repertoire,
                                                       const QString &id, const QString &titre)
{
    using namespace Qt::StringLiterals;
    auto fiche = std::make_unique<TFicheFilm>(id, titre, u"-"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s,
                                              QStringList(), QStringList(), QStringList(),
                                              QStringList(), QStringList());
    fiche->setCheminImage(u"IMAGES_FILMS\\"_s + id + u".jpg"_s);
    fiche->setTypeSupport(u"-"_s);
    repertoire.ecrire(u"IMAGES_FILMS/"_s + id + u".jpg"_s, "jpeg de " + id.toUtf8());
    return fiche;
}

// A catalogue of this one card, to hand to the data module as a read would.
inline Catalogue uneFiche(std::unique_ptr<TFicheFilm> fiche)
{
    Catalogue fiches;
    fiches.push_back(std::move(fiche));
    return fiches;
}

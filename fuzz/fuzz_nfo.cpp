// What a folder of films hands the program: a media centre's .nfo card, read and written back,
// and the film's file name, cleaned into a title.
#include "catalogue/ChampsFiche.h"
#include "echanges/Nfo.h"
#include "echanges/NomVideo.h"
#include "fuzz/Verifier.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char *>(donnees), qsizetype(taille));
    const Nfo::Lecture lecture = Nfo::lireOctets(octets);
    verifier(lecture.fiche.has_value() != !lecture.raison.isEmpty(), "a card or a reason");
    if (lecture.fiche) {
        // The card the program writes for media centres brings back what was read.
        const Nfo::Lecture relue = Nfo::lireOctets(Nfo::xml(*lecture.fiche));
        verifier(relue.fiche.has_value(), "a written card reads back");
        for (const ChampsFiche::Champ c :
             {ChampsFiche::IdFilm, ChampsFiche::Genres, ChampsFiche::Nationnalites,
              ChampsFiche::Realisateurs, ChampsFiche::Acteurs})
            verifier(ChampsFiche::enTexte(*relue.fiche, c) ==
                         ChampsFiche::enTexte(*lecture.fiche, c),
                     "each field read back as written");
    }

    const QString nom = QString::fromUtf8(octets.left(512));
    for (const NomVideo::TitreDevine &devine : {NomVideo::nettoyer(nom), NomVideo::deviner(nom)}) {
        verifier(devine.titre == devine.titre.toUpper(), "a title in capitals");
        verifier(devine.titre == devine.titre.trimmed(), "no blank around the title");
        for (const QChar c : devine.titre)
            verifier(c.category() != QChar::Other_Control, "no control character in a title");
        verifier(devine.annee.isEmpty() ||
                     (devine.annee.size() == 4 && devine.annee.toInt() >= 1900 &&
                      devine.annee.toInt() <= 2099),
                 "a year of four digits or none");
    }
    return 0;
}

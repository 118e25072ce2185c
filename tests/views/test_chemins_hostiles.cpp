// Cover paths from a catalogue file made elsewhere that lead out of the program's directory: no
// command reads, writes or deletes a file there because of them. A sentinel picture outside the
// directory, watched by inotify, must never be opened, copied, changed or removed.
#include "app/Kinolux.h"
#include "catalogue/Tdm_Kinolux.h"
#include "chrome/TImage.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/support/Sentinelle.h"
#include "tests/views/FichesVues.h"
#include "views/OngletEdition.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QByteArray jpegMagenta()
{
    QImage dessin(60, 80, QImage::Format_RGB32);
    dessin.fill(QColor(255, 0, 255));
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter(&tampon, "JPEG").write(dessin);
    return octets;
}

bool magenta(const QImage &image)
{
    if (image.isNull())
        return false;
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return c.red() > 200 && c.green() < 60 && c.blue() > 200;
}

class CheminsHostiles : public ::testing::Test
{
protected:
    RepertoireTest repertoire;
    DialoguesScriptes dialogues;
    std::unique_ptr<Kinolux> kinolux;
    std::unique_ptr<Sentinelle> sentinelle;

    void SetUp() override
    {
        kinolux = std::make_unique<Kinolux>(repertoire.chemin(), dialogues);
        const QByteArray image = jpegMagenta();
        ASSERT_TRUE(magenta(QImage::fromData(image)));
        sentinelle = std::make_unique<Sentinelle>(image);
    }
    Tdm_Kinolux &dm() { return kinolux->dm_Kinolux(); }
    TKinoluxFPrincipale &fp() { return kinolux->KinoluxFPrincipale(); }
    OngletEdition &edition() { return *fp().findChild<OngletEdition *>(u"tabEdition"_s); }
    QImage imageFiche() { return fp().findChild<TImage *>(u"imageFilm"_s)->picture().toImage(); }
    QImage imageEdition() { return edition().imgEdition().picture().toImage(); }

    // Every way a stored path can lead to the sentinel, and the usual ones that lead nowhere.
    QStringList cheminsHostiles() const
    {
        const QString relatif = QDir(repertoire.chemin()).relativeFilePath(sentinelle->chemin());
        const QString absolu = sentinelle->chemin();
        const QString relatifWindows = QString(relatif).replace(u'/', u'\\');
        return {
            relatif,
            relatifWindows,
            u"IMAGES_FILMS\\..\\"_s + relatifWindows,
            u"IMAGES_FILMS/../"_s + relatif,
            absolu,
            // "\\tmp\...": a UNC name, that is "//tmp/..." and so "/tmp/..." here.
            u"\\"_s + QString(absolu).replace(u'/', u'\\'),
            u"..\\..\\x"_s,
            u"../../x"_s,
            u"/etc/passwd"_s,
            u"C:\\x"_s,
            u"\\\\server\\x"_s,
        };
    }
};

TEST_F(CheminsHostiles, NiLaFicheNiLEditionNiLaSuppressionNeSortentDuRepertoire)
{
    const QStringList chemins = cheminsHostiles();
    for (qsizetype i = 0; i < chemins.size(); ++i) {
        const QString &chemin = chemins[i];
        SCOPED_TRACE(chemin.toStdString());
        const QString id = u"ID%1"_s.arg(i);
        const QString titre = u"Titre %1"_s.arg(i);
        auto nouvelle = nouvelleFiche(id, titre);
        TFicheFilm &fiche = *nouvelle;
        fiche.setCheminImage(chemin);
        dm().adopterFiches(uneFiche(std::move(nouvelle)));

        // The sheet: no cover there, so the download names one in the program's directory
        // (the sites cannot be reached: a copy of the placeholder).
        dialogues.appels.clear();
        fp().MAJ_ListeFilms();
        fp().afficherFicheDuTitre(titre);
        EXPECT_TRUE(sentinelle->intacte());
        EXPECT_FALSE(magenta(imageFiche()));
        const QString telechargee = u"IMAGES_FILMS\\"_s + id + u".jpg"_s;
        EXPECT_EQ(fiche.cheminImage().toStdString(), telechargee.toStdString());
        EXPECT_TRUE(dialogues.erreurs().isEmpty()) << dialogues.erreurs().join(u'\n').toStdString();

        // The editor, filled with the card as the file gave it: no picture, so validating
        // copies none into the program's directory. The refresh that follows shows the sheet
        // again, which names the downloaded cover once more.
        fiche.setCheminImage(chemin);
        edition().MAJ_Edition();
        EXPECT_FALSE(magenta(imageEdition()));
        fp().action(u"validerEditionSupp"_s)->trigger();
        EXPECT_TRUE(sentinelle->intacte());
        EXPECT_FALSE(sentinelle->copieeDans(repertoire.chemin()));
        EXPECT_EQ(fiche.cheminImage().toStdString(), telechargee.toStdString());
        EXPECT_TRUE(dialogues.erreurs().isEmpty()) << dialogues.erreurs().join(u'\n').toStdString();

        // Deleting the card removes no file outside.
        QListWidget &liste = fp().listeFilms();
        liste.setCurrentItem(liste.findItems(titre, Qt::MatchExactly).value(0));
        dialogues.reponses.enqueue(Dialogues::Reponse::Oui);
        fp().action(u"supprimerFilm"_s)->trigger();
        EXPECT_TRUE(dm().fichesFilms().empty());
        EXPECT_TRUE(sentinelle->intacte());
        EXPECT_TRUE(QFile::exists(u"/etc/passwd"_s));
    }

    // The catalogue keeps the texts as they were and nothing of the sentinel got in.
    auto gardee = nouvelleFiche(u"GARDEE"_s, u"Gardée"_s);
    gardee->setCheminImage(chemins.first());
    dm().adopterFiches(uneFiche(std::move(gardee)));
    dm().ecrireBaseFilms();
    dm().lireBaseFilms();
    ASSERT_EQ(dm().fichesFilms().size(), 1u);
    EXPECT_EQ(dm().fichesFilms().front()->cheminImage().toStdString(),
              chemins.first().toStdString());
    EXPECT_FALSE(sentinelle->copieeDans(repertoire.chemin()));
    EXPECT_TRUE(sentinelle->intacte());
    RecordProperty("chemins", int(chemins.size()));
}

TEST_F(CheminsHostiles, LaCouvertureTelechargeeGardeSonNomDansIMAGES_FILMS)
{
    const QStringList chemins = cheminsHostiles();
    for (const QString &id : chemins) {
        SCOPED_TRACE(id.toStdString());
        TFicheFilm fiche(id, id, {}, {}, {}, {}, {}, {}, {}, {}, {}, {});
        dm().telechargerImage(fiche);
        const QString nom = fiche.cheminImage();
        ASSERT_TRUE(nom.startsWith(u"IMAGES_FILMS\\"_s));
        EXPECT_FALSE(nom.sliced(13).contains(u'\\') || nom.sliced(13).contains(u'/'));
        const QString fichier = dm().cheminInterieur(nom);
        ASSERT_FALSE(fichier.isEmpty());
        EXPECT_EQ(QFileInfo(fichier).absolutePath(),
                  QDir(repertoire.fichier(u"IMAGES_FILMS"_s)).absolutePath());
        EXPECT_TRUE(QFile::exists(fichier));
        EXPECT_TRUE(sentinelle->intacte());
    }
}

} // namespace

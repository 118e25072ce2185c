// The poster wall's thumbnails: the desktop's cache in the standard's form, reused, made again
// when the cover changes; bad covers give no picture.
#include "app/Kinolux.h"
#include "catalogue/Tdm_Kinolux.h"
#include "tests/support/DialoguesScriptes.h"
#include "tests/support/RepertoireTest.h"
#include "tests/views/FichesVues.h"
#include "views/FenetreVueEnsemble.h"
#include "views/OngletAffiches.h"
#include "views/TKinoluxFPrincipale.h"
#include "views/Vignettes.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QListView>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The desktop's cache in a folder of the test's own.
class AffichesTest : public ::testing::Test
{
protected:
    QTemporaryDir cache;
    RepertoireTest repertoire;
    void SetUp() override { qputenv("XDG_CACHE_HOME", cache.path().toUtf8()); }
    void TearDown() override { qunsetenv("XDG_CACHE_HOME"); }

    QString couverture(const QString &nom, QSize taille, QColor couleur, const char *format = "JPG")
    {
        QImage image(taille, QImage::Format_RGB32);
        image.fill(couleur);
        const QString fichier = repertoire.fichier(u"IMAGES_FILMS/"_s + nom);
        EXPECT_TRUE(image.save(fichier, format, 90));
        return fichier;
    }
};

TEST_F(AffichesTest, LaVignetteSuitLeStandardEstReutiliseeEtRefaiteQuandLaCouvertureChange)
{
    const QString fichier = couverture(u"A.jpg"_s, {600, 850}, Qt::darkBlue);
    const QImage image = Vignettes::vignetteBureau(fichier, 120);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.height(), 120);

    const QString uri =
        QUrl::fromLocalFile(QFileInfo(fichier).absoluteFilePath()).toString(QUrl::FullyEncoded);
    const QString nom = QString::fromLatin1(
        QCryptographicHash::hash(uri.toUtf8(), QCryptographicHash::Md5).toHex());
    const QString vignette = cache.path() + u"/thumbnails/normal/"_s + nom + u".png"_s;
    ASSERT_TRUE(QFileInfo::exists(vignette));
    EXPECT_EQ(QFileInfo(vignette).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0)
        << "readable by its owner alone";
    EXPECT_EQ(QImageReader(vignette).format(), QByteArray("png"));
    const QImage lue(vignette);
    EXPECT_EQ(lue.text(u"Thumb::URI"_s), uri);
    EXPECT_EQ(lue.text(u"Thumb::MTime"_s),
              QString::number(QFileInfo(fichier).lastModified().toSecsSinceEpoch()));
    EXPECT_EQ(lue.size(), QSize(90, 128)) << "128 pixels at the most, proportions kept";
    EXPECT_TRUE(QFileInfo::exists(cache.path() + u"/thumbnails/large"_s) == false);
    EXPECT_EQ(Vignettes::vignetteBureau(fichier, 200).height(), 200) << "large: 256 pixels";
    EXPECT_TRUE(QFileInfo::exists(cache.path() + u"/thumbnails/large/"_s + nom + u".png"_s));

    // Reused as long as the cover's time stands: a thumbnail written by hand is what comes back.
    QImage marquee(90, 128, QImage::Format_RGB32);
    marquee.fill(Qt::red);
    marquee.setText(u"Thumb::URI"_s, uri);
    marquee.setText(u"Thumb::MTime"_s, lue.text(u"Thumb::MTime"_s));
    ASSERT_TRUE(marquee.save(vignette, "PNG"));
    EXPECT_EQ(Vignettes::vignetteBureau(fichier, 120).pixelColor(5, 5), QColor(Qt::red));

    // A new cover under the same name: its time differs, the thumbnail is made again.
    couverture(u"A.jpg"_s, {600, 850}, Qt::darkGreen);
    {
        QFile nouveau(fichier);
        ASSERT_TRUE(nouveau.open(QIODevice::ReadWrite));
        ASSERT_TRUE(nouveau.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                        QFileDevice::FileModificationTime));
    }
    const QColor nouvelle = Vignettes::vignetteBureau(fichier, 120).pixelColor(5, 5);
    EXPECT_LT(qAbs(nouvelle.green() - QColor(Qt::darkGreen).green()), 12);
    EXPECT_LT(nouvelle.red(), 12);
}

TEST_F(AffichesTest, UneMauvaiseCouvertureNeDonneAucuneImage)
{
    const QString bonne = couverture(u"bonne.jpg"_s, {300, 420}, Qt::gray);
    QFile source(bonne);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray octets = source.readAll();
    repertoire.ecrire(u"IMAGES_FILMS/tronquee.jpg"_s, octets.left(octets.size() / 2));
    repertoire.ecrire(u"IMAGES_FILMS/texte.jpg"_s, "<html>pas une image</html>");
    repertoire.ecrire(u"IMAGES_FILMS/vide.jpg"_s, QByteArray());
    // A picture of 20,000 x 20,000 pixels, of which only the header is read.
    QImage enorme(20000, 20000, QImage::Format_Mono);
    enorme.fill(0);
    ASSERT_TRUE(enorme.save(repertoire.fichier(u"IMAGES_FILMS/enorme.png"_s), "PNG"));
    for (const QString &nom :
         {u"tronquee.jpg"_s, u"texte.jpg"_s, u"vide.jpg"_s, u"absente.jpg"_s, u"enorme.png"_s}) {
        EXPECT_TRUE(
            Vignettes::vignetteBureau(repertoire.fichier(u"IMAGES_FILMS/"_s + nom), 120).isNull())
            << nom.toStdString();
    }
    EXPECT_TRUE(Vignettes::vignetteBureau(QString(), 120).isNull());
    EXPECT_FALSE(Vignettes::vignetteBureau(bonne, 120).isNull());
}

TEST_F(AffichesTest, LeMurMontreLesAffichesArriveesEtSaSelectionEstCelleDeLaTable)
{
    DialoguesScriptes dialogues;
    Kinolux kinolux(repertoire.chemin(), dialogues);
    Tdm_Kinolux &dm = kinolux.dm_Kinolux();
    for (const QString &id : {u"A"_s, u"B"_s, u"C"_s}) {
        auto fiche = nouvelleFiche(id, u"Film "_s + id);
        fiche->setCheminImage(u"IMAGES_FILMS\\"_s + id + u".jpg"_s);
        dm.ajouterFicheFilm(fiche);
    }
    couverture(u"A.jpg"_s, {600, 850}, Qt::darkBlue);
    repertoire.ecrire(u"IMAGES_FILMS/B.jpg"_s, "pas une image");
    // C's cover leads out of the program's folder: never read.
    dm.modifierFiche(dm.cle(2), [](TFicheFilm &f) { f.setCheminImage(u"..\\..\\C.jpg"_s); });

    TKinoluxFPrincipale &fp = kinolux.KinoluxFPrincipale();
    fp.action(u"afficherVueEnsemble"_s)->trigger();
    FenetreVueEnsemble &vue = *fp.vueEnsemble();
    OngletAffiches &affiches = vue.ongletAffiches();
    EXPECT_EQ(vue.pcVueEnsemble().tabText(1), u"Affiches"_s);
    EXPECT_EQ(affiches.tbTailleAffiches().minimum(), 96);
    EXPECT_EQ(affiches.tbTailleAffiches().maximum(), 320);
    vue.resize(900, 600);
    vue.show();
    vue.pcVueEnsemble().setCurrentWidget(&affiches);
    QSignalSpy pretes(&affiches.vignettes(), &Vignettes::prete);
    QTest::qWait(20);
    affiches.grilleAffiches().viewport()->repaint();
    affiches.vignettes().attendre();
    EXPECT_EQ(pretes.count(), 2) << "A and B were asked for; C is never read";
    const int hauteur = affiches.hauteurAffiche();
    const QImage *a = affiches.vignettes().image(
        dm.cle(0), dm.cheminInterieur(u"IMAGES_FILMS\\A.jpg"_s), hauteur);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->height(), hauteur);
    const QImage *b = affiches.vignettes().image(
        dm.cle(1), dm.cheminInterieur(u"IMAGES_FILMS\\B.jpg"_s), hauteur);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isNull()) << "a bad cover: the placeholder is drawn";

    // One selection for the table and the wall.
    EXPECT_EQ(affiches.grilleAffiches().selectionModel(), vue.tableFilms().selectionModel());
    affiches.grilleAffiches().setCurrentIndex(affiches.grilleAffiches().model()->index(1, 1));
    ASSERT_EQ(vue.selection().size(), 1u);
    EXPECT_EQ(dm.fiche(vue.selection().front())->titreFrancais(), u"Film B"_s);
    EXPECT_FALSE(affiches.grilleAffiches().actions().isEmpty());
    EXPECT_TRUE(dialogues.appels.isEmpty()) << "a bad cover is reported nowhere but in its cell";
}

} // namespace

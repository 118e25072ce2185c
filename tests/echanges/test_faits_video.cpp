#include "echanges/FaitsVideo.h"
#include "tests/support/VideosDeTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using VideosDeTest::Sorte;

namespace {

QString copie(const QTemporaryDir &dossier, Sorte sorte, const QString &nom)
{
    const QString chemin = dossier.filePath(nom);
    EXPECT_TRUE(VideosDeTest::copier(sorte, chemin)) << nom.toStdString();
    return chemin;
}

} // namespace

TEST(FaitsVideo, ChaqueConteneurDonneSesPistesEtSonResume)
{
    QTemporaryDir dossier;
    struct Cas
    {
        Sorte sorte;
        QString nom;
        QString conteneur, codec, resume;
        QStringList sousTitres;
    };
    const QList<Cas> cas{
        {Sorte::MkvH264DeuxLangues,
         u"Été à Paris.mkv"_s,
         u"Matroska"_s,
         u"H.264"_s,
         u"H.264 320×240, AAC 5.1 fr, AAC 2.0 en"_s,
         {u"fr"_s}},
        {Sorte::Mp4H265,
         u"deux langues.mp4"_s,
         u"MPEG-4"_s,
         u"H.265"_s,
         u"H.265 320×240, AAC 2.0 fr/en"_s,
         {}},
        {Sorte::AviMpeg4, u"ancien.avi"_s, u"AVI"_s, u"MPEG-4"_s, u"MPEG-4 320×240, MP3 1.0"_s, {}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom.toStdString());
        const FaitsVideo::Faits faits = FaitsVideo::lire(copie(dossier, c.sorte, c.nom));
        ASSERT_TRUE(faits.lu) << faits.raison.toStdString();
        EXPECT_EQ(faits.conteneur, c.conteneur);
        EXPECT_EQ(faits.codecVideo, c.codec);
        EXPECT_EQ(faits.largeur, 320);
        EXPECT_EQ(faits.hauteur, 240);
        EXPECT_NEAR(double(faits.dureeMs), 1000.0, 150.0);
        EXPECT_EQ(FaitsVideo::resume(faits), c.resume);
        EXPECT_EQ(faits.sousTitres, c.sousTitres);
    }
}

TEST(FaitsVideo, LeDetailDitChaqueFaitSurSaLigne)
{
    QTemporaryDir dossier;
    const FaitsVideo::Faits faits =
        FaitsVideo::lire(copie(dossier, Sorte::MkvH264DeuxLangues, u"film.mkv"_s));
    ASSERT_TRUE(faits.lu);
    EXPECT_EQ(FaitsVideo::detail(faits), u"Conteneur : Matroska\n"
                                         "Vidéo : H.264 320×240\n"
                                         "Durée : 1 s\n"
                                         "Audio : AAC 5.1 fr, AAC 2.0 en\n"
                                         "Sous-titres : fr"_s);

    FaitsVideo::Faits long_;
    long_.lu = true;
    long_.conteneur = u"AVI"_s;
    long_.codecVideo = u"MPEG-4"_s;
    long_.dureeMs = (92 * 60 + 29) * 1000;
    EXPECT_EQ(FaitsVideo::minutes(long_), 92);
    long_.dureeMs += 2000;
    EXPECT_EQ(FaitsVideo::minutes(long_), 93);
    EXPECT_EQ(FaitsVideo::detail(long_), u"Conteneur : AVI\nVidéo : MPEG-4\nDurée : 1 h 33 min\n"
                                         "Audio : aucun\nSous-titres : aucun"_s);
    EXPECT_EQ(FaitsVideo::resume(long_), u"MPEG-4"_s);
}

TEST(FaitsVideo, UnFichierIllisibleDitPourquoiSansRienDonner)
{
    QTemporaryDir dossier;
    const auto ecrire = [&](const QString &nom, const QByteArray &octets) {
        QFile f(dossier.filePath(nom));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
        return f.fileName();
    };
    QDir(dossier.path()).mkdir(u"dossier.mkv"_s);
    QFile debut(copie(dossier, Sorte::MkvH264DeuxLangues, u"entier.mkv"_s));
    ASSERT_TRUE(debut.open(QIODevice::ReadOnly));
    const QByteArray tronque = debut.read(700);

    struct Cas
    {
        QString chemin;
        QString raison; // empty: any reason, so long as nothing is read
    };
    const QList<Cas> cas{
        {dossier.filePath(u"absent.mkv"_s), u"Le fichier n'existe pas."_s},
        {ecrire(u"vide.mkv"_s, {}), u"Le fichier est vide."_s},
        {dossier.filePath(u"dossier.mkv"_s), u"Ce n'est pas un fichier."_s},
        {ecrire(u"texte.mkv"_s, "Ceci n'est pas une vidéo.\n"),
         u"MediaInfo ne reconnaît pas ce fichier."_s},
        {copie(dossier, Sorte::SonSeul, u"son.mkv"_s),
         u"Aucune piste vidéo dans ce fichier (Matroska)."_s},
        {ecrire(u"zeros.avi"_s, QByteArray(1 << 16, '\0')), {}},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.chemin.toStdString());
        const FaitsVideo::Faits faits = FaitsVideo::lire(c.chemin);
        EXPECT_FALSE(faits.lu);
        EXPECT_FALSE(faits.raison.isEmpty());
        if (!c.raison.isEmpty()) {
            EXPECT_EQ(faits.raison, c.raison);
        }
        EXPECT_EQ(FaitsVideo::resume(faits), QString());
        EXPECT_EQ(FaitsVideo::detail(faits), faits.raison);
        EXPECT_EQ(FaitsVideo::minutes(faits), 0);
    }
    // The start of a file: read as far as it goes, or refused, never more than it holds.
    const FaitsVideo::Faits debutSeul = FaitsVideo::lire(ecrire(u"debut.mkv"_s, tronque));
    EXPECT_TRUE(debutSeul.lu || !debutSeul.raison.isEmpty());
}

TEST(FaitsVideo, LesExtensionsDeVideo)
{
    for (const QString &nom : {u"a.mkv"_s, u"B.MP4"_s, u"c.d.avi"_s, u"film.M2TS"_s, u"x.webm"_s})
        EXPECT_TRUE(FaitsVideo::extensionVideo(nom)) << nom.toStdString();
    for (const QString &nom :
         {u"a.nfo"_s, u"poster.jpg"_s, u"mkv"_s, u"film.mkv.part"_s, u"sous.srt"_s, u""_s})
        EXPECT_FALSE(FaitsVideo::extensionVideo(nom)) << nom.toStdString();
}

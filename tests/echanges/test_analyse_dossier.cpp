#include "catalogue/ChampsFiche.h"
#include "echanges/AnalyseDossier.h"
#include "tests/support/VideosDeTest.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using AnalyseDossier::Source;
using VideosDeTest::Sorte;

namespace {

void ecrire(const QString &chemin, const QByteArray &octets)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
    f.write(octets);
}

QStringList relatifs(const QString &racine, const QStringList &chemins)
{
    QStringList r;
    for (const QString &c : chemins)
        r.append(QDir(racine).relativeFilePath(c));
    return r;
}

const NomVideo::IndexTitres &index()
{
    static const NomVideo::IndexTitres titres(
        {u"BRAZIL"_s, u"PONT (LE)"_s, u"À BOUT DE SOUFFLE"_s, u"ATALANTE (L')"_s});
    return titres;
}

} // namespace

TEST(AnalyseDossier, LeParcoursTrouveLesVideosInconnuesEtDitCeQuIlLaisse)
{
    QTemporaryDir dossier;
    const QString racine = dossier.filePath(u"Films"_s);
    for (const QString &nom :
         {u"Le.Pont.1959.MULTi.1080p.BluRay.x264.mkv"_s, u"Brazil (1985)/movie.mkv"_s,
          u"Brazil (1985)/movie.nfo"_s, u"Brazil (1985)/poster.jpg"_s, u"Vus/Déjà vu.avi"_s,
          u"Vus/B.MP4"_s, u"notes.txt"_s, u"sous-titres.srt"_s, u"Le\nRetour.mkv"_s, u"vide.mkv"_s})
        ecrire(racine + u'/' + nom, nom.endsWith(u"vide.mkv"_s) ? QByteArray() : "x");
    // A link back up the tree, a second way into a folder, a link to nowhere.
    ASSERT_EQ(symlink("..", QFile::encodeName(racine + u"/Vus/boucle"_s).constData()), 0);
    ASSERT_EQ(symlink("Vus", QFile::encodeName(racine + u"/Raccourci"_s).constData()), 0);
    ASSERT_EQ(symlink("absent.mkv", QFile::encodeName(racine + u"/mort.mkv"_s).constData()), 0);
    // A name written on a system in Windows-1252: "Été.mkv".
    const QByteArray latin = QFile::encodeName(racine) + "/\xC9t\xE9.mkv";
    const int descripteur = open(latin.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(descripteur, 0);
    close(descripteur);

    Progression progression;
    const QSet<QString> connus{racine + u"/Vus/B.MP4"_s};
    const AnalyseDossier::Inventaire inventaire =
        AnalyseDossier::lister(racine, connus, progression);
    EXPECT_FALSE(inventaire.arrete);
    EXPECT_EQ(relatifs(racine, inventaire.videos),
              (QStringList{u"Brazil (1985)/movie.mkv"_s, u"Le\nRetour.mkv"_s,
                           u"Le.Pont.1959.MULTi.1080p.BluRay.x264.mkv"_s,
                           u"Raccourci/Déjà vu.avi"_s, u"vide.mkv"_s}))
        << "names in byte order, each folder once, the known file left out";
    ASSERT_EQ(inventaire.ecarts.size(), 1);
    EXPECT_EQ(inventaire.ecarts[0].chemin, racine + u"/Ét\u00E9.mkv"_s);
    EXPECT_EQ(inventaire.ecarts[0].raison, u"nom de fichier hors UTF-8, fichier laissé de côté"_s);
    EXPECT_EQ(progression.fait(), 7) << "every video file counted, known or not";

    const auto fichier = AnalyseDossier::lister(racine + u"/notes.txt"_s, {}, progression);
    EXPECT_TRUE(fichier.videos.isEmpty());
    ASSERT_EQ(fichier.ecarts.size(), 1);
    EXPECT_EQ(fichier.ecarts[0].raison, u"ce n'est pas un dossier lisible"_s);

    Progression arretee;
    arretee.annuler();
    const auto rien = AnalyseDossier::lister(racine, {}, arretee);
    EXPECT_TRUE(rien.arrete);
    EXPECT_TRUE(rien.videos.isEmpty());
}

TEST(AnalyseDossier, ChaqueFichierProposeSaFicheDansLOrdreDesSources)
{
    QTemporaryDir dossier;
    const auto video = [&](const QString &nom) {
        const QString chemin = dossier.filePath(nom);
        EXPECT_TRUE(VideosDeTest::copier(Sorte::MkvH264DeuxLangues, chemin));
        return chemin;
    };
    // A Kodi card and its poster beside the file.
    const QString avecNfo = video(u"Kodi/Die.Bruecke.1959.mkv"_s);
    ecrire(dossier.filePath(u"Kodi/Die.Bruecke.1959.nfo"_s),
           "<movie><title>Le Pont</title><year>1959</year><runtime>103</runtime></movie>");
    QImage affiche(60, 90, QImage::Format_RGB32);
    affiche.fill(Qt::darkBlue);
    ASSERT_TRUE(affiche.save(dossier.filePath(u"Kodi/poster.jpg"_s)));
    // A card that is not XML and a poster that is not a picture: the index then.
    const QString nfoCasse = video(u"Casse/Le.Pont.1959.MULTi.1080p.BluRay.x264.mkv"_s);
    ecrire(dossier.filePath(u"Casse/movie.nfo"_s), "https://example.invalid/film\n");
    ecrire(dossier.filePath(u"Casse/folder.jpg"_s), "<html>404</html>");
    const QString inconnu = video(u"Zzyzx.Xqwv.2011.720p.mkv"_s);
    ecrire(dossier.filePath(u"vide.mkv"_s), {});
    ecrire(dossier.filePath(u"texte.avi"_s), "Ceci n'est pas une vidéo.");

    const auto nfo = AnalyseDossier::proposer(avecNfo, index());
    ASSERT_TRUE(nfo.proposition);
    EXPECT_EQ(nfo.proposition->source, Source::Nfo);
    EXPECT_EQ(nfo.proposition->fiche.titreFrancais(), u"Le Pont"_s);
    EXPECT_EQ(nfo.proposition->fiche.annee(), u"1959"_s);
    EXPECT_EQ(nfo.proposition->affiche, dossier.filePath(u"Kodi/poster.jpg"_s));
    EXPECT_TRUE(nfo.proposition->faits.lu);

    const auto casse = AnalyseDossier::proposer(nfoCasse, index());
    ASSERT_TRUE(casse.proposition);
    EXPECT_EQ(casse.proposition->source, Source::Index);
    EXPECT_TRUE(casse.proposition->remarque.startsWith(u"movie.nfo : ce n'est pas du XML"_s))
        << casse.proposition->remarque.toStdString();
    ASSERT_FALSE(casse.proposition->candidats.isEmpty());
    EXPECT_EQ(casse.proposition->candidats[0].titre, u"PONT (LE)"_s);
    EXPECT_EQ(casse.proposition->candidats[0].sorte, NomVideo::Candidat::Sorte::Exact);
    EXPECT_TRUE(casse.proposition->affiche.isEmpty());

    const auto vierge = AnalyseDossier::proposer(inconnu, index());
    ASSERT_TRUE(vierge.proposition);
    EXPECT_EQ(vierge.proposition->source, Source::Vierge);
    EXPECT_EQ(vierge.proposition->fiche.idFilm(), u"ZZYZX XQWV"_s);
    EXPECT_EQ(vierge.proposition->fiche.titreFrancais(), u"ZZYZX XQWV"_s);
    EXPECT_EQ(vierge.proposition->fiche.annee(), u"2011"_s);

    for (const QString &nom : {u"vide.mkv"_s, u"texte.avi"_s, u"absent.mkv"_s}) {
        const auto refus = AnalyseDossier::proposer(dossier.filePath(nom), index());
        EXPECT_FALSE(refus.proposition) << nom.toStdString();
        ASSERT_TRUE(refus.ecart);
        EXPECT_FALSE(refus.ecart->raison.isEmpty());
    }
}

TEST(AnalyseDossier, LaFicheGardeSonFichierEtSesFaits)
{
    EXPECT_EQ(AnalyseDossier::cheminPourFiche(u"/opt/kinolux/Films/a.mkv"_s, u"/opt/kinolux"_s),
              u"Films/a.mkv"_s);
    EXPECT_EQ(AnalyseDossier::cheminPourFiche(u"/opt/kinolux/../b.mkv"_s, u"/opt/kinolux/"_s),
              u"/opt/b.mkv"_s);
    EXPECT_EQ(AnalyseDossier::cheminPourFiche(u"/media/films/c.mkv"_s, u"/opt/kinolux"_s),
              u"/media/films/c.mkv"_s);
    EXPECT_EQ(AnalyseDossier::cheminPourFiche(u"/opt/kinolux2/d.mkv"_s, u"/opt/kinolux"_s),
              u"/opt/kinolux2/d.mkv"_s);

    AnalyseDossier::Proposition p;
    p.video = u"/media/films/c.mkv"_s;
    p.faits.lu = true;
    p.faits.codecVideo = u"H.264"_s;
    p.faits.largeur = 1920;
    p.faits.hauteur = 1080;
    p.faits.dureeMs = 5'400'000;
    p.faits.audios = {{u"AAC"_s, 6, u"fr"_s}, {u"AAC"_s, 6, u"en"_s}};
    auto fiche = ChampsFiche::nouvelleFiche(u"C"_s, u"c"_s);
    AnalyseDossier::completer(*fiche, p, u"/opt/kinolux"_s);
    EXPECT_EQ(fiche->cheminFichier(), u"/media/films/c.mkv"_s);
    EXPECT_EQ(fiche->codec(), u"H.264 1920×1080, AAC 5.1 fr/en"_s);
    EXPECT_EQ(fiche->duree(), u"90 min"_s);
    fiche->setDuree(u"1h32"_s);
    AnalyseDossier::completer(*fiche, p, u"/opt/kinolux"_s);
    EXPECT_EQ(fiche->duree(), u"1h32"_s) << "a running time the card has stays";
}

TEST(AnalyseDossier, UnFichierDeplaceSeRetrouveParSonNom)
{
    EXPECT_EQ(AnalyseDossier::cheminVideo(u"-"_s, u"/opt/k"_s), QString());
    EXPECT_EQ(AnalyseDossier::cheminVideo(u"  "_s, u"/opt/k"_s), QString());
    EXPECT_EQ(AnalyseDossier::cheminVideo(u"Films\\a.avi"_s, u"/opt/k"_s), u"/opt/k/Films/a.avi"_s);
    EXPECT_EQ(AnalyseDossier::cheminVideo(u"/media/b.mkv"_s, u"/opt/k"_s), u"/media/b.mkv"_s);

    QTemporaryDir dossier;
    for (const QString &nom : {u"Nouveau/Profond/Brazil.avi"_s, u"Nouveau/brazil.AVI"_s,
                               u"Nouveau/Le Pont.mkv"_s, u"Nouveau/Le Pont.nfo"_s})
        ecrire(dossier.filePath(nom), "x");
    Progression progression;
    const QList<QStringList> trouves = AnalyseDossier::chercherParNom(
        {u"D:\\Films\\Brazil.avi"_s, u"/ancien/Le Pont.mkv"_s, u"/ancien/Absent.mkv"_s},
        dossier.path(), progression);
    ASSERT_EQ(trouves.size(), 3);
    EXPECT_EQ(trouves[0], (QStringList{dossier.filePath(u"Nouveau/brazil.AVI"_s),
                                       dossier.filePath(u"Nouveau/Profond/Brazil.avi"_s)}))
        << "case ignored, the nearest first";
    EXPECT_EQ(trouves[1], QStringList{dossier.filePath(u"Nouveau/Le Pont.mkv"_s)});
    EXPECT_TRUE(trouves[2].isEmpty());
}

TEST(AnalyseDossier, SeulUnTitreAssezProcheEstChoisiPourLUtilisateur)
{
    using SorteCandidat = NomVideo::Candidat::Sorte;
    const auto candidat = [](SorteCandidat sorte, double score) {
        return NomVideo::Candidat{0, u"X"_s, sorte, score};
    };
    EXPECT_TRUE(AnalyseDossier::assezProche(candidat(SorteCandidat::Exact, 1.0)));
    EXPECT_TRUE(AnalyseDossier::assezProche(candidat(SorteCandidat::Mots, 0.75)));
    EXPECT_FALSE(AnalyseDossier::assezProche(candidat(SorteCandidat::Mots, 0.2)));
    EXPECT_TRUE(AnalyseDossier::assezProche(candidat(SorteCandidat::Distance, 0.9)));
    EXPECT_FALSE(AnalyseDossier::assezProche(candidat(SorteCandidat::Distance, 0.6)));

    // "Mon film de vacances" shares one word with "Mon oncle": offered, not chosen.
    const NomVideo::IndexTitres titres({u"MON ONCLE"_s, u"BRAZIL"_s});
    const QList<NomVideo::Candidat> proches =
        titres.meilleurs(NomVideo::nettoyer(u"Mon.Film.De.Vacances.2019.mp4"_s).titre);
    ASSERT_FALSE(proches.isEmpty());
    EXPECT_EQ(proches[0].titre, u"MON ONCLE"_s);
    EXPECT_FALSE(AnalyseDossier::assezProche(proches[0]));
    EXPECT_TRUE(AnalyseDossier::assezProche(
        titres.meilleurs(NomVideo::nettoyer(u"Brazil.1985.mkv"_s).titre).value(0)));
}

TEST(AnalyseDossier, LesPropositionsGardentLOrdreDesFichiersEtSArretent)
{
    QTemporaryDir dossier;
    QStringList videos;
    for (int i = 0; i < 7; ++i) {
        const QString chemin = dossier.filePath(u"Film %1.avi"_s.arg(i));
        if (i == 3)
            ecrire(chemin, {});
        else
            ASSERT_TRUE(VideosDeTest::copier(Sorte::AviMpeg4, chemin));
        videos.append(chemin);
    }
    Progression progression;
    const AnalyseDossier::Analyse analyse =
        AnalyseDossier::proposerTout(videos, index(), progression);
    QStringList proposes;
    for (const auto &p : analyse.propositions)
        proposes.append(QFileInfo(p.video).fileName());
    EXPECT_EQ(proposes, (QStringList{u"Film 0.avi"_s, u"Film 1.avi"_s, u"Film 2.avi"_s,
                                     u"Film 4.avi"_s, u"Film 5.avi"_s, u"Film 6.avi"_s}));
    ASSERT_EQ(analyse.ecarts.size(), 1);
    EXPECT_EQ(analyse.ecarts[0].chemin, videos[3]);
    EXPECT_EQ(progression.fait(), 7);

    Progression arretee;
    arretee.annuler();
    EXPECT_THROW(AnalyseDossier::proposerTout(videos, index(), arretee), Progression::Annulation);
}

#include "catalogue/ChampsFiche.h"
#include "echanges/Impression.h"
#include "tests/catalogue/OutilsCatalogue.h"

#include <QDir>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::vector<TFicheFilm> films(int nombre)
{
    std::vector<TFicheFilm> fiches;
    for (int i = 0; i < nombre; ++i) {
        fiches.push_back(*ChampsFiche::nouvelleFiche(u"F%1"_s.arg(i), u"Film %1"_s.arg(i)));
        fiches.back().setTitreFrancais(u"L'Été n° %1, un titre assez long pour être coupé en bout "
                                       "de colonne quand il ne tient pas"_s.arg(i));
        fiches.back().setResume(QString(u"Un résumé qui ne finit pas. "_s).repeated(80));
    }
    return fiches;
}

// The pages of a PDF file, as its page objects say.
int pagesDe(const QByteArray &pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression(u"/Type\\s*/Page[^s]"_s)));
}

} // namespace

TEST(Impression, LaListeEtLesFichesRemplissentLeursPages)
{
    QTemporaryDir dossier;
    const std::vector<TFicheFilm> fiches = films(130);
    QImage image(200, 300, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    const QString couverture = dossier.filePath(u"c.jpg"_s);
    ASSERT_TRUE(image.save(couverture));
    std::vector<QString> couvertures(fiches.size(), couverture);
    couvertures[1] = dossier.filePath(u"absente.jpg"_s);
    couvertures[2].clear();

    for (const auto mise : {Impression::Mise::Liste, Impression::Mise::Fiches}) {
        const Impression::Entree entree{mise, &fiches, &couvertures};
        const QString fichier = dossier.filePath(u"catalogue.pdf"_s);
        Progression progression;
        Impression::exporterPdf(entree, fichier, progression);
        const QByteArray pdf = lireFichier(fichier);
        ASSERT_TRUE(pdf.startsWith("%PDF-"));
        QPdfWriter mesure(dossier.filePath(u"mesure.pdf"_s));
        mesure.setResolution(300);
        mesure.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        const int attendues = Impression::nombrePages(entree, mesure);
        EXPECT_EQ(pagesDe(pdf), attendues);
        if (mise == Impression::Mise::Fiches)
            EXPECT_EQ(attendues, 65) << "two cards a page";
        else
            EXPECT_GT(attendues, 1);
        EXPECT_GE(progression.fait(), qint64(fiches.size()));
    }
}

TEST(Impression, UnPdfEstEntierOuAbsent)
{
    QTemporaryDir dossier;
    const std::vector<TFicheFilm> fiches = films(300);
    const Impression::Entree entree{Impression::Mise::Liste, &fiches, nullptr};
    const QString fichier = dossier.filePath(u"catalogue.pdf"_s);
    QFile ancien(fichier);
    ASSERT_TRUE(ancien.open(QIODevice::WriteOnly));
    ancien.write("ancien");
    ancien.close();

    Progression arretee;
    arretee.annuler();
    EXPECT_THROW(Impression::exporterPdf(entree, fichier, arretee), Progression::Annulation);
    EXPECT_EQ(lireFichier(fichier), "ancien") << "a stopped export leaves the former file";
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"catalogue.pdf"_s})
        << "and nothing beside it";

    const QString impossible = dossier.filePath(u"absent/catalogue.pdf"_s);
    Progression progression;
    const QString texte =
        texteErreur([&] { Impression::exporterPdf(entree, impossible, progression); });
    EXPECT_TRUE(texte.startsWith(u"Impossible d'écrire le fichier "_s + impossible))
        << texte.toStdString();
}

#include "echanges/Impression.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"
#include "echanges/FichierEntier.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using ChampsFiche::Champ;

namespace {

const QColor k_bandeau(40, 36, 48);
const QColor k_ligneClaire(246, 240, 226);
const QColor k_trait(200, 190, 170);

QString valeur(const TFicheFilm &fiche, Champ c)
{
    const QString texte = ChampsFiche::enTexte(fiche, c);
    return texte.trimmed().isEmpty() ? u"-"_s : texte;
}

// Sizes in the device's pixels, from points.
class Mesures
{
public:
    explicit Mesures(const QPaintDevice &appareil)
        : m_pixelsParPoint(appareil.logicalDpiY() / 72.0)
    {
    }
    qreal points(qreal p) const { return p * m_pixelsParPoint; }

private:
    qreal m_pixelsParPoint;
};

struct Page
{
    QRectF zone; // the printable area, margins off
    qreal hauteurLigne;
    qreal hauteurEntete;
    int lignesParPage;
};

Page pageListe(const QPagedPaintDevice &appareil)
{
    const Mesures m(appareil);
    Page page;
    page.zone = QRectF(0, 0, appareil.width(), appareil.height());
    page.hauteurLigne = m.points(13);
    page.hauteurEntete = m.points(40);
    const qreal pied = m.points(18);
    page.lignesParPage = std::max(
        1, int(std::floor((page.zone.height() - page.hauteurEntete - pied) / page.hauteurLigne)));
    return page;
}

QFont police(qreal points, bool gras = false)
{
    QFont f(u"DejaVu Sans"_s);
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

void piedDePage(QPainter &peintre, const QRectF &zone, int page, int pages)
{
    peintre.setPen(Qt::darkGray);
    peintre.setFont(police(7));
    peintre.drawText(zone, Qt::AlignBottom | Qt::AlignRight, u"%1 / %2"_s.arg(page).arg(pages));
    peintre.drawText(zone, Qt::AlignBottom | Qt::AlignLeft, u"Kinolux"_s);
}

// A stopped print run is dropped rather than sent half done to the printer.
void abandonner(QPagedPaintDevice &appareil)
{
    if (auto *imprimante = dynamic_cast<QPrinter *>(&appareil))
        imprimante->abort();
}

void nouvellePage(QPagedPaintDevice &appareil)
{
    if (!appareil.newPage())
        throw Erreur(u"Impossible d'ajouter une page à l'impression."_s);
}

void imprimerListe(const Impression::Entree &entree, QPagedPaintDevice &appareil, QPainter &peintre,
                   Progression &progression)
{
    const std::vector<TFicheFilm> &fiches = *entree.fiches;
    const Page page = pageListe(appareil);
    const int pages = Impression::nombrePages(entree, appareil);
    const Mesures m(appareil);
    const struct
    {
        Champ champ;
        qreal part;
    } colonnes[] = {{ChampsFiche::TitreFrancais, 0.42},
                    {ChampsFiche::Annee, 0.08},
                    {ChampsFiche::Realisateurs, 0.27},
                    {ChampsFiche::NomSupport, 0.23}};
    const qreal marge = m.points(3);

    const QFont texte = police(8);
    const QFont gras = police(8, true);
    const QFontMetricsF metriques(texte, &appareil);
    size_t suivante = 0;
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            nouvellePage(appareil);
        QRectF bandeau(page.zone.left(), page.zone.top(), page.zone.width(), m.points(20));
        peintre.fillRect(bandeau, k_bandeau);
        peintre.setPen(Qt::white);
        peintre.setFont(police(10, true));
        peintre.drawText(bandeau, Qt::AlignCenter,
                         u"Catalogue Kinolux — %1 films"_s.arg(fiches.size()));
        qreal y = page.zone.top() + page.hauteurEntete - page.hauteurLigne;
        qreal x = page.zone.left();
        peintre.setPen(Qt::black);
        peintre.setFont(gras);
        for (const auto &colonne : colonnes) {
            const qreal largeur = colonne.part * page.zone.width();
            peintre.drawText(QRectF(x + marge, y, largeur - 2 * marge, page.hauteurLigne),
                             Qt::AlignVCenter | Qt::AlignLeft, ChampsFiche::libelle(colonne.champ));
            x += largeur;
        }
        peintre.setPen(QPen(k_trait, m.points(0.5)));
        peintre.drawLine(QPointF(page.zone.left(), y + page.hauteurLigne),
                         QPointF(page.zone.right(), y + page.hauteurLigne));
        y += page.hauteurLigne;
        peintre.setFont(texte);
        for (int l = 0; l < page.lignesParPage && suivante < fiches.size(); ++l, ++suivante) {
            const TFicheFilm &fiche = fiches[suivante];
            const QRectF rangee(page.zone.left(), y, page.zone.width(), page.hauteurLigne);
            if (l % 2 == 1)
                peintre.fillRect(rangee, k_ligneClaire);
            peintre.setPen(Qt::black);
            x = page.zone.left();
            for (const auto &colonne : colonnes) {
                const qreal largeur = colonne.part * page.zone.width();
                const QString ligne = valeur(fiche, colonne.champ).simplified();
                peintre.drawText(QRectF(x + marge, y, largeur - 2 * marge, page.hauteurLigne),
                                 Qt::AlignVCenter | Qt::AlignLeft,
                                 metriques.elidedText(ligne, Qt::ElideRight, largeur - 2 * marge));
                x += largeur;
            }
            y += page.hauteurLigne;
        }
        piedDePage(peintre, page.zone, p, pages);
        progression.avancer(page.lignesParPage);
    }
}

// The text cut at a word with an ellipsis so that, wrapped, it holds in the rectangle.
QString ajuste(const QFontMetricsF &metriques, const QRectF &zone, const QString &texte)
{
    const auto tient = [&](const QString &t) {
        return metriques.boundingRect(zone, Qt::TextWordWrap, t).height() <= zone.height() + 0.5;
    };
    if (tient(texte))
        return texte;
    // The longest start that holds, found by halving.
    qsizetype bas = 0;
    qsizetype haut = texte.size();
    while (bas + 1 < haut) {
        const qsizetype milieu = (bas + haut) / 2;
        if (tient(texte.left(milieu).trimmed() + u"…"_s))
            bas = milieu;
        else
            haut = milieu;
    }
    QString debut = texte.left(bas);
    const qsizetype blanc = debut.lastIndexOf(u' ');
    if (blanc > bas / 2)
        debut.truncate(blanc);
    return debut.trimmed() + u"…"_s;
}

// One card in its half page: the cover on the left, the fields on the right, the summary under.
void imprimerFiche(QPainter &peintre, const QRectF &zone, const TFicheFilm &fiche,
                   const QString &couverture, const Mesures &m)
{
    QPaintDevice &appareil = *peintre.device();
    const QRectF cadre = zone.adjusted(0, m.points(6), 0, -m.points(6));
    peintre.setPen(QPen(k_trait, m.points(0.7)));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(cadre);
    const QRectF dedans = cadre.adjusted(m.points(10), m.points(10), -m.points(10), -m.points(10));

    const QRectF bandeau(dedans.left(), dedans.top(), dedans.width(), m.points(22));
    peintre.fillRect(bandeau, k_bandeau);
    peintre.setPen(Qt::white);
    peintre.setFont(police(12, true));
    const QString titre = valeur(fiche, ChampsFiche::TitreFrancais).simplified();
    peintre.drawText(bandeau.adjusted(m.points(6), 0, -m.points(6), 0),
                     Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetricsF(peintre.font(), &appareil)
                         .elidedText(titre, Qt::ElideRight, bandeau.width() - m.points(12)));

    const qreal haut = bandeau.bottom() + m.points(8);
    const QRectF cadreImage(dedans.left(), haut, dedans.width() * 0.3,
                            (dedans.bottom() - haut) * 0.62);
    QImage image;
    if (!couverture.isEmpty()) {
        QImageReader lecteur(couverture);
        const QSize taille = lecteur.size();
        if (taille.isValid() && taille.width() < 20000 && taille.height() < 20000) {
            lecteur.setScaledSize(taille.scaled(cadreImage.size().toSize() * 2, Qt::KeepAspectRatio)
                                      .boundedTo(taille));
            image = lecteur.read();
        }
    }
    if (!image.isNull()) {
        const QSizeF tailleImage =
            QSizeF(image.size()).scaled(cadreImage.size(), Qt::KeepAspectRatio);
        peintre.drawImage(QRectF(cadreImage.topLeft(), tailleImage), image);
    } else {
        peintre.fillRect(cadreImage, k_ligneClaire);
        peintre.setPen(Qt::darkGray);
        peintre.setFont(police(8));
        peintre.drawText(cadreImage, Qt::AlignCenter, u"Pas de couverture"_s);
    }

    const Champ champs[] = {
        ChampsFiche::TitreOriginal, ChampsFiche::Annee,           ChampsFiche::Duree,
        ChampsFiche::Realisateurs,  ChampsFiche::Acteurs,         ChampsFiche::Genres,
        ChampsFiche::Nationnalites, ChampsFiche::DistributeurFR,  ChampsFiche::NomSupport,
        ChampsFiche::TypeSupport,   ChampsFiche::NiveauPreference};
    const qreal gauche = cadreImage.right() + m.points(12);
    const qreal largeurLibelle = m.points(92);
    const QFont texte = police(8.5);
    const QFont gras = police(8.5, true);
    const QFontMetricsF metriques(gras, &appareil);
    qreal y = haut;
    for (const Champ c : champs) {
        const QRectF libelle(gauche, y, largeurLibelle, m.points(14));
        const QRectF contenu(gauche + largeurLibelle, y, dedans.right() - gauche - largeurLibelle,
                             m.points(28));
        peintre.setPen(Qt::darkGray);
        peintre.setFont(texte);
        peintre.drawText(libelle, Qt::AlignLeft | Qt::AlignTop, ChampsFiche::libelle(c) + u" :"_s);
        peintre.setPen(Qt::black);
        peintre.setFont(gras);
        const QString ligne = valeur(fiche, c).simplified();
        const QRectF utilise = metriques.boundingRect(contenu, Qt::TextWordWrap, ligne);
        const bool deuxLignes = utilise.height() > m.points(14);
        const QRectF place = deuxLignes ? contenu : contenu.adjusted(0, 0, 0, -m.points(14));
        peintre.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         ajuste(metriques, place, ligne));
        y += deuxLignes ? m.points(26) : m.points(14);
        if (y > cadreImage.bottom())
            break;
    }

    const QRectF zoneResume(QPointF(dedans.left(), std::max(cadreImage.bottom(), y) + m.points(8)),
                            dedans.bottomRight());
    peintre.setPen(Qt::black);
    peintre.setFont(police(8.5));
    // A long summary stops at the card's foot with an ellipsis.
    const QString texteResume = ajuste(QFontMetricsF(peintre.font(), &appareil), zoneResume,
                                       valeur(fiche, ChampsFiche::Resume));
    peintre.drawText(zoneResume, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, texteResume);
}

void imprimerFiches(const Impression::Entree &entree, QPagedPaintDevice &appareil,
                    QPainter &peintre, Progression &progression)
{
    const std::vector<TFicheFilm> &fiches = *entree.fiches;
    const Mesures m(appareil);
    const QRectF zone(0, 0, appareil.width(), appareil.height());
    const qreal pied = m.points(14);
    const qreal moitie = (zone.height() - pied) / 2;
    const int pages = Impression::nombrePages(entree, appareil);
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            nouvellePage(appareil);
        for (int i = 0; i < 2; ++i) {
            const size_t index = size_t(p) * 2 + size_t(i);
            if (index >= fiches.size())
                break;
            const QString couverture =
                entree.couvertures ? (*entree.couvertures)[index] : QString();
            imprimerFiche(peintre,
                          QRectF(zone.left(), zone.top() + i * moitie, zone.width(), moitie),
                          fiches[index], couverture, m);
            progression.avancer();
        }
        piedDePage(peintre, zone, p + 1, pages);
    }
}

} // namespace

namespace Impression {

int nombrePages(const Entree &entree, const QPagedPaintDevice &appareil)
{
    const auto n = qsizetype(entree.fiches->size());
    if (entree.mise == Mise::Fiches)
        return int(std::max<qsizetype>(1, (n + 1) / 2));
    const int parPage = pageListe(appareil).lignesParPage;
    return int(std::max<qsizetype>(1, (n + parPage - 1) / parPage));
}

void imprimer(const Entree &entree, QPagedPaintDevice &appareil, Progression &progression)
{
    progression.definirTotal(qint64(entree.fiches->size()));
    QPainter peintre;
    if (!peintre.begin(&appareil))
        throw Erreur(u"Impossible de commencer l'impression."_s);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    try {
        if (entree.mise == Mise::Liste)
            imprimerListe(entree, appareil, peintre, progression);
        else
            imprimerFiches(entree, appareil, peintre, progression);
    } catch (...) {
        abandonner(appareil);
        throw;
    }
    if (!peintre.end())
        throw Erreur(u"Impossible de terminer l'impression."_s);
}

void exporterPdf(const Entree &entree, const QString &fichier, Progression &progression)
{
    FichierEntier sortie(fichier);
    sortie.ouvrir();
    {
        QPdfWriter pdf(&sortie);
        pdf.setTitle(u"Catalogue Kinolux"_s);
        pdf.setCreator(u"Kinolux"_s);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        try {
            imprimer(entree, pdf, progression);
        } catch (...) {
            sortie.cancelWriting();
            throw;
        }
    }
    sortie.terminer();
}

} // namespace Impression

#include "coversite/DonneesDemo.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr int k_lignesFiche = 11;

// Bytes 0x80 to 0x9F of Windows-1252; the five undefined ones keep their own value.
constexpr std::array<char16_t, 32> k_c1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int octet(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (k_c1[static_cast<size_t>(i)] == c)
            return 0x80 + i;
    }
    return -1;
}

const std::array<std::pair<QStringView, QStringView>, 13> k_suffixes = {{
    {u" (LE)", u"LE "},
    {u" (LES)", u"LES "},
    {u" (LA)", u"LA "},
    {u" (L')", u"L'"},
    {u" (UNE)", u"UNE "},
    {u" (UN)", u"UN "},
    {u" (THE)", u"THE "},
    {u" (AN)", u"AN "},
    {u" (EL)", u"EL "},
    {u" (C7A)", u"C7A "},
    {u" (CCM)", u"CCM "},
    {u" (CIM)", u"CIM "},
    {u" (VRM)", u"VRM "},
}};

QStringList lignesUtf8(const QString &chemin, QString *erreur)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        *erreur = chemin + u": "_s + fichier.errorString();
        return {};
    }
    QString texte = QString::fromUtf8(fichier.readAll());
    texte.replace(u"\r\n"_s, u"\n"_s);
    QStringList lignes = texte.split(u'\n');
    if (!lignes.isEmpty() && lignes.constLast().isEmpty())
        lignes.removeLast();
    return lignes;
}

// FNV-1a: the same colour for the same title in every run (qHash is seeded per process).
quint32 empreinte(const QByteArray &octets)
{
    quint32 h = 2166136261u;
    for (const char c : octets) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

QImage dessinerAffiche(const DonneesDemo::Film &film)
{
    const QByteArray cle = DonneesDemo::nomSite(film.titreIndex);
    const quint32 h = empreinte(cle);
    const int teinte = static_cast<int>(h % 360);
    const QColor clair = QColor::fromHsv(teinte, 130, 215);
    const QColor sombre = QColor::fromHsv(teinte, 210, 55);
    const QColor astre = QColor::fromHsv((teinte + 40) % 360, 90, 250);

    QImage image(300, 420, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient degrade(0, 0, 0, image.height());
    degrade.setColorAt(0, clair);
    degrade.setColorAt(1, sombre);
    p.fillRect(image.rect(), degrade);

    const int rayon = 35 + static_cast<int>((h >> 9) % 35);
    const QPointF centre(70 + (h >> 16) % 160, 100 + (h >> 24) % 30);
    p.setPen(Qt::NoPen);
    p.setBrush(astre);
    p.drawEllipse(centre, rayon, rayon);
    p.setBrush(sombre);
    p.drawRect(0, 340, 300, 80);

    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(10, 10, 279, 399);

    // Text needs the fonts of a QGuiApplication; a plain core program gets the picture alone.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        p.end();
        return image;
    }

    const QString &titre = film.lignes.at(0);
    const QString realisateurs = film.lignes.at(1).split(u'/').join(u" et "_s);
    QFont police(u"DejaVu Serif"_s);
    police.setPixelSize(15);
    p.setFont(police);
    p.setPen(Qt::white);
    p.drawText(QRect(20, 24, 260, 40), Qt::AlignHCenter | Qt::TextWordWrap,
               u"un film de "_s + realisateurs);

    police.setBold(true);
    police.setPixelSize(titre.size() > 34 ? 20 : titre.size() > 20 ? 24 : 32);
    p.setFont(police);
    const QRect zoneTitre(20, 215, 260, 120);
    const int options = Qt::AlignCenter | Qt::TextWordWrap;
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(zoneTitre.translated(2, 2), options, titre.toUpper());
    p.setPen(Qt::white);
    p.drawText(zoneTitre, options, titre.toUpper());

    police.setBold(false);
    police.setPixelSize(18);
    p.setFont(police);
    p.drawText(QRect(20, 360, 260, 30), Qt::AlignCenter, film.lignes.at(2));
    p.end();
    return image;
}

} // namespace

std::optional<QByteArray> DonneesDemo::versWindows1252(const QString &texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (const QChar c : texte) {
        const int o = octet(c.unicode());
        if (o < 0)
            return std::nullopt;
        octets.append(static_cast<char>(o));
    }
    return octets;
}

QString DonneesDemo::depuisWindows1252(QByteArrayView octets)
{
    QString texte;
    texte.reserve(octets.size());
    for (const char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        texte.append(QChar(o >= 0x80 && o < 0xA0 ? k_c1[o - 0x80] : char16_t{o}));
    }
    return texte;
}

QString DonneesDemo::normaliser(const QString &titre)
{
    QString resultat = titre;
    for (const auto &[suffixe, prefixe] : k_suffixes) {
        const qsizetype position = resultat.indexOf(suffixe);
        if (position >= 0)
            resultat = prefixe.toString() + resultat.left(position);
    }
    return resultat;
}

QByteArray DonneesDemo::nomSite(const QString &titre)
{
    return versWindows1252(normaliser(titre)).value_or(QByteArray()).replace(" ", "%20");
}

QByteArray DonneesDemo::nomAffiche(const QString &titre)
{
    QByteArray nom = versWindows1252(normaliser(titre)).value_or(QByteArray());
    for (char &c : nom) {
        if (c == ' ')
            c = '_';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return nom;
}

// movies.txt holds Windows-1252 lines ended by CR LF. In fiches.txt (UTF-8), lines starting with
// "#" and blank lines between cards are skipped; a card is a line "= INDEX TITLE", a line
// "couverture:" followed by "site" and/or "affiches" (or nothing), then the eleven lines of its
// page, taken as they are.
bool DonneesDemo::charger(const QString &dossier, QString *erreur)
{
    QString raison;
    const auto echec = [&](const QString &texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };

    QFile index(dossier + u"/movies.txt"_s);
    if (!index.open(QIODevice::ReadOnly))
        return echec(index.fileName() + u": "_s + index.errorString());
    m_index = index.readAll();
    m_titres.clear();
    QByteArray lignesIndex = m_index;
    lignesIndex.replace("\r\n", "\n").replace('\r', '\n');
    if (lignesIndex.endsWith('\n'))
        lignesIndex.chop(1);
    for (const QByteArray &ligne : lignesIndex.split('\n'))
        m_titres.append(depuisWindows1252(ligne));

    const QString cheminFiches = dossier + u"/fiches.txt"_s;
    const QStringList lignes = lignesUtf8(cheminFiches, &raison);
    if (!raison.isEmpty())
        return echec(raison);
    m_films.clear();
    m_parCle.clear();
    m_parNomSite.clear();
    m_parNomAffiche.clear();
    m_couvertures.clear();
    qsizetype i = 0;
    while (i < lignes.size()) {
        const QString &ligne = lignes.at(i);
        const QString place = cheminFiches + u':' + QString::number(i + 1) + u": "_s;
        if (ligne.trimmed().isEmpty() || ligne.startsWith(u'#')) {
            ++i;
            continue;
        }
        if (!ligne.startsWith(u"= "_s) || i + 2 + k_lignesFiche > lignes.size() ||
            !lignes.at(i + 1).startsWith(u"couverture:"_s))
            return echec(place + u"expected \"= TITLE\", \"couverture:\" and eleven lines"_s);
        Film film;
        film.titreIndex = ligne.mid(2);
        const QStringList sources = lignes.at(i + 1).mid(11).split(u' ', Qt::SkipEmptyParts);
        for (const QString &source : sources) {
            if (source == u"site")
                film.surSite = true;
            else if (source == u"affiches")
                film.surAffiches = true;
            else
                return echec(place + u"unknown cover source "_s + source);
        }
        film.lignes = lignes.mid(i + 2, k_lignesFiche);
        for (const QString &champ : std::as_const(film.lignes)) {
            if (!versWindows1252(champ))
                return echec(place + u"not Windows-1252: "_s + champ);
        }
        const auto cle = versWindows1252(normaliser(film.titreIndex));
        if (!cle)
            return echec(place + u"title not Windows-1252"_s);
        if (m_parCle.contains(*cle))
            return echec(place + u"second card for "_s + film.titreIndex);
        const qsizetype rang = m_films.size();
        m_parCle.insert(*cle, rang);
        m_parNomSite.insert(nomSite(film.titreIndex), rang);
        m_parNomAffiche.insert(nomAffiche(film.titreIndex), rang);
        m_films.append(film);
        i += 2 + k_lignesFiche;
    }
    return true;
}

QByteArray DonneesDemo::page(const Film &film)
{
    QByteArray octets;
    for (const QString &ligne : film.lignes)
        octets += versWindows1252(ligne).value_or(QByteArray()) + "\r\n";
    return octets;
}

const DonneesDemo::Film *DonneesDemo::parCle(const QByteArray &cle) const
{
    const auto it = m_parCle.constFind(cle);
    return it == m_parCle.cend() ? nullptr : &m_films.at(*it);
}

const DonneesDemo::Film *DonneesDemo::parNomSite(const QByteArray &nom) const
{
    const auto it = m_parNomSite.constFind(nom);
    return it == m_parNomSite.cend() ? nullptr : &m_films.at(*it);
}

const DonneesDemo::Film *DonneesDemo::parNomAffiche(const QByteArray &nom) const
{
    const auto it = m_parNomAffiche.constFind(nom);
    return it == m_parNomAffiche.cend() ? nullptr : &m_films.at(*it);
}

QByteArray DonneesDemo::couverture(const Film &film)
{
    const qsizetype rang = &film - m_films.constData();
    auto it = m_couvertures.find(rang);
    if (it != m_couvertures.end())
        return *it;
    QByteArray jpeg;
    QBuffer tampon(&jpeg);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter ecrivain(&tampon, "jpg");
    ecrivain.setQuality(85);
    ecrivain.write(dessinerAffiche(film));
    m_couvertures.insert(rang, jpeg);
    return jpeg;
}

#include "catalogue/Journal.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Erreur.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace Journal {

namespace {

constexpr char k_marque[] = "KINOLUX-JOURNAL\n";
constexpr qsizetype k_longueurMarque = sizeof(k_marque) - 1;
constexpr quint32 k_version = 1;
// A record's length and CRC, little-endian.
constexpr qsizetype k_enTeteEnregistrement = 8;
// No change of a catalogue comes near: a longer length is a damaged record.
constexpr quint32 k_enregistrementMaximal = 1024u * 1024 * 1024;
constexpr QDataStream::Version k_versionFlux = QDataStream::Qt_6_0;
// The fewest bytes a card takes in a record: the length or count of each of its fields.
constexpr qint64 k_ficheMinimale = 4 * ChampsFiche::NombreChamps;

const std::array<quint32, 256> &tableCrc()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

void ecrireFiche(QDataStream &flux, const TFicheFilm &fiche)
{
    using ChampsFiche::Genre;
    for (const ChampsFiche::Description &d : ChampsFiche::champs()) {
        switch (d.genre) {
        case Genre::Texte:
            flux << (fiche.*d.texte)();
            break;
        case Genre::Liste:
            flux << (fiche.*d.liste)();
            break;
        case Genre::Entier:
            flux << (fiche.*d.entier)();
            break;
        }
    }
}

// A list as QDataStream writes it (a count, then each element), read without trusting the count:
// Qt's own reading reserves room for it first, and a damaged count asks for gigabytes.
template <typename T> bool lireListe(QDataStream &flux, QList<T> &liste)
{
    quint32 nombre = 0;
    flux >> nombre;
    // Each element takes at least the four bytes of its length.
    if (flux.status() != QDataStream::Ok || qint64(nombre) * 4 > flux.device()->bytesAvailable()) {
        flux.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    liste.clear();
    for (quint32 i = 0; i < nombre && flux.status() == QDataStream::Ok; ++i) {
        T element;
        flux >> element;
        liste.append(std::move(element));
    }
    return flux.status() == QDataStream::Ok;
}

TFicheFilm lireFiche(QDataStream &flux)
{
    using ChampsFiche::Genre;
    QString idFilm;
    flux >> idFilm;
    TFicheFilm fiche(idFilm);
    for (const ChampsFiche::Description &d : ChampsFiche::champs()) {
        if (d.ecrireTexte) {
            QString texte;
            flux >> texte;
            (fiche.*d.ecrireTexte)(texte);
        } else if (d.listePropre) {
            QStringList liste;
            lireListe(flux, liste);
            (fiche.*d.listePropre)() = std::move(liste);
        } else if (d.ecrireEntier) {
            qint32 entier = 0;
            flux >> entier;
            (fiche.*d.ecrireEntier)(entier);
        }
    }
    return fiche;
}

void ecrireLE(QByteArray &octets, quint32 valeur)
{
    for (int i = 0; i < 4; ++i)
        octets.append(char((valeur >> (8 * i)) & 0xFF));
}

quint32 lireLE(const char *p)
{
    quint32 valeur = 0;
    for (int i = 3; i >= 0; --i)
        valeur = (valeur << 8) | quint8(p[i]);
    return valeur;
}

QString raisonSysteme()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The folder's entry of a renamed file reaches the disk too.
void synchroniserDossier(const QString &fichier)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(fichier).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray enTete(const Base &base)
{
    QByteArray octets(k_marque, k_longueurMarque);
    QDataStream flux(&octets, QIODevice::WriteOnly | QIODevice::Append);
    flux.setVersion(k_versionFlux);
    flux << k_version << base.hash << base.taille;
    return octets;
}

} // namespace

quint32 crc32(const char *donnees, qsizetype taille)
{
    const auto &table = tableCrc();
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < taille; ++i)
        c = table[(c ^ quint8(donnees[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray coder(const Changement &changement)
{
    QByteArray octets;
    QDataStream flux(&octets, QIODevice::WriteOnly);
    flux.setVersion(k_versionFlux);
    flux << quint8(changement.genre) << changement.index << changement.nombre
         << quint32(changement.fiches.size());
    for (const TFicheFilm &fiche : changement.fiches)
        ecrireFiche(flux, fiche);
    return octets;
}

Changement decoder(const QByteArray &corps)
{
    QDataStream flux(corps);
    flux.setVersion(k_versionFlux);
    Changement changement;
    quint8 genre = 0;
    quint32 nombreFiches = 0;
    flux >> genre >> changement.index >> changement.nombre >> nombreFiches;
    if (flux.status() != QDataStream::Ok || genre < 1 || genre > 4 ||
        qint64(nombreFiches) * k_ficheMinimale > corps.size())
        throw Erreur(u"Enregistrement du journal illisible."_s);
    changement.genre = Changement::Genre(genre);
    changement.fiches.reserve(nombreFiches);
    for (quint32 i = 0; i < nombreFiches; ++i)
        changement.fiches.push_back(lireFiche(flux));
    if (flux.status() != QDataStream::Ok || !flux.atEnd())
        throw Erreur(u"Enregistrement du journal illisible."_s);
    return changement;
}

void appliquer(const Changement &changement, Catalogue &fiches)
{
    const auto taille = qint64(fiches.size());
    const qint64 index = changement.index;
    const auto horsLimites = [] {
        return Erreur(u"List index out of bounds"_s);
    };
    using Genre = Changement::Genre;
    switch (changement.genre) {
    case Genre::Inserer: {
        if (index < 0 || index > taille)
            throw horsLimites();
        Catalogue nouvelles;
        for (const TFicheFilm &fiche : changement.fiches)
            nouvelles.push_back(std::make_unique<TFicheFilm>(fiche));
        fiches.insert(fiches.begin() + index, std::make_move_iterator(nouvelles.begin()),
                      std::make_move_iterator(nouvelles.end()));
        break;
    }
    case Genre::Remplacer:
        if (index < 0 || index >= taille || changement.fiches.size() != 1)
            throw horsLimites();
        *fiches[size_t(index)] = changement.fiches.front();
        break;
    case Genre::Retirer:
        if (index < 0 || changement.nombre < 0 || index + changement.nombre > taille)
            throw horsLimites();
        fiches.erase(fiches.begin() + index, fiches.begin() + index + changement.nombre);
        break;
    case Genre::Tout:
        fiches.clear();
        for (const TFicheFilm &fiche : changement.fiches)
            fiches.push_back(std::make_unique<TFicheFilm>(fiche));
        break;
    }
}

Lecture lire(const QString &fichier)
{
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly))
        return {};
    return lireOctets(entree.readAll());
}

Lecture lireOctets(const QByteArray &octets)
{
    Lecture lecture;
    if (!octets.startsWith(QByteArrayView(k_marque, k_longueurMarque)))
        return lecture;
    QDataStream flux(octets.mid(k_longueurMarque));
    flux.setVersion(k_versionFlux);
    quint32 version = 0;
    flux >> version >> lecture.base.hash >> lecture.base.taille;
    if (flux.status() != QDataStream::Ok || version != k_version)
        return lecture;
    lecture.valide = true;

    qsizetype position = k_longueurMarque + qsizetype(flux.device()->pos());
    lecture.finValide = position;
    while (position < octets.size()) {
        const qsizetype reste = octets.size() - position;
        const char *p = octets.constData() + position;
        const quint32 longueur = reste >= k_enTeteEnregistrement ? lireLE(p) : 0;
        if (reste < k_enTeteEnregistrement || longueur > k_enregistrementMaximal ||
            qsizetype(longueur) > reste - k_enTeteEnregistrement ||
            crc32(p + k_enTeteEnregistrement, longueur) != lireLE(p + 4)) {
            lecture.tronque = true;
            break;
        }
        // One record is one command: its changes come back together or not at all.
        const QByteArray corps(p + k_enTeteEnregistrement, longueur);
        QDataStream changements(corps);
        changements.setVersion(k_versionFlux);
        QList<QByteArray> corpsChangements;
        lireListe(changements, corpsChangements);
        std::vector<Changement> decodes;
        try {
            if (changements.status() != QDataStream::Ok || !changements.atEnd())
                throw Erreur(QString());
            for (const QByteArray &c : std::as_const(corpsChangements))
                decodes.push_back(decoder(c));
        } catch (const Erreur &) {
            lecture.tronque = true;
            break;
        }
        lecture.enregistrements.push_back(std::move(decodes));
        position += k_enTeteEnregistrement + qsizetype(longueur);
        lecture.finValide = position;
    }
    return lecture;
}

Ecrivain::~Ecrivain()
{
    fermer();
}

void Ecrivain::commencer(const QString &fichier, const Base &base)
{
    fermer();
    const QString provisoire = fichier + u".tmp"_s;
    const QByteArray tete = enTete(base);
    {
        QFile sortie(provisoire);
        if (!sortie.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            sortie.write(tete) != tete.size() || !sortie.flush() ||
            ::fdatasync(sortie.handle()) != 0)
            throw Erreur(u"Impossible d'écrire le journal « %1 » : %2"_s.arg(
                QDir::toNativeSeparators(fichier), sortie.errorString()));
    }
    if (::rename(QFile::encodeName(provisoire).constData(),
                 QFile::encodeName(fichier).constData()) != 0) {
        const QString raison = raisonSysteme();
        QFile::remove(provisoire);
        throw Erreur(u"Impossible d'écrire le journal « %1 » : %2"_s.arg(
            QDir::toNativeSeparators(fichier), raison));
    }
    synchroniserDossier(fichier);
    reprendre(fichier, tete.size());
}

void Ecrivain::reprendre(const QString &fichier, qint64 finValide)
{
    fermer();
    const int fd = ::open(QFile::encodeName(fichier).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, finValide) != 0 || ::lseek(fd, 0, SEEK_END) < 0) {
        const QString raison = raisonSysteme();
        if (fd >= 0)
            ::close(fd);
        throw Erreur(u"Impossible d'écrire le journal « %1 » : %2"_s.arg(
            QDir::toNativeSeparators(fichier), raison));
    }
    m_fichier = fichier;
    m_fd = fd;
}

void Ecrivain::ajouter(const std::vector<Changement> &changements)
{
    QList<QByteArray> corps;
    corps.reserve(qsizetype(changements.size()));
    for (const Changement &changement : changements)
        corps.append(coder(changement));
    QByteArray contenu;
    {
        QDataStream flux(&contenu, QIODevice::WriteOnly);
        flux.setVersion(k_versionFlux);
        flux << corps;
    }
    QByteArray enregistrement;
    enregistrement.reserve(k_enTeteEnregistrement + contenu.size());
    ecrireLE(enregistrement, quint32(contenu.size()));
    ecrireLE(enregistrement, crc32(contenu.constData(), contenu.size()));
    enregistrement.append(contenu);
    ecrire(enregistrement);
}

void Ecrivain::ecrire(const QByteArray &octets)
{
    if (m_fd < 0)
        throw Erreur(u"Le journal des modifications n'est pas ouvert."_s);
    const char *p = octets.constData();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t ecrits = ::write(m_fd, p, size_t(reste));
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0) {
            const QString raison = raisonSysteme();
            // What was written of the record is cut: the journal stays whole.
            ::ftruncate(m_fd, ::lseek(m_fd, 0, SEEK_CUR) - (octets.size() - reste));
            throw Erreur(u"Impossible d'écrire le journal « %1 » : %2"_s.arg(
                QDir::toNativeSeparators(m_fichier), raison));
        }
        p += ecrits;
        reste -= ecrits;
    }
    if (::fdatasync(m_fd) != 0)
        throw Erreur(u"Impossible d'écrire le journal « %1 » : %2"_s.arg(
            QDir::toNativeSeparators(m_fichier), raisonSysteme()));
}

void Ecrivain::fermer()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace Journal

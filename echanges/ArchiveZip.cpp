#include "echanges/ArchiveZip.h"

#include "catalogue/Erreur.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString texteErreur(zip_error_t *erreur)
{
    return QString::fromUtf8(zip_error_strerror(erreur));
}

} // namespace

ArchiveZip::ArchiveZip(QByteArray octets, const QString &nom)
    : m_octets(std::move(octets))
    , m_nom(nom)
{
    zip_error_t erreur;
    zip_error_init(&erreur);
    zip_source_t *source =
        zip_source_buffer_create(m_octets.constData(), zip_uint64_t(m_octets.size()), 0, &erreur);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &erreur) : nullptr;
    if (!archive) {
        const QString raison = texteErreur(&erreur);
        zip_error_fini(&erreur);
        if (source)
            zip_source_free(source);
        throw Erreur(u"Le fichier %1 n'est pas une archive zip lisible (%2)."_s.arg(nom, raison));
    }
    zip_error_fini(&erreur);
    m_archive = archive;
}

ArchiveZip::ArchiveZip(const QString &chemin)
    : m_nom(QFileInfo(chemin).fileName())
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(chemin).constData(), ZIP_RDONLY, &code);
    if (!archive) {
        zip_error_t erreur;
        zip_error_init_with_code(&erreur, code);
        const QString raison = texteErreur(&erreur);
        zip_error_fini(&erreur);
        throw Erreur(u"Le fichier %1 n'est pas une archive zip lisible (%2)."_s.arg(m_nom, raison));
    }
    m_archive = archive;
}

ArchiveZip::~ArchiveZip()
{
    if (m_archive)
        zip_discard(m_archive);
}

bool ArchiveZip::estZip(QByteArrayView debut)
{
    return debut.startsWith("PK\x03\x04") || debut.startsWith("PK\x05\x06");
}

bool ArchiveZip::contient(const QString &entree) const
{
    return zip_name_locate(m_archive, entree.toUtf8().constData(), 0) >= 0;
}

QByteArray ArchiveZip::lire(const QString &entree, qint64 plafond) const
{
    const zip_int64_t index = zip_name_locate(m_archive, entree.toUtf8().constData(), 0);
    if (index < 0)
        throw Erreur(u"L'archive %1 ne contient pas %2."_s.arg(m_nom, entree));
    const auto trop = [&] {
        return Erreur(u"%1 dans l'archive %2 dépasse %3 Mo une fois décompressé : "
                      u"il n'est pas lu."_s.arg(entree, m_nom)
                          .arg(plafond >> 20));
    };
    zip_stat_t infos;
    zip_stat_init(&infos);
    qint64 annonce = 0;
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &infos) == 0 &&
        (infos.valid & ZIP_STAT_SIZE)) {
        if (infos.size > zip_uint64_t(plafond))
            throw trop();
        annonce = qint64(infos.size);
    }
    zip_file_t *fichier = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!fichier)
        throw Erreur(u"%1 dans l'archive %2 ne peut pas être lu (%3)."_s.arg(
            entree, m_nom, texteErreur(zip_get_error(m_archive))));
    QByteArray octets;
    // The announced size only sizes the first allocation, and never past 64 MB.
    octets.reserve(qsizetype(std::min<qint64>(annonce, 64LL << 20)));
    constexpr qsizetype k_morceau = 1 << 20;
    for (;;) {
        const qsizetype avant = octets.size();
        const qint64 reste = plafond + 1 - avant; // one byte past the cap tells it is passed
        if (reste <= 0) {
            zip_fclose(fichier);
            throw trop();
        }
        const qsizetype morceau = qsizetype(std::min<qint64>(k_morceau, reste));
        octets.resize(avant + morceau);
        const zip_int64_t lus = zip_fread(fichier, octets.data() + avant, zip_uint64_t(morceau));
        if (lus < 0) {
            const QString raison = texteErreur(zip_file_get_error(fichier));
            zip_fclose(fichier);
            throw Erreur(u"%1 dans l'archive %2 est abîmé (%3)."_s.arg(entree, m_nom, raison));
        }
        octets.resize(avant + qsizetype(lus));
        if (lus == 0)
            break;
    }
    zip_fclose(fichier);
    if (octets.size() > plafond)
        throw trop();
    return octets;
}

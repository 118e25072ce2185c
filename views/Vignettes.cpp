#include "views/Vignettes.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// 64 MB of pictures in memory, counted in kilobytes.
constexpr int k_memoireKo = 64 * 1024;
// A picture above this many pixels is not decoded: its thumbnail would cost too much time.
constexpr qint64 k_pixelsMaximum = 64LL * 1024 * 1024;

QString cleMemoire(const QString &fichier, int hauteur)
{
    const QFileInfo info(fichier);
    return fichier + u'|' + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'|' +
           QString::number(info.size()) + u'|' + QString::number(hauteur);
}

// A JPEG ends with its EOI marker; a file cut short shows half a picture, taken for a bad cover.
bool jpegEntier(const QString &fichier)
{
    QFile source(fichier);
    if (!source.open(QIODevice::ReadOnly) || source.size() < 4)
        return false;
    source.seek(source.size() - 2);
    return source.read(2) == QByteArrayLiteral("\xFF\xD9");
}

QImage aLaHauteur(const QImage &image, int hauteur)
{
    if (image.isNull() || image.height() <= hauteur)
        return image;
    return image.scaledToHeight(hauteur, Qt::SmoothTransformation);
}

} // namespace

Vignettes::Vignettes(QObject *parent)
    : QObject(parent)
    , m_memoire(k_memoireKo)
{
    // One core is left to the GUI thread, which paints while the covers are decoded.
    m_travailleurs.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

Vignettes::~Vignettes()
{
    for (const Demande &demande : std::as_const(m_demandes))
        demande.abandonnee->store(true);
    m_travailleurs.waitForDone();
}

QString Vignettes::dossierVignettes(int hauteur)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           (hauteur > 128 ? u"/thumbnails/large"_s : u"/thumbnails/normal"_s);
}

QString Vignettes::nomVignette(const QString &fichier)
{
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(fichier).absoluteFilePath()).toString(QUrl::FullyEncoded);
    return QString::fromLatin1(
               QCryptographicHash::hash(uri.toUtf8(), QCryptographicHash::Md5).toHex()) +
           u".png"_s;
}

QImage Vignettes::vignetteBureau(const QString &fichier, int hauteur)
{
    const QFileInfo info(fichier);
    if (fichier.isEmpty() || !info.isFile())
        return {};
    const int cote = hauteur > 128 ? 256 : 128;
    const QString uri = QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded);
    const QString mtime = QString::number(info.lastModified().toSecsSinceEpoch());
    const QString dossier = dossierVignettes(hauteur);
    const QString vignette = dossier + u'/' + nomVignette(fichier);

    // The desktop's thumbnail when it is of this very cover, as it is now. (Its keys are read
    // from the picture: QImageReader::text splits keys at their colon.)
    // A cover replaced within the same second keeps its Thumb::MTime: a thumbnail older than the
    // cover's file is made again too.
    if (const QFileInfo existante(vignette);
        existante.exists() && existante.lastModified() >= info.lastModified()) {
        const QImage lue(vignette, "png");
        if (!lue.isNull() && lue.text(u"Thumb::URI"_s) == uri &&
            lue.text(u"Thumb::MTime"_s) == mtime)
            return aLaHauteur(lue, hauteur);
    }

    QImageReader lecteur(fichier);
    const QSize taille = lecteur.size();
    if (!taille.isValid() || taille.isEmpty() ||
        qint64(taille.width()) * taille.height() > k_pixelsMaximum)
        return {};
    if (lecteur.format() == "jpeg" && !jpegEntier(fichier))
        return {};
    const QSize cible = taille.width() > cote || taille.height() > cote
                            ? taille.scaled(cote, cote, Qt::KeepAspectRatio)
                            : taille;
    // JPEG decodes straight at 1/2, 1/4 or 1/8 of its size.
    lecteur.setScaledSize(cible);
    QImage image = lecteur.read();
    if (image.isNull())
        return {};
    image.setText(u"Thumb::URI"_s, uri);
    image.setText(u"Thumb::MTime"_s, mtime);
    image.setText(u"Software"_s, u"Kinolux"_s);

    // Written aside and renamed, readable by its owner alone, as the standard asks. A cache that
    // cannot be written costs the next showing a decode, nothing else.
    if (QDir().mkpath(dossier)) {
        QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSaveFile sortie(vignette);
        if (sortie.open(QIODevice::WriteOnly) && image.save(&sortie, "PNG") && sortie.commit())
            QFile::setPermissions(vignette, QFile::ReadOwner | QFile::WriteOwner);
    }
    return aLaHauteur(image, hauteur);
}

const QImage *Vignettes::image(CleFiche cle, const QString &fichier, int hauteur)
{
    static const QImage aucune;
    if (fichier.isEmpty())
        return &aucune;
    const QString memoire = cleMemoire(fichier, hauteur);
    if (const QImage *connue = m_memoire.object(memoire))
        return connue;
    auto demande = m_demandes.find(cle);
    if (demande != m_demandes.end()) {
        if (demande->cle == memoire)
            return nullptr;
        demande->abandonnee->store(true);
        m_demandes.erase(demande);
    }
    auto abandonnee = std::make_shared<std::atomic_bool>(false);
    m_demandes.insert(cle, {memoire, abandonnee});
    ++m_enCours;
    m_travailleurs.start([this, cle, fichier, hauteur, memoire, abandonnee] {
        if (abandonnee->load()) {
            --m_enCours;
            return;
        }
        const QImage resultat = vignetteBureau(fichier, hauteur);
        QMetaObject::invokeMethod(
            this,
            [this, cle, memoire, abandonnee, resultat] {
                --m_enCours;
                if (abandonnee->load())
                    return;
                m_memoire.insert(memoire, new QImage(resultat),
                                 std::max(1, int(resultat.sizeInBytes() / 1024)));
                const auto enAttente = m_demandes.constFind(cle);
                if (enAttente != m_demandes.cend() && enAttente->cle == memoire)
                    m_demandes.erase(enAttente);
                emit prete(cle);
            },
            Qt::QueuedConnection);
    });
    return nullptr;
}

void Vignettes::garderSeulement(const QSet<CleFiche> &cles)
{
    for (auto demande = m_demandes.begin(); demande != m_demandes.end();) {
        if (cles.contains(demande.key())) {
            ++demande;
            continue;
        }
        demande->abandonnee->store(true);
        demande = m_demandes.erase(demande);
    }
}

bool Vignettes::occupee() const
{
    return m_enCours.load() > 0;
}

void Vignettes::attendre()
{
    while (occupee()) {
        m_travailleurs.waitForDone();
        QCoreApplication::processEvents();
    }
}

void Vignettes::viderMemoire()
{
    m_memoire.clear();
}

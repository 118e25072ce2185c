#include "echanges/FaitsVideo.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <MediaInfo/MediaInfo.h>

#include <mutex>

using namespace Qt::StringLiterals;
namespace MI = MediaInfoLib;

namespace FaitsVideo {

namespace {

// MediaInfo may look a file's tags up on the internet unless told once, for the whole process.
void initialiser()
{
    static std::once_flag fait;
    std::call_once(fait, [] { MI::MediaInfo::Option_Static(L"Internet", L"No"); });
}

QString valeur(MI::MediaInfo &mi, MI::stream_t sorte, size_t piste, const wchar_t *parametre)
{
    return QString::fromStdWString(mi.Get(sorte, piste, parametre)).trimmed();
}

QString codecVideo(MI::MediaInfo &mi)
{
    const QString format = valeur(mi, MI::Stream_Video, 0, L"Format");
    if (format == u"AVC")
        return u"H.264"_s;
    if (format == u"HEVC")
        return u"H.265"_s;
    if (format == u"MPEG-4 Visual")
        return u"MPEG-4"_s;
    if (format == u"MPEG Video")
        return valeur(mi, MI::Stream_Video, 0, L"Format_Version") == u"Version 1" ? u"MPEG-1"_s
                                                                                  : u"MPEG-2"_s;
    return format;
}

QString formatAudio(MI::MediaInfo &mi, size_t piste)
{
    const QString format = valeur(mi, MI::Stream_Audio, piste, L"Format");
    if (format == u"MPEG Audio") {
        // AVI files name the layer by their codec identifier only.
        const QString couche = valeur(mi, MI::Stream_Audio, piste, L"Format_Profile");
        const QString indice = valeur(mi, MI::Stream_Audio, piste, L"CodecID/Hint");
        if (couche == u"Layer 3" || indice == u"MP3")
            return u"MP3"_s;
        return couche == u"Layer 2" || indice == u"MP2" ? u"MP2"_s : format;
    }
    return format;
}

// The file is read by the program and handed to MediaInfo in pieces: its own file access
// converts names through the C locale, which loses every accented name.
bool analyser(MI::MediaInfo &mi, QFile &fichier)
{
    constexpr qint64 k_morceau = 256 * 1024;
    QByteArray tampon(k_morceau, Qt::Uninitialized);
    const qint64 taille = fichier.size();
    mi.Open_Buffer_Init(quint64(taille), 0);
    for (;;) {
        const qint64 lus = fichier.read(tampon.data(), k_morceau);
        if (lus <= 0)
            break;
        const size_t etat = mi.Open_Buffer_Continue(
            reinterpret_cast<const ZenLib::int8u *>(tampon.constData()), size_t(lus));
        if (etat & 0x08) // MediaInfo has seen enough
            break;
        const ZenLib::int64u aller = mi.Open_Buffer_Continue_GoTo_Get();
        if (aller != ZenLib::int64u(-1)) {
            if (qint64(aller) >= taille || !fichier.seek(qint64(aller)))
                break;
            mi.Open_Buffer_Init(quint64(taille), aller);
        }
    }
    mi.Open_Buffer_Finalize();
    return fichier.error() == QFileDevice::NoError;
}

QString canaux(int nombre)
{
    if (nombre <= 0)
        return QString();
    return nombre >= 3 ? u"%1.1"_s.arg(nombre - 1) : u"%1.0"_s.arg(nombre);
}

QString duree(qint64 ms)
{
    const qint64 secondes = (ms + 500) / 1000;
    if (secondes < 60)
        return u"%1 s"_s.arg(secondes);
    const qint64 total = (ms + 30'000) / 60'000;
    if (total < 60)
        return u"%1 min"_s.arg(total);
    return u"%1 h %2 min"_s.arg(total / 60).arg(int(total % 60), 2, 10, QChar(u'0'));
}

// "AAC 5.1 fr/en, AC-3 2.0 de": tracks of one format and layout together, in their order.
QString pistesAudio(const QList<Audio> &audios)
{
    QStringList groupes;
    QList<std::pair<QString, QStringList>> vus;
    for (const Audio &audio : audios) {
        const QString sorte = QStringList{audio.format, canaux(audio.canaux)}.join(u' ').trimmed();
        auto groupe =
            std::find_if(vus.begin(), vus.end(), [&](const auto &vu) { return vu.first == sorte; });
        if (groupe == vus.end()) {
            vus.append({sorte, {}});
            groupe = vus.end() - 1;
        }
        if (!audio.langue.isEmpty() && !groupe->second.contains(audio.langue))
            groupe->second.append(audio.langue);
    }
    for (const auto &[sorte, langues] : vus)
        groupes.append(langues.isEmpty() ? sorte : sorte + u' ' + langues.join(u'/'));
    return groupes.join(u", "_s);
}

} // namespace

Faits lire(const QString &chemin)
{
    Faits faits;
    const QFileInfo info(chemin);
    if (!info.exists()) {
        faits.raison = u"Le fichier n'existe pas."_s;
        return faits;
    }
    faits.existe = true;
    if (!info.isFile()) {
        faits.raison = u"Ce n'est pas un fichier."_s;
        return faits;
    }
    if (info.size() == 0) {
        faits.raison = u"Le fichier est vide."_s;
        return faits;
    }
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        faits.raison = u"Lecture impossible : %1"_s.arg(fichier.errorString());
        return faits;
    }

    initialiser();
    MI::MediaInfo mi;
    if (!analyser(mi, fichier)) {
        faits.raison = u"Lecture impossible : %1"_s.arg(fichier.errorString());
        return faits;
    }
    faits.conteneur = valeur(mi, MI::Stream_General, 0, L"Format");
    if (faits.conteneur.isEmpty()) {
        faits.raison = u"MediaInfo ne reconnaît pas ce fichier."_s;
        return faits;
    }
    if (mi.Count_Get(MI::Stream_Video) == 0) {
        faits.raison = u"Aucune piste vidéo dans ce fichier (%1)."_s.arg(faits.conteneur);
        return faits;
    }
    faits.codecVideo = codecVideo(mi);
    faits.largeur = valeur(mi, MI::Stream_Video, 0, L"Width").toInt();
    faits.hauteur = valeur(mi, MI::Stream_Video, 0, L"Height").toInt();
    faits.dureeMs = qint64(valeur(mi, MI::Stream_General, 0, L"Duration").toDouble());
    if (faits.dureeMs <= 0)
        faits.dureeMs = qint64(valeur(mi, MI::Stream_Video, 0, L"Duration").toDouble());
    for (size_t piste = 0, n = mi.Count_Get(MI::Stream_Audio); piste < n; ++piste) {
        faits.audios.append({formatAudio(mi, piste),
                             valeur(mi, MI::Stream_Audio, piste, L"Channel(s)").toInt(),
                             valeur(mi, MI::Stream_Audio, piste, L"Language").toLower()});
    }
    for (size_t piste = 0, n = mi.Count_Get(MI::Stream_Text); piste < n; ++piste) {
        const QString langue = valeur(mi, MI::Stream_Text, piste, L"Language").toLower();
        faits.sousTitres.append(langue.isEmpty() ? valeur(mi, MI::Stream_Text, piste, L"Format")
                                                 : langue);
    }
    faits.lu = true;
    return faits;
}

QString resume(const Faits &faits)
{
    if (!faits.lu)
        return QString();
    QString image = faits.codecVideo;
    if (faits.largeur > 0 && faits.hauteur > 0)
        image += u" %1×%2"_s.arg(faits.largeur).arg(faits.hauteur);
    const QString son = pistesAudio(faits.audios);
    return son.isEmpty() ? image.trimmed() : image.trimmed() + u", "_s + son;
}

QString detail(const Faits &faits)
{
    if (!faits.lu)
        return faits.raison;
    QStringList lignes{
        u"Conteneur : "_s + faits.conteneur,
        u"Vidéo : "_s +
            (QStringList{faits.codecVideo, faits.largeur > 0
                                               ? u"%1×%2"_s.arg(faits.largeur).arg(faits.hauteur)
                                               : QString()}
                 .join(u' ')
                 .trimmed())};
    if (faits.dureeMs > 0)
        lignes.append(u"Durée : "_s + duree(faits.dureeMs));
    lignes.append(u"Audio : "_s +
                  (faits.audios.isEmpty() ? u"aucun"_s : pistesAudio(faits.audios)));
    lignes.append(u"Sous-titres : "_s +
                  (faits.sousTitres.isEmpty() ? u"aucun"_s : faits.sousTitres.join(u", "_s)));
    return lignes.join(u'\n');
}

int minutes(const Faits &faits)
{
    return faits.lu && faits.dureeMs > 0 ? int((faits.dureeMs + 30'000) / 60'000) : 0;
}

void ecrireDans(TFicheFilm &fiche, const Faits &faits)
{
    if (!faits.lu)
        return;
    if (const QString codec = resume(faits); !codec.isEmpty())
        fiche.setCodec(codec);
    const QString duree = fiche.duree().trimmed();
    if (minutes(faits) > 0 && (duree.isEmpty() || duree == u"-"_s))
        fiche.setDuree(u"%1 min"_s.arg(minutes(faits)));
}

bool extensionVideo(const QString &nom)
{
    static const QSet<QString> extensions{u"mkv"_s,  u"mp4"_s,  u"m4v"_s,  u"avi"_s,  u"mov"_s,
                                          u"wmv"_s,  u"mpg"_s,  u"mpeg"_s, u"ts"_s,   u"m2ts"_s,
                                          u"vob"_s,  u"webm"_s, u"flv"_s,  u"ogv"_s,  u"divx"_s,
                                          u"xvid"_s, u"3gp"_s,  u"mts"_s,  u"rmvb"_s, u"asf"_s};
    const qsizetype point = nom.lastIndexOf(u'.');
    return point >= 0 && extensions.contains(nom.mid(point + 1).toLower());
}

} // namespace FaitsVideo

#include "import/Connexion.h"

#include "import/Windows1252.h"

#include <curl/curl.h>

#include <chrono>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Horloge = std::chrono::steady_clock;

constexpr int k_redirectionsMax = 15;
constexpr std::chrono::milliseconds k_attenteCorpsRedirection{4000};
// The last bound of one exchange, whatever the server trickles.
constexpr long k_dureeMaximaleMs = 10L * 60 * 1000;

// Where a request goes: the authority of an http:// address and the request target.
struct Cible
{
    QByteArray hote; // as written in the address (an IPv6 address keeps its brackets)
    int port = 80;
    QByteArray chemin;

    QByteArray url() const { return "http://" + hote + ':' + QByteArray::number(port) + '/'; }
    QByteArray enTeteHost() const
    {
        return port == 80 ? hote : hote + ':' + QByteArray::number(port);
    }
};

bool estBlanc(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

QByteArray sansBlancs(QByteArrayView texte)
{
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && estBlanc(texte[debut]))
        ++debut;
    while (fin > debut && estBlanc(texte[fin - 1]))
        --fin;
    return texte.sliced(debut, fin - debut).toByteArray();
}

// "host", "host:port" or "[v6]:port"; no credentials.
bool lireAutorite(QByteArrayView autorite, Cible &cible)
{
    if (autorite.isEmpty())
        return false;
    for (const char c : autorite) {
        const auto o = static_cast<unsigned char>(c);
        if (o <= ' ' || o >= 0x7F || c == '@' || c == '\\')
            return false;
    }
    qsizetype deuxPoints = autorite.lastIndexOf(':');
    if (autorite.front() == '[') {
        const qsizetype crochet = autorite.indexOf(']');
        if (crochet < 0 || (crochet + 1 < autorite.size() && autorite[crochet + 1] != ':'))
            return false;
        if (deuxPoints < crochet)
            deuxPoints = -1;
    }
    int port = 80;
    if (deuxPoints >= 0) {
        const QByteArrayView chiffres = autorite.sliced(deuxPoints + 1);
        if (!chiffres.isEmpty()) {
            bool ok = false;
            port = chiffres.toInt(&ok);
            if (!ok || port < 1 || port > 65535 || chiffres.front() == '+' ||
                chiffres.front() == '-')
                return false;
        }
        autorite = autorite.first(deuxPoints);
    }
    if (autorite.isEmpty())
        return false;
    cible.hote = autorite.toByteArray();
    cible.port = port;
    return true;
}

// "http://host[:port]" followed by the rest ("/path?query", "?query" or nothing).
bool lireAdresseAbsolue(QByteArrayView adresse, Cible &cible, QByteArrayView &reste)
{
    constexpr QByteArrayView prefixe = "http://";
    if (adresse.size() < prefixe.size() ||
        adresse.first(prefixe.size()).compare(prefixe, Qt::CaseInsensitive) != 0)
        return false;
    adresse = adresse.sliced(prefixe.size());
    qsizetype fin = 0;
    while (fin < adresse.size() && adresse[fin] != '/' && adresse[fin] != '?')
        ++fin;
    reste = adresse.sliced(fin);
    return lireAutorite(adresse.first(fin), cible);
}

std::optional<Cible> lireBase(const QString &base)
{
    for (const QChar c : base) {
        if (c.unicode() >= 0x7F)
            return std::nullopt;
    }
    const QByteArray octets = base.toLatin1();
    Cible cible;
    QByteArrayView reste;
    if (!lireAdresseAbsolue(octets, cible, reste) || !(reste.isEmpty() || reste == "/"))
        return std::nullopt;
    return cible;
}

// Drops the "." and ".." segments of a path that begins with "/"; the query stays as it is.
QByteArray sansSegmentsPoints(const QByteArray &chemin)
{
    const qsizetype interrogation = chemin.indexOf('?');
    const QByteArray requete = interrogation < 0 ? QByteArray() : chemin.sliced(interrogation);
    const QList<QByteArray> morceaux =
        (interrogation < 0 ? chemin : chemin.first(interrogation)).split('/');
    QList<QByteArray> segments;
    for (qsizetype i = 1; i < morceaux.size(); ++i) {
        const QByteArray &morceau = morceaux[i];
        const bool dernier = i + 1 == morceaux.size();
        if (morceau == "." || morceau == "..") {
            if (morceau == ".." && !segments.isEmpty())
                segments.removeLast();
            if (dernier)
                segments.append(QByteArray());
        } else {
            segments.append(morceau);
        }
    }
    return '/' + segments.join('/') + requete;
}

// The target of a Location header, resolved against the request that got it. The bytes of the
// location are kept as they are (curl's CURLINFO_REDIRECT_URL would percent-encode 8-bit bytes
// and resolves against the URL given to curl, which here only names the host).
std::optional<Cible> resoudre(const Cible &actuelle, const QByteArray &location)
{
    QByteArray reference = sansBlancs(location);
    const qsizetype diese = reference.indexOf('#');
    if (diese >= 0)
        reference.truncate(diese);

    qsizetype finSchema = 0;
    while (finSchema < reference.size() &&
           (QChar::isLetterOrNumber(static_cast<unsigned char>(reference[finSchema])) ||
            reference[finSchema] == '+' || reference[finSchema] == '-' ||
            reference[finSchema] == '.'))
        ++finSchema;
    const bool aUnSchema = finSchema > 0 && finSchema < reference.size() &&
                           reference[finSchema] == ':' &&
                           QChar::isLetter(static_cast<unsigned char>(reference[0]));
    if (aUnSchema) {
        if (reference.first(finSchema).compare("http", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        reference.remove(0, finSchema + 1);
    }

    Cible cible = actuelle;
    if (reference.startsWith("//")) {
        // `reste` points into this address: it must outlive it.
        const QByteArray adresse = "http:" + reference;
        QByteArrayView reste;
        if (!lireAdresseAbsolue(adresse, cible, reste))
            return std::nullopt;
        cible.chemin = reste.startsWith('/') ? reste.toByteArray() : '/' + reste.toByteArray();
    } else if (reference.isEmpty()) {
        cible.chemin = actuelle.chemin;
    } else if (reference.startsWith('/')) {
        cible.chemin = reference;
    } else {
        QByteArray chemin = actuelle.chemin;
        const qsizetype interrogation = chemin.indexOf('?');
        if (interrogation >= 0)
            chemin.truncate(interrogation);
        if (!reference.startsWith('?'))
            chemin.truncate(chemin.lastIndexOf('/') + 1);
        cible.chemin = chemin + reference;
    }
    if (!cible.chemin.startsWith('/'))
        cible.chemin.prepend('/');
    cible.chemin = sansSegmentsPoints(cible.chemin);
    return cible;
}

// The request target as sent: its bytes unchanged, except those that cannot stand in a request
// line (controls, space, DEL), which would split or end it.
QByteArray cibleSure(const QByteArray &chemin)
{
    QByteArray sur;
    sur.reserve(chemin.size());
    for (const char c : chemin) {
        const auto o = static_cast<unsigned char>(c);
        if (o <= ' ' || o == 0x7F) {
            sur += '%';
            sur += QByteArray::number(o, 16).rightJustified(2, '0').toUpper();
        } else {
            sur += c;
        }
    }
    if (sur.isEmpty() || sur.front() != '/')
        sur.prepend('/');
    return sur;
}

void initialiserCurl()
{
    static const CURLcode initialisation = curl_global_init(CURL_GLOBAL_DEFAULT);
    Q_UNUSED(initialisation);
}

struct ListeEnTetes
{
    curl_slist *liste = nullptr;
    ListeEnTetes() = default;
    ListeEnTetes(const ListeEnTetes &) = delete;
    ListeEnTetes &operator=(const ListeEnTetes &) = delete;
    ~ListeEnTetes() { curl_slist_free_all(liste); }
    void ajouter(const QByteArray &ligne) { liste = curl_slist_append(liste, ligne.constData()); }
};

enum class Abandon
{
    Aucun,
    Statut,
    TropGrand,
    Silence
};

// What one exchange (one request, one answer) gave.
struct Echange
{
    ReponseHttp reponse;
    bool redirection = false;
    QByteArray location;
};

} // namespace

struct Connexion::Etat
{
    CURL *curl = nullptr;
    char erreurCurl[CURL_ERROR_SIZE] = {};
    int connexionMs = 10'000;
    int silenceMs = 30'000;
    qint64 tailleMaximale = 64LL * 1024 * 1024;

    // The answer being read; the header lines of a 1xx answer are dropped at its status line.
    int statut = 0;
    bool enTetesLus = false;
    bool redirection = false;
    std::optional<QByteArray> location;
    qint64 longueur = -1;
    QByteArray corps;
    Abandon abandon = Abandon::Aucun;
    Horloge::time_point finEnTetes;
    bool connecte = false;
    Horloge::time_point derniereActivite;

    Etat();
    ~Etat() { curl_easy_cleanup(curl); }

    Echange echanger(const Cible &cible, bool post, const QByteArray &corpsEnvoye);
    ReponseHttp envoyer(const QString &base, const QByteArray &chemin, bool post,
                        QByteArray corpsEnvoye);
    bool lireEnTete(QByteArrayView ligne);
    bool finirEnTetes();

    static size_t surEnTete(char *donnees, size_t taille, size_t nombre, void *etat);
    static size_t surCorps(char *donnees, size_t taille, size_t nombre, void *etat);
    static int surProgression(void *etat, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int surConnexion(void *etat, char *, char *, int, int);
};

Connexion::Etat::Etat()
{
    initialiserCurl();
    curl = curl_easy_init();
    if (!curl)
        return;
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, erreurCurl);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    // Every request opens its own connection, so nothing stays open after an operation.
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    // An empty file name starts the in-memory cookie engine of this handle, and nothing else.
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, k_dureeMaximaleMs);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Etat::surEnTete);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Etat::surCorps);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Etat::surProgression);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &Etat::surConnexion);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, this);
}

size_t Connexion::Etat::surEnTete(char *donnees, size_t taille, size_t nombre, void *etat)
{
    const size_t n = taille * nombre;
    auto *e = static_cast<Etat *>(etat);
    e->derniereActivite = Horloge::now();
    return e->lireEnTete(QByteArrayView(donnees, static_cast<qsizetype>(n))) ? n : 0;
}

bool Connexion::Etat::lireEnTete(QByteArrayView ligne)
{
    if (ligne.startsWith("HTTP/")) {
        const QList<QByteArray> mots = ligne.toByteArray().simplified().split(' ');
        statut = mots.size() > 1 ? mots[1].toInt() : 0;
        enTetesLus = false;
        redirection = false;
        location.reset();
        longueur = -1;
        return true;
    }
    // The trailer lines of a chunked body come through here too.
    if (enTetesLus)
        return true;
    const QByteArray texte = sansBlancs(ligne);
    if (texte.isEmpty())
        return statut < 200 || finirEnTetes();
    const qsizetype deuxPoints = texte.indexOf(':');
    if (deuxPoints <= 0)
        return true;
    const QByteArray nom = texte.first(deuxPoints).trimmed().toLower();
    const QByteArray valeur = sansBlancs(QByteArrayView(texte).sliced(deuxPoints + 1));
    if (nom == "location") {
        location = valeur;
    } else if (nom == "content-length") {
        bool ok = false;
        const qint64 annonce = valeur.toLongLong(&ok);
        if (ok && annonce >= 0)
            longueur = annonce;
    }
    return true;
}

bool Connexion::Etat::finirEnTetes()
{
    enTetesLus = true;
    redirection = (statut >= 300 && statut <= 399 && statut != 304) || location.has_value();
    if (redirection) {
        finEnTetes = Horloge::now();
        return true;
    }
    // A failed answer's body is never used: stop reading here.
    if (statut < 200 || statut > 299) {
        abandon = Abandon::Statut;
        return false;
    }
    if (longueur > tailleMaximale) {
        abandon = Abandon::TropGrand;
        return false;
    }
    return true;
}

size_t Connexion::Etat::surCorps(char *donnees, size_t taille, size_t nombre, void *etat)
{
    const size_t n = taille * nombre;
    auto *e = static_cast<Etat *>(etat);
    e->derniereActivite = Horloge::now();
    if (e->redirection)
        return n;
    if (e->corps.size() + static_cast<qint64>(n) > e->tailleMaximale) {
        e->abandon = Abandon::TropGrand;
        return 0;
    }
    e->corps.append(donnees, static_cast<qsizetype>(n));
    return n;
}

int Connexion::Etat::surConnexion(void *etat, char *, char *, int, int)
{
    auto *e = static_cast<Etat *>(etat);
    e->connecte = true;
    e->derniereActivite = Horloge::now();
    return CURL_PREREQFUNC_OK;
}

// Called about once a second even while nothing arrives. curl's own LOW_SPEED check averages
// over several seconds and counts whole seconds; this one counts from the last byte received.
int Connexion::Etat::surProgression(void *etat, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto *e = static_cast<Etat *>(etat);
    const auto maintenant = Horloge::now();
    // The body of a redirect is only drained, for at most 4 s; then the redirect is followed.
    if (e->redirection && maintenant - e->finEnTetes > k_attenteCorpsRedirection)
        return 1;
    if (e->connecte && maintenant - e->derniereActivite > std::chrono::milliseconds(e->silenceMs)) {
        e->abandon = Abandon::Silence;
        return 1;
    }
    return 0;
}

Echange Connexion::Etat::echanger(const Cible &cible, bool post, const QByteArray &corpsEnvoye)
{
    statut = 0;
    enTetesLus = false;
    redirection = false;
    location.reset();
    longueur = -1;
    corps.clear();
    abandon = Abandon::Aucun;
    connecte = false;
    erreurCurl[0] = '\0';

    // The empty "Host:" first removes curl's own Host line, so every line below is sent in
    // this order; "Expect:" keeps curl from adding one.
    ListeEnTetes enTetes;
    enTetes.ajouter("Host:");
    enTetes.ajouter("Connection: keep-alive");
    enTetes.ajouter("Content-Version: text/html");
    if (post) {
        enTetes.ajouter("Content-Type: application/x-www-form-urlencoded");
        enTetes.ajouter("Content-Length: " + QByteArray::number(corpsEnvoye.size()));
    }
    enTetes.ajouter("Host: " + cible.enTeteHost());
    enTetes.ajouter("Accept: text/html, */*");
    enTetes.ajouter("Accept-Encoding: identity");
    enTetes.ajouter("User-Agent: Mozilla/3.0 (compatible; Indy Library)");
    enTetes.ajouter("Expect:");

    curl_easy_setopt(curl, CURLOPT_URL, cible.url().constData());
    curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, cibleSure(cible.chemin).constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, enTetes.liste);
    if (post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(corpsEnvoye.size()));
        curl_easy_setopt(curl, CURLOPT_COPYPOSTFIELDS, corpsEnvoye.constData());
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connexionMs));
    // A last bound behind our own silence check: curl counts whole seconds.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>((silenceMs + 999) / 1000));

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);

    Echange echange;
    echange.reponse.statut = statut;
    // Once the headers say redirect, whatever happens to its body does not matter.
    if (enTetesLus && redirection) {
        echange.redirection = true;
        echange.location = location.value_or(QByteArray());
        return echange;
    }
    if (code == CURLE_OK && enTetesLus) {
        echange.reponse.reussi = true;
        echange.reponse.corps = std::move(corps);
        corps = QByteArray();
        return echange;
    }
    corps = QByteArray();

    const QString detail =
        QString::fromLatin1(erreurCurl[0] ? erreurCurl : curl_easy_strerror(code));
    QString &erreur = echange.reponse.erreur;
    if (abandon == Abandon::Statut) {
        erreur = u"statut HTTP %1"_s.arg(statut);
    } else if (abandon == Abandon::TropGrand) {
        erreur = u"réponse de plus de %1 octets"_s.arg(tailleMaximale);
    } else if (abandon == Abandon::Silence) {
        erreur = u"délai dépassé : rien reçu pendant %1 ms"_s.arg(silenceMs);
    } else {
        switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
            erreur = u"connexion impossible"_s;
            break;
        case CURLE_OPERATION_TIMEDOUT:
            erreur = u"délai dépassé"_s;
            break;
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_GOT_NOTHING:
            erreur = u"connexion interrompue"_s;
            break;
        default:
            erreur = u"échec de la requête"_s;
            break;
        }
        erreur += u" ("_s + detail + u')';
    }
    return echange;
}

ReponseHttp Connexion::Etat::envoyer(const QString &base, const QByteArray &chemin, bool post,
                                     QByteArray corpsEnvoye)
{
    ReponseHttp echec;
    if (!curl) {
        echec.erreur = u"client HTTP indisponible"_s;
        return echec;
    }
    std::optional<Cible> cible = lireBase(base);
    if (!cible) {
        echec.erreur = u"adresse invalide : "_s + base;
        return echec;
    }
    cible->chemin = chemin;
    for (int redirections = 0;; ++redirections) {
        Echange echange = echanger(*cible, post, corpsEnvoye);
        if (!echange.redirection)
            return echange.reponse;
        echec.statut = echange.reponse.statut;
        if (redirections == k_redirectionsMax) {
            echec.erreur = u"plus de %1 redirections"_s.arg(k_redirectionsMax);
            return echec;
        }
        cible = resoudre(*cible, echange.location);
        if (!cible) {
            echec.erreur = u"redirection vers une adresse non prise en charge : "_s +
                           QString::fromLatin1(echange.location);
            return echec;
        }
        if (echange.reponse.statut == 302 || echange.reponse.statut == 303) {
            post = false;
            corpsEnvoye.clear();
        }
    }
}

Connexion::Connexion()
    : m_etat(std::make_unique<Etat>())
{
}

Connexion::~Connexion() = default;

ReponseHttp Connexion::get(const QString &base, const QByteArray &chemin)
{
    return m_etat->envoyer(base, chemin, false, QByteArray());
}

ReponseHttp Connexion::post(const QString &base, const QByteArray &chemin,
                            const Formulaire &formulaire)
{
    return m_etat->envoyer(base, chemin, true, encoderFormulaire(formulaire));
}

void Connexion::fermer()
{
    // Nothing to do: no connection outlives its request (CURLOPT_FORBID_REUSE), and the cookies
    // live in the handle, which stays.
}

void Connexion::definirDelais(int connexionMs, int silenceMs)
{
    m_etat->connexionMs = qMax(1, connexionMs);
    m_etat->silenceMs = qMax(1, silenceMs);
}

void Connexion::definirTailleMaximale(qint64 octets)
{
    m_etat->tailleMaximale = qMax<qint64>(0, octets);
}

QByteArray Connexion::encoderFormulaire(const Formulaire &formulaire)
{
    constexpr QByteArrayView speciaux = "*#%<> []";
    QByteArray corps;
    for (const auto &[nom, valeur] : formulaire) {
        if (!corps.isEmpty())
            corps += '&';
        corps += nom;
        corps += '=';
        for (const char c : Windows1252::encoder(valeur)) {
            const auto o = static_cast<unsigned char>(c);
            if (o >= 33 && o <= 128 && !speciaux.contains(c)) {
                corps += c;
            } else {
                corps += '%';
                corps += QByteArray::number(o, 16).rightJustified(2, '0').toUpper();
            }
        }
    }
    return sansBlancs(corps);
}

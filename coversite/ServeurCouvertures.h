#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <array>
#include <map>
#include <memory>

class QTcpServer;
class QTcpSocket;

// The stand-in cover service: the cover site's main host, its data host and the fallback poster
// site, each on a loopback port, answering the program's five requests from a demo data folder.
// Tests can make it misbehave with rules, and read back every request exactly as it arrived.
//
// It lives in the thread that creates it (tests run it on a thread of its own, because the
// program's requests block the thread that makes them); the rule and capture methods can be
// called from any thread.
class ServeurCouvertures final : public QObject
{
    Q_OBJECT

public:
    enum Hote
    {
        Principal = 0,
        Donnees = 1,
        Affiches = 2
    };

    // How a request is answered instead of the normal way. A rule applies to the requests of its
    // host whose path starts with `chemin` (empty: every path); the last rule added wins.
    struct Regle
    {
        Hote hote = Principal;
        QByteArray chemin;
        int redirections = 0;            // answer first with this many redirects in a row...
        int statutRedirection = 302;     // ...with this status, to the same path
        int statut = 0;                  // the final status instead of the normal one (0: normal)
        QByteArray corps;                // the final body instead of the normal one (when not null)
        QByteArray typeContenu;          // its Content-Type (when not empty)
        bool fragmente = false;          // send the body with "Transfer-Encoding: chunked"
        bool fragmentsMalformes = false; // ...with a broken chunk size line
        qint64 longueurAnnoncee = -1;    // a Content-Length that differs from the body (lies)
        bool sansLongueur = false;       // no Content-Length: the body ends with the connection
        qint64 tailleCorps = -1;         // a body of this many bytes, streamed (no memory held)
        int attenteMs = 0;               // wait this long before answering; -1: never answer
        qint64 silenceApres = -1;        // send this many bytes of the body, then fall silent
                                         // with the connection left open
        bool couperApresEntete = false;  // close the connection right after the headers
        QByteArray cookieExige;          // "name=value": set it on the first answer of the host,
                                         // then answer 403 to every request that does not send it
        int fois = -1; // apply to this many requests, then drop the rule (-1: always)
    };

    // `donnees`: the demo data folder. Ports 0 take free ones.
    explicit ServeurCouvertures(const QString &donnees, QObject *parent = nullptr);
    ~ServeurCouvertures() override;

    // Listens on 127.0.0.1; false (with the reason in `erreur`) when a port cannot be had.
    bool demarrer(const std::array<quint16, 3> &ports = {0, 0, 0}, QString *erreur = nullptr);
    quint16 port(Hote hote) const;
    // "http://127.0.0.1:PORT", the form of the program's kinolux.ini.
    QString adresse(Hote hote) const;

    // A rule with `redirections` counts one application per final answer: it redirects that many
    // times in a row, gives its final answer, and starts over with the next request.
    // effacerRegles also forgets which hosts have given their cookie.
    void ajouterRegle(const Regle &regle);
    void effacerRegles();

    struct Requete
    {
        Hote hote;
        QByteArray octets; // the request line, the headers and the body, as received
        QByteArray methode;
        QByteArray chemin;
        QByteArray corps;
    };
    QList<Requete> requetes() const;
    void effacerRequetes();

    // The titles of the demo index, as the index holds them (decoded from Windows-1252).
    QStringList titres() const;

private:
    struct Contenu; // the demo data (a struct named Donnees would be hidden by the enumerator)
    struct Connexion;
    struct Reponse;
    struct Decision;
    void nouvelleConnexion(Hote hote);
    void lire(QTcpSocket *socket, Hote hote);
    void repondre(QTcpSocket *socket, const Requete &requete);
    Decision decider(const Requete &requete);
    Reponse reponseNormale(const Requete &requete);
    void envoyer(QTcpSocket *socket, const Reponse &reponse);
    void pomper(QTcpSocket *socket);
    void oublier(QTcpSocket *socket);

    std::unique_ptr<Contenu> m_donnees;
    std::array<QTcpServer *, 3> m_serveurs{};
    mutable QMutex m_verrou;
    QList<Regle> m_regles;
    QList<Requete> m_requetes;
    std::array<bool, 3> m_cookieDonne{};
    QList<int> m_redirectionsFaites; // per rule, the redirects of the chain under way
    std::array<quint16, 3> m_ports{};
    std::map<QTcpSocket *, std::unique_ptr<Connexion>> m_connexions;
};

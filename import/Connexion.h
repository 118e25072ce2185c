#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <memory>

// The answer to one request: `reussi` when the final status after redirects is 200 to 299.
struct ReponseHttp
{
    bool reussi = false;
    int statut = 0;   // the final status, 0 when no answer came
    QByteArray corps; // the final body (empty on failure)
    QString erreur;   // why it failed, for logs and tests
};

// The program's HTTP client, `connexion`: HTTP/1.0, the same header lines in the same order on
// every request, redirects followed by our own code (at most 15 in a row), cookies kept in memory
// for the run, finite time-outs and a cap on every body. A time-out, a cap, a broken connection
// or a status outside 200 to 299 is a failed request. Requests block until they end.
class Connexion final
{
public:
    using Formulaire = QList<QPair<QByteArray, QString>>;

    Connexion();
    ~Connexion();
    Connexion(const Connexion &) = delete;
    Connexion &operator=(const Connexion &) = delete;

    // `base`: "http://host:port" (no path). `chemin`: the request target as bytes, sent
    // unchanged (it may hold Windows-1252 bytes).
    ReponseHttp get(const QString &base, const QByteArray &chemin);
    // A form of name=value fields, the values encoded from their Windows-1252 bytes.
    ReponseHttp post(const QString &base, const QByteArray &chemin, const Formulaire &formulaire);
    // Closes the connection; the next request opens a new one. Cookies stay.
    void fermer();

    // Limits (defaults: 10 s to connect, 30 s without data, 64 MiB a body). Tests lower them.
    void definirDelais(int connexionMs, int silenceMs);
    void definirTailleMaximale(qint64 octets);

    // The body of a POST: "name=" + the value's Windows-1252 bytes, bytes 33 to 128 unchanged
    // except * # % < > space [ ], every other byte as %XX (upper-case); fields joined with "&",
    // blanks at both ends removed.
    static QByteArray encoderFormulaire(const Formulaire &formulaire);

private:
    struct Etat;
    std::unique_ptr<Etat> m_etat;
};

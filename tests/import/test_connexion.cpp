#include "import/Connexion.h"
#include "tests/support/ServeurDeTest.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using Regle = ServeurCouvertures::Regle;
constexpr auto Principal = ServeurCouvertures::Principal;

// A loopback server that answers each connection with the next canned answer, word for word,
// and keeps every connection open until it stops: for answers the cover service cannot give.
class ServeurBrut
{
public:
    explicit ServeurBrut(QList<QByteArray> reponses)
        : m_reponses(std::move(reponses))
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in adresse{};
        adresse.sin_family = AF_INET;
        adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t taille = sizeof adresse;
        auto *generique = reinterpret_cast<sockaddr *>(&adresse);
        if (bind(m_socket, generique, taille) != 0 || listen(m_socket, 8) != 0 ||
            getsockname(m_socket, generique, &taille) != 0)
            ADD_FAILURE() << "no loopback port";
        m_port = ntohs(adresse.sin_port);
        m_fil = std::thread([this] { servir(); });
    }
    ~ServeurBrut()
    {
        m_arret = true;
        m_fil.join();
        for (const int client : m_clients)
            close(client);
        close(m_socket);
    }
    QString adresse() const { return u"http://127.0.0.1:%1"_s.arg(m_port); }
    QList<QByteArray> requetes() const
    {
        const std::lock_guard verrou(m_verrou);
        return m_requetes;
    }

private:
    void servir()
    {
        for (qsizetype n = 0; n < m_reponses.size() && !m_arret;) {
            pollfd attente{m_socket, POLLIN, 0};
            if (poll(&attente, 1, 50) <= 0)
                continue;
            const int client = accept(m_socket, nullptr, nullptr);
            m_clients.append(client);
            const timeval delai{2, 0};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &delai, sizeof delai);
            QByteArray requete;
            char tampon[4096];
            while (!requete.contains("\r\n\r\n")) {
                const ssize_t lus = recv(client, tampon, sizeof tampon, 0);
                if (lus <= 0)
                    break;
                requete.append(tampon, lus);
            }
            {
                const std::lock_guard verrou(m_verrou);
                m_requetes.append(requete);
            }
            const QByteArray &reponse = m_reponses[n++];
            send(client, reponse.constData(), static_cast<size_t>(reponse.size()), MSG_NOSIGNAL);
        }
    }

    QList<QByteArray> m_reponses;
    int m_socket = -1;
    quint16 m_port = 0;
    std::thread m_fil;
    std::atomic_bool m_arret = false;
    QList<int> m_clients;
    mutable std::mutex m_verrou;
    QList<QByteArray> m_requetes;
};

class ConnexionTest : public ::testing::Test
{
protected:
    ConnexionTest() { connexion.definirDelais(1000, 1000); }

    ReponseHttp obtenir(const QByteArray &chemin) { return connexion.get(base, chemin); }
    void regle(Regle r)
    {
        r.hote = Principal;
        serveur.ajouterRegle(r);
    }
    // A rule that answers 200 with `corps` on /essai, after `redirections` redirects.
    static Regle essai(const QByteArray &corps, int redirections = 0, int statut = 302)
    {
        Regle r;
        r.chemin = "/essai";
        r.statut = 200;
        r.corps = corps;
        r.redirections = redirections;
        r.statutRedirection = statut;
        return r;
    }

    ServeurDeTest serveurDeTest;
    ServeurCouvertures &serveur = serveurDeTest.serveur();
    const QString base = serveurDeTest.adresse(Principal);
    const QByteArray hote = base.sliced(7).toLatin1();
    Connexion connexion;
};

TEST(ConnexionFormulaire, EncodeLesValeursDepuisLeursOctetsWindows1252)
{
    struct Cas
    {
        Connexion::Formulaire formulaire;
        QByteArray attendu;
    };
    const Cas cas[] = {
        {{{"idmc", u"LE PONT"_s}}, "idmc=LE%20PONT"},
        {{{"idmc", u"L'ÉTÉ (LA) -1!"_s}}, "idmc=L'%C9T%C9%20(LA)%20-1!"},
        {{{"idmc", u"*#%<> []"_s}}, "idmc=%2A%23%25%3C%3E%20%5B%5D"},
        {{{"idmc", u"A\tB\u0001\u007F"_s}}, "idmc=A%09B%01\x7F"},
        // 128 is the last byte sent as it is: the euro sign; 129 and above are encoded.
        {{{"idmc", u"\u20AC\u0081\u00FF"_s}}, "idmc=\x80%81%FF"},
        {{{"idmc", u"&=+/?~"_s}}, "idmc=&=+/?~"},
        // Blanks of the value are encoded, so only blanks of a name can be trimmed.
        {{{"idmc", u"  PONT "_s}}, "idmc=%20%20PONT%20"},
        {{{" a", u"1"_s}, {"b ", u"2"_s}}, "a=1&b =2"},
        {{{"idmc", u"\u0394"_s}}, "idmc=?"},
        {{}, ""},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(Connexion::encoderFormulaire(c.formulaire), c.attendu) << c.attendu.constData();
}

TEST_F(ConnexionTest, EnvoieLesLignesDUneRequeteDansLeurOrdre)
{
    ASSERT_TRUE(obtenir("/DATA/movies.txt").reussi);
    const ReponseHttp post = connexion.post(base, "/getfilm.html", {{"idmc", u"L'ÉTÉ (LE)"_s}});
    ASSERT_TRUE(post.reussi) << post.erreur.toStdString();

    const QByteArray lignes = "Host: " + hote +
                              "\r\nAccept: text/html, */*\r\n"
                              "Accept-Encoding: identity\r\n"
                              "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";
    const auto requetes = serveur.requetes();
    ASSERT_EQ(requetes.size(), 2);
    EXPECT_EQ(requetes[0].octets.toStdString(),
              "GET /DATA/movies.txt HTTP/1.0\r\n"
              "Connection: keep-alive\r\nContent-Version: text/html\r\n" +
                  lignes.toStdString());
    EXPECT_EQ(requetes[1].octets.toStdString(),
              "POST /getfilm.html HTTP/1.0\r\n"
              "Connection: keep-alive\r\nContent-Version: text/html\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 21\r\n" +
                  (lignes + "idmc=L'%C9T%C9%20(LE)").toStdString());
}

TEST_F(ConnexionTest, EnvoieLeCheminTelQuel)
{
    // 8-bit bytes and escapes go as they are; bytes that would break the request line do not.
    const QByteArray cas[][2] = {
        {"/getjpg.html/L'\xC9T\xC9%20(LE)\x80\xFF.jpg",
         "/getjpg.html/L'\xC9T\xC9%20(LE)\x80\xFF.jpg"},
        {"/a b\tc\r\nX: y", "/a%20b%09c%0D%0AX:%20y"},
        {QByteArray("/nul\0z", 6), "/nul%00z"},
    };
    for (const auto &[chemin, envoye] : cas) {
        obtenir(chemin);
        EXPECT_EQ(serveur.requetes().last().chemin, envoye);
    }
}

TEST_F(ConnexionTest, SuitQuinzeRedirectionsEtEchoueALaSeizieme)
{
    regle(essai("fin", 15));
    const ReponseHttp quinze = obtenir("/essai");
    EXPECT_TRUE(quinze.reussi) << quinze.erreur.toStdString();
    EXPECT_EQ(quinze.corps, "fin");
    EXPECT_EQ(serveur.requetes().size(), 16);

    serveur.effacerRegles();
    serveur.effacerRequetes();
    regle(essai("fin", 16));
    const ReponseHttp seize = obtenir("/essai");
    EXPECT_FALSE(seize.reussi);
    EXPECT_EQ(seize.statut, 302);
    EXPECT_TRUE(seize.corps.isEmpty());
    EXPECT_FALSE(seize.erreur.isEmpty());
    EXPECT_EQ(serveur.requetes().size(), 16);
}

TEST_F(ConnexionTest, UneRedirectionGardeLaMethodeSaufApres302Et303)
{
    const std::pair<int, QByteArray> cas[] = {
        {302, "GET"}, {303, "GET"}, {307, "POST"}, {301, "POST"}};
    for (const auto &[statut, methode] : cas) {
        serveur.effacerRegles();
        serveur.effacerRequetes();
        Regle r = essai("ok", 1, statut);
        r.chemin = "/getfilm.html";
        regle(r);
        const ReponseHttp reponse = connexion.post(base, "/getfilm.html", {{"idmc", u"X Y"_s}});
        EXPECT_TRUE(reponse.reussi) << statut;
        const auto requetes = serveur.requetes();
        ASSERT_EQ(requetes.size(), 2) << statut;
        const ServeurCouvertures::Requete &suivie = requetes[1];
        EXPECT_EQ(suivie.methode, methode) << statut;
        const bool post = methode == "POST";
        EXPECT_EQ(suivie.corps, post ? "idmc=X%20Y" : "") << statut;
        EXPECT_EQ(suivie.octets.contains("Content-Type:"), post) << statut;
        EXPECT_EQ(suivie.octets.contains("Content-Length:"), post) << statut;
    }
}

TEST_F(ConnexionTest, RenvoieSesCookiesApresFermer)
{
    Regle r;
    r.cookieExige = "session=42";
    regle(r);
    ASSERT_TRUE(obtenir("/DATA/movies.txt").reussi);
    connexion.fermer();
    const ReponseHttp suivante = obtenir("/DATA/movies.txt");
    EXPECT_TRUE(suivante.reussi) << suivante.erreur.toStdString();
    EXPECT_TRUE(serveur.requetes().last().octets.contains("\r\nCookie: session=42\r\n"));

    // The cookies belong to the client that received them, and go nowhere else.
    Connexion autre;
    const ReponseHttp etrangere = autre.get(base, "/DATA/movies.txt");
    EXPECT_FALSE(etrangere.reussi);
    EXPECT_EQ(etrangere.statut, 403);
}

TEST_F(ConnexionTest, LitLesCorpsQuelleQueSoitLeurForme)
{
    QByteArray grand(300'000, 'x');
    for (qsizetype i = 0; i < grand.size(); i += 997)
        grand[i] = static_cast<char>(i % 251);
    const std::pair<const char *, void (*)(Regle &)> cas[] = {
        {"longueur",
         [](Regle &) {
         }},
        {"fragments",
         [](Regle &r) {
             r.fragmente = true;
         }},
        {"jusqu'a la fermeture",
         [](Regle &r) {
             r.sansLongueur = true;
         }},
        {"longueur plus courte que le corps",
         [](Regle &r) {
             r.longueurAnnoncee = 10;
         }},
    };
    for (const auto &[nom, modifier] : cas) {
        Regle r = essai(grand);
        modifier(r);
        regle(r);
        const ReponseHttp reponse = obtenir("/essai");
        EXPECT_TRUE(reponse.reussi) << nom << ": " << reponse.erreur.toStdString();
        EXPECT_EQ(reponse.corps, r.longueurAnnoncee < 0 ? grand : grand.first(10)) << nom;
    }
}

TEST_F(ConnexionTest, EchoueSurUnStatutUneCoupureUnSilenceOuUnCorpsTropGrand)
{
    connexion.definirTailleMaximale(100'000);
    const std::tuple<const char *, void (*)(Regle &), int> cas[] = {
        {"304", [](Regle &r) { r.statut = 304; }, 304},
        {"404", [](Regle &r) { r.statut = 404; }, 404},
        {"500", [](Regle &r) { r.statut = 500; }, 500},
        {"longueur mensongere", [](Regle &r) { r.longueurAnnoncee = 50; }, 200},
        {"coupure apres l'entete", [](Regle &r) { r.couperApresEntete = true; }, 200},
        {"fragments malformes", [](Regle &r) { r.fragmente = r.fragmentsMalformes = true; }, 200},
        {"serveur muet", [](Regle &r) { r.attenteMs = -1; }, 0},
        {"trop grand annonce", [](Regle &r) { r.tailleCorps = 100'001; }, 200},
        {"trop grand en fragments",
         [](Regle &r) {
             r.fragmente = true;
             r.tailleCorps = 10'000'000;
         },
         200},
        {"trop grand sans longueur",
         [](Regle &r) {
             r.sansLongueur = true;
             r.tailleCorps = 10'000'000;
         },
         200},
    };
    for (const auto &[nom, modifier, statut] : cas) {
        Regle r = essai("corps");
        modifier(r);
        regle(r);
        QElapsedTimer chrono;
        chrono.start();
        const ReponseHttp reponse = obtenir("/essai");
        EXPECT_FALSE(reponse.reussi) << nom;
        EXPECT_EQ(reponse.statut, statut) << nom;
        EXPECT_TRUE(reponse.corps.isEmpty()) << nom;
        EXPECT_FALSE(reponse.erreur.isEmpty()) << nom;
        EXPECT_LT(chrono.elapsed(), 4000) << nom;
    }
}

TEST_F(ConnexionTest, EchoueSansServeurOuSansAdresseHttp)
{
    for (const QString &adresse : {u"http://127.0.0.1:1"_s, u"https://127.0.0.1"_s,
                                   u"http://a@127.0.0.1"_s, u"http://127.0.0.1/x"_s, u""_s}) {
        const ReponseHttp reponse = connexion.get(adresse, "/");
        EXPECT_FALSE(reponse.reussi) << adresse.toStdString();
        EXPECT_EQ(reponse.statut, 0) << adresse.toStdString();
        EXPECT_FALSE(reponse.erreur.isEmpty()) << adresse.toStdString();
    }
}

TEST_F(ConnexionTest, ResoutLesRedirectionsRelativesEtChangeDHote)
{
    const QString donnees = serveurDeTest.adresse(ServeurCouvertures::Donnees);
    Regle fin = essai("fin");
    fin.hote = ServeurCouvertures::Donnees;
    serveur.ajouterRegle(fin);
    // A Location makes any answer a redirect; the body of a redirect is not waited for long.
    ServeurBrut brut({
        "HTTP/1.0 301 Moved\r\nLocation: ../autre/page?x=1#ancre\r\nContent-Length: 0\r\n\r\n",
        "HTTP/1.1 200 OK\r\nLocation: " + donnees.toLatin1() +
            "/essai\r\nContent-Length: 100\r\n\r\nun bout",
    });
    QElapsedTimer chrono;
    chrono.start();
    const ReponseHttp reponse = connexion.get(brut.adresse(), "/dossier/sous/p?q");
    EXPECT_TRUE(reponse.reussi) << reponse.erreur.toStdString();
    EXPECT_EQ(reponse.corps, "fin");
    EXPECT_LT(chrono.elapsed(), 4000);

    const auto requetes = brut.requetes();
    ASSERT_EQ(requetes.size(), 2);
    EXPECT_TRUE(requetes[1].startsWith("GET /dossier/autre/page?x=1 HTTP/1.0\r\n"));
    const auto finale = serveur.requetes();
    ASSERT_EQ(finale.size(), 1);
    EXPECT_TRUE(finale[0].octets.contains("\r\nHost: " + donnees.sliced(7).toLatin1() + "\r\n"));
}

} // namespace

// The stand-in cover service, spoken to over loopback sockets from the test thread.
#include "coversite/DonneesDemo.h"
#include "tests/support/ServeurDeTest.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using Hote = ServeurCouvertures::Hote;
using Regle = ServeurCouvertures::Regle;

namespace {

// What came back on one connection.
struct Echange
{
    QByteArray brut;
    bool ferme = false; // the server closed the connection

    qsizetype finEntete() const { return brut.indexOf("\r\n\r\n"); }
    int statut() const { return brut.mid(9, 3).toInt(); }
    QByteArray entete(QByteArrayView nom) const
    {
        const QList<QByteArray> lignes = brut.left(finEntete()).split('\n');
        for (const QByteArray &ligne : lignes) {
            const qsizetype deuxPoints = ligne.indexOf(':');
            if (deuxPoints > 0 && ligne.left(deuxPoints).compare(nom, Qt::CaseInsensitive) == 0)
                return ligne.mid(deuxPoints + 1).trimmed();
        }
        return {};
    }
    QByteArray corps() const { return finEntete() < 0 ? QByteArray() : brut.mid(finEntete() + 4); }
};

// The request as the program sends it: HTTP/1.0, the same header lines in the same order.
QByteArray requete(const QByteArray &methode, const QByteArray &chemin, quint16 port,
                   const QByteArray &corps = {}, const QByteArray &cookie = {})
{
    QByteArray r = methode + ' ' + chemin + " HTTP/1.0\r\n";
    if (!cookie.isEmpty())
        r += "Cookie: " + cookie + "\r\n";
    r += "Connection: keep-alive\r\nContent-Version: text/html\r\n";
    if (methode == "POST")
        r += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
             QByteArray::number(corps.size()) + "\r\n";
    r += "Host: 127.0.0.1:" + QByteArray::number(port) +
         "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
         "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n" +
         corps;
    return r;
}

// Sends the pieces in turn and reads until the server closes or `delaiMs` runs out.
Echange echanger(quint16 port, const QList<QByteArray> &morceaux, int delaiMs = 10000)
{
    Echange echange;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000)) {
        ADD_FAILURE() << "no connection on port " << port;
        return echange;
    }
    for (qsizetype i = 0; i < morceaux.size(); ++i) {
        if (i > 0)
            QThread::msleep(30);
        socket.write(morceaux.at(i));
        socket.waitForBytesWritten(5000);
    }
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < delaiMs &&
           socket.waitForReadyRead(static_cast<int>(delaiMs - chrono.elapsed())))
        echange.brut += socket.readAll();
    echange.brut += socket.readAll();
    echange.ferme = socket.state() != QAbstractSocket::ConnectedState;
    return echange;
}

// The body of a chunked answer and its number of chunks; nothing when the framing is broken.
std::optional<QByteArray> sansFragments(const QByteArray &corps, int *nombre)
{
    QByteArray resultat;
    qsizetype position = 0;
    *nombre = 0;
    for (;;) {
        const qsizetype finLigne = corps.indexOf("\r\n", position);
        if (finLigne < 0)
            return std::nullopt;
        bool valide = false;
        const qsizetype taille = corps.mid(position, finLigne - position).toLongLong(&valide, 16);
        if (!valide || corps.size() < finLigne + 2 + taille + 2)
            return std::nullopt;
        if (taille == 0)
            return resultat;
        resultat += corps.mid(finLigne + 2, taille);
        ++*nombre;
        position = finLigne + 2 + taille + 2;
    }
}

QList<QByteArray> lignesCrLf(const QByteArray &texte)
{
    QList<QByteArray> lignes = texte.split('\n');
    lignes.removeLast(); // after the final line end
    return lignes;
}

class ServiceCouvertures : public ::testing::Test
{
protected:
    ServeurDeTest m_test;
    ServeurCouvertures &serveur() { return m_test.serveur(); }
    quint16 port(Hote hote) { return serveur().port(hote); }
    Echange get(Hote hote, const QByteArray &chemin, int delaiMs = 10000)
    {
        return echanger(port(hote), {requete("GET", chemin, port(hote))}, delaiMs);
    }
    Echange getAvecCookie(Hote hote, const QByteArray &chemin, const QByteArray &cookie)
    {
        return echanger(port(hote), {requete("GET", chemin, port(hote), {}, cookie)});
    }
    Echange fiche(const QByteArray &formulaire)
    {
        const quint16 p = port(Hote::Principal);
        return echanger(p, {requete("POST", "/getfilm.html", p, formulaire)});
    }
    QByteArray jpeg(const QByteArray &nomSite)
    {
        return get(Hote::Donnees, "/DATA/zipcache/" + nomSite + ".jpg").corps();
    }
};

TEST_F(ServiceCouvertures, IndexIsWindows1252WithCrLf)
{
    const Echange e = get(Hote::Principal, "/DATA/movies.txt");
    EXPECT_EQ(e.statut(), 200);
    EXPECT_EQ(e.entete("Content-Type"), "text/plain");
    EXPECT_TRUE(e.ferme);
    const QByteArray index = e.corps();
    EXPECT_EQ(e.entete("Content-Length").toLongLong(), index.size());
    EXPECT_TRUE(index.endsWith("\r\n"));
    EXPECT_EQ(index.count("\n"), index.count("\r\n"));
    EXPECT_EQ(index.count("\r"), index.count("\r\n"));
    const QList<QByteArray> lignes = lignesCrLf(index);
    EXPECT_GE(lignes.size(), 60);
    EXPECT_EQ(lignes.size(), serveur().titres().size());
    EXPECT_TRUE(lignes.contains("PONT (LE)\r"));
    EXPECT_TRUE(lignes.contains("\xC9T\xC9 MEURTRIER (L')\r"));
    EXPECT_TRUE(serveur().titres().contains(u"ÉTÉ MEURTRIER (L')"_s));
}

TEST_F(ServiceCouvertures, CardPagesAnswerTheNormalisedTitle)
{
    struct Cas
    {
        QByteArray formulaire;
        QByteArray premiereLigne;
    };
    const Cas cas[] = {
        {"idmc=LE%20PONT", "Le Pont"},
        {"idmc=L'ARM%C9E%20DES%20OMBRES", "L'Arm\xE9"
                                          "e des ombres"},
        {"idmc=THE%20BIG%20LEBOWSKI", "The Big Lebowski"},
        {"idmc=UN%20CONDAMN%C9%20%C0%20MORT%20S'EST%20%C9CHAPP%C9",
         "Un condamn\xE9 \xE0 mort s'est \xE9"
         "chapp\xE9"},
        {"idmc=M%20LE%20MAUDIT", "M le maudit"},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.formulaire.constData());
        const Echange e = fiche(c.formulaire);
        EXPECT_EQ(e.statut(), 200);
        EXPECT_EQ(e.entete("Content-Type"), "text/plain");
        const QList<QByteArray> lignes = lignesCrLf(e.corps());
        ASSERT_EQ(lignes.size(), 11);
        EXPECT_EQ(lignes.at(0), c.premiereLigne + '\r');
    }
    // Windows-1252 beyond Latin-1: the en dash of the original title.
    EXPECT_TRUE(fiche("idmc=M%20LE%20MAUDIT").corps().contains("M \x96 Eine Stadt"));
}

TEST_F(ServiceCouvertures, UnknownTitleGivesAShortHtmlPage)
{
    // "+" is no blank here, the index form is no key, and an index line without a card is unknown.
    for (const QByteArray formulaire : {"idmc=LE+PONT", "idmc=PONT%20(LE)", "idmc=le%20pont",
                                        "idmc=", "titre=LE%20PONT", "idmc=LE%20RAYON%20VERT"}) {
        SCOPED_TRACE(formulaire.constData());
        const Echange e = fiche(formulaire);
        EXPECT_EQ(e.statut(), 200);
        EXPECT_EQ(e.corps(), "<html><body>Film inconnu</body></html>");
    }
}

TEST_F(ServiceCouvertures, CoversAreFoundUnderTheirNamesOnEachSite)
{
    struct Cas
    {
        const char *film;
        QByteArray nomSite;
        QByteArray nomAffiche;
        bool surSite;
        bool surAffiches;
    };
    const Cas cas[] = {
        {"article", "LE%20PONT", "le_pont", true, true},
        {"apostrophe and accented capital",
         "L'ARM\xC9"
         "E%20DES%20OMBRES",
         "l'arm\xC9"
         "e_des_ombres",
         true, true},
        {"accented capital first", "\xC0%20BOUT%20DE%20SOUFFLE", "\xC0_bout_de_souffle", true,
         true},
        {"apostrophe, no article", "LAWRENCE%20D'ARABIE", "lawrence_d'arabie", true, true},
        {"cover site only", "LE%20BOUCHER", "le_boucher", true, false},
        {"fallback only", "L'\xC9T\xC9%20MEURTRIER", "l'\xC9t\xC9_meurtrier", false, true},
        {"no cover", "JEUX%20INTERDITS", "jeux_interdits", false, false},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.film);
        const Echange page = get(Hote::Principal, "/getjpg.html/" + c.nomSite + ".jpg");
        EXPECT_EQ(page.statut(), c.surSite ? 200 : 404);
        const Echange site = get(Hote::Donnees, "/DATA/zipcache/" + c.nomSite + ".jpg");
        EXPECT_EQ(site.statut(), c.surSite ? 200 : 404);
        const Echange affiche = get(Hote::Affiches, "/affiches/" + c.nomAffiche + ".jpg");
        EXPECT_EQ(affiche.statut(), c.surAffiches ? 200 : 404);
        for (const Echange *image : {&site, &affiche}) {
            if (image->statut() != 200)
                continue;
            EXPECT_EQ(image->entete("Content-Type"), "image/jpeg");
            EXPECT_TRUE(image->corps().startsWith("\xFF\xD8"));
            EXPECT_EQ(QImage::fromData(image->corps(), "JPG").size(), QSize(300, 420));
        }
    }
}

TEST_F(ServiceCouvertures, NamesInAnyOtherFormAreNotFound)
{
    const std::pair<Hote, QByteArray> cas[] = {
        {Hote::Principal, "/getjpg.html/LE PONT.jpg"},
        {Hote::Principal, "/getjpg.html/LE%20PONT"},
        {Hote::Principal, "/DATA/zipcache/LE%20PONT.jpg"}, // right path, wrong host
        {Hote::Donnees, "/DATA/zipcache/le%20pont.jpg"},
        {Hote::Donnees, "/DATA/zipcache/L'ARM%C9E%20DES%20OMBRES.jpg"},
        {Hote::Donnees, "/DATA/zipcache/L'ARM\xC3\x89"
                        "E%20DES%20OMBRES.jpg"}, // UTF-8
        {Hote::Affiches, "/affiches/LE_PONT.jpg"},
        {Hote::Affiches, "/affiches/l'\xE9t\xE9_meurtrier.jpg"},
        {Hote::Affiches, "/DATA/movies.txt"},
    };
    for (const auto &[hote, chemin] : cas) {
        SCOPED_TRACE(chemin.constData());
        EXPECT_EQ(get(hote, chemin).statut(), 404);
    }
}

TEST_F(ServiceCouvertures, RequestsAreCapturedByteForByte)
{
    const quint16 p = port(Hote::Principal);
    const QByteArray post = requete("POST", "/getfilm.html", p, "idmc=L'%C9T%C9%20MEURTRIER");
    const qsizetype finEntete = post.indexOf("\r\n\r\n") + 4;
    // Headers and body in several pieces, as a slow network may deliver them.
    const Echange e =
        echanger(p, {post.left(20), post.mid(20, finEntete - 20), post.mid(finEntete)});
    EXPECT_EQ(lignesCrLf(e.corps()).size(), 11);
    const QByteArray cheminBrut = "/affiches/l'\xC9t\xC9_meurtrier.jpg";
    get(Hote::Affiches, cheminBrut);

    const QList<ServeurCouvertures::Requete> requetes = serveur().requetes();
    ASSERT_EQ(requetes.size(), 2);
    EXPECT_EQ(requetes.at(0).hote, Hote::Principal);
    EXPECT_EQ(requetes.at(0).octets, post);
    EXPECT_EQ(requetes.at(0).methode, "POST");
    EXPECT_EQ(requetes.at(0).chemin, "/getfilm.html");
    EXPECT_EQ(requetes.at(0).corps, "idmc=L'%C9T%C9%20MEURTRIER");
    EXPECT_EQ(requetes.at(1).hote, Hote::Affiches);
    EXPECT_EQ(requetes.at(1).chemin, cheminBrut);
    EXPECT_EQ(requetes.at(1).octets, requete("GET", cheminBrut, port(Hote::Affiches)));
    serveur().effacerRequetes();
    EXPECT_TRUE(serveur().requetes().isEmpty());
}

TEST_F(ServiceCouvertures, MalformedRequestsAreRefused)
{
    const quint16 p = port(Hote::Principal);
    EXPECT_EQ(echanger(p, {"BONJOUR\r\n\r\n"}).statut(), 400);
    EXPECT_EQ(echanger(p, {"POST /getfilm.html HTTP/1.0\r\nContent-Length: x\r\n\r\n"}).statut(),
              400);
    EXPECT_EQ(echanger(p, {"POST /getfilm.html HTTP/1.0\r\nContent-Length: 99999999999\r\n\r\n"})
                  .statut(),
              413);
}

TEST_F(ServiceCouvertures, RedirectChainsOfAnyLengthThenTheNormalAnswer)
{
    const QByteArray normal = get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg").corps();
    for (const auto &[nombre, statut] : {std::pair{1, 302}, {3, 307}, {16, 301}}) {
        SCOPED_TRACE(nombre);
        serveur().effacerRegles();
        Regle regle;
        regle.hote = Hote::Donnees;
        regle.redirections = nombre;
        regle.statutRedirection = statut;
        serveur().ajouterRegle(regle);
        // Two chains in a row: the rule starts over after its final answer.
        for (int chaine = 0; chaine < 2; ++chaine) {
            for (int i = 0; i < nombre; ++i) {
                const Echange e = get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg");
                ASSERT_EQ(e.statut(), statut) << "redirect " << i;
                EXPECT_EQ(e.entete("Location"), serveur().adresse(Hote::Donnees).toLatin1() +
                                                    "/DATA/zipcache/LE%20PONT.jpg");
            }
            const Echange fin = get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg");
            EXPECT_EQ(fin.statut(), 200);
            EXPECT_EQ(fin.corps(), normal);
        }
    }
}

TEST_F(ServiceCouvertures, RulesPickTheirHostPathAndCount)
{
    Regle tout;
    tout.hote = Hote::Principal;
    tout.statut = 500;
    serveur().ajouterRegle(tout);
    Regle index; // added last: wins on its paths
    index.hote = Hote::Principal;
    index.chemin = "/DATA/";
    index.statut = 503;
    index.fois = 2;
    serveur().ajouterRegle(index);

    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").statut(), 503);
    EXPECT_EQ(get(Hote::Principal, "/getjpg.html/LE%20PONT.jpg").statut(), 500);
    EXPECT_EQ(get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg").statut(), 200);
    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").statut(), 503);
    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").statut(), 500); // used up
    serveur().effacerRegles();
    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").statut(), 200);
}

TEST_F(ServiceCouvertures, StatusAndBodyOverrides)
{
    Regle pasJpeg;
    pasJpeg.hote = Hote::Affiches;
    pasJpeg.statut = 200;
    pasJpeg.corps = "<html>pas une image</html>";
    pasJpeg.typeContenu = "text/html";
    serveur().ajouterRegle(pasJpeg);
    const Echange e = get(Hote::Affiches, "/affiches/jeux_interdits.jpg");
    EXPECT_EQ(e.statut(), 200);
    EXPECT_EQ(e.entete("Content-Type"), "text/html");
    EXPECT_EQ(e.corps(), pasJpeg.corps);

    Regle vide;
    vide.hote = Hote::Donnees;
    vide.corps = QByteArray(""); // empty, not null: an empty body
    serveur().ajouterRegle(vide);
    const Echange sansImage = get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg");
    EXPECT_EQ(sansImage.statut(), 200);
    EXPECT_EQ(sansImage.entete("Content-Length"), "0");
    EXPECT_TRUE(sansImage.corps().isEmpty());

    Regle pasDeCorps;
    pasDeCorps.hote = Hote::Principal;
    pasDeCorps.statut = 204;
    serveur().ajouterRegle(pasDeCorps);
    const Echange rien = get(Hote::Principal, "/DATA/movies.txt");
    EXPECT_EQ(rien.statut(), 204);
    EXPECT_TRUE(rien.corps().isEmpty());
    EXPECT_TRUE(rien.entete("Content-Length").isNull());
}

TEST_F(ServiceCouvertures, BodyFraming)
{
    const QByteArray chemin = "/DATA/zipcache/LE%20PONT.jpg";
    const QByteArray image = jpeg("LE%20PONT");
    const auto avec = [&](auto reglage) {
        serveur().effacerRegles();
        Regle regle;
        regle.hote = Hote::Donnees;
        reglage(regle);
        serveur().ajouterRegle(regle);
        return get(Hote::Donnees, chemin);
    };
    int fragments = 0;

    Echange e = avec([](Regle &r) { r.fragmente = true; });
    EXPECT_EQ(e.entete("Transfer-Encoding"), "chunked");
    EXPECT_TRUE(e.entete("Content-Length").isNull());
    EXPECT_EQ(sansFragments(e.corps(), &fragments), image);
    EXPECT_GT(fragments, 1);

    e = avec([](Regle &r) { r.fragmentsMalformes = true; });
    EXPECT_EQ(e.entete("Transfer-Encoding"), "chunked");
    EXPECT_EQ(sansFragments(e.corps(), &fragments), std::nullopt);
    EXPECT_TRUE(e.ferme);

    e = avec([](Regle &r) { r.longueurAnnoncee = 1000000; });
    EXPECT_EQ(e.entete("Content-Length"), "1000000");
    EXPECT_EQ(e.corps(), image);
    EXPECT_TRUE(e.ferme);

    e = avec([](Regle &r) { r.sansLongueur = true; });
    EXPECT_TRUE(e.entete("Content-Length").isNull());
    EXPECT_TRUE(e.entete("Transfer-Encoding").isNull());
    EXPECT_EQ(e.corps(), image);
    EXPECT_TRUE(e.ferme);

    e = avec([](Regle &r) { r.couperApresEntete = true; });
    EXPECT_EQ(e.statut(), 200);
    EXPECT_EQ(e.entete("Content-Length").toLongLong(), image.size());
    EXPECT_TRUE(e.corps().isEmpty());
    EXPECT_TRUE(e.ferme);
}

TEST_F(ServiceCouvertures, StreamedBodiesHaveTheirSizeAndStopWithTheClient)
{
    Regle regle;
    regle.hote = Hote::Donnees;
    regle.tailleCorps = 8 * 1024 * 1024 + 7;
    serveur().ajouterRegle(regle);
    const Echange e = get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg");
    EXPECT_EQ(e.entete("Content-Length").toLongLong(), regle.tailleCorps);
    EXPECT_EQ(e.corps().size(), regle.tailleCorps);

    regle.tailleCorps = 1024LL * 1024 * 1024;
    serveur().ajouterRegle(regle);
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port(Hote::Donnees));
        ASSERT_TRUE(socket.waitForConnected(5000));
        socket.write(requete("GET", "/DATA/zipcache/LE%20PONT.jpg", port(Hote::Donnees)));
        qint64 recu = 0;
        while (recu < 1024 * 1024 && socket.waitForReadyRead(5000))
            recu += socket.readAll().size();
        EXPECT_GE(recu, 1024 * 1024);
        socket.abort();
    }
    // The server left the gigabyte and answers at once.
    serveur().effacerRegles();
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_EQ(get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg").statut(), 200);
    EXPECT_LT(chrono.elapsed(), 2000);
}

TEST_F(ServiceCouvertures, StallsDelayOrWithholdTheAnswer)
{
    Regle regle;
    regle.hote = Hote::Principal;
    regle.attenteMs = 400;
    serveur().ajouterRegle(regle);
    EXPECT_TRUE(get(Hote::Principal, "/DATA/movies.txt", 150).brut.isEmpty());
    QElapsedTimer chrono;
    chrono.start();
    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").statut(), 200);
    EXPECT_GE(chrono.elapsed(), 350);

    regle.attenteMs = -1;
    serveur().ajouterRegle(regle);
    const Echange jamais = get(Hote::Principal, "/DATA/movies.txt", 700);
    EXPECT_TRUE(jamais.brut.isEmpty());
    EXPECT_FALSE(jamais.ferme);
    // Other hosts go on answering.
    EXPECT_EQ(get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg").statut(), 200);
}

TEST_F(ServiceCouvertures, ABodyCanFallSilentHalfWayWithTheConnectionOpen)
{
    const QByteArray chemin = "/DATA/zipcache/LE%20PONT.jpg";
    const QByteArray image = jpeg("LE%20PONT");
    const qint64 taille = 3 * 1024 * 1024;
    const struct
    {
        const char *cas;
        qint64 tailleCorps;
        bool fragmente;
        qint64 attendu;
    } cas[] = {
        {"corps en mémoire", -1, false, 100},
        {"corps généré", taille, false, 200'000},
        {"corps généré en fragments", taille, true, 200'000},
        {"rien après l'en-tête", taille, false, 0},
    };
    for (const auto &c : cas) {
        serveur().effacerRegles();
        Regle regle;
        regle.hote = Hote::Donnees;
        regle.tailleCorps = c.tailleCorps;
        regle.fragmente = c.fragmente;
        regle.silenceApres = c.attendu;
        serveur().ajouterRegle(regle);
        const Echange e = get(Hote::Donnees, chemin, 700);
        EXPECT_FALSE(e.ferme) << c.cas;
        EXPECT_EQ(e.statut(), 200) << c.cas;
        const QByteArray corps = e.corps();
        if (c.fragmente) {
            // Whole chunks up to the silence, then neither a last chunk nor the end.
            int fragments = 0;
            EXPECT_EQ(sansFragments(corps, &fragments), std::nullopt) << c.cas;
            EXPECT_EQ(corps.count('K'), c.attendu) << c.cas;
        } else {
            EXPECT_EQ(corps.size(), c.attendu) << c.cas;
            EXPECT_EQ(e.entete("Content-Length").toLongLong(),
                      c.tailleCorps < 0 ? image.size() : c.tailleCorps)
                << c.cas;
        }
        if (c.tailleCorps < 0) {
            EXPECT_EQ(corps, image.first(100)) << c.cas;
        }
    }
}

TEST_F(ServiceCouvertures, CookieIsSetOnceThenDemanded)
{
    Regle regle;
    regle.hote = Hote::Principal;
    regle.cookieExige = "session=42";
    serveur().ajouterRegle(regle);

    const Echange premier = get(Hote::Principal, "/DATA/movies.txt");
    EXPECT_EQ(premier.statut(), 200);
    EXPECT_EQ(premier.entete("Set-Cookie"), "session=42; Path=/");
    const Echange sans = get(Hote::Principal, "/DATA/movies.txt");
    EXPECT_EQ(sans.statut(), 403);
    EXPECT_TRUE(sans.entete("Set-Cookie").isNull());
    EXPECT_EQ(getAvecCookie(Hote::Principal, "/DATA/movies.txt", "session=41").statut(), 403);
    EXPECT_EQ(getAvecCookie(Hote::Principal, "/DATA/movies.txt", "a=b; session=42").statut(), 200);
    EXPECT_EQ(get(Hote::Donnees, "/DATA/zipcache/LE%20PONT.jpg").statut(), 200);

    // Cleared rules forget the cookie: the next rule sets it again.
    serveur().effacerRegles();
    serveur().ajouterRegle(regle);
    EXPECT_EQ(get(Hote::Principal, "/DATA/movies.txt").entete("Set-Cookie"), "session=42; Path=/");
}

TEST(DonneesDeDemonstration, CardsAreCompleteAndCoversSpreadOverTheSites)
{
    DonneesDemo demo;
    QString erreur;
    ASSERT_TRUE(demo.charger(ServeurDeTest::donnees(), &erreur)) << erreur.toStdString();
    EXPECT_GE(demo.films().size(), 60);
    int surSite = 0, affichesSeules = 0, aucune = 0;
    const QRegularExpression annee(u"^(19|20)\\d\\d$"_s);
    const QRegularExpression duree(u"^(\\dh\\d\\d|\\d+ min)$"_s);
    for (const DonneesDemo::Film &film : demo.films()) {
        SCOPED_TRACE(film.titreIndex.toStdString());
        EXPECT_TRUE(demo.titres().contains(film.titreIndex));
        EXPECT_EQ(film.titreIndex, film.titreIndex.toUpper());
        for (const QString &ligne : film.lignes)
            EXPECT_FALSE(ligne.trimmed().isEmpty());
        EXPECT_TRUE(annee.match(film.lignes.at(2)).hasMatch()) << film.lignes.at(2).toStdString();
        EXPECT_TRUE(duree.match(film.lignes.at(5)).hasMatch()) << film.lignes.at(5).toStdString();
        surSite += film.surSite;
        affichesSeules += !film.surSite && film.surAffiches;
        aucune += !film.surSite && !film.surAffiches;
    }
    EXPECT_GT(surSite, demo.films().size() / 2);
    EXPECT_GE(affichesSeules, 5);
    EXPECT_GE(aucune, 3);
}

TEST(ServeurDeTestIni, NamesTheThreeHosts)
{
    ServeurDeTest test;
    QTemporaryDir dossier;
    test.ecrireIni(dossier.path());
    QSettings ini(dossier.filePath(u"kinolux.ini"_s), QSettings::IniFormat);
    EXPECT_EQ(ini.value(u"sites/principal"_s).toString(), test.adresse(Hote::Principal));
    EXPECT_EQ(ini.value(u"sites/donnees"_s).toString(), test.adresse(Hote::Donnees));
    EXPECT_EQ(ini.value(u"sites/affiches"_s).toString(), test.adresse(Hote::Affiches));
    EXPECT_TRUE(test.adresse(Hote::Affiches).startsWith(u"http://127.0.0.1:"_s));
    EXPECT_NE(test.adresse(Hote::Principal), test.adresse(Hote::Donnees));
}

TEST(ProgrammeCoversite, SaysReadyAndStopsOnSigterm)
{
    QProcess programme;
    programme.start(QStringLiteral(KINOLUX_BIN) + u"/kinolux-coversite"_s,
                    {u"--ports"_s, u"0,0,0"_s});
    ASSERT_TRUE(programme.waitForStarted(5000));
    ASSERT_TRUE(programme.waitForReadyRead(10000));
    EXPECT_EQ(programme.readAllStandardOutput(), "pr\xC3\xAAt\n");
    programme.terminate();
    ASSERT_TRUE(programme.waitForFinished(5000));
    EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programme.exitCode(), 0);
}

} // namespace

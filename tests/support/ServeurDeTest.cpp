#include "tests/support/ServeurDeTest.h"

#include <QFile>
#include <QSemaphore>
#include <QThread>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Creates the server in its own thread, runs that thread's event loop, and destroys the server
// there when the loop ends.
class FilServeur final : public QThread
{
public:
    explicit FilServeur(const QString &donnees)
        : m_donnees(donnees)
    {
    }

    ServeurCouvertures *serveur = nullptr;
    QString erreur;
    QSemaphore pret;

protected:
    void run() override
    {
        ServeurCouvertures local(m_donnees);
        const bool demarre = local.demarrer({0, 0, 0}, &erreur);
        if (demarre)
            serveur = &local;
        pret.release();
        if (demarre)
            exec();
    }

private:
    QString m_donnees;
};

} // namespace

ServeurDeTest::ServeurDeTest()
{
    auto fil = std::make_unique<FilServeur>(donnees());
    fil->start();
    fil->pret.acquire();
    if (!fil->serveur) {
        fil->wait();
        throw std::runtime_error("stand-in cover service: " + fil->erreur.toStdString());
    }
    m_serveur = fil->serveur;
    m_fil = std::move(fil);
}

ServeurDeTest::~ServeurDeTest()
{
    m_fil->quit();
    m_fil->wait();
}

ServeurCouvertures &ServeurDeTest::serveur()
{
    return *m_serveur;
}

QString ServeurDeTest::adresse(ServeurCouvertures::Hote hote) const
{
    return m_serveur->adresse(hote);
}

void ServeurDeTest::ecrireIni(const QString &repertoire) const
{
    const QByteArray texte =
        "[sites]\nprincipal=" + adresse(ServeurCouvertures::Principal).toLatin1() +
        "\ndonnees=" + adresse(ServeurCouvertures::Donnees).toLatin1() +
        "\naffiches=" + adresse(ServeurCouvertures::Affiches).toLatin1() + '\n';
    QFile fichier(repertoire + u"/kinolux.ini"_s);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        fichier.write(texte) != texte.size())
        throw std::runtime_error("cannot write kinolux.ini");
}

QString ServeurDeTest::donnees()
{
    return QStringLiteral(KINOLUX_COVERSITE_DONNEES);
}

#pragma once

#include "coversite/ServeurCouvertures.h"

#include <QString>

#include <memory>

class QThread;

// The stand-in cover service for one test: a ServeurCouvertures on free loopback ports, living in
// a thread of its own (the program's requests block the thread that makes them), serving the demo
// data of the source tree. Rules and captured requests are reached through serveur().
class ServeurDeTest
{
public:
    ServeurDeTest(); // starts on free ports, waits until listening
    ~ServeurDeTest();
    ServeurDeTest(const ServeurDeTest &) = delete;
    ServeurDeTest &operator=(const ServeurDeTest &) = delete;

    ServeurCouvertures &serveur();
    QString adresse(ServeurCouvertures::Hote hote) const;
    // Writes kinolux.ini into `repertoire`, naming the three hosts of this server.
    void ecrireIni(const QString &repertoire) const;

    // The demo data folder of the source tree.
    static QString donnees();

private:
    std::unique_ptr<QThread> m_fil;
    ServeurCouvertures *m_serveur = nullptr;
};

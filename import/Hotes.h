#pragma once

#include <QString>

// The base addresses ("http://host:port") of the cover site's main host, its data host and the
// fallback poster site. `kinolux.ini` beside the program names them; without it they are the
// stand-in cover service's loopback ports.
struct Hotes
{
    QString principal = QStringLiteral("http://127.0.0.1:8081");
    QString donnees = QStringLiteral("http://127.0.0.1:8082");
    QString affiches = QStringLiteral("http://127.0.0.1:8083");

    static Hotes lire(const QString &repertoire);
};

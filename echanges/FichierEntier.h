#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// A file written whole or not at all: beside its place, then renamed over it once complete. Every
// write is checked: QSaveFile alone commits a file whose write came short (a full disk, a file
// size limit) as if nothing had happened.
class FichierEntier final : public QSaveFile
{
public:
    explicit FichierEntier(const QString &chemin);
    ~FichierEntier() override;

    // Raise Erreur naming the file; a file that could not be finished is dropped, the former one
    // stays as it was.
    void ouvrir();
    void terminer();

    static void ecrire(const QString &chemin, QByteArrayView octets);

protected:
    qint64 writeData(const char *donnees, qint64 taille) override;

private:
    [[noreturn]] void echec(const QString &raison);

    bool m_incomplet = false;
};

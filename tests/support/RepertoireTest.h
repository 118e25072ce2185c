#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program directory for one test: the delivered files (template, title index, icons,
// IMAGES_FILMS with its placeholder) copied from the build's bin folder, programs left out, and a
// kinolux.ini whose hosts refuse every connection.
class RepertoireTest
{
public:
    explicit RepertoireTest(bool avecFichiersLivres = true);
    QString chemin() const { return m_dossier.path(); }
    QString fichier(const QString &nom) const;
    void ecrire(const QString &nom, const QByteArray &contenu) const;
    QByteArray lire(const QString &nom) const;

    // The folder of the test data kept in the repository.
    static QString donnees(const QString &nom);

private:
    QTemporaryDir m_dossier;
};

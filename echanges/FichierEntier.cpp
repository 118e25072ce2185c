#include "echanges/FichierEntier.h"

#include "catalogue/Erreur.h"

#include <QDir>

using namespace Qt::StringLiterals;

FichierEntier::FichierEntier(const QString &chemin)
    : QSaveFile(chemin)
{
}

FichierEntier::~FichierEntier() = default;

void FichierEntier::ouvrir()
{
    // Unbuffered: each write reaches the system at once, and its result is seen here.
    if (!open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        echec(errorString());
}

void FichierEntier::terminer()
{
    if (m_incomplet)
        echec(u"écriture incomplète, le disque est peut-être plein"_s);
    if (!commit())
        echec(errorString());
}

void FichierEntier::ecrire(const QString &chemin, QByteArrayView octets)
{
    FichierEntier fichier(chemin);
    fichier.ouvrir();
    fichier.write(octets.data(), octets.size());
    fichier.terminer();
}

qint64 FichierEntier::writeData(const char *donnees, qint64 taille)
{
    const qint64 ecrit = QSaveFile::writeData(donnees, taille);
    if (ecrit != taille)
        m_incomplet = true;
    return ecrit;
}

void FichierEntier::echec(const QString &raison)
{
    if (isOpen())
        cancelWriting();
    throw Erreur(u"Impossible d'écrire le fichier %1 : %2"_s.arg(
        QDir::toNativeSeparators(fileName()), raison));
}

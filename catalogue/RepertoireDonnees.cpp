#include "catalogue/RepertoireDonnees.h"

#include "catalogue/Erreur.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace RepertoireDonnees {

namespace {

QString natif(const QString &chemin)
{
    return QDir::toNativeSeparators(chemin);
}

bool peutCreerFichier(const QString &dossier)
{
    // A real attempt: the permission bits say nothing of a read-only mount, and root passes them.
    QTemporaryFile essai(QDir(dossier).filePath(u".kinolux-essai-XXXXXX"_s));
    return essai.open();
}

void creerDossier(const QString &dossier)
{
    if (!QDir().mkpath(dossier) || !QFileInfo(dossier).isDir())
        throw Erreur(u"Impossible de créer le dossier « %1 »."_s.arg(natif(dossier)));
}

void copierFichier(const QString &source, const QString &cible)
{
    if (QFileInfo::exists(cible) || QFileInfo(cible).isSymLink())
        return;
    // QFile::copy writes a temporary file beside the target and renames it: an interrupted
    // copy never leaves a truncated file that the next start would take for the user's.
    QFile fichier(source);
    if (!fichier.copy(cible))
        throw Erreur(u"Impossible de copier « %1 » vers « %2 » : %3"_s.arg(
            natif(source), natif(cible), fichier.errorString()));
    // A file delivered read-only must still be rewritable in the user's folder (the title index
    // is updated in place).
    QFile::setPermissions(cible, QFile::permissions(cible) | QFile::ReadOwner | QFile::WriteOwner);
}

void copierDossier(const QString &source, const QString &cible)
{
    creerDossier(cible);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir racine(source);
    while (it.hasNext()) {
        const QFileInfo info(it.nextFileInfo());
        const QString destination = QDir(cible).filePath(racine.relativeFilePath(info.filePath()));
        if (info.isDir())
            creerDossier(destination);
        else
            copierFichier(info.filePath(), destination);
    }
}

} // namespace

const QStringList &fichiersLivres()
{
    static const QStringList fichiers = {u"baseFilmModele.bdf"_s, u"movies.txt"_s, u"icones"_s,
                                         u"IMAGES_FILMS"_s, u"kinolux.ini"_s};
    return fichiers;
}

bool accessibleEnEcriture(const QString &dossier)
{
    if (!peutCreerFichier(dossier))
        return false;
    const QString images = QDir(dossier).filePath(u"IMAGES_FILMS"_s);
    return !QFileInfo(images).isDir() || peutCreerFichier(images);
}

QString dossierPersonnel()
{
    QString donnees = qEnvironmentVariable("XDG_DATA_HOME");
    // Relative paths are to be ignored, as if the variable were unset.
    if (donnees.isEmpty() || QDir::isRelativePath(donnees))
        donnees = QDir::homePath() + u"/.local/share"_s;
    return QDir::cleanPath(donnees + u"/kinolux"_s);
}

void completer(const QString &programme, const QString &cible)
{
    creerDossier(cible);
    const QDir source(programme);
    const QDir destination(cible);
    for (const QString &nom : fichiersLivres()) {
        const QFileInfo livre(source.filePath(nom));
        if (livre.isDir())
            copierDossier(livre.filePath(), destination.filePath(nom));
        else if (livre.isFile())
            copierFichier(livre.filePath(), destination.filePath(nom));
    }
}

QString choisir(const QString &programme)
{
    if (accessibleEnEcriture(programme))
        return programme;
    const QString personnel = dossierPersonnel();
    completer(programme, personnel);
    if (!accessibleEnEcriture(personnel))
        throw Erreur(u"Impossible d'écrire dans le dossier « %1 »."_s.arg(natif(personnel)));
    return personnel;
}

} // namespace RepertoireDonnees

#include "tests/support/RepertoireTest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {

void copierArbre(const QString &source, const QString &cible)
{
    QDir().mkpath(cible);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString destination = cible + QLatin1Char('/') + info.fileName();
        if (info.isDir()) {
            if (info.fileName() != QLatin1String("coversite-donnees"))
                copierArbre(info.filePath(), destination);
        } else if (!info.isExecutable() && info.fileName() != QLatin1String("baseFilm.bdf")) {
            QFile::copy(info.filePath(), destination);
        }
    }
}

} // namespace

RepertoireTest::RepertoireTest(bool avecFichiersLivres)
{
    if (!m_dossier.isValid())
        throw std::runtime_error("no temporary folder");
    if (!avecFichiersLivres)
        return;
    copierArbre(QStringLiteral(KINOLUX_BIN), m_dossier.path());
    // No test may reach a cover service it did not start itself (a stand-in left running on the
    // default ports included): port 1 on loopback refuses at once.
    ecrire(QStringLiteral("kinolux.ini"),
           "[sites]\nprincipal=http://127.0.0.1:1\n"
           "donnees=http://127.0.0.1:1\naffiches=http://127.0.0.1:1\n");
}

QString RepertoireTest::fichier(const QString &nom) const
{
    return m_dossier.filePath(nom);
}

void RepertoireTest::ecrire(const QString &nom, const QByteArray &contenu) const
{
    QFile f(fichier(nom));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray RepertoireTest::lire(const QString &nom) const
{
    QFile f(fichier(nom));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString RepertoireTest::donnees(const QString &nom)
{
    return QStringLiteral(KINOLUX_DONNEES_TEST) + QLatin1Char('/') + nom;
}

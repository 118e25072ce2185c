#pragma once

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <stdexcept>

#include <sys/inotify.h>
#include <unistd.h>

// A file outside the program's directory that no command may open, change or delete, and no
// file written beside it. inotify reports every opening of the file, every read, every write and
// its removal, and every file created or removed in its folder, root or not.
class Sentinelle
{
public:
    // `contenu` is followed by a marker of its own, so that a copy of it can be found anywhere.
    explicit Sentinelle(const QByteArray &contenu, const QString &nom = QStringLiteral("garde.jpg"))
        : m_marque("KINOLUX-SENTINELLE-" +
                   QByteArray::number(QRandomGenerator::global()->generate64(), 16))
        , m_contenu(contenu + m_marque)
    {
        if (!m_dossier.isValid())
            throw std::runtime_error("no temporary folder");
        m_chemin = m_dossier.filePath(nom);
        QFile fichier(m_chemin);
        if (!fichier.open(QIODevice::WriteOnly) || fichier.write(m_contenu) != m_contenu.size())
            throw std::runtime_error("cannot write the sentinel");
        fichier.close();
        m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_inotify < 0 ||
            inotify_add_watch(m_inotify, m_chemin.toLocal8Bit().constData(),
                              IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF |
                                  IN_MOVE_SELF) < 0 ||
            inotify_add_watch(m_inotify, m_dossier.path().toLocal8Bit().constData(),
                              IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO) < 0)
            throw std::runtime_error("inotify unavailable");
    }
    ~Sentinelle()
    {
        if (m_inotify >= 0)
            close(m_inotify);
    }
    Sentinelle(const Sentinelle &) = delete;
    Sentinelle &operator=(const Sentinelle &) = delete;

    QString chemin() const { return m_chemin; }
    QString dossier() const { return m_dossier.path(); }
    const QByteArray &marque() const { return m_marque; }

    // The events since the last look: 0 when nothing touched the file or its folder.
    int evenements()
    {
        int nombre = 0;
        alignas(inotify_event) char tampon[4096];
        for (;;) {
            const ssize_t lus = read(m_inotify, tampon, sizeof tampon);
            if (lus <= 0)
                return nombre;
            for (ssize_t i = 0; i < lus;) {
                const auto *evenement = reinterpret_cast<const inotify_event *>(tampon + i);
                ++nombre;
                i += ssize_t(sizeof(inotify_event)) + evenement->len;
            }
        }
    }

    // Never opened nor changed since the last look, and still holding its content (reading it
    // here is not counted).
    bool intacte()
    {
        if (evenements() != 0)
            return false;
        QFile fichier(m_chemin);
        const bool pareille = fichier.open(QIODevice::ReadOnly) && fichier.readAll() == m_contenu;
        fichier.close();
        evenements();
        return pareille;
    }

    // True when a file under `repertoire` holds the marker: a copy of the sentinel got there.
    bool copieeDans(const QString &repertoire) const
    {
        QDirIterator it(repertoire, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile fichier(it.next());
            if (fichier.open(QIODevice::ReadOnly) && fichier.readAll().contains(m_marque))
                return true;
        }
        return false;
    }

private:
    QTemporaryDir m_dossier;
    QString m_chemin;
    QByteArray m_marque;
    QByteArray m_contenu;
    int m_inotify = -1;
};

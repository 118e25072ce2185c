#pragma once

#include "catalogue/TFicheFilm.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

// The covers as small pictures for the poster wall: decoded at the size shown, off the GUI
// thread, kept in memory (at most 64 MB) and on disk in the desktop's thumbnail cache (the
// freedesktop Thumbnail Managing Standard: $XDG_CACHE_HOME/thumbnails/normal and large, a PNG
// named after the MD5 of the cover's file:// URI, carrying Thumb::URI and Thumb::MTime).
class Vignettes final : public QObject
{
    Q_OBJECT

public:
    explicit Vignettes(QObject *parent = nullptr);
    ~Vignettes() override;

    // The picture of a cover at this height, when it is ready; otherwise it is asked for (once)
    // and `prete` tells when it is. A null picture stands for a cover that cannot be shown
    // (missing, not a picture, truncated, too large, outside the program's folder: `fichier`
    // empty); the caller draws its placeholder.
    const QImage *image(CleFiche cle, const QString &fichier, int hauteur);
    // Forgets the requests of every card but these (the cells scrolled away).
    void garderSeulement(const QSet<CleFiche> &cles);
    // Whether requests are still waiting or being made.
    bool occupee() const;
    // Waits for every request (benchmarks and tests).
    void attendre();
    void viderMemoire();

    // The desktop's thumbnail of a cover in the standard's form, made when missing or older than
    // the cover; null when the cover cannot be read. Runs on any thread.
    static QImage vignetteBureau(const QString &fichier, int hauteur);
    static QString dossierVignettes(int hauteur);
    static QString nomVignette(const QString &fichier);

signals:
    void prete(CleFiche cle);

private:
    struct Demande
    {
        QString cle;
        std::shared_ptr<std::atomic_bool> abandonnee;
    };

    QThreadPool m_travailleurs;
    QCache<QString, QImage> m_memoire;
    QHash<CleFiche, Demande> m_demandes;
    std::atomic_int m_enCours{0};
};

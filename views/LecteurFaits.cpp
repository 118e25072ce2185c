#include "views/LecteurFaits.h"

using namespace Qt::StringLiterals;

LecteurFaits::LecteurFaits(QObject *parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

// The pool waits for a reading under way; its answer, posted to this object, goes with it.
LecteurFaits::~LecteurFaits()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void LecteurFaits::demander(const QString &chemin)
{
    const quint64 demande = ++m_demande;
    m_attendu = chemin;
    m_pool.clear(); // a reading not started yet is not wanted any more
    if (chemin.isEmpty())
        return;
    m_pool.start([this, demande, chemin] {
        FaitsVideo::Faits faits = FaitsVideo::lire(chemin);
        QMetaObject::invokeMethod(
            this,
            [this, demande, chemin, faits = std::move(faits)] {
                if (demande != m_demande)
                    return;
                m_attendu.clear();
                emit lus(chemin, faits);
            },
            Qt::QueuedConnection);
    });
}

QString hintFichierVideo(const QString &chemin, const FaitsVideo::Faits *faits)
{
    if (!faits || chemin.isEmpty())
        return chemin;
    return chemin + u'\n' + FaitsVideo::detail(*faits);
}

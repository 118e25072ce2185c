#pragma once

#include "echanges/FaitsVideo.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

// Reads a video file's facts off the GUI thread and hands back the last one asked for: a
// request made while another runs makes the earlier answer stale, and it is dropped.
class LecteurFaits final : public QObject
{
    Q_OBJECT

public:
    explicit LecteurFaits(QObject *parent = nullptr);
    ~LecteurFaits() override;

    // `chemin` absolute; an empty path asks for nothing and drops the answer awaited.
    void demander(const QString &chemin);
    // The path asked for last, whose answer has not come yet ("" when none is awaited).
    QString enAttente() const { return m_attendu; }

signals:
    void lus(const QString &chemin, const FaitsVideo::Faits &faits);

private:
    QThreadPool m_pool;
    quint64 m_demande = 0;
    QString m_attendu;
};

// The hint of a video file: its path, then its facts once they are read.
QString hintFichierVideo(const QString &chemin, const FaitsVideo::Faits *faits);

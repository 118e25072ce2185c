#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

// One Kinolux writing to a data folder: the first start takes the folder's lock
// (`kinolux.lock`, beside the catalogue) and listens for the later ones; a later start on the
// same folder tells the running one to come to the front and gives up. A lock left by a run that
// died is taken over, even one it had no time to write. Folders of other users, or other folders,
// are independent.
class InstanceUnique final : public QObject
{
    Q_OBJECT

public:
    explicit InstanceUnique(const QString &repertoire, QObject *parent = nullptr);
    ~InstanceUnique() override;

    // True when this run may write to the folder. False when another live run holds it: that run
    // has then been asked to come to the front.
    bool acquerir();

    // The name of the local socket of a folder (one per folder and user).
    static QString nomServeur(const QString &repertoire);

signals:
    // Another start on the same folder asked for the window.
    void appelee();

private:
    QString m_repertoire;
    QLockFile m_verrou;
    QLocalServer *m_serveur = nullptr;
};

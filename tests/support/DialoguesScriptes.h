#pragma once

#include "catalogue/Dialogues.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Dialogs answered from a script; every call is recorded so that tests can assert the texts.
class DialoguesScriptes final : public Dialogues
{
public:
    struct Appel
    {
        QString genre; // "message", "erreur", "question", "saisie", "fichier", "enregistrer"
        QString titre;
        QString texte;
    };

    QList<Appel> appels;
    QQueue<Reponse> reponses; // default Non when empty
    QQueue<QString> saisies;  // default "" when empty
    QQueue<QString> fichiers; // default "" when empty

    void message(const QString &titre, const QString &texte) override
    {
        appels.append({QStringLiteral("message"), titre, texte});
    }
    void erreur(const QString &texte) override
    {
        appels.append({QStringLiteral("erreur"), QString(), texte});
    }
    Reponse question(const QString &titre, const QString &texte, bool) override
    {
        appels.append({QStringLiteral("question"), titre, texte});
        return reponses.isEmpty() ? Reponse::Non : reponses.dequeue();
    }
    QString saisie(const QString &titre, const QString &invite) override
    {
        appels.append({QStringLiteral("saisie"), titre, invite});
        return saisies.isEmpty() ? QString() : saisies.dequeue();
    }
    QString ouvrirFichier(const QString &titre, const QString &filtre, const QString &) override
    {
        appels.append({QStringLiteral("fichier"), titre, filtre});
        return fichiers.isEmpty() ? QString() : fichiers.dequeue();
    }
    // Answered from `fichiers` too.
    QString enregistrerFichier(const QString &titre, const QString &filtre,
                               const QString &) override
    {
        appels.append({QStringLiteral("enregistrer"), titre, filtre});
        return fichiers.isEmpty() ? QString() : fichiers.dequeue();
    }
    QString choisirDossier(const QString &titre, const QString &) override
    {
        appels.append({QStringLiteral("dossier"), titre, QString()});
        return fichiers.isEmpty() ? QString() : fichiers.dequeue();
    }

    QStringList erreurs() const
    {
        QStringList textes;
        for (const Appel &appel : appels)
            if (appel.genre == QLatin1String("erreur"))
                textes.append(appel.texte);
        return textes;
    }
    int nombre(const QString &genre) const
    {
        int n = 0;
        for (const Appel &appel : appels)
            n += appel.genre == genre ? 1 : 0;
        return n;
    }
};

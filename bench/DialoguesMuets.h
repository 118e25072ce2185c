#pragma once

#include "catalogue/Dialogues.h"

// Dialogs that answer nothing but `reponse` to a question: a benchmark that raises an error
// stops at once.
class DialoguesMuets final : public Dialogues
{
public:
    Reponse reponse = Reponse::Non;

    void message(const QString &, const QString &) override {}
    void erreur(const QString &texte) override { qFatal("%s", qPrintable(texte)); }
    Reponse question(const QString &, const QString &, bool) override { return reponse; }
    QString saisie(const QString &, const QString &) override { return {}; }
    QString ouvrirFichier(const QString &, const QString &, const QString &) override { return {}; }
    QString enregistrerFichier(const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString choisirDossier(const QString &, const QString &) override { return {}; }
};

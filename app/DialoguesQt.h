#pragma once

#include "catalogue/Dialogues.h"

// The program's dialogs: message boxes, input boxes and file dialogs of the toolkit.
class DialoguesQt final : public Dialogues
{
public:
    void message(const QString &titre, const QString &texte) override;
    void erreur(const QString &texte) override;
    Reponse question(const QString &titre, const QString &texte, bool avecAnnuler) override;
    QString saisie(const QString &titre, const QString &invite) override;
    // `filtre` in the form "Description|*.a;*.b|Other|*.c".
    QString ouvrirFichier(const QString &titre, const QString &filtre,
                          const QString &initial) override;
    QString choisirDossier(const QString &titre, const QString &initial) override;
    QString enregistrerFichier(const QString &titre, const QString &filtre,
                               const QString &initial) override;

    static QString filtreQt(const QString &filtre);
};

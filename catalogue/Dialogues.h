#pragma once

#include <QString>

// Every message box, question, input box and file dialog of the program goes through this
// interface: message boxes in the program, a scripted implementation in tests.
class Dialogues
{
public:
    enum class Reponse
    {
        Oui,
        Non,
        Annuler
    };
    virtual ~Dialogues() = default;
    virtual void message(const QString &titre, const QString &texte) = 0; // OK only, no icon
    virtual void erreur(const QString &texte) = 0;                        // error icon, OK only
    virtual Reponse question(const QString &titre, const QString &texte,
                             bool avecAnnuler) = 0;                          // Yes/No[/Cancel]
    virtual QString saisie(const QString &titre, const QString &invite) = 0; // "" on Cancel
    virtual QString ouvrirFichier(const QString &titre, const QString &filtre,
                                  const QString &initial) = 0; // "" on Cancel
    // The name of a file (or folder) to make; the dialog asks before one already there is
    // replaced. "" on Cancel.
    virtual QString enregistrerFichier(const QString &titre, const QString &filtre,
                                       const QString &initial) = 0;
    // An existing folder to read. "" on Cancel.
    virtual QString choisirDossier(const QString &titre, const QString &initial) = 0;
};

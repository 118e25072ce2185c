#pragma once

#include "catalogue/Dialogues.h"
#include "catalogue/Erreur.h"

#include <exception>

// Runs one user command: an error it does not handle stops it where it arose and is shown in an
// error box; what the command did before stays done. Returns false when the command failed.
template <typename F> bool executerCommande(Dialogues &dialogues, F &&commande)
{
    try {
        commande();
        return true;
    } catch (const CommandeAbandonnee &) {
    } catch (const Erreur &e) {
        dialogues.erreur(e.texte());
    } catch (const std::exception &e) {
        dialogues.erreur(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

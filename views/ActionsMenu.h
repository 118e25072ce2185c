#pragma once

#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"

#include <QAction>
#include <QList>
#include <QString>

#include <initializer_list>

// A command of a menu: the action's name (its handler's without "Execute"), its caption, and the
// handler of the object that runs it.
template <typename C> struct CommandeMenu
{
    QString nom;
    QString legende;
    void (C::*gestionnaire)();
};

// The commands as actions, children of `conteneur`, each running its handler on `objet` through
// the error box.
template <typename C>
QList<QAction *> creerActionsMenu(C &objet, Dialogues &dialogues, QObject *conteneur,
                                  std::initializer_list<CommandeMenu<C>> commandes)
{
    QList<QAction *> actions;
    for (const CommandeMenu<C> &commande : commandes) {
        auto *action = new QAction(commande.legende, conteneur);
        action->setObjectName(commande.nom);
        QObject::connect(action, &QAction::triggered, &objet,
                         [&objet, &dialogues, gestionnaire = commande.gestionnaire] {
                             executerCommande(dialogues,
                                              [&objet, gestionnaire] { (objet.*gestionnaire)(); });
                         });
        actions.append(action);
    }
    return actions;
}

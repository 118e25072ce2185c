#include "views/ActionsAnnulation.h"

#include "catalogue/Commande.h"
#include "catalogue/Tdm_Kinolux.h"

#include <QKeySequence>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

QAction *creerAction(Dialogues &dialogues, QObject *conteneur, const QString &nom,
                     const QKeySequence &touche, std::function<void()> gestionnaire)
{
    auto *action = new QAction(conteneur);
    action->setObjectName(nom);
    action->setShortcut(touche);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, action,
                     [&dialogues, gestionnaire = std::move(gestionnaire)] {
                         executerCommande(dialogues, gestionnaire);
                     });
    return action;
}

} // namespace

QList<QAction *> creerActionsAnnulation(Tdm_Kinolux &dm, Dialogues &dialogues, QObject *conteneur,
                                        std::function<void()> annuler,
                                        std::function<void()> retablir)
{
    QUndoStack &pile = dm.pileAnnulation();
    QAction *annulation = creerAction(dialogues, conteneur, u"annulerModification"_s,
                                      QKeySequence::Undo, std::move(annuler));
    QAction *retablissement =
        creerAction(dialogues, conteneur, u"retablirModification"_s,
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), std::move(retablir));
    const auto suivre = [annulation, retablissement, &pile] {
        annulation->setEnabled(pile.canUndo());
        annulation->setText(pile.canUndo() ? u"Annuler %1"_s.arg(pile.undoText()) : u"Annuler"_s);
        retablissement->setEnabled(pile.canRedo());
        retablissement->setText(pile.canRedo() ? u"Rétablir %1"_s.arg(pile.redoText())
                                               : u"Rétablir"_s);
    };
    suivre();
    QObject::connect(&pile, &QUndoStack::indexChanged, annulation, suivre);
    QObject::connect(&pile, &QUndoStack::cleanChanged, annulation, suivre);
    return {annulation, retablissement};
}

#pragma once

#include "views/FenetreVueEnsemble.h"
#include "views/TKinoluxFPrincipale.h"

#include <QAction>
#include <QString>

#include <gtest/gtest.h>

// The catalogue window's overview, opened by its action at the first call.
inline FenetreVueEnsemble &ouvrirVueEnsemble(TKinoluxFPrincipale &fp)
{
    if (!fp.vueEnsemble())
        fp.action(QStringLiteral("afficherVueEnsemble"))->trigger();
    return *fp.vueEnsemble();
}

// Runs the overview's action `nom` of the action list `liste`.
inline void declencherDansVue(FenetreVueEnsemble &vue, const QString &liste, const QString &nom)
{
    auto *conteneur = vue.findChild<QObject *>(liste);
    ASSERT_NE(conteneur, nullptr) << liste.toStdString();
    auto *action = conteneur->findChild<QAction *>(nom);
    ASSERT_NE(action, nullptr) << nom.toStdString();
    action->trigger();
}

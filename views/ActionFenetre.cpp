#include "views/ActionFenetre.h"

#include <QAction>
#include <QWidget>

void declencherAction(const QWidget &controle, const QString &nom,
                      const std::function<void()> &sansFenetre)
{
    if (auto *action = controle.window()->findChild<QAction *>(nom))
        action->trigger();
    else
        sansFenetre();
}

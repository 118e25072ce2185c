#include "chrome/Hint.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

const char *const k_nomFiltre = "kinolux_hintCache";

class HintCache final : public QObject
{
public:
    explicit HintCache(QObject *parent)
        : QObject(parent)
    {
        setObjectName(QLatin1String(k_nomFiltre));
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::ToolTip; }
};

} // namespace

void definirHint(QWidget &controle, const QString &hint, bool affiche)
{
    controle.setToolTip(hint);
    auto *filtre = dynamic_cast<HintCache *>(
        controle.findChild<QObject *>(QLatin1String(k_nomFiltre), Qt::FindDirectChildrenOnly));
    if (!affiche && !filtre) {
        controle.installEventFilter(new HintCache(&controle));
    } else if (affiche && filtre) {
        delete filtre;
    }
}

#include "settings_ui/WheelGuard.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace mirevo {
namespace {

class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        // Ignored and filtered out: the application hands the turn to the parent widgets,
        // up to the scroll area.
        event->ignore();
        return true;
    }
};

bool takesWheelForValues(QWidget* widget)
{
    if (qobject_cast<QScrollBar*>(widget))
        return false;
    return qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QAbstractSpinBox*>(widget);
}

} // namespace

void guardWheelEvents(QWidget* root)
{
    auto* guard = new WheelGuard(root);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!takesWheelForValues(widget))
            continue;
        // Wheel focus would hand the focus over before the guard could look.
        if (widget->focusPolicy() == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
        widget->installEventFilter(guard);
    }
}

} // namespace mirevo

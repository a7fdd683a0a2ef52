#include "settings_ui/RevealAnimation.h"

#include <QLayout>
#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

namespace mirevo {
namespace {

const char* const kAnimationName = "revealAnimation";

int fullHeight(QWidget* widget)
{
    QLayout* layout = widget->layout();
    if (layout && layout->hasHeightForWidth() && widget->width() > 0)
        return layout->totalHeightForWidth(widget->width());
    return widget->sizeHint().height();
}

} // namespace

void setRevealed(QWidget* widget, bool revealed, int durationMs)
{
    // A reveal or hide replaces the one still running.
    if (auto* running =
            widget->findChild<QPropertyAnimation*>(kAnimationName, Qt::FindDirectChildrenOnly)) {
        running->setObjectName(QString());
        running->stop();
    }
    if (!widget->window()->isVisible()) {
        widget->setMaximumHeight(QWIDGETSIZE_MAX);
        widget->setVisible(revealed);
        return;
    }
    if (revealed == widget->isVisible() && widget->maximumHeight() == QWIDGETSIZE_MAX)
        return;

    const int from = widget->isVisible() ? widget->height() : 0;
    if (revealed) {
        widget->setMaximumHeight(from);
        widget->show();
    }
    auto* animation = new QPropertyAnimation(widget, "maximumHeight", widget);
    animation->setObjectName(kAnimationName);
    animation->setDuration(durationMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(from);
    animation->setEndValue(revealed ? fullHeight(widget) : 0);
    QObject::connect(animation, &QPropertyAnimation::finished, widget,
                     [target = QPointer<QWidget>(widget), revealed] {
                         if (!target)
                             return;
                         if (!revealed)
                             target->hide();
                         target->setMaximumHeight(QWIDGETSIZE_MAX);
                     });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace mirevo

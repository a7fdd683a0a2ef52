#include "app/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace mirevo {
namespace {

constexpr int kLongestWaitMs = 1000;

// Waits for the window's first paint, or the time limit, whichever comes first.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> then) : m_then(std::move(then))
    {
        window->installEventFilter(this);
        // A window replaced before it painted does not hold the rest up.
        connect(window, &QObject::destroyed, this, &FirstPaintWatch::finish);
        QTimer::singleShot(kLongestWaitMs, this, &FirstPaintWatch::finish);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        // The window's pixels go out right after this paint: run on the next turn.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &FirstPaintWatch::finish);
        return false;
    }

private:
    void finish()
    {
        if (!m_then)
            return;
        const std::function<void()> then = std::move(m_then);
        m_then = nullptr;
        deleteLater();
        then();
    }

    std::function<void()> m_then;
};

} // namespace

void afterFirstPaint(QWidget* window, std::function<void()> then)
{
    if (!window || !window->isVisible()) {
        then();
        return;
    }
    new FirstPaintWatch(window, std::move(then));
}

} // namespace mirevo

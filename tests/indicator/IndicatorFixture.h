#pragma once

#include "Fakes.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

namespace mirevo::test {

// Two 1920x1080 displays side by side, a store in a temporary folder and a private
// notification center.
struct IndicatorFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)}};
    NotificationCenter center;
    FakeSettingsWindow settingsWindow;

    template <typename Edit> void editIndicator(Edit&& change)
    {
        store.edit([&](AppSettings& s) { change(s.imeIndicator); });
    }
};

inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF global, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Presses the left button in the window's middle, moves the pointer by `delta` in two
// steps and releases it there.
inline void drag(QWidget* window, QPoint delta)
{
    const QPointF start = QRectF(window->geometry()).center();
    sendMouse(window, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseMove, start + QPointF(delta) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseMove, start + QPointF(delta), Qt::NoButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, start + QPointF(delta), Qt::LeftButton,
              Qt::NoButton);
}

} // namespace mirevo::test

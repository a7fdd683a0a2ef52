#pragma once

#include <QObject>
#include <QPainterPath>

#include <functional>

class QWidget;

namespace mirevo {

// How a floating window of Mirevo's sits on the desktop. Every kind is frameless, on all
// desktops, out of the taskbar and pager, and never takes focus.
enum class FloatingWindowKind {
    // Above ordinary windows, receives the mouse (the badge and the clock).
    floating,
    // Above every window, clicks pass through to what lies below (the pointer badge).
    clickThroughOverlay,
};

// Sets the window flags and attributes; call before the window is first shown.
void makeFloatingWindow(QWidget* window, FloatingWindowKind kind);

// Shows the window without activating it, on every desktop, and raises it.
void showFloatingWindow(QWidget* window);

// Raises an overlay above windows that were raised after it.
void raiseFloatingWindow(QWidget* window);

// Keeps a translucent window's outline in step with the compositor: while none runs,
// transparent pixels would show black, so the window is cut to `outline()`; while one
// runs, the full window is kept. Follows compositors starting and stopping; call update()
// when the outline changes. Lives as long as the window.
class WindowShape : public QObject {
    Q_OBJECT
public:
    WindowShape(QWidget* window, std::function<QPainterPath()> outline);

    void update();

private:
    QWidget* m_window;
    std::function<QPainterPath()> m_outline;
};

} // namespace mirevo

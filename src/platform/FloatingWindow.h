#pragma once

class QWidget;
class QPainterPath;

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

// Whether a compositing manager blends translucent windows right now.
bool isCompositorRunning();

// Gives a translucent window its outline: without a compositor transparent pixels would
// show black, so the window is cut to `shape`; with one, the full window is kept.
void applyWindowShape(QWidget* window, const QPainterPath& shape);

} // namespace mirevo

#include "platform/CompositorWatcher.h"
#include "platform/FloatingWindow.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace mirevo {
namespace {

xcb_connection_t* x11Connection()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

// Window-manager hints that Qt has no flag for. They must be on the window before it is
// mapped: the manager reads them then, and resets the desktop after every hide.
void setDesktopHints(QWidget* window)
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &allDesktops);
    const xcb_atom_t states[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 atom(c, "_NET_WM_STATE_SKIP_PAGER"),
                                 atom(c, "_NET_WM_STATE_STICKY"), atom(c, "_NET_WM_STATE_ABOVE")};
    xcb_change_property(c, XCB_PROP_MODE_APPEND, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        sizeof(states) / sizeof(states[0]), states);
    xcb_flush(c);
}

// The pixels of a `size` window that `outline` covers at least half of: round and even on
// every side, where the outline's polygon in whole pixels would leave steps and spikes.
QRegion pixelsCovered(const QPainterPath& outline, QSize size)
{
    QImage coverage(size, QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, Qt::black);
    painter.end();
    return QRegion(QBitmap::fromImage(coverage.createAlphaMask(Qt::ThresholdAlphaDither)));
}

} // namespace

void makeFloatingWindow(QWidget* window, FloatingWindowKind kind)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::WindowDoesNotAcceptFocus;
    if (kind == FloatingWindowKind::clickThroughOverlay) {
        // Unmanaged: a window manager's frame would still catch the clicks.
        flags |= Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput;
    }
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    window->setAttribute(Qt::WA_AlwaysShowToolTips);
}

void showFloatingWindow(QWidget* window)
{
    window->winId(); // creates the native window so the hints can be set before mapping
    setDesktopHints(window);
    window->show();
    window->raise();
}

void raiseFloatingWindow(QWidget* window)
{
    if (window->isVisible())
        window->raise();
}

WindowShape::WindowShape(QWidget* window, std::function<QPainterPath()> outline)
    : QObject(window), m_window(window), m_outline(std::move(outline))
{
    connect(&CompositorWatcher::shared(), &CompositorWatcher::runningChanged, this,
            &WindowShape::update);
    update();
}

void WindowShape::update()
{
    if (CompositorWatcher::shared().isRunning())
        m_window->clearMask();
    else
        m_window->setMask(pixelsCovered(m_outline(), m_window->size()));
    // Parts that the old outline hid are shown now: they need their pixels.
    m_window->update();
}

} // namespace mirevo

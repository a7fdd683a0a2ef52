#include "platform/CompositorWatcher.h"
#include "platform/FloatingWindow.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <algorithm>
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

// Makes the window the leader of a window group of its own. Qt puts all of a program's
// windows into one group, and KWin hides utility windows whose group has other members
// while none of the group's windows is active: Mirevo's windows never take focus, so the
// second floating window shown (the clock beside the badge) would never appear there.
void leadOwnGroup(xcb_connection_t* c, xcb_window_t id)
{
    // WM_HINTS: flags, input, initial state, icon pixmap, window, x, y, mask, window group.
    constexpr uint32_t kFields = 9;
    constexpr uint32_t kWindowGroupHint = 1u << 6;
    uint32_t hints[kFields] = {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kFields), nullptr);
    if (reply && reply->format == 32) {
        const int length = std::min<int>(xcb_get_property_value_length(reply) / 4, kFields);
        memcpy(hints, xcb_get_property_value(reply), size_t(length) * 4);
    }
    free(reply);
    hints[0] |= kWindowGroupHint;
    hints[8] = id;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kFields, hints);
}

// Window-manager hints that Qt has no flag for. They must be on the window before it is
// mapped: the manager reads them then, and resets the desktop after every hide.
void setDesktopHints(QWidget* window)
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    leadOwnGroup(c, id);
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
        m_window->setMask(QRegion(m_outline().toFillPolygon().toPolygon()));
    // Parts that the old outline hid are shown now: they need their pixels.
    m_window->update();
}

} // namespace mirevo

#include "platform/CompositorWatcher.h"
#include "platform/FloatingWindow.h"

#include <QAbstractNativeEventFilter>
#include <QBitmap>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
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

// The name the X11 window manager gives itself on its check window, empty without one.
QByteArray windowManagerName(xcb_connection_t* c)
{
    const auto windowProperty = [c](xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, type, 0, 64), nullptr);
        QByteArray value;
        if (reply && reply->type == type) {
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        }
        free(reply);
        return value;
    };
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const QByteArray check =
        windowProperty(root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t))
        return {};
    xcb_window_t manager = 0;
    memcpy(&manager, check.constData(), sizeof manager);
    return windowProperty(manager, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"));
}

// sway (whose XWayland is managed by "wlroots wm") centres every X11 window it manages and
// ignores where the window asks to be. Windows it does not manage (override-redirect) show
// where the program puts them, above tiled, floating and fullscreen windows, on every
// workspace, and do not get the keyboard (measured with sway 1.7).
bool managerIgnoresPlaces()
{
    static const bool ignores = [] {
        xcb_connection_t* c = x11Connection();
        return c && !qEnvironmentVariableIsEmpty("SWAYSOCK") &&
               windowManagerName(c) == "wlroots wm";
    }();
    return ignores;
}

// XWayland gives the pointer to the topmost X11 window at a point, by X's own stacking,
// though sway draws unmanaged windows above the rest: a window that sway raises when it
// gets the focus would take the clicks meant for the badge above it. So while windows
// bypass sway, they are raised again whenever a managed window is mapped or restacked.
class StackingKeeper : public QAbstractNativeEventFilter {
public:
    static void keepAbove(QWidget* window)
    {
        static StackingKeeper* keeper = nullptr;
        if (!keeper) {
            xcb_connection_t* c = x11Connection();
            if (!c)
                return;
            keeper = new StackingKeeper; // lives as long as the program
            QCoreApplication::instance()->installNativeEventFilter(keeper);
            // Qt's own events on the root stay selected: the mask is per client.
            const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
            xcb_get_window_attributes_reply_t* attributes =
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr);
            const uint32_t mask =
                (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
            free(attributes);
            xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(c);
        }
        if (!keeper->m_windows.contains(window))
            keeper->m_windows.append(window);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t kind = event->response_type & 0x7f;
        // Unmanaged windows (these, menus, tooltips) are left alone: no raising loop.
        const bool managedMoved =
            (kind == XCB_CONFIGURE_NOTIFY &&
             !reinterpret_cast<const xcb_configure_notify_event_t*>(event)->override_redirect) ||
            (kind == XCB_MAP_NOTIFY &&
             !reinterpret_cast<const xcb_map_notify_event_t*>(event)->override_redirect);
        if (managedMoved) {
            m_windows.removeAll(nullptr);
            for (const QPointer<QWidget>& window : m_windows)
                raiseFloatingWindow(window);
        }
        return false;
    }

private:
    QList<QPointer<QWidget>> m_windows;
};

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
    } else if (managerIgnoresPlaces()) {
        // Unmanaged, so that the window stays where it was put.
        flags |= Qt::X11BypassWindowManagerHint;
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
    if (managerIgnoresPlaces() && window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
        StackingKeeper::keepAbove(window);
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

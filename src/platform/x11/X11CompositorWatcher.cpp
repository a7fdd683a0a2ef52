#include "platform/CompositorWatcher.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdlib>
#include <string>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace mirevo {
namespace {

// Watches the owner of the screen's _NET_WM_CM_S<n> selection, which every compositing
// manager holds while it runs, over a connection of its own: XFixes reports each change
// of owner, so nothing is polled.
class X11CompositorWatcher final : public CompositorWatcher {
public:
    // Takes ownership of `connection`, already selecting the selection's events.
    X11CompositorWatcher(xcb_connection_t* connection, uint8_t firstEvent, bool running,
                         QObject* parent)
        : CompositorWatcher(running, parent), m_connection(connection),
          m_notifyEvent(uint8_t(firstEvent + XCB_XFIXES_SELECTION_NOTIFY)),
          m_notifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &X11CompositorWatcher::readEvents);
        readEvents();
    }

    ~X11CompositorWatcher() override
    {
        m_notifier.setEnabled(false);
        xcb_disconnect(m_connection);
    }

private:
    void readEvents()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == m_notifyEvent) {
                const auto* notify = reinterpret_cast<xcb_xfixes_selection_notify_event_t*>(event);
                setRunning(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER &&
                           notify->owner != XCB_WINDOW_NONE);
            }
            free(event);
        }
        if (xcb_connection_has_error(m_connection))
            m_notifier.setEnabled(false); // the server went away; the program ends with it
    }

    xcb_connection_t* m_connection;
    uint8_t m_notifyEvent;
    QSocketNotifier m_notifier;
};

xcb_atom_t internAtom(xcb_connection_t* c, const std::string& name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.c_str()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

bool hasOwner(xcb_connection_t* c, xcb_atom_t selection)
{
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    free(reply);
    return owned;
}

// The watcher for the X server Qt talks to, or nothing when it cannot be reached.
CompositorWatcher* createX11Watcher(QObject* parent)
{
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    const xcb_atom_t selection = internAtom(c, "_NET_WM_CM_S" + std::to_string(screenNumber));
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    xcb_xfixes_query_version_reply_t* version = nullptr;
    if (xfixes && xfixes->present)
        version = xcb_xfixes_query_version_reply(
            c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
            nullptr);
    if (!version || !screens.rem || selection == XCB_ATOM_NONE) {
        // No way to hear of changes: the state at start-up stands.
        const bool running = selection != XCB_ATOM_NONE && hasOwner(c, selection);
        free(version);
        xcb_disconnect(c);
        struct Fixed : CompositorWatcher {
            Fixed(bool running, QObject* parent) : CompositorWatcher(running, parent) {}
        };
        return new Fixed(running, parent);
    }
    free(version);
    // Listen first, then ask, so that no change falls between the two.
    xcb_xfixes_select_selection_input(c, screens.data->root, selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    const bool running = hasOwner(c, selection);
    return new X11CompositorWatcher(c, xfixes->first_event, running, parent);
}

} // namespace

void CompositorWatcher::setRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged(running);
}

CompositorWatcher& CompositorWatcher::shared()
{
    static CompositorWatcher* watcher = [] {
        QCoreApplication* app = QCoreApplication::instance();
        CompositorWatcher* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                                     ? createX11Watcher(app)
                                     : nullptr;
        return x11 ? x11 : new CompositorWatcher(true, app);
    }();
    return *watcher;
}

} // namespace mirevo

#include "platform/PointerMonitor.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace mirevo {
namespace {

// About one frame at 60 Hz: moving a window more often than this shows nothing more.
constexpr int kFrameIntervalMs = 16;

bool isDisabledByEnvironment()
{
    return qEnvironmentVariableIntValue("MIREVO_NO_XINPUT") != 0;
}

// Listens for XInput2 raw motion on the root window over a connection of its own, so the
// events never pass through Qt's event queue and an idle pointer costs no wake-ups.
class X11PointerMonitor final : public PointerMonitor {
public:
    // Takes ownership of `connection`, already set up to deliver raw motion.
    X11PointerMonitor(xcb_connection_t* connection, uint8_t xinputOpcode)
        : m_connection(connection), m_opcode(xinputOpcode),
          m_notifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        m_deliveryTimer.setSingleShot(true);
        m_deliveryTimer.setTimerType(Qt::PreciseTimer);
        connect(&m_deliveryTimer, &QTimer::timeout, this, &X11PointerMonitor::deliver);
        connect(&m_notifier, &QSocketNotifier::activated, this, &X11PointerMonitor::readEvents);
        // Events may already sit in the connection's queue from the set-up replies.
        readEvents();
    }

    ~X11PointerMonitor() override
    {
        m_notifier.setEnabled(false);
        xcb_disconnect(m_connection);
    }

private:
    void readEvents()
    {
        bool moved = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
                const auto* generic = reinterpret_cast<xcb_ge_generic_event_t*>(event);
                if (generic->extension == m_opcode && generic->event_type == XCB_INPUT_RAW_MOTION)
                    moved = true;
            }
            free(event);
        }
        if (xcb_connection_has_error(m_connection)) {
            m_notifier.setEnabled(false);
            emit stopped();
            return;
        }
        if (moved)
            deliverSoon();
    }

    // The first movement after a pause is reported at once; the rest of a burst at most
    // once per frame.
    void deliverSoon()
    {
        if (m_deliveryTimer.isActive())
            return;
        const qint64 since = m_lastDelivery.isValid() ? m_lastDelivery.elapsed() : kFrameIntervalMs;
        if (since >= kFrameIntervalMs)
            deliver();
        else
            m_deliveryTimer.start(int(kFrameIntervalMs - since));
    }

    void deliver()
    {
        m_lastDelivery.restart();
        emit pointerMoved();
    }

    xcb_connection_t* m_connection;
    uint8_t m_opcode;
    QSocketNotifier m_notifier;
    QTimer m_deliveryTimer;
    QElapsedTimer m_lastDelivery;
};

// Opens a connection that receives raw motion from every master pointer, or nothing when
// the server lacks XInput 2.2.
xcb_connection_t* openRawMotionConnection(uint8_t& opcode)
{
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    xcb_input_xi_query_version_reply_t* version =
        extension && extension->present
            ? xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr)
            : nullptr;
    const bool supported = version && (version->major_version > 2 || (version->major_version == 2 &&
                                                                      version->minor_version >= 2));
    free(version);
    if (!supported) {
        xcb_disconnect(c);
        return nullptr;
    }
    opcode = extension->major_opcode;

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    struct {
        xcb_input_event_mask_t header;
        uint32_t bits;
    } mask = {{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_input_xi_select_events_checked(c, screens.data->root, 1, &mask.header));
    if (error) {
        free(error);
        xcb_disconnect(c);
        return nullptr;
    }
    return c;
}

} // namespace

std::unique_ptr<PointerMonitor> createPointerMonitor()
{
    if (isDisabledByEnvironment() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    uint8_t opcode = 0;
    xcb_connection_t* connection = openRawMotionConnection(opcode);
    if (!connection)
        return nullptr;
    return std::make_unique<X11PointerMonitor>(connection, opcode);
}

} // namespace mirevo

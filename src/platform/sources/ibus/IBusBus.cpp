#include "platform/sources/ibus/IBusBus.h"

#include "platform/sources/DBusCalls.h"
#include "platform/sources/Gio.h"
#include "platform/sources/ibus/IBusAddress.h"

#include <QPointer>

#include <algorithm>

namespace mirevo {
namespace {

constexpr char kService[] = "org.freedesktop.IBus";
constexpr char kPath[] = "/org/freedesktop/IBus";
constexpr char kInterface[] = "org.freedesktop.IBus";
constexpr char kEngineInterface[] = "org.freedesktop.IBus.Engine";

// A reply's way back: nothing is called once the bus object is gone.
struct Pending {
    QPointer<IBusBus> bus;
    std::function<void(GVariant*)> done;
};

void deliverReply(GObject* source, GAsyncResult* result, gpointer data)
{
    std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
    GError* error = nullptr;
    GVariantPtr reply(g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error));
    g_clear_error(&error);
    if (pending->bus)
        pending->done(reply.get());
}

// The reply's only value when the reply has the expected shape, else nothing.
GVariantPtr onlyValue(GVariant* reply, const char* type)
{
    if (!reply || !g_variant_is_of_type(reply, G_VARIANT_TYPE(type)))
        return nullptr;
    return GVariantPtr(g_variant_get_child_value(reply, 0));
}

} // namespace

struct IBusBusCallbacks {
    static void appeared(GDBusConnection*, const char*, const char*, gpointer self);
    static void vanished(GDBusConnection* bus, const char*, gpointer self);
    static void connectFinished(GObject* source, GAsyncResult* result, gpointer data);
    static void closed(GDBusConnection* connection, gboolean, gpointer, gpointer self);
    static void signal(GDBusConnection*, const char*, const char*, const char*, const char*,
                       GVariant*, gpointer self);
    static void properties(GDBusConnection*, const char* sender, const char* path, const char*,
                           const char*, GVariant* parameters, gpointer self);
    static void property(GDBusConnection*, const char* sender, const char* path, const char*,
                         const char*, GVariant* parameters, gpointer self);
};

IBusBus::IBusBus(QObject* parent) : QObject(parent), m_calls(g_cancellable_new())
{
    ensureGLibDispatch();
    m_connectLimit.setSingleShot(true);
    m_connectLimit.setInterval(kConnectLimitMs);
    connect(&m_connectLimit, &QTimer::timeout, this, [this] {
        if (m_connecting)
            g_cancellable_cancel(m_connecting);
    });
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &IBusBus::attempt);
    // The session bus reports the daemon's name now and whenever its owner changes.
    m_nameWatch =
        g_bus_watch_name(G_BUS_TYPE_SESSION, kService, G_BUS_NAME_WATCHER_FLAGS_NONE,
                         &IBusBusCallbacks::appeared, &IBusBusCallbacks::vanished, this, nullptr);
}

IBusBus::~IBusBus()
{
    g_bus_unwatch_name(m_nameWatch);
    if (m_connecting) {
        g_cancellable_cancel(m_connecting);
        g_object_unref(m_connecting);
    }
    g_cancellable_cancel(m_calls);
    g_object_unref(m_calls);
    dropConnection();
}

void IBusBusCallbacks::appeared(GDBusConnection*, const char*, const char*, gpointer self)
{
    static_cast<IBusBus*>(self)->daemonAppeared();
}

void IBusBusCallbacks::vanished(GDBusConnection* bus, const char*, gpointer self)
{
    static_cast<IBusBus*>(self)->daemonVanished(bus != nullptr);
}

void IBusBus::daemonAppeared()
{
    m_nameKnown = true;
    m_nameOwned = true;
    m_retryDelayMs = kFirstRetryMs;
    m_retry.stop();
    attempt();
}

void IBusBus::daemonVanished(bool busReachable)
{
    const bool firstReport = !m_nameKnown;
    m_nameKnown = true;
    m_nameOwned = false;
    m_retry.stop();
    // Without a session bus the address is all there is to go by: try it once.
    if (firstReport && !busReachable)
        attempt();
    else if (firstReport)
        emit connectionLost(); // settled: no daemon runs
}

void IBusBus::attempt()
{
    if (m_connection || m_connecting)
        return;
    const std::optional<QString> address = findIBusAddress();
    if (!address) {
        failAttempt();
        return;
    }
    m_connecting = g_cancellable_new();
    m_connectLimit.start();
    const auto flags = GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                            G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
    g_dbus_connection_new_for_address(address->toUtf8().constData(), flags, nullptr, m_connecting,
                                      &IBusBusCallbacks::connectFinished,
                                      new QPointer<IBusBus>(this));
}

void IBusBusCallbacks::connectFinished(GObject*, GAsyncResult* result, gpointer data)
{
    const std::unique_ptr<QPointer<IBusBus>> self(static_cast<QPointer<IBusBus>*>(data));
    GError* error = nullptr;
    GDBusConnection* connection = g_dbus_connection_new_for_address_finish(result, &error);
    g_clear_error(&error);
    if (*self) {
        (*self)->finishConnecting(connection);
    } else if (connection) {
        g_dbus_connection_close(connection, nullptr, nullptr, nullptr);
        g_object_unref(connection);
    }
}

void IBusBus::finishConnecting(GDBusConnection* connection)
{
    m_connectLimit.stop();
    g_clear_object(&m_connecting);
    if (!connection) {
        failAttempt();
        return;
    }
    m_connection = connection;
    m_retryDelayMs = kFirstRetryMs;
    g_dbus_connection_set_exit_on_close(connection, false);
    g_signal_connect(connection, "closed", G_CALLBACK(&IBusBusCallbacks::closed), this);
    // No sender filter: the daemon is the bus, and the match rule is its own.
    m_subscription = g_dbus_connection_signal_subscribe(
        connection, nullptr, kInterface, "GlobalEngineChanged", kPath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &IBusBusCallbacks::signal, this, nullptr);
    // The engines' modes reach a bystander through their property signals. The rules match
    // signals only: a rule that also matched method calls would hand this connection other
    // programs' calls to the engines. One rule per member keeps preedit updates, sent on
    // every key, from waking the program.
    m_propertiesSubscription = g_dbus_connection_signal_subscribe(
        connection, nullptr, kEngineInterface, "RegisterProperties", nullptr, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &IBusBusCallbacks::properties, this, nullptr);
    m_propertySubscription = g_dbus_connection_signal_subscribe(
        connection, nullptr, kEngineInterface, "UpdateProperty", nullptr, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &IBusBusCallbacks::property, this, nullptr);
    emit connected();
}

// Tried again only while the daemon owns its name: otherwise its return is the next event.
void IBusBus::failAttempt()
{
    if (m_nameOwned) {
        m_retry.start(m_retryDelayMs);
        m_retryDelayMs = std::min(m_retryDelayMs * 2, kLongestRetryMs);
    }
    emit connectionLost();
}

void IBusBusCallbacks::closed(GDBusConnection*, gboolean, gpointer, gpointer self)
{
    auto* bus = static_cast<IBusBus*>(self);
    bus->dropConnection();
    if (bus->m_nameOwned) {
        bus->m_retryDelayMs = IBusBus::kFirstRetryMs;
        bus->m_retry.start(IBusBus::kFirstRetryMs);
    }
    emit bus->connectionLost();
}

void IBusBusCallbacks::signal(GDBusConnection*, const char*, const char*, const char*, const char*,
                              GVariant*, gpointer self)
{
    emit static_cast<IBusBus*>(self)->globalEngineChanged();
}

namespace {
QString engineObject(const char* sender, const char* path)
{
    return QString::fromUtf8(sender ? sender : "") + QLatin1Char(' ') + QString::fromUtf8(path);
}
} // namespace

void IBusBusCallbacks::properties(GDBusConnection*, const char* sender, const char* path,
                                  const char*, const char*, GVariant* parameters, gpointer self)
{
    if (const auto mode = inputModeOfPropList(onlyValue(parameters, "(v)").get()))
        emit static_cast<IBusBus*>(self)->inputModeAnnounced(*mode, engineObject(sender, path));
}

void IBusBusCallbacks::property(GDBusConnection*, const char* sender, const char* path, const char*,
                                const char*, GVariant* parameters, gpointer self)
{
    if (const auto mode = inputModeOfProperty(onlyValue(parameters, "(v)").get()))
        emit static_cast<IBusBus*>(self)->inputModeAnnounced(*mode, engineObject(sender, path));
}

void IBusBus::dropConnection()
{
    if (!m_connection)
        return;
    g_dbus_connection_signal_unsubscribe(m_connection, m_subscription);
    g_dbus_connection_signal_unsubscribe(m_connection, m_propertiesSubscription);
    g_dbus_connection_signal_unsubscribe(m_connection, m_propertySubscription);
    g_signal_handlers_disconnect_by_data(m_connection, this);
    g_dbus_connection_close(m_connection, nullptr, nullptr, nullptr);
    g_clear_object(&m_connection);
}

void IBusBus::call(const char* interface, const char* method, GVariant* arguments,
                   std::function<void(GVariant*)> done)
{
    if (!m_connection) {
        if (arguments)
            g_variant_unref(g_variant_ref_sink(arguments));
        done(nullptr);
        return;
    }
    g_dbus_connection_call(m_connection, kService, kPath, interface, method, arguments, nullptr,
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, kDaemonCallTimeoutMs, m_calls,
                           &deliverReply, new Pending{this, std::move(done)});
}

void IBusBus::requestGlobalEngine(EngineReply done)
{
    // "No global engine." and a vanished daemon both answer nothing.
    call("org.freedesktop.DBus.Properties", "Get",
         g_variant_new("(ss)", kInterface, "GlobalEngine"),
         [done = std::move(done)](GVariant* reply) {
             done(parseIBusEngineDesc(onlyValue(reply, "(v)").get()));
         });
}

} // namespace mirevo

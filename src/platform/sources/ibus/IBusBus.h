#pragma once

#include "platform/sources/ibus/IBusEngineDesc.h"
#include "platform/sources/ibus/IBusProperties.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;

namespace mirevo {

// IBus's private bus, found and opened without blocking or polling. The daemon owns the
// name org.freedesktop.IBus on the session bus while it runs: its coming and going starts
// and stops the search. GIO authenticates and greets the daemon on a thread of its own;
// replies and signals come back through the main loop. An attempt that has not finished
// within kConnectLimitMs is given up; while the daemon owns its name, attempts are
// repeated at growing intervals (its address file may not be written yet, or it may hang).
class IBusBus : public QObject {
    Q_OBJECT
public:
    static constexpr int kConnectLimitMs = 2000;
    static constexpr int kFirstRetryMs = 250;
    static constexpr int kLongestRetryMs = 16000;

    // The engine, or nothing when the daemon gave no usable answer (none set, a reply of
    // another shape, no reply within the call time limit, no connection).
    using EngineReply = std::function<void(const std::optional<IBusEngineInfo>& engine)>;

    explicit IBusBus(QObject* parent = nullptr);
    ~IBusBus() override;

    bool isConnected() const { return m_connection != nullptr; }
    // Whether it is still finding out if a daemon answers: before the session bus has told
    // whether the daemon runs, and while an attempt to reach it runs.
    bool isLooking() const { return !m_nameKnown || m_connecting != nullptr; }

    void requestGlobalEngine(EngineReply done);

signals:
    void connected();
    // The connection closed, or an attempt failed or ran out of time.
    void connectionLost();
    void globalEngineChanged();
    // An engine announced its properties (RegisterProperties, on every focus-in) or updated
    // its InputMode property (a mode switch). `engine` names the engine object that spoke
    // (its connection and path): each engine the daemon starts is an object of its own.
    void inputModeAnnounced(IBusInputMode mode, const QString& engine);

private:
    friend struct IBusBusCallbacks; // GIO's callbacks, which use GLib's types
    void daemonAppeared();
    void daemonVanished(bool busReachable);
    void attempt();
    void finishConnecting(GDBusConnection* connection);
    void failAttempt();
    void dropConnection();
    void call(const char* interface, const char* method, GVariant* arguments,
              std::function<void(GVariant* reply)> done);

    GDBusConnection* m_connection = nullptr;
    GCancellable* m_connecting = nullptr;
    GCancellable* m_calls = nullptr;
    unsigned m_subscription = 0;
    unsigned m_propertiesSubscription = 0;
    unsigned m_propertySubscription = 0;
    unsigned m_nameWatch = 0;
    bool m_nameKnown = false;
    bool m_nameOwned = false;
    QTimer m_connectLimit;
    QTimer m_retry;
    int m_retryDelayMs = kFirstRetryMs;
};

} // namespace mirevo

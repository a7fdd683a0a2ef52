#pragma once

#include "platform/sources/ibus/IBusEngineDesc.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;

namespace mirevo {

// IBus's private bus, opened without blocking: GIO authenticates and greets the daemon on
// a thread of its own, and replies and signals come back through the main loop. A daemon
// that has not finished connecting within kConnectLimitMs is given up on and tried again
// later, at growing intervals; a daemon at a new address is tried at once.
class IBusBus : public QObject {
    Q_OBJECT
public:
    static constexpr int kConnectLimitMs = 2000;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLongestRetryMs = 16000;

    using EngineReply = std::function<void(const std::optional<IBusEngineInfo>& engine)>;

    explicit IBusBus(QObject* parent = nullptr);
    ~IBusBus() override;

    bool isConnected() const { return m_connection != nullptr; }
    bool isConnecting() const { return m_connecting != nullptr; }
    // Starts connecting unless connected, connecting, or still waiting after a failure.
    void connectIfDue();

    // The engine now in use, or the engine of that name; nothing when the daemon does not
    // answer within the call time limit.
    void requestGlobalEngine(EngineReply done);
    void requestEngine(const QString& name, EngineReply done);

signals:
    void connected();
    // The connection closed, or an attempt failed or ran out of time.
    void connectionLost();
    void globalEngineChanged();

private:
    friend struct IBusBusCallbacks; // GIO's callbacks, which use GLib's types
    void finishConnecting(GDBusConnection* connection);
    void failAttempt();
    void dropConnection();
    void call(const char* interface, const char* method, GVariant* arguments,
              std::function<void(GVariant* reply)> done);

    GDBusConnection* m_connection = nullptr;
    GCancellable* m_connecting = nullptr;
    GCancellable* m_calls = nullptr;
    unsigned m_subscription = 0;
    QTimer m_connectLimit;
    QString m_attemptAddress;
    QString m_failedAddress;
    QDeadlineTimer m_retryAt;
    QDeadlineTimer m_nextLookup;
    int m_retryDelayMs = kFirstRetryMs;
};

} // namespace mirevo

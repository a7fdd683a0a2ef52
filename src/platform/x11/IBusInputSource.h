#pragma once

#include "platform/InputSource.h"

#include <QDBusConnection>
#include <QElapsedTimer>

#include <optional>

namespace mirevo {

// The IBus global engine, read from the daemon's private bus. The identifier is cached and
// re-read when the daemon announces a new engine, so currentSourceId() never waits. When
// the daemon goes away the source answers nothing and looks for a new daemon at most once
// a second, which also finds a restarted one.
class IBusInputSource : public InputSource {
    Q_OBJECT
public:
    explicit IBusInputSource(QObject* parent = nullptr);
    ~IBusInputSource() override;

    std::optional<QString> currentSourceId() override;
    QString backendName() const override { return QStringLiteral("ibus"); }
    bool isReady() const override { return m_ready; }

    // Whether the private bus is connected now.
    bool isConnected() const;

private slots:
    // Bound by name: QtDBus delivers bus signals only to slots.
    void onGlobalEngineChanged(const QString& engineName);

private:
    bool ensureConnected();
    void requestEngine();
    void finishRequest(const QDBusMessage& reply);
    void setCurrent(const std::optional<QString>& id);

    QString m_connectionName;
    std::optional<QDBusConnection> m_connection;
    std::optional<QString> m_current;
    QElapsedTimer m_sinceAttempt;
    bool m_ready = false;
    bool m_requestPending = false;
    bool m_requestAgain = false;
};

} // namespace mirevo

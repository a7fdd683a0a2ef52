#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

namespace mirevo {

// Keeps one tray utility per user: two processes saving the same settings file would
// lose each other's edits. The first process listens on a local socket; a later one asks
// it to open its settings window and steps aside.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` identifies the instance (the application id); `folder` holds the socket.
    SingleInstance(const QString& name, const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered and took the request to show its settings.
    bool forwardToRunningInstance();
    // Starts answering later instances; each request calls `onShowSettings`.
    bool listen(std::function<void()> onShowSettings);

    QString socketPath() const { return m_socketPath; }

private:
    QString m_socketPath;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace mirevo

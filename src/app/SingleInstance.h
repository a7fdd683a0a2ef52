#pragma once

#include "platform/desktop/ApplicationBus.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;

namespace mirevo {

class LocalRequestServer;

// Keeps one tray utility per user: two processes saving the same settings file would
// lose each other's edits. The session bus arbitrates: the process that owns the
// application id's name is the instance, and a later start asks it to open its settings
// window. Without a session bus a lock file in a private folder arbitrates, and a local
// socket carries the request.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start { primary, handedOver, failed };
    enum class Arbiter { sessionBusFirst, lockFileOnly };
    // How long a later start waits for the running instance to answer.
    static constexpr int kAnswerTimeoutMs = 5000;
    static inline const QByteArray kShowSettingsRequest = QByteArrayLiteral("show-settings");

    // `lockFolder`: where the lock and the socket live without a bus; by default a
    // private runtime folder named after the application id.
    explicit SingleInstance(const QString& applicationId,
                            std::optional<QString> lockFolder = std::nullopt,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the instance, or hands over to the running one. Called once, early.
    Start start(Arbiter arbiter = Arbiter::sessionBusFirst);
    // Why start() failed, for the user.
    QString failureMessage() const { return m_failure; }

    // What requests from later starts and scripts reach; set before the event loop runs.
    ApplicationBusHandlers& handlers() { return m_bus.handlers; }
    void announceLanguageChanged(const QString& language, const QString& sourceId);

private:
    Start startWithLockFile();

    QString m_applicationId;
    std::optional<QString> m_lockFolder;
    ApplicationBus m_bus;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<LocalRequestServer> m_requests;
    QString m_failure;
};

} // namespace mirevo

#pragma once

#include "platform/InputSource.h"
#include "platform/sources/InputBackendDecision.h"
#include "platform/sources/RepeatableRequest.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QTimer>

#include <functional>
#include <memory>

namespace mirevo {

// Picks the backend the session uses (decideInputBackend) and passes the chosen backend's
// answers and signal straight through. Daemons start late and restart, so the choice is
// made again whenever one of their names comes or goes. The bus is asked without waiting:
// until its answer arrives the source reports nothing.
class AutoInputSource : public InputSource {
    Q_OBJECT
public:
    // Builds the backend of a kind; the platform's factory hands itself in.
    using BackendFactory = std::function<std::unique_ptr<InputSource>(InputBackendChoice::Kind)>;

    explicit AutoInputSource(BackendFactory createBackend, QObject* parent = nullptr);
    ~AutoInputSource() override;

    std::optional<QString> currentSourceId() override;
    QString currentLayoutCode() override;
    // "auto:ibus", "auto:gnome", ..., or "auto:none" when nothing answers.
    QString backendName() const override;
    // Why it was chosen, then the chosen backend's own reason ("kde answered: ...", how it
    // hears of switches).
    QString backendReason() const override;
    bool isReady() const override;
    bool signalsChanges() const override { return !m_backend || m_backend->signalsChanges(); }

    InputSource* backend() const { return m_backend.get(); }

signals:
    void backendChanged();

private:
    void resolve();
    void scheduleResolve();
    void decide(const QStringList& busNames);

    BackendFactory m_createBackend;
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    std::unique_ptr<InputSource> m_backend;
    InputBackendChoice::Kind m_kind = InputBackendChoice::Kind::automatic;
    QString m_reason;
    QTimer m_soon;
    QTimer m_later;
    bool m_decided = false;
    RepeatableRequest m_query; // the bus's names
};

} // namespace mirevo

#pragma once

#include "platform/sources/ibus/IBusBus.h"

#include <QObject>

#include <optional>

namespace mirevo {

// The engine IBus types with, followed through the daemon's change signal: the one place
// that reads what IBus does, for every source that needs it. The last engine the daemon
// named is kept when the daemon goes away or answers with something unusable, until it
// names another.
class IBusGlobalEngine : public QObject {
    Q_OBJECT
public:
    explicit IBusGlobalEngine(QObject* parent = nullptr);

    const std::optional<IBusEngineInfo>& engine() const { return m_engine; }
    // Whether the daemon is reachable now, so that engine() is what it uses this moment.
    bool isConnected() const { return m_bus.isConnected(); }
    // False while the first answer (or the news that no daemon answers) is on its way.
    bool isReady() const { return !m_bus.isLooking() && !m_requestPending; }

signals:
    // The engine, the connection or readiness changed.
    void changed();

private:
    void request();

    IBusBus m_bus;
    std::optional<IBusEngineInfo> m_engine;
    bool m_requestPending = false;
    bool m_requestAgain = false;
};

} // namespace mirevo

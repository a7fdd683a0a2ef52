#pragma once

#include "platform/InputSource.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/ibus/IBusBus.h"

#include <optional>

namespace mirevo {

// The IBus global engine, read from the daemon's private bus. The identifier is cached and
// re-read when the daemon announces a new engine, so currentSourceId() never waits. While
// no daemon is connected the source answers nothing; the bus keeps looking for a daemon,
// which also finds a restarted one.
class IBusInputSource : public InputSource {
    Q_OBJECT
public:
    explicit IBusInputSource(QObject* parent = nullptr);

    std::optional<QString> currentSourceId() override;
    // Only the current method is known here, not the user's list: see LayoutCode.h.
    QString currentLayoutCode() override
    {
        return layoutCodeForSourceId(m_current.value_or(QString()));
    }
    QString backendName() const override { return QStringLiteral("ibus"); }
    bool isReady() const override { return m_ready; }

    bool isConnected() const { return m_bus.isConnected(); }

private:
    void requestEngine();
    void setCurrent(const std::optional<QString>& id);

    IBusBus m_bus;
    std::optional<QString> m_current;
    bool m_ready = false;
    bool m_requestPending = false;
    bool m_requestAgain = false;
};

} // namespace mirevo

#include "platform/sources/ibus/IBusInputSource.h"

namespace mirevo {

IBusInputSource::IBusInputSource(QObject* parent) : InputSource(parent)
{
    // A connection that comes or goes changes whether the monitor has to ask: say so even
    // when the answer stays the same.
    connect(&m_bus, &IBusBus::connected, this, [this] {
        emit mayHaveChanged();
        requestEngine();
    });
    connect(&m_bus, &IBusBus::globalEngineChanged, this, &IBusInputSource::requestEngine);
    connect(&m_bus, &IBusBus::connectionLost, this, [this] {
        m_ready = true;
        m_current.reset();
        emit mayHaveChanged();
    });
    m_bus.connectIfDue();
    // No daemon to wait for: the answer "no source" is ready now.
    m_ready = !m_bus.isConnecting();
}

std::optional<QString> IBusInputSource::currentSourceId()
{
    if (!m_bus.isConnected())
        m_bus.connectIfDue();
    return m_current;
}

void IBusInputSource::requestEngine()
{
    if (m_requestPending) {
        m_requestAgain = true;
        return;
    }
    m_requestPending = true;
    m_bus.requestGlobalEngine([this](const std::optional<IBusEngineInfo>& engine) {
        m_requestPending = false;
        m_ready = true;
        // "No global engine." and a vanished daemon both leave no source.
        setCurrent(engine ? std::optional(ibusSourceId(*engine)) : std::nullopt);
        if (m_requestAgain) {
            m_requestAgain = false;
            requestEngine();
        }
    });
}

void IBusInputSource::setCurrent(const std::optional<QString>& id)
{
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo

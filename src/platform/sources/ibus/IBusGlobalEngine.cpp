#include "platform/sources/ibus/IBusGlobalEngine.h"

namespace mirevo {

IBusGlobalEngine::IBusGlobalEngine(QObject* parent) : QObject(parent)
{
    connect(&m_bus, &IBusBus::connected, this, &IBusGlobalEngine::request);
    connect(&m_bus, &IBusBus::globalEngineChanged, this, &IBusGlobalEngine::request);
    connect(&m_bus, &IBusBus::connectionLost, this, &IBusGlobalEngine::changed);
}

void IBusGlobalEngine::request()
{
    if (m_requestPending) {
        m_requestAgain = true;
        return;
    }
    m_requestPending = true;
    m_bus.requestGlobalEngine([this](const std::optional<IBusEngineInfo>& engine) {
        m_requestPending = false;
        if (engine)
            m_engine = engine;
        if (m_requestAgain) {
            m_requestAgain = false;
            request();
            return;
        }
        emit changed();
    });
}

} // namespace mirevo

#include "platform/sources/ibus/IBusGlobalEngine.h"

#include <utility>

namespace mirevo {

IBusGlobalEngine::IBusGlobalEngine(QObject* parent) : QObject(parent)
{
    connect(&m_bus, &IBusBus::connected, this, [this] {
        // A new daemon starts new engines, each in its own first mode.
        m_mode = IBusInputMode::none;
        m_modeOwner.clear();
        m_engineObject.clear();
        m_next.reset();
        request();
    });
    connect(&m_bus, &IBusBus::inputModeAnnounced, this, &IBusGlobalEngine::modeAnnounced);
    connect(&m_bus, &IBusBus::globalEngineChanged, this, [this] {
        m_switched = true;
        request();
    });
    m_modeWait.setSingleShot(true);
    m_modeWait.setInterval(kModeWaitMs);
    connect(&m_modeWait, &QTimer::timeout, this, &IBusGlobalEngine::changed);
    connect(&m_bus, &IBusBus::connectionLost, this, &IBusGlobalEngine::changed);
}

void IBusGlobalEngine::request()
{
    if (!m_request.begin())
        return;
    m_bus.requestGlobalEngine([this](const std::optional<IBusEngineInfo>& engine) {
        if (!m_modeWait.isActive())
            m_shown = this->engine();
        if (engine)
            m_engine = engine;
        if (m_request.end()) {
            request();
            return;
        }
        answered();
    });
}

void IBusGlobalEngine::answered()
{
    if (m_engine && m_next) {
        m_mode = m_next->mode;
        m_modeOwner = m_engine->name;
        m_engineObject = m_next->object;
        m_next.reset();
    }
    const bool switched = std::exchange(m_switched, false);
    if (switched && m_engine && m_modeOwner != m_engine->name) {
        // Another engine, or a new one of the same name, which has not spoken yet.
        m_mode = IBusInputMode::none;
        m_modeOwner.clear();
        m_engineObject.clear();
        if (!m_engine->name.startsWith(QLatin1String("xkb:"))) {
            m_modeWait.start();
            return;
        }
    }
    m_modeWait.stop();
    emit changed();
}

void IBusGlobalEngine::modeAnnounced(IBusInputMode mode, const QString& object)
{
    const bool otherEngine = !m_engineObject.isEmpty() && object != m_engineObject;
    if (m_request.isPending() || !m_engine || otherEngine) {
        m_next = Announcement{mode, object};
        return;
    }
    m_mode = mode;
    m_modeOwner = m_engine->name;
    m_engineObject = object;
    m_modeWait.stop();
    emit changed();
}

std::optional<IBusEngineInfo> IBusGlobalEngine::engine() const
{
    if (m_modeWait.isActive())
        return m_shown;
    std::optional<IBusEngineInfo> engine = m_engine;
    if (engine)
        engine->latinMode = m_mode == IBusInputMode::latin && m_modeOwner == engine->name;
    return engine;
}

} // namespace mirevo

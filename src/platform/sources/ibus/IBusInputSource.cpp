#include "platform/sources/ibus/IBusInputSource.h"

namespace mirevo {

IBusInputSource::IBusInputSource(QObject* parent) : InputSource(parent)
{
    connect(&m_engine, &IBusGlobalEngine::changed, this, &InputSource::mayHaveChanged);
}

std::optional<QString> IBusInputSource::currentSourceId()
{
    const std::optional<IBusEngineInfo>& engine = m_engine.engine();
    return engine ? std::optional(ibusSourceId(*engine)) : std::nullopt;
}

} // namespace mirevo

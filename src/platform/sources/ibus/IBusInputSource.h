#pragma once

#include "platform/InputSource.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/ibus/IBusGlobalEngine.h"

#include <optional>

namespace mirevo {

// The IBus global engine ("ibus.inputmethod.hangul.Korean"). The engine is followed through
// IBus's change signal and kept when the daemon goes away, so currentSourceId() never waits;
// a daemon that starts or restarts is found through its name on the session bus.
class IBusInputSource : public InputSource {
    Q_OBJECT
public:
    explicit IBusInputSource(QObject* parent = nullptr);

    std::optional<QString> currentSourceId() override;
    // Only the current method is known here, not the user's list: see LayoutCode.h.
    QString currentLayoutCode() override
    {
        return layoutCodeForSourceId(currentSourceId().value_or(QString()));
    }
    QString backendName() const override { return QStringLiteral("ibus"); }
    bool isReady() const override { return m_engine.isReady(); }

private:
    IBusGlobalEngine m_engine;
};

} // namespace mirevo

#pragma once

#include "platform/sources/RepeatableRequest.h"
#include "platform/sources/ibus/IBusBus.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace mirevo {

// The engine IBus types with, followed through the daemon's change signal: the one place
// that reads what IBus does, for every source that needs it. The last engine the daemon
// named is kept when the daemon goes away or answers with something unusable, until it
// names another. The engine's mode (IBusInputMode) comes from its property signals. A mode
// announced while the daemon's answer to a change is on its way, or by another engine
// object than the current one (a new engine may speak before the daemon names it), belongs
// to the engine the daemon names next; the mode of another engine is not carried over. A newly
// chosen input method announces its mode a few milliseconds after the daemon names it: the change
// is held until then (kModeWaitMs at most), so that it shows in that mode at once.
class IBusGlobalEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int kModeWaitMs = 150;

    explicit IBusGlobalEngine(QObject* parent = nullptr);

    // The engine with its mode (IBusEngineInfo::latinMode).
    std::optional<IBusEngineInfo> engine() const;
    // Whether the daemon is reachable now, so that engine() is what it uses this moment.
    bool isConnected() const { return m_bus.isConnected(); }
    // False while the first answer (or the news that no daemon answers) is on its way.
    bool isReady() const
    {
        return !m_bus.isLooking() && !m_request.isPending() && !m_modeWait.isActive();
    }

signals:
    // The engine, the connection or readiness changed.
    void changed();

private:
    void request();
    void modeAnnounced(IBusInputMode mode, const QString& object);
    void answered();

    IBusBus m_bus;
    std::optional<IBusEngineInfo> m_engine;
    // The mode of the current engine, the engine it belongs to and the object that spoke.
    IBusInputMode m_mode = IBusInputMode::none;
    QString m_modeOwner;
    QString m_engineObject;
    // A mode announced for the engine the daemon names next, and the object that spoke.
    struct Announcement {
        IBusInputMode mode;
        QString object;
    };
    std::optional<Announcement> m_next;
    RepeatableRequest m_request; // the daemon's global engine
    bool m_switched = false;     // the daemon said the engine changed since the last answer
    QTimer m_modeWait;
    std::optional<IBusEngineInfo> m_shown; // what engine() gives while the change is held
};

} // namespace mirevo

#pragma once

#include <QObject>

#include <memory>

namespace mirevo {

// Reports movements of the mouse pointer anywhere on the desktop, whichever window it is
// over. It carries no position: receivers read the pointer when told. Bursts are
// coalesced, so receivers hear at most about one report per display frame.
class PointerMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void pointerMoved();
};

// The session's global pointer monitor, or nullptr where the platform offers none (not on
// X11, no XInput 2.2, or MIREVO_NO_XINPUT=1 in the environment). Callers then fall back to
// polling the pointer.
std::unique_ptr<PointerMonitor> createPointerMonitor();

} // namespace mirevo

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
    // The monitor can report nothing more (its connection broke).
    void stopped();
};

// The session's global pointer monitor, or nullptr where the platform offers none (not on
// X11, no XInput 2.2, or MIREVO_NO_XINPUT=1 in the environment). Callers then fall back to
// polling the pointer. Pointer warps (a program moving the pointer) are not reported: only
// movements made with a device.
std::unique_ptr<PointerMonitor> createPointerMonitor();

} // namespace mirevo

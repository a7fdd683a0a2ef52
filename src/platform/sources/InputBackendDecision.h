#pragma once

#include "platform/InputBackendChoice.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace mirevo {

// What the automatic choice of backend looks at.
struct SessionFacts {
    QProcessEnvironment environment; // GTK_IM_MODULE, XDG_CURRENT_DESKTOP, ...
    QStringList busNames;            // names owned on the session bus
    bool ibusRunning = false;        // IBus's address file names a live daemon
    bool gnomeSettings = false;      // GNOME's input-source settings are installed
};

// The backend to use and why, in words for --print-source ("XDG_CURRENT_DESKTOP=GNOME").
struct BackendDecision {
    InputBackendChoice::Kind kind = InputBackendChoice::Kind::xkb;
    QString reason;
};

// The session's own choice first: the input method it declares when that daemon runs
// (GNOME drives IBus itself, so IBus on GNOME means GNOME's settings; on Plasma, which
// switches layouts itself, IBus answers for its input methods and Plasma for layouts),
// then GNOME's settings on GNOME, KDE's layouts on Plasma (with IBus's input methods when
// IBus runs), and otherwise fcitx5, IBus or the X keyboard, whichever runs first in that
// order.
BackendDecision decideInputBackend(const SessionFacts& facts);

} // namespace mirevo

#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// Whether the desktop session is a Wayland one (XDG_SESSION_TYPE=wayland or WAYLAND_DISPLAY
// set), whichever platform Qt itself runs on.
bool isWaylandSession();

// Whether a window can follow the pointer over every other window. On a Wayland session a
// program sees the pointer only over its own windows, so a badge that follows it would
// stop wherever the pointer last left one of them.
bool canFollowPointerEverywhere();

// Why the program cannot show its windows on Qt's platform `platform` ("xcb" when empty)
// and X display `display` (else DISPLAY), as a sentence for the user; nothing when it can.
// Other platforms are left for Qt to try.
std::optional<QString> displayProblem(const QString& platform, const QString& display);

} // namespace mirevo

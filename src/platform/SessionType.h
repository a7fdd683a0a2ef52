#pragma once

namespace mirevo {

// Whether the desktop session is a Wayland one (XDG_SESSION_TYPE=wayland or WAYLAND_DISPLAY
// set), whichever platform Qt itself runs on.
bool isWaylandSession();

// Whether a window can follow the pointer over every other window. On a Wayland session a
// program sees the pointer only over its own windows, so a badge that follows it would
// stop wherever the pointer last left one of them.
bool canFollowPointerEverywhere();

} // namespace mirevo

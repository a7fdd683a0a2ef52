#pragma once

#include <functional>

class QWidget;

namespace mirevo {

// Runs `then` from the event loop once `window` has painted for the first time, so that
// work the window does not need waits until it is on screen. Runs it at once when there
// is no window or it is not shown, and after a second when no paint comes.
void afterFirstPaint(QWidget* window, std::function<void()> then);

} // namespace mirevo

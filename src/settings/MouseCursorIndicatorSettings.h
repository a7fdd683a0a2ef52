#pragma once

#include "settings/IMEIndicatorSettings.h"

namespace mirevo {

// The small badge that follows the mouse pointer. It draws with the IME indicator's
// colours; its own colour fields are stored and reset but not drawn.
struct MouseCursorIndicatorSettings {
    bool isVisible = true;
    double size = 20.0;
    double offsetX = 16.0;
    double offsetY = 8.0;
    double opacity = 0.8;
    bool useSameColorAsIMEIndicator = true;
    LanguageColors colors = defaultLanguageColors();

    bool operator==(const MouseCursorIndicatorSettings&) const = default;
};

} // namespace mirevo

#pragma once

#include "settings/ClockSettings.h"
#include "settings/IMEIndicatorSettings.h"
#include "settings/MouseCursorIndicatorSettings.h"

namespace mirevo {

// Everything in the settings file.
struct AppSettings {
    IMEIndicatorSettings imeIndicator;
    ClockSettings clock;
    MouseCursorIndicatorSettings mouseCursorIndicator;

    bool operator==(const AppSettings&) const = default;
};

} // namespace mirevo

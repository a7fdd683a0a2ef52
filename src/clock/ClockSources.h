#pragma once

#include "input/InputLanguage.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace mirevo {

// Where the clock reads the world: the current time, the current input language and the
// display locale. The program uses the system clock, the input-source monitor and the
// user's preferred language; tests fix all three.
struct ClockSources {
    std::function<QDateTime()> now;
    std::function<InputLanguage()> currentLanguage;
    std::function<QString()> locale;

    // Fills every empty source with the program's own.
    ClockSources withDefaults() const;
};

} // namespace mirevo

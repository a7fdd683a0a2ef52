#include "clock/ClockSources.h"

#include "clock/DateTimeFormats.h"
#include "input/IMEMonitor.h"

namespace mirevo {

ClockSources ClockSources::withDefaults() const
{
    ClockSources sources = *this;
    if (!sources.now)
        sources.now = [] { return QDateTime::currentDateTime(); };
    if (!sources.currentLanguage)
        sources.currentLanguage = [] { return IMEMonitor::shared().currentLanguage(); };
    if (!sources.locale)
        sources.locale = [] { return displayLocale(); };
    return sources;
}

} // namespace mirevo

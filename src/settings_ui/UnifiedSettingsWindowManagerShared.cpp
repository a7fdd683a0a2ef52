#include "clock/ClockWindowManager.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

namespace mirevo {

UnifiedSettingsWindowManager& UnifiedSettingsWindowManager::shared()
{
    static auto* manager = new UnifiedSettingsWindowManager(
        AppSettingsManager::shared(), NotificationCenter::defaultCenter(),
        [] { ClockWindowManager::shared().applyMoveMode(); });
    return *manager;
}

} // namespace mirevo

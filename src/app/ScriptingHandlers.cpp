#include "app/ScriptingHandlers.h"

#include "input/IMEMonitor.h"

namespace mirevo {

std::optional<SettingsTab> settingsTabNamed(const QString& name)
{
    static const std::pair<QLatin1String, SettingsTab> names[] = {
        {QLatin1String("imeIndicator"), SettingsTab::imeIndicator},
        {QLatin1String("clock"), SettingsTab::clock},
        {QLatin1String("mouseCursor"), SettingsTab::mouseCursor},
        {QLatin1String("about"), SettingsTab::about},
    };
    for (const auto& [text, tab] : names) {
        if (name == text)
            return tab;
    }
    return std::nullopt;
}

ApplicationBusHandlers scriptingHandlers(const IMEMonitor& monitor, SettingsWindowAccess& settings)
{
    ApplicationBusHandlers handlers;
    handlers.activate = [&settings] { settings.showSettings(std::nullopt); };
    handlers.showSettings = [&settings](const QString& name) {
        const std::optional<SettingsTab> tab = settingsTabNamed(name);
        if (!tab && !name.isEmpty())
            return false;
        settings.showSettings(tab);
        return true;
    };
    handlers.currentLanguage = [&monitor] { return rawValue(monitor.currentLanguage()); };
    handlers.currentSourceId = [&monitor] { return monitor.currentSourceID(); };
    handlers.backend = [&monitor] {
        return monitor.source() ? monitor.source()->backendName() : QString();
    };
    return handlers;
}

} // namespace mirevo

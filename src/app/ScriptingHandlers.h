#pragma once

#include "platform/desktop/ApplicationBus.h"
#include "settings/SettingsWindowAccess.h"

#include <optional>

namespace mirevo {

class IMEMonitor;

// The settings tab a script names: "imeIndicator", "clock", "mouseCursor" or "about";
// nothing for any other name.
std::optional<SettingsTab> settingsTabNamed(const QString& name);

// What the program answers on the session bus and to later starts: the monitor's
// language, source and backend, and the settings window ("" opens the tab shown last).
ApplicationBusHandlers scriptingHandlers(const IMEMonitor& monitor, SettingsWindowAccess& settings);

} // namespace mirevo

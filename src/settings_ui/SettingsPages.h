#pragma once

#include "settings/SettingsWindowAccess.h"

class QWidget;

namespace mirevo {

class AppSettingsManager;

// The page shown in a tab of the settings window.
QWidget* createSettingsPage(SettingsTab tab, AppSettingsManager& store);

} // namespace mirevo

#pragma once

#include "settings/SettingsWindowAccess.h"

class QIcon;
class QString;
class QWidget;

namespace mirevo {

class AppSettingsManager;

// The page shown in a tab of the settings window.
QWidget* createSettingsPage(SettingsTab tab, AppSettingsManager& store);

// A tab's label, and its icon: the desktop icon theme's, or the program's own picture
// where the theme has none.
QString settingsTabLabel(SettingsTab tab);
QIcon settingsTabIcon(SettingsTab tab);

} // namespace mirevo

#include "settings_ui/SettingsPages.h"

#include "clock/ClockWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings_ui/AboutView.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"

#include <QIcon>
#include <QWidget>

namespace mirevo {

QWidget* createSettingsPage(SettingsTab tab, AppSettingsManager& store)
{
    switch (tab) {
    case SettingsTab::imeIndicator:
        return new IMEIndicatorSettingsView(store, NotificationCenter::defaultCenter(),
                                            Displays::system());
    case SettingsTab::about:
        return new AboutView;
    case SettingsTab::clock:
        return new ClockSettingsView(
            store, Displays::system(),
            ClockPageActions{[] { ClockWindowManager::shared().refreshClockView(); },
                             [] { ClockWindowManager::shared().applyClockSettings(); },
                             [] { ClockWindowManager::shared().applyMoveMode(); }});
    case SettingsTab::mouseCursor:
        return new MouseCursorIndicatorSettingsView(store, NotificationCenter::defaultCenter());
    default:
        break;
    }
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("settingsPage%1").arg(static_cast<int>(tab)));
    return page;
}

QString settingsTabLabel(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::imeIndicator:
        return localized("Settings", "tab.ime_indicator");
    case SettingsTab::clock:
        return localized("Settings", "tab.clock");
    case SettingsTab::mouseCursor:
        return localized("Settings", "tab.mouse_cursor");
    case SettingsTab::about:
        return localized("Settings", "tab.about");
    }
    return {};
}

QIcon settingsTabIcon(SettingsTab tab)
{
    const auto icon = [](const char* themeName, const char* picture) {
        return QIcon::fromTheme(
            QLatin1String(themeName),
            QIcon(QStringLiteral(":/settings/%1.svg").arg(QLatin1String(picture))));
    };
    switch (tab) {
    case SettingsTab::imeIndicator:
        return icon("input-keyboard", "tab-ime");
    case SettingsTab::clock:
        return icon("preferences-system-time", "tab-clock");
    case SettingsTab::mouseCursor:
        return icon("input-mouse", "tab-pointer");
    case SettingsTab::about:
        return icon("help-about", "tab-about");
    }
    return {};
}

} // namespace mirevo

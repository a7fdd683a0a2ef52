#include "settings_ui/SettingsPages.h"

#include "clock/ClockWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings_ui/AboutView.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"

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

} // namespace mirevo

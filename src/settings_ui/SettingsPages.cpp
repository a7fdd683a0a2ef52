#include "settings_ui/SettingsPages.h"

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/MouseCursorIndicatorSettingsView.h"

#include <QWidget>

namespace mirevo {

QWidget* createSettingsPage(SettingsTab tab, AppSettingsManager& store)
{
    switch (tab) {
    case SettingsTab::clock:
        return new ClockSettingsView(store, Displays::system(), ClockPageActions{});
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

#include "settings_ui/SettingsPages.h"

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings_ui/AboutView.h"
#include "settings_ui/IMEIndicatorSettingsView.h"

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
    default:
        break;
    }
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("settingsPage%1").arg(static_cast<int>(tab)));
    return page;
}

} // namespace mirevo

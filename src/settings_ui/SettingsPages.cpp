#include "settings_ui/SettingsPages.h"

#include <QWidget>

namespace mirevo {

QWidget* createSettingsPage(SettingsTab tab, AppSettingsManager& store)
{
    Q_UNUSED(store);
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("settingsPage%1").arg(static_cast<int>(tab)));
    return page;
}

} // namespace mirevo

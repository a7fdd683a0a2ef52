#include "app/AppDelegate.h"

#include "cursor/MouseCursorIndicatorWindowManager.h"
#include "input/IMEMonitor.h"
#include "settings/AppSettingsManager.h"

#include <QPointer>

namespace mirevo {

AppDelegate::AppDelegate(AppSettingsManager& store, IMEMonitor& monitor, QObject* parent)
    : QObject(parent), m_store(store), m_monitor(monitor)
{}

void AppDelegate::applicationDidFinishLaunching()
{
    // The monitor's first check runs inside startMonitoring(), so a non-English source at
    // launch is handled before the later steps.
    QPointer<AppDelegate> self(this);
    m_monitor.onLanguageChanged = [self](InputLanguage language) {
        if (self)
            self->handleLanguageChange(language);
    };
    m_monitor.startMonitoring();

    // Created even while hidden, so turning the badge on in the settings shows it at once.
    MouseCursorIndicatorWindowManager& cursorIndicator =
        MouseCursorIndicatorWindowManager::shared();
    if (m_store.settings().mouseCursorIndicator.isVisible)
        cursorIndicator.show();
}

void AppDelegate::handleLanguageChange(InputLanguage language)
{
    MouseCursorIndicatorWindowManager::shared().updateLanguage(language);
    m_store.updateIMEState(isIMEActive(language));
}

} // namespace mirevo

#include "settings_ui/UnifiedSettingsWindowManager.h"

#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/UnifiedSettingsWindow.h"

#include <QApplication>
#include <QTimer>

namespace mirevo {

UnifiedSettingsWindowManager::UnifiedSettingsWindowManager(AppSettingsManager& store,
                                                           NotificationCenter& notifications,
                                                           std::function<void()> applyClockMoveMode,
                                                           QObject* parent)
    : QObject(parent), m_store(store), m_notifications(notifications),
      m_applyClockMoveMode(std::move(applyClockMoveMode))
{}

UnifiedSettingsWindowManager::~UnifiedSettingsWindowManager()
{
    delete m_settingsWindow.data();
}

QWidget* UnifiedSettingsWindowManager::settingsWindow() const
{
    return m_settingsWindow.data();
}

void UnifiedSettingsWindowManager::showSettings(std::optional<SettingsTab> tab)
{
    m_currentTab = tab.value_or(m_currentTab);
    if (!m_settingsWindow) {
        m_settingsWindow = new UnifiedSettingsWindow(m_store, m_currentTab);
        m_settingsWindow->onClose = [this](QWidget* window) { windowWillClose(window); };
    } else if (tab) {
        // A request that names a page ("About Mirevo", a script's tab) is for that page;
        // one that names none keeps the page the user is on.
        m_settingsWindow->selectTab(*tab);
    }
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();

    m_store.edit([](AppSettings& s) { s.clock.moveMode = true; });
    if (m_applyClockMoveMode)
        m_applyClockMoveMode();
}

void UnifiedSettingsWindowManager::windowWillClose(QWidget* window)
{
    if (!window || window != m_settingsWindow.data())
        return;
    m_store.edit([](AppSettings& s) { s.imeIndicator.moveMode = false; });
    m_store.edit([](AppSettings& s) { s.clock.moveMode = false; });
    if (m_applyClockMoveMode)
        m_applyClockMoveMode();
    QTimer::singleShot(kCloseNotificationDelayMs, this, [this] {
        m_notifications.post(notifications::kIMEIndicatorSettingsChanged);
    });
    m_settingsWindow = nullptr;
}

} // namespace mirevo

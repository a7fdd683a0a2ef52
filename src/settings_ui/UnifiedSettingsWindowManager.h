#pragma once

#include "settings/SettingsWindowAccess.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace mirevo {

class AppSettingsManager;
class NotificationCenter;
class UnifiedSettingsWindow;

// Owns the one settings window: opens it on a requested tab, raises it when it is open
// (showing the tab when one is named), and takes both move modes back when it closes.
class UnifiedSettingsWindowManager : public QObject, public SettingsWindowAccess {
    Q_OBJECT
public:
    static constexpr int kCloseNotificationDelayMs = 50;

    // `applyClockMoveMode` re-applies the clock's move mode to the clock window.
    UnifiedSettingsWindowManager(AppSettingsManager& store, NotificationCenter& notifications,
                                 std::function<void()> applyClockMoveMode,
                                 QObject* parent = nullptr);
    ~UnifiedSettingsWindowManager() override;

    static UnifiedSettingsWindowManager& shared();

    bool isSettingsWindowOpen() const override { return !m_settingsWindow.isNull(); }
    void showSettings(std::optional<SettingsTab> tab) override;

    SettingsTab currentTab() const { return m_currentTab; }
    QWidget* settingsWindow() const;

    // The window's close, forwarded by the window; a close of any other window is ignored.
    void windowWillClose(QWidget* window);

private:
    AppSettingsManager& m_store;
    NotificationCenter& m_notifications;
    std::function<void()> m_applyClockMoveMode;
    QPointer<UnifiedSettingsWindow> m_settingsWindow;
    SettingsTab m_currentTab = SettingsTab::imeIndicator;
};

} // namespace mirevo

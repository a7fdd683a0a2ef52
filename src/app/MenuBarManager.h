#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace mirevo {

class AppSettingsManager;
class NotificationCenter;

// What the tray menu drives; the app fills these in with the program's managers.
struct MenuBarActions {
    std::function<void()> openAbout;
    std::function<void()> openSettings;
    std::function<void()> toggleIndicator;
    std::function<bool()> isIndicatorVisible;
    std::function<void()> applyClockSettings;
    std::function<void()> recheckAccessibility;
    std::function<void()> quit;
};

// The tray icon and its menu: opens the settings window and its About tab, switches the
// three displays on and off, re-checks the accessibility permission and quits.
class MenuBarManager : public QObject {
    Q_OBJECT
public:
    MenuBarManager(AppSettingsManager& store, NotificationCenter& notifications,
                   MenuBarActions actions, QObject* parent = nullptr);
    ~MenuBarManager() override;

    void setupMenuBar();
    void updateInputStatus(bool isJapanese);

    // Menu actions.
    void toggleIndicator();
    void toggleClock();
    void toggleMouseCursorIndicator();

    QMenu* menu() const { return m_menu.get(); }
    QSystemTrayIcon* statusItem() const { return m_statusItem.get(); }

private:
    QAction* addItem(const QString& title, std::function<void()> action, bool checkable = false);
    // Sets every check mark from the current state; runs whenever the menu is about to show.
    void refreshCheckMarks();

    AppSettingsManager& m_store;
    NotificationCenter& m_notifications;
    MenuBarActions m_actions;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    QAction* m_indicatorItem = nullptr;
    QAction* m_clockItem = nullptr;
    QAction* m_mouseCursorItem = nullptr;
};

} // namespace mirevo

#include "app/MenuBarManager.h"

#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace mirevo {

MenuBarManager::MenuBarManager(AppSettingsManager& store, NotificationCenter& notifications,
                               MenuBarActions actions, QObject* parent)
    : QObject(parent), m_store(store), m_notifications(notifications), m_actions(std::move(actions))
{}

MenuBarManager::~MenuBarManager() = default;

QAction* MenuBarManager::addItem(const QString& title, std::function<void()> action, bool checkable)
{
    QAction* item = m_menu->addAction(title);
    item->setCheckable(checkable);
    connect(item, &QAction::triggered, this, [action = std::move(action)] {
        if (action)
            action();
    });
    return item;
}

void MenuBarManager::setupMenuBar()
{
    m_menu = std::make_unique<QMenu>();
    addItem(localized("Localizable", "menu.about_app"), m_actions.openAbout);
    m_menu->addSeparator();
    m_indicatorItem = addItem(
        localized("Localizable", "menu.show_ime_indicator"), [this] { toggleIndicator(); }, true);
    m_clockItem = addItem(
        localized("Localizable", "menu.show_clock"), [this] { toggleClock(); }, true);
    m_mouseCursorItem = addItem(
        localized("Localizable", "menu.show_mouse_cursor_indicator"),
        [this] { toggleMouseCursorIndicator(); }, true);
    m_menu->addSeparator();
    QAction* settings = addItem(localized("Localizable", "menu.settings"), m_actions.openSettings);
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_menu->addSeparator();
    addItem(localized("Localizable", "menu.check_accessibility"), m_actions.recheckAccessibility);
    m_menu->addSeparator();
    QAction* quit = addItem(localized("Localizable", "menu.quit"), m_actions.quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Visibility also changes from the settings pages and the windows' own menus, so the
    // marks are read afresh each time the menu opens rather than only after a toggle here.
    connect(m_menu.get(), &QMenu::aboutToShow, this, &MenuBarManager::refreshCheckMarks);
    refreshCheckMarks();

    m_statusItem = std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/icons/mirevo.svg")));
    m_statusItem->setToolTip(QStringLiteral("IME Indicator"));
    m_statusItem->setContextMenu(m_menu.get());
    // A left click opens the same menu as a right click.
    connect(m_statusItem.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    m_menu->popup(QCursor::pos());
            });
    m_statusItem->show();
}

void MenuBarManager::refreshCheckMarks()
{
    if (m_indicatorItem && m_actions.isIndicatorVisible)
        m_indicatorItem->setChecked(m_actions.isIndicatorVisible());
    if (m_clockItem)
        m_clockItem->setChecked(m_store.settings().clock.isVisible);
    if (m_mouseCursorItem)
        m_mouseCursorItem->setChecked(m_store.settings().mouseCursorIndicator.isVisible);
}

void MenuBarManager::updateInputStatus(bool isJapanese)
{
    if (!m_menu)
        return;
    const QString prefix = localized("Localizable", "menu.status_prefix");
    const QString title = isJapanese ? localized("Localizable", "menu.status_japanese")
                                     : localized("Localizable", "menu.status_english");
    for (QAction* item : m_menu->actions()) {
        if (!item->isSeparator() && item->text().startsWith(prefix))
            item->setText(title);
    }
}

void MenuBarManager::toggleIndicator()
{
    if (m_actions.toggleIndicator)
        m_actions.toggleIndicator();
    refreshCheckMarks();
}

void MenuBarManager::toggleClock()
{
    m_store.edit([](AppSettings& s) { s.clock.isVisible = !s.clock.isVisible; });
    m_store.saveSettings();
    if (m_actions.applyClockSettings)
        m_actions.applyClockSettings();
    refreshCheckMarks();
}

void MenuBarManager::toggleMouseCursorIndicator()
{
    m_store.edit([](AppSettings& s) {
        s.mouseCursorIndicator.isVisible = !s.mouseCursorIndicator.isVisible;
    });
    m_store.saveSettings();
    m_notifications.post(notifications::kMouseCursorIndicatorSettingsChanged);
    refreshCheckMarks();
}

} // namespace mirevo

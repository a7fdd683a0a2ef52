#include "app/MenuBarManager.h"
#include "common/TestRegistry.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

struct MenuFixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    NotificationCenter notifications;
    bool indicatorVisible = true;
    QStringList calls;
    std::unique_ptr<MenuBarManager> menu;

    MenuFixture()
    {
        MenuBarActions actions;
        actions.openAbout = [this] { calls << "about"; };
        actions.openSettings = [this] { calls << "settings"; };
        actions.toggleIndicator = [this] { indicatorVisible = !indicatorVisible; };
        actions.isIndicatorVisible = [this] { return indicatorVisible; };
        // What the clock and the pointer badge find in the settings file when told.
        actions.applyClockSettings = [this] {
            calls << (saved().clock.isVisible ? "clock" : "no clock");
        };
        notifications.observe(notifications::kMouseCursorIndicatorSettingsChanged, &notifications,
                              [this](const QVariant&) {
                                  calls << (saved().mouseCursorIndicator.isVisible ? "cursor"
                                                                                   : "no cursor");
                              });
        actions.recheckAccessibility = [this] { calls << "recheck"; };
        actions.quit = [this] { calls << "quit"; };
        menu = std::make_unique<MenuBarManager>(store, notifications, actions);
        menu->setupMenuBar();
    }
    QAction* item(const char* key) const
    {
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == localized("Localizable", key))
                return action;
        }
        qFatal("no menu item %s", key);
    }
    // What a new start reads from the settings file.
    AppSettings saved() const { return AppSettingsManager(dir.path()).settings(); }
};

} // namespace

class MenuBarManagerTest : public QObject {
    Q_OBJECT
private slots:
    // Items reach their actions; a toggle is saved before the display hears of it; the marks
    // follow the displays, changed here or elsewhere.
    void itemsReachTheirActions()
    {
        MenuFixture f;
        const QList<QAction*> toggles{f.item("menu.show_clock"),
                                      f.item("menu.show_mouse_cursor_indicator"),
                                      f.item("menu.show_ime_indicator")};
        for (const char* key :
             {"menu.about_app", "menu.settings", "menu.check_accessibility", "menu.quit"})
            f.item(key)->trigger();
        for (QAction* toggle : toggles)
            toggle->trigger();
        QCOMPARE(f.calls,
                 QStringList({"about", "settings", "recheck", "quit", "no clock", "no cursor"}));
        QVERIFY(!f.indicatorVisible);
        for (QAction* toggle : toggles)
            QVERIFY(!toggle->isChecked());
        f.store.edit(
            [](AppSettings& s) { s.clock.isVisible = s.mouseCursorIndicator.isVisible = true; });
        f.indicatorVisible = true;
        emit f.menu->menu()->aboutToShow();
        for (QAction* toggle : toggles)
            QVERIFY(toggle->isChecked());
    }
};

MIREVO_TEST_CLASS(MenuBarManagerTest)
#include "tst_MenuBarManager.moc"

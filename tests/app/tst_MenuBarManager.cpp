#include "app/MenuBarManager.h"
#include "common/TestRegistry.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsJson.h"
#include "settings/SettingsNotifications.h"

#include <QFile>
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
        actions.applyClockSettings = [this] {
            calls << (store.settings().clock.isVisible ? "clock:shown" : "clock:hidden");
        };
        actions.recheckAccessibility = [this] { calls << "recheck"; };
        actions.quit = [this] { calls << "quit"; };
        menu = std::make_unique<MenuBarManager>(store, notifications, actions);
        menu->setupMenuBar();
    }

    QAction* item(int position) { return menu->menu()->actions().at(position - 1); }
    AppSettings saved() const
    {
        QFile file(*store.settingsFilePath());
        file.open(QIODevice::ReadOnly);
        return decodeSettings(file.readAll()).value_or(AppSettings{});
    }
};

} // namespace

class MenuBarManagerTest : public QObject {
    Q_OBJECT
private slots:
    void elevenEntriesInOrder()
    {
        MenuFixture f;
        const QList<QAction*> items = f.menu->menu()->actions();
        QCOMPARE(items.size(), 11);
        const QList<int> separators{2, 6, 8, 10};
        for (int i = 1; i <= 11; ++i)
            QCOMPARE(items[i - 1]->isSeparator(), separators.contains(i));
        QCOMPARE(f.item(1)->text(), localized("Localizable", "menu.about_app"));
        QCOMPARE(f.item(7)->text(), localized("Localizable", "menu.settings"));
        QCOMPARE(f.item(11)->text(), localized("Localizable", "menu.quit"));
        QCOMPARE(f.item(7)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
        for (int position : {1, 7, 9, 11})
            f.item(position)->trigger();
        QCOMPARE(f.calls, QStringList({"about", "settings", "recheck", "quit"}));
    }

    void toggles()
    {
        MenuFixture f;
        f.store.edit([](AppSettings& s) { s.clock.isVisible = false; });
        int posted = 0;
        f.notifications.observe(
            notifications::kMouseCursorIndicatorSettingsChanged, this, [&](auto) {
                ++posted;
                QVERIFY(!f.saved().mouseCursorIndicator.isVisible); // saved before the post
            });
        emit f.menu->menu()->aboutToShow();
        QVERIFY(f.item(3)->isChecked());
        QVERIFY(!f.item(4)->isChecked());
        QVERIFY(f.item(5)->isChecked());

        f.item(4)->trigger();
        QVERIFY(f.store.settings().clock.isVisible);
        QVERIFY(f.saved().clock.isVisible);
        QCOMPARE(f.calls, QStringList({"clock:shown"}));
        QVERIFY(f.item(4)->isChecked());

        f.item(5)->trigger();
        QCOMPARE(posted, 1);
        QVERIFY(!f.item(5)->isChecked());

        f.item(3)->trigger();
        QVERIFY(!f.indicatorVisible);
        QVERIFY(!f.item(3)->isChecked());
    }

    void marksFollowChangesMadeElsewhere()
    {
        MenuFixture f;
        f.store.edit([](AppSettings& s) { s.mouseCursorIndicator.isVisible = false; });
        f.indicatorVisible = false;
        emit f.menu->menu()->aboutToShow();
        QVERIFY(!f.item(3)->isChecked());
        QVERIFY(!f.item(5)->isChecked());
    }

    void inputStatusChangesOnlyMatchingTitles()
    {
        MenuFixture f;
        QStringList before;
        for (QAction* a : f.menu->menu()->actions())
            before << a->text();
        f.menu->updateInputStatus(true);
        QStringList after;
        for (QAction* a : f.menu->menu()->actions())
            after << a->text();
        QCOMPARE(after, before);

        QAction* status =
            f.menu->menu()->addAction(localized("Localizable", "menu.status_prefix") + "?");
        f.menu->updateInputStatus(true);
        QCOMPARE(status->text(), localized("Localizable", "menu.status_japanese"));
        f.menu->updateInputStatus(false);
        QCOMPARE(status->text(), localized("Localizable", "menu.status_english"));
    }
};

MIREVO_TEST_CLASS(MenuBarManagerTest)
#include "tst_MenuBarManager.moc"

#include "common/TestRegistry.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/UnifiedSettingsWindow.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

struct Fixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    NotificationCenter notifications;
    int clockMoveModeApplied = 0;
    UnifiedSettingsWindowManager manager{store, notifications, [this] { ++clockMoveModeApplied; }};

    SettingsTab shownTab() const
    {
        auto* window = qobject_cast<UnifiedSettingsWindow*>(manager.settingsWindow());
        return window->selectedTab();
    }
    void close() { manager.settingsWindow()->close(); }
};

} // namespace

class UnifiedSettingsWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    // Opens on the requested tab, else on the last one; an open window is raised as it is.
    void opensOnTheRequestedOrRememberedTab()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::imeIndicator);
        f.close();
        QVERIFY(!f.manager.isSettingsWindowOpen());
        f.manager.showSettings(SettingsTab::clock);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        QWidget* window = f.manager.settingsWindow();
        f.manager.showSettings(SettingsTab::about);
        QCOMPARE(f.manager.settingsWindow(), window);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        f.close();
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::about);
    }

    // Both displays can be dragged while the window is open, and no longer once it closes;
    // the badge hears of it once its page has gone.
    void moveModesFollowTheWindow()
    {
        Fixture f;
        int posted = 0;
        f.notifications.observe(notifications::kIMEIndicatorSettingsChanged, &f.manager,
                                [&](auto) { ++posted; });
        f.manager.showSettings(SettingsTab::imeIndicator);
        QVERIFY(f.store.settings().clock.moveMode && f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 1);
        QWidget other;
        f.manager.windowWillClose(&other); // another window's close changes nothing
        QVERIFY(f.store.settings().clock.moveMode);
        posted = 0;
        f.close();
        QVERIFY(!f.store.settings().clock.moveMode && !f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 2);
        QCOMPARE(posted, 0);
        QTRY_COMPARE(posted, 1);
    }

    void escapeAndControlWClose_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
    void escapeAndControlWClose()
    {
        QFETCH(QKeySequence, key);
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QVERIFY(QTest::qWaitForWindowActive(f.manager.settingsWindow()));
        QTest::keySequence(f.manager.settingsWindow(), key);
        QVERIFY(!f.manager.isSettingsWindowOpen());
    }
};

MIREVO_TEST_CLASS(UnifiedSettingsWindowManagerTest)
#include "tst_UnifiedSettingsWindowManager.moc"

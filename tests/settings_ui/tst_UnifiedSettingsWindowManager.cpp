#include "common/TestRegistry.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/UnifiedSettingsWindow.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

#include <QElapsedTimer>
#include <QTabWidget>
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
    void opensOnTheRequestedOrRememberedTab()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::imeIndicator);
        f.close();
        QVERIFY(!f.manager.isSettingsWindowOpen());
        f.manager.showSettings(SettingsTab::clock);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        f.close();
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
    }

    void raisingKeepsTheTab()
    {
        Fixture f;
        f.manager.showSettings(SettingsTab::clock);
        QWidget* window = f.manager.settingsWindow();
        f.manager.showSettings(SettingsTab::about);
        QCOMPARE(f.manager.settingsWindow(), window);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        QCOMPARE(f.manager.currentTab(), SettingsTab::about);
    }

    void windowGeometry()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QWidget* window = f.manager.settingsWindow();
        QCOMPARE(window->minimumSize(), QSize(800, 600));
        QCOMPARE(window->maximumSize(), QSize(1400, 1000));
        QCOMPARE(window->findChild<QTabWidget*>("settingsTabs")->count(), 4);
    }

    void moveModesFollowTheWindow()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QVERIFY(f.store.settings().clock.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 1);
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.clockMoveModeApplied, 2);
        f.store.edit([](AppSettings& s) { s.imeIndicator.moveMode = true; });

        int posted = 0;
        QElapsedTimer sinceClose;
        qint64 delay = -1;
        f.notifications.observe(notifications::kIMEIndicatorSettingsChanged, &f.manager, [&](auto) {
            ++posted;
            delay = sinceClose.elapsed();
        });
        sinceClose.start();
        f.close();
        QVERIFY(!f.store.settings().clock.moveMode);
        QVERIFY(!f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 3);
        QCOMPARE(posted, 0);
        QTRY_COMPARE(posted, 1);
        QVERIFY(delay >= 40);
        QTest::qWait(100);
        QCOMPARE(posted, 1);
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

    void otherWindowsClosingIsIgnored()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QWidget other;
        f.manager.windowWillClose(&other);
        f.manager.windowWillClose(nullptr);
        QVERIFY(f.manager.isSettingsWindowOpen());
        QVERIFY(f.store.settings().clock.moveMode);
    }
};

MIREVO_TEST_CLASS(UnifiedSettingsWindowManagerTest)
#include "tst_UnifiedSettingsWindowManager.moc"

#include "PagesFixture.h"
#include "common/TestRegistry.h"
#include "settings_ui/UnifiedSettingsWindow.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

#include <QTest>

using namespace mirevo;

namespace {

// The window on the pages' store, counting the clock's move-mode changes.
struct Fixture : test::Pages {
    int clockMoveModeApplied = 0;
    UnifiedSettingsWindowManager manager{store, notifications, [this] { ++clockMoveModeApplied; }};

    SettingsTab shownTab() const
    {
        return qobject_cast<UnifiedSettingsWindow*>(manager.settingsWindow())->selectedTab();
    }
    // Whether a key closes the window, as the user presses it.
    bool close(const QKeySequence& key)
    {
        if (!QTest::qWaitForWindowActive(manager.settingsWindow()))
            return false;
        QTest::keySequence(manager.settingsWindow(), key);
        return !manager.isSettingsWindowOpen();
    }
};

} // namespace

class UnifiedSettingsWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    // Opens on the requested tab, else on the last one; an open window is raised as it is.
    // Esc and Ctrl+W close it.
    void opensOnTheRequestedOrRememberedTab()
    {
        Fixture f;
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::imeIndicator);
        QVERIFY(f.close(Qt::Key_Escape));
        f.manager.showSettings(SettingsTab::clock);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        QWidget* window = f.manager.settingsWindow();
        f.manager.showSettings(SettingsTab::about);
        QCOMPARE(f.manager.settingsWindow(), window);
        QCOMPARE(f.shownTab(), SettingsTab::clock);
        QVERIFY(f.close(QKeySequence("Ctrl+W")));
        f.manager.showSettings(std::nullopt);
        QCOMPARE(f.shownTab(), SettingsTab::about);
    }

    // Both displays can be dragged while the window is open, and no longer once it closes;
    // the badge hears of it once its page has gone.
    void moveModesFollowTheWindow()
    {
        Fixture f;
        f.manager.showSettings(SettingsTab::imeIndicator);
        QVERIFY(f.store.settings().clock.moveMode && f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 1);
        QWidget other;
        f.manager.windowWillClose(&other); // another window's close changes nothing
        QVERIFY(f.store.settings().clock.moveMode);
        f.heard.clear();
        QVERIFY(f.close(Qt::Key_Escape));
        QVERIFY(!f.store.settings().clock.moveMode && !f.store.settings().imeIndicator.moveMode);
        QCOMPARE(f.clockMoveModeApplied, 2);
        QCOMPARE(f.heard, QStringList());
        QTRY_COMPARE(f.heard, QStringList("ime"));
    }
};

MIREVO_TEST_CLASS(UnifiedSettingsWindowManagerTest)
#include "tst_UnifiedSettingsWindowManager.moc"

#include "clock/ClockWindowManager.h"
#include "clock/ContextMenuHostingView.h"
#include "common/TestRegistry.h"
#include "indicator/Fakes.h"
#include "platform/Displays.h"
#include "settings/AppSettingsManager.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::drag;
using mirevo::test::row;

namespace {

// A 1920x1080 primary with a 1280x1024 display to its right, top edges aligned (the second
// display's bottom edge is 56 above the primary's), and a clock stored 100 right of and
// 200 above the primary's bottom-left corner.
struct ClockFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};
    test::FakeSettingsWindow settingsWindow;
    ClockWindowManager manager{
        store, displays, &settingsWindow,
        ClockSources{[] { return QDateTime(QDate(2026, 3, 5), QTime(15, 30)); },
                     [] { return InputLanguage::english; }, [] { return QString("en-US"); }}};

    explicit ClockFixture(const std::function<void(ClockSettings&)>& change = {})
    {
        setClock([&](ClockSettings& c) {
            c.positionX = 100;
            c.positionY = 200;
            if (change)
                change(c);
        });
        store.saveSettings();
    }
    void setClock(const std::function<void(ClockSettings&)>& change)
    {
        store.edit([&](AppSettings& s) { change(s.clock); });
    }
    ClockSettings savedClock() const { return AppSettingsManager(folder.path()).settings().clock; }
    std::pair<QPointF, qint64> savedPlace() const
    {
        const ClockSettings c = savedClock();
        return {{c.positionX, c.positionY}, c.displayIndex};
    }
    QWidget* shownWindow()
    {
        manager.createClockWindow();
        QWidget* window = manager.clockWindow();
        return QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
};

} // namespace

class ClockWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void visibilitySizeAndMenuFollowTheSettings()
    {
        ClockFixture f([](ClockSettings& c) {
            c.isVisible = false;
            c.windowWidth = 600;
            c.windowHeight = 80;
        });
        f.manager.createClockWindow();
        QWidget* window = f.manager.clockWindow();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->size(), QSize(600, 80));

        f.setClock([](ClockSettings& c) { c.isVisible = true; });
        f.manager.applyClockSettings();
        QVERIFY(window->isVisible());
        // Applying cuts a size above the maximum, in the window only.
        QCOMPARE(window->geometry(), QRect(100, 800, 500, 80));
        QCOMPARE(f.store.settings().clock.windowWidth, 600.0);

        // An edit that sets a size (the analog face does) shows it with the new view.
        f.setClock([](ClockSettings& c) { c.windowHeight = 400; });
        f.manager.refreshClockView();
        QCOMPARE(window->geometry(), QRect(100, 480, 500, 400));

        // Its menu opens the clock tab, only while the settings window is closed.
        for (bool settingsOpen : {true, false}) {
            f.settingsWindow.open = settingsOpen;
            QTest::mouseClick(window, Qt::RightButton, {}, QPoint(50, 50));
        }
        const auto menus = window->findChildren<QMenu*>("clockContextMenu");
        QCOMPARE(menus.size(), 1);
        menus.first()->findChild<QAction*>("openSettingsAction")->trigger();
        QCOMPARE(f.settingsWindow.requests, QList<std::optional<SettingsTab>>{SettingsTab::clock});
        menus.first()->close();

        f.setClock([](ClockSettings& c) { c.isVisible = false; });
        f.manager.applyClockSettings();
        QVERIFY(!window->isVisible());
    }

    void followsItsDisplayAndStoresAResize()
    {
        ClockFixture f([](ClockSettings& c) {
            c.displayIndex = 1;
            c.moveMode = true;
        });
        QWidget* window = f.shownWindow();
        QCOMPARE(window->geometry(), QRect(2020, 604, 320, 220));
        f.displays.setGeometries({QRect(0, 0, 1920, 1080)});
        QCOMPARE(window->geometry(), QRect(100, 660, 320, 220));
        f.displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)});
        QCOMPARE(window->geometry(), QRect(2020, 604, 320, 220));
        QTest::qWait(50);
        QCOMPARE(f.savedPlace(), std::pair(QPointF(100, 200), qint64(1)));

        // A resize from the bottom-right corner: the bottom edge rises, so the stored origin
        // does too.
        QSignalSpy changes(&f.store, &AppSettingsManager::settingsChanged);
        drag(window, QPoint(318, 218), QPoint(-60, -40));
        QTRY_COMPARE(changes.count(), 4);
        for (const ClockSettings& clock : {f.store.settings().clock, f.savedClock()}) {
            QCOMPARE(QSizeF(clock.windowWidth, clock.windowHeight), QSizeF(260, 180));
            QCOMPARE(QPointF(clock.positionX, clock.positionY), QPointF(100, 240));
        }
        // The window's own echo of these edits is ignored until the next turn.
        QVERIFY(f.store.isUpdatingFromWindow());
        QTRY_VERIFY(!f.store.isUpdatingFromWindow());
    }

    void smallMovesAreNotStored_data()
    {
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("display");
        row("8 right, 8 down", true, QPoint(8, 8), QPointF(100, 200), qint64(0));
        row("11 right", true, QPoint(11, 0), QPointF(111, 200), qint64(0));
        row("11 down", true, QPoint(0, 11), QPointF(100, 189), qint64(0));
        row("no move mode", false, QPoint(40, 0), QPointF(100, 200), qint64(0));
        // Relative to the display it is dropped on.
        row("onto the other display", true, QPoint(1900, 0), QPointF(80, 144), qint64(1));
    }
    void smallMovesAreNotStored()
    {
        QFETCH(bool, moveMode);
        QFETCH(QPoint, delta);
        QFETCH(QPointF, stored);
        QFETCH(qint64, display);
        ClockFixture f([&](ClockSettings& c) { c.moveMode = moveMode; });
        QWidget* window = f.shownWindow();
        const QPoint start = window->pos();
        drag(window, QPoint(150, 100), delta);
        QTRY_COMPARE(window->pos(), moveMode ? start + delta : start);
        QTRY_COMPARE(f.savedPlace(), std::pair(stored, display));

        // Back onto the place the program chose at start: the user's move is stored too.
        QTRY_VERIFY(!f.store.isUpdatingFromWindow());
        drag(window, QPoint(150, 100), -delta);
        QTRY_COMPARE(window->pos(), start);
        QTRY_COMPARE(f.savedPlace(), std::pair(QPointF(100, 200), qint64(0)));
    }
};

MIREVO_TEST_CLASS(ClockWindowManagerTest)
#include "tst_ClockWindowManager.moc"

#include "clock/ClockView.h"
#include "clock/ClockWindowManager.h"
#include "clock/ContextMenuHostingView.h"
#include "common/TestRegistry.h"
#include "platform/Displays.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

class FakeSettingsWindow : public SettingsWindowAccess {
public:
    bool open = false;
    QList<std::optional<SettingsTab>> shown;

    bool isSettingsWindowOpen() const override { return open; }
    void showSettings(std::optional<SettingsTab> tab) override { shown << tab; }
};

// Drags the window with the left button from `from` (window coordinates) by `delta`,
// as the user would.
void drag(QWidget* window, QPoint from, QPoint delta)
{
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, from + delta);
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + delta);
}

} // namespace

class ClockWindowManagerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    std::unique_ptr<AppSettingsManager> m_store;
    // A 1920x1080 primary with a 1280x1024 display to its right, top edges aligned.
    FixedDisplays m_displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};
    FakeSettingsWindow m_settingsWindow;

    std::unique_ptr<ClockWindowManager> makeManager()
    {
        ClockSources sources{[] { return QDateTime(QDate(2026, 3, 5), QTime(15, 30)); },
                             [] { return InputLanguage::english; },
                             [] { return QString("en-US"); }};
        return std::make_unique<ClockWindowManager>(*m_store, m_displays, &m_settingsWindow,
                                                    sources);
    }
    void setClock(const std::function<void(ClockSettings&)>& change)
    {
        m_store->edit([&](AppSettings& s) { change(s.clock); });
    }
    ClockSettings savedClock() const
    {
        AppSettingsManager reread(m_folder.path());
        return reread.settings().clock;
    }

private slots:
    void initTestCase() { installTranslations(QLocale(QLocale::English)); }

    void init()
    {
        QFile::remove(m_folder.filePath(AppSettingsManager::kSettingsFileName));
        m_store = std::make_unique<AppSettingsManager>(m_folder.path());
        m_displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)});
        m_settingsWindow = FakeSettingsWindow();
        setClock([](ClockSettings& c) {
            c.positionX = 100;
            c.positionY = 200;
        });
        QVERIFY(m_store->saveSettings());
    }

    void framesComeFromTheNamedDisplay_data()
    {
        QTest::addColumn<qint64>("displayIndex");
        QTest::addColumn<QRect>("expected");
        // Display 1's bottom edge is 56 above the primary's.
        QTest::newRow("second display") << qint64(1) << QRect(2020, 604, 320, 220);
        QTest::newRow("primary") << qint64(0) << QRect(100, 660, 320, 220);
        QTest::newRow("out of range uses the main display")
            << qint64(3) << QRect(100, 660, 320, 220);
        QTest::newRow("negative uses the main display") << qint64(-1) << QRect(100, 660, 320, 220);
    }
    void framesComeFromTheNamedDisplay()
    {
        QFETCH(qint64, displayIndex);
        QFETCH(QRect, expected);
        setClock([&](ClockSettings& c) { c.displayIndex = displayIndex; });
        auto manager = makeManager();
        QCOMPARE(manager->screenForDisplay(displayIndex),
                 std::optional(expected.x() > 1920 ? 1 : 0));
        manager->createClockWindow();
        QCOMPARE(manager->clockWindow()->geometry(), expected);
        QVERIFY(manager->clockWindow()->isVisible());
        QVERIFY(manager->clockView());
    }

    void hiddenAtStartThenShownByApply()
    {
        setClock([](ClockSettings& c) { c.isVisible = false; });
        auto manager = makeManager();
        manager->createClockWindow();
        QVERIFY(manager->clockWindow());
        QVERIFY(!manager->clockWindow()->isVisible());

        setClock([](ClockSettings& c) { c.isVisible = true; });
        manager->applyClockSettings();
        QVERIFY(manager->clockWindow()->isVisible());
        QCOMPARE(manager->clockWindow()->geometry(), QRect(100, 660, 320, 220));

        setClock([](ClockSettings& c) { c.isVisible = false; });
        manager->applyClockSettings();
        QVERIFY(!manager->clockWindow()->isVisible());
    }

    void sizeComesFromTheSettings()
    {
        setClock([](ClockSettings& c) {
            c.windowWidth = 600;
            c.windowHeight = 80;
        });
        auto manager = makeManager();
        manager->createClockWindow();
        QCOMPARE(manager->clockWindow()->size(), QSize(600, 80));
        const ClockView* firstView = manager->clockView();
        manager->applyClockSettings();
        // Sizes below the minimum stay as they are.
        QCOMPARE(manager->clockWindow()->size(), QSize(500, 80));
        QVERIFY(manager->clockView() != firstView);
        QCOMPARE(m_store->settings().clock.windowWidth, 600.0);

        // An edit that sets a size (the analog face does) shows it with the new view.
        setClock([](ClockSettings& c) { c.windowHeight = 400; });
        manager->refreshClockView();
        QCOMPARE(manager->clockWindow()->geometry(), QRect(100, 480, 500, 400));
    }

    void followsItsDisplayGoingAndComing()
    {
        setClock([](ClockSettings& c) {
            c.displayIndex = 1;
            c.moveMode = true;
        });
        auto manager = makeManager();
        manager->createClockWindow();
        QWidget* window = manager->clockWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        m_displays.setGeometries({QRect(0, 0, 1920, 1080)});
        QCOMPARE(window->geometry(), QRect(100, 660, 320, 220));
        m_displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)});
        QCOMPARE(window->geometry(), QRect(2020, 604, 320, 220));
        QTest::qWait(50);
        const ClockSettings clock = m_store->settings().clock;
        QCOMPARE(QPointF(clock.positionX, clock.positionY), QPointF(100, 200));
        QCOMPARE(clock.displayIndex, 1);
    }

    void userResizesAreBounded_data()
    {
        QTest::addColumn<QSize>("proposed");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("both out") << QSize(50, 700) << QSize(100, 500);
        QTest::newRow("inside") << QSize(260, 180) << QSize(260, 180);
        QTest::newRow("just out") << QSize(501, 99) << QSize(500, 100);
    }
    void userResizesAreBounded()
    {
        QFETCH(QSize, proposed);
        QFETCH(QSize, expected);
        QCOMPARE(ClockWindowManager::windowWillResize(proposed), expected);
    }

    void smallMovesAreNotStored_data()
    {
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("display");
        QTest::newRow("8 right") << true << QPoint(8, 0) << QPointF(100, 200) << qint64(0);
        QTest::newRow("8 right, 8 down") << true << QPoint(8, 8) << QPointF(100, 200) << qint64(0);
        QTest::newRow("11 right") << true << QPoint(11, 0) << QPointF(111, 200) << qint64(0);
        QTest::newRow("11 down") << true << QPoint(0, 11) << QPointF(100, 189) << qint64(0);
        QTest::newRow("no move mode") << false << QPoint(40, 0) << QPointF(100, 200) << qint64(0);
        // Relative to the display it is dropped on, whose bottom is 56 higher.
        QTest::newRow("onto the other display")
            << true << QPoint(1900, 0) << QPointF(80, 144) << qint64(1);
    }
    void smallMovesAreNotStored()
    {
        QFETCH(bool, moveMode);
        QFETCH(QPoint, delta);
        QFETCH(QPointF, stored);
        QFETCH(qint64, display);
        setClock([&](ClockSettings& c) { c.moveMode = moveMode; });
        auto manager = makeManager();
        manager->createClockWindow();
        QWidget* window = manager->clockWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPoint start = window->pos();

        drag(window, QPoint(150, 100), delta);
        QTRY_COMPARE(window->pos(), moveMode ? start + delta : start);
        QTRY_COMPARE(
            QPointF(m_store->settings().clock.positionX, m_store->settings().clock.positionY),
            stored);
        const ClockSettings saved = savedClock();
        QCOMPARE(QPointF(saved.positionX, saved.positionY), stored);
        QCOMPARE(saved.displayIndex, display);

        // Back onto the place the program chose at start: the user's move is stored too.
        QTRY_VERIFY(!m_store->isUpdatingFromWindow());
        drag(window, QPoint(150, 100), -delta);
        QTRY_COMPARE(window->pos(), start);
        QTRY_COMPARE(savedClock().positionX, 100.0);
        QCOMPARE(savedClock().positionY, 200.0);
        QCOMPARE(savedClock().displayIndex, 0);
    }

    void endOfResizeWritesSizeAndOrigin()
    {
        setClock([](ClockSettings& c) { c.moveMode = true; });
        auto manager = makeManager();
        manager->createClockWindow();
        QWidget* window = manager->clockWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QSignalSpy changes(m_store.get(), &AppSettingsManager::settingsChanged);

        // From the bottom-right corner: the bottom edge rises, so the stored origin does too.
        drag(window, QPoint(318, 218), QPoint(-60, -40));
        QTRY_COMPARE(changes.count(), 4);
        const ClockSettings clock = m_store->settings().clock;
        QCOMPARE(QSizeF(clock.windowWidth, clock.windowHeight), QSizeF(260, 180));
        QCOMPARE(QPointF(clock.positionX, clock.positionY), QPointF(100, 240));
        const ClockSettings saved = savedClock();
        QCOMPARE(QSizeF(saved.windowWidth, saved.windowHeight), QSizeF(260, 180));
        QCOMPARE(QPointF(saved.positionX, saved.positionY), QPointF(100, 240));
        // The guard against the window's own echo clears one turn later.
        QVERIFY(m_store->isUpdatingFromWindow());
        QTRY_VERIFY(!m_store->isUpdatingFromWindow());

        // Dragging to the limits stops at the limits.
        drag(window, QPoint(258, 178), QPoint(-400, 900));
        QTRY_COMPARE(window->size(), QSize(100, 500));
    }

    void offScreenClockIsShownInView_data()
    {
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<bool>("fromApply");
        QTest::newRow("created") << false << false;
        QTest::newRow("created in move mode") << true << false;
        QTest::newRow("applied in move mode") << true << true;
    }
    void offScreenClockIsShownInView()
    {
        QFETCH(bool, moveMode);
        QFETCH(bool, fromApply);
        m_displays.setGeometries({QRect(0, 0, 1920, 1080)});
        auto manager = makeManager();
        if (fromApply) {
            setClock([&](ClockSettings& c) { c.moveMode = moveMode; });
            manager->createClockWindow();
            QVERIFY(QTest::qWaitForWindowExposed(manager->clockWindow()));
        }
        // The defaults: 2869 points right of a 1920-wide display.
        AppSettings defaults;
        defaults.clock.moveMode = moveMode;
        m_store->setSettings(defaults);
        if (fromApply)
            manager->applyClockSettings();
        else
            manager->createClockWindow();
        QWidget* window = manager->clockWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->geometry(), QRect(1600, 550, 320, 220));
        QTest::qWait(50);
        // The program's own placement is not a move by the user.
        QCOMPARE(m_store->settings().clock.positionX, 2869.0);
        QCOMPARE(m_store->settings().clock.positionY, 310.0);
    }

    void contextMenuOpensTheClockTab()
    {
        auto manager = makeManager();
        manager->createClockWindow();
        ContextMenuHostingView* window = manager->clockWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        m_settingsWindow.open = true;
        QTest::mouseClick(window, Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(!window->findChild<QMenu*>("clockContextMenu"));

        m_settingsWindow.open = false;
        QTest::mouseClick(window, Qt::RightButton, {}, QPoint(50, 50));
        auto* menu = window->findChild<QMenu*>("clockContextMenu");
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        auto* item = menu->findChild<QAction*>("openSettingsAction");
        QVERIFY(item);
        QVERIFY(!item->text().isEmpty());
        QVERIFY(item->text() != "menu.settings");
        item->trigger();
        QCOMPARE(m_settingsWindow.shown, QList<std::optional<SettingsTab>>{SettingsTab::clock});
        menu->close();
    }
};

MIREVO_TEST_CLASS(ClockWindowManagerTest)
#include "tst_ClockWindowManager.moc"

#include "clock/ClockView.h"
#include "clock/ClockWindowManager.h"
#include "clock/ContextMenuHostingView.h"
#include "common/TestRegistry.h"
#include "indicator/IndicatorFixture.h"
#include "platform/Displays.h"
#include "settings/AppSettingsManager.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::drag;

class ClockWindowManagerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    std::unique_ptr<AppSettingsManager> m_store;
    // A 1920x1080 primary with a 1280x1024 display to its right, top edges aligned: the
    // second display's bottom edge is 56 above the primary's.
    FixedDisplays m_displays{{}};
    test::FakeSettingsWindow m_settingsWindow;

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
        return AppSettingsManager(m_folder.path()).settings().clock;
    }
    QPointF storedPosition() const
    {
        return {m_store->settings().clock.positionX, m_store->settings().clock.positionY};
    }

private slots:
    void init()
    {
        QFile::remove(m_folder.filePath(AppSettingsManager::kSettingsFileName));
        m_store = std::make_unique<AppSettingsManager>(m_folder.path());
        m_displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)});
        m_settingsWindow = test::FakeSettingsWindow();
        setClock([](ClockSettings& c) {
            c.positionX = 100;
            c.positionY = 200;
        });
        QVERIFY(m_store->saveSettings());
    }

    void visibilityAndSizeFollowTheSettings()
    {
        setClock([](ClockSettings& c) {
            c.isVisible = false;
            c.windowWidth = 600;
            c.windowHeight = 80;
        });
        auto manager = makeManager();
        manager->createClockWindow();
        QWidget* window = manager->clockWindow();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->size(), QSize(600, 80));

        setClock([](ClockSettings& c) { c.isVisible = true; });
        manager->applyClockSettings();
        QVERIFY(window->isVisible());
        // Applying cuts a size above the maximum, in the window only.
        QCOMPARE(window->geometry(), QRect(100, 800, 500, 80));
        QCOMPARE(m_store->settings().clock.windowWidth, 600.0);

        // An edit that sets a size (the analog face does) shows it with the new view.
        const ClockView* firstView = manager->clockView();
        setClock([](ClockSettings& c) { c.windowHeight = 400; });
        manager->refreshClockView();
        QCOMPARE(window->geometry(), QRect(100, 480, 500, 400));
        QVERIFY(manager->clockView() != firstView);

        setClock([](ClockSettings& c) { c.isVisible = false; });
        manager->applyClockSettings();
        QVERIFY(!window->isVisible());
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
        QCOMPARE(window->geometry(), QRect(2020, 604, 320, 220));
        m_displays.setGeometries({QRect(0, 0, 1920, 1080)});
        QCOMPARE(window->geometry(), QRect(100, 660, 320, 220));
        m_displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)});
        QCOMPARE(window->geometry(), QRect(2020, 604, 320, 220));
        QTest::qWait(50);
        QCOMPARE(storedPosition(), QPointF(100, 200));
        QCOMPARE(m_store->settings().clock.displayIndex, 1);
    }

    void smallMovesAreNotStored_data()
    {
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("display");
        QTest::newRow("8 right, 8 down") << true << QPoint(8, 8) << QPointF(100, 200) << qint64(0);
        QTest::newRow("11 right") << true << QPoint(11, 0) << QPointF(111, 200) << qint64(0);
        QTest::newRow("11 down") << true << QPoint(0, 11) << QPointF(100, 189) << qint64(0);
        QTest::newRow("no move mode") << false << QPoint(40, 0) << QPointF(100, 200) << qint64(0);
        // Relative to the display it is dropped on.
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
        QTRY_COMPARE(storedPosition(), stored);
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
        for (const ClockSettings& clock : {m_store->settings().clock, savedClock()}) {
            QCOMPARE(QSizeF(clock.windowWidth, clock.windowHeight), QSizeF(260, 180));
            QCOMPARE(QPointF(clock.positionX, clock.positionY), QPointF(100, 240));
        }
        // The window's own echo of these edits is ignored until the next turn.
        QVERIFY(m_store->isUpdatingFromWindow());
        QTRY_VERIFY(!m_store->isUpdatingFromWindow());
    }

    void contextMenuOpensTheClockTab()
    {
        auto manager = makeManager();
        manager->createClockWindow();
        ContextMenuHostingView* window = manager->clockWindow();
        for (bool settingsOpen : {true, false}) {
            m_settingsWindow.open = settingsOpen;
            QTest::mouseClick(window, Qt::RightButton, {}, QPoint(50, 50));
        }
        // Only while the settings window is closed.
        const auto menus = window->findChildren<QMenu*>("clockContextMenu");
        QCOMPARE(menus.size(), 1);
        menus.first()->findChild<QAction*>("openSettingsAction")->trigger();
        QCOMPARE(m_settingsWindow.requests, QList<std::optional<SettingsTab>>{SettingsTab::clock});
        menus.first()->close();
    }
};

MIREVO_TEST_CLASS(ClockWindowManagerTest)
#include "tst_ClockWindowManager.moc"

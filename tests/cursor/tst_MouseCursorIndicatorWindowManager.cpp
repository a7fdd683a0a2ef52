#include "common/TestRegistry.h"
#include "cursor/CursorTestSupport.h"
#include "cursor/MouseCursorIndicatorView.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace mirevo;
using mirevo::test::CursorFixture;
using mirevo::test::EventCounter;

namespace {

QList<InputLanguage> postedLanguages(const QSignalSpy& spy)
{
    QList<InputLanguage> languages;
    for (const QList<QVariant>& call : spy) {
        if (call.at(0).toString() == notifications::kMouseCursorIndicatorLanguageChanged)
            languages << call.at(1).value<InputLanguage>();
    }
    return languages;
}

} // namespace

class MouseCursorIndicatorWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void placesTheBadgeBesideThePointer_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<double>("offsetX");
        QTest::addColumn<double>("offsetY");
        QTest::addColumn<double>("size");
        QTest::addColumn<QPoint>("expectedTopLeft");
        // Stored (500, 400) is Qt (500, 680) on the 1080-high display.
        QTest::newRow("defaults") << QPoint(500, 680) << 16.0 << 8.0 << 20.0 << QPoint(516, 688);
        QTest::newRow("larger badge, same top edge")
            << QPoint(500, 680) << 16.0 << 8.0 << 40.0 << QPoint(516, 688);
        QTest::newRow("negative offsets")
            << QPoint(500, 680) << -30.0 << -40.0 << 20.0 << QPoint(470, 640);
        QTest::newRow("past the bottom-right corner")
            << QPoint(1915, 1075) << 16.0 << 8.0 << 20.0 << QPoint(1931, 1083);
        QTest::newRow("past the top-left corner")
            << QPoint(2, 3) << -30.0 << -40.0 << 20.0 << QPoint(-28, -37);
    }
    void placesTheBadgeBesideThePointer()
    {
        QFETCH(QPoint, pointer);
        QFETCH(double, offsetX);
        QFETCH(double, offsetY);
        QFETCH(double, size);
        QFETCH(QPoint, expectedTopLeft);
        CursorFixture f;
        f.store.edit([&](AppSettings& s) {
            s.mouseCursorIndicator.offsetX = offsetX;
            s.mouseCursorIndicator.offsetY = offsetY;
            s.mouseCursorIndicator.size = size;
        });
        f.pointer = QPoint(900, 100);
        f.manager->show();
        QWidget* window = f.manager->indicatorWindow();
        QVERIFY(window);
        QCOMPARE(window->size(), QSize(int(size), int(size)));

        f.pointer = pointer;
        emit f.lastMonitor->pointerMoved();
        QCOMPARE(window->pos(), expectedTopLeft);
    }

    void storedOriginIsBelowThePointer()
    {
        CursorFixture f;
        f.manager->show();
        const QWidget* window = f.manager->indicatorWindow();
        QCOMPARE(f.displays.storedOrigin(window->pos(), window->height()), QPointF(516, 372));
    }

    void timerAloneFollowsThePointerWithoutAMonitor()
    {
        CursorFixture f;
        f.hasXInput = false;
        f.manager->show();
        QVERIFY(f.manager->isPositionTimerActive());
        QVERIFY(!f.manager->pointerMonitor());
        f.pointer = QPoint(100, 100);
        QTRY_COMPARE(f.manager->indicatorWindow()->pos(), QPoint(116, 108));
    }

    void restingPointerCostsNoMoveAndNoRepaint()
    {
        CursorFixture f;
        f.manager->show();
        QWidget* window = f.manager->indicatorWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        EventCounter moves(window, QEvent::Move);
        EventCounter restacks(window, QEvent::ZOrderChange);
        EventCounter paints(f.manager->indicatorView(), QEvent::Paint);
        QCoreApplication::processEvents();
        moves.count = restacks.count = paints.count = 0;

        for (int tick = 0; tick < 5; ++tick) {
            f.manager->updatePosition();
            emit f.lastMonitor->pointerMoved();
            QCoreApplication::processEvents();
        }
        QCOMPARE(moves.count, 0);
        QCOMPARE(restacks.count, 0);
        QCOMPARE(paints.count, 0);

        f.pointer += QPoint(3, 0);
        f.manager->updatePosition();
        QCoreApplication::processEvents();
        QCOMPARE(moves.count, 1);
        QCOMPARE(restacks.count, 1);
    }

    void updateLanguagePostsOnlyChangesWhileShown()
    {
        CursorFixture f;
        QSignalSpy posts(&f.center, &NotificationCenter::posted);

        f.manager->updateLanguage(InputLanguage::korean);
        QCOMPARE(f.manager->currentLanguage(), InputLanguage::korean);
        QVERIFY(postedLanguages(posts).isEmpty());

        // Showing takes the input-source monitor's language, not the one stored while hidden.
        f.monitorLanguage = InputLanguage::japanese;
        f.manager->show();
        QCOMPARE(f.manager->currentLanguage(), InputLanguage::japanese);
        QCOMPARE(f.manager->indicatorView()->currentLanguage(), InputLanguage::japanese);
        QCOMPARE(postedLanguages(posts), QList{InputLanguage::japanese});

        f.manager->updateLanguage(InputLanguage::japanese);
        QCOMPARE(postedLanguages(posts).size(), 1);

        f.manager->updateLanguage(InputLanguage::thai);
        QCOMPARE(postedLanguages(posts), (QList{InputLanguage::japanese, InputLanguage::thai}));
        QCOMPARE(f.manager->indicatorView()->currentLanguage(), InputLanguage::thai);
    }

    void visibilityRemovesAndRecreatesWindowMonitorAndTimer()
    {
        CursorFixture f;
        f.manager->show();
        QPointer<QWidget> firstWindow = f.manager->indicatorWindow();
        QPointer<test::FakePointerMonitor> firstMonitor = f.lastMonitor;
        QVERIFY(f.manager->isTracking());

        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.isVisible = false; });
        QVERIFY(!f.manager->indicatorWindow());
        QVERIFY(!f.manager->isTracking());
        QVERIFY(!f.manager->isPositionTimerActive());
        QVERIFY(!f.manager->pointerMonitor());
        QVERIFY(firstWindow.isNull());
        QVERIFY(firstMonitor.isNull());
        f.manager->updatePosition(); // nothing to move, nothing to crash

        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.isVisible = true; });
        QVERIFY(f.manager->indicatorWindow());
        QVERIFY(f.manager->indicatorWindow()->isVisible());
        QVERIFY(f.manager->isPositionTimerActive());
        QCOMPARE(f.monitorsCreated, 2);
        QCOMPARE(f.manager->pointerMonitor(), f.lastMonitor.data());
    }

    void staysHiddenOnAWaylandSession()
    {
        CursorFixture f;
        qputenv("XDG_SESSION_TYPE", "wayland");
        f.manager->show();
        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.isVisible = true; });
        const bool shown = f.manager->indicatorWindow() != nullptr;
        qunsetenv("XDG_SESSION_TYPE");
        QVERIFY(!shown);
        QCOMPARE(f.monitorsCreated, 0);
        QVERIFY(f.store.settings().mouseCursorIndicator.isVisible);
    }

    void sizeChangeResizesInPlace()
    {
        CursorFixture f;
        f.manager->show();
        QWidget* window = f.manager->indicatorWindow();
        const QPoint before = window->pos();

        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.size = 36; });
        QCOMPARE(f.manager->indicatorWindow(), window);
        QCOMPARE(window->size(), QSize(36, 36));
        QCOMPARE(window->pos(), before);
        QCOMPARE(f.manager->indicatorView()->size(), QSize(36, 36));
    }

    void absurdSizesStayDrawable_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("zero") << 0.0 << QSize(1, 1);
        QTest::newRow("negative") << -5.0 << QSize(1, 1);
        QTest::newRow("huge") << 1e300 << QSize(2048, 2048);
        QTest::newRow("not a number") << qQNaN() << QSize(1, 1);
    }
    void absurdSizesStayDrawable()
    {
        QFETCH(double, size);
        QFETCH(QSize, expected);
        CursorFixture f;
        f.store.edit([&](AppSettings& s) { s.mouseCursorIndicator.size = size; });
        f.manager->show();
        QCOMPARE(f.manager->indicatorWindow()->size(), expected);
        f.manager->indicatorView()->grab(); // paints without crashing
    }
};

MIREVO_TEST_CLASS(MouseCursorIndicatorWindowManagerTest)
#include "tst_MouseCursorIndicatorWindowManager.moc"

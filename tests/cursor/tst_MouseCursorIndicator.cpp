#include "common/TestRegistry.h"
#include "cursor/MouseCursorIndicatorView.h"
#include "cursor/MouseCursorIndicatorWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/PointerMonitor.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::row;

namespace {

struct EventCounter : QObject {
    QHash<QEvent::Type, int> counts;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (QList{QEvent::Move, QEvent::ZOrderChange, QEvent::Paint}.contains(event->type()))
            ++counts[event->type()];
        return false;
    }
};

// The tests set the pointer and fire the raw-motion monitor themselves.
struct CursorFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080)}};
    NotificationCenter center;
    QPoint pointer{500, 680}; // (500, 400) in stored coordinates
    bool hasXInput = true;
    QPointer<PointerMonitor> lastMonitor;
    InputLanguage monitorLanguage = InputLanguage::english;
    MouseCursorIndicatorWindowManager manager{
        store,
        displays,
        center,
        [this] { return pointer; },
        [this] {
            auto monitor = hasXInput ? std::make_unique<PointerMonitor>() : nullptr;
            lastMonitor = monitor.get();
            return monitor;
        },
        [this] { return monitorLanguage; }};
    template <typename Edit> void editAndNotify(Edit&& change)
    {
        store.edit(change);
        center.post(notifications::kMouseCursorIndicatorSettingsChanged);
    }
};

} // namespace

class MouseCursorIndicatorTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheCurrentLanguageInTheIMEIndicatorLook()
    {
        CursorFixture f;
        f.store.edit([](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0, 0, 1, 1};
            // The badge's own colour fields are stored but never drawn.
            for (ColorComponents& colour : s.mouseCursorIndicator.colors)
                colour = {0, 1, 0, 1};
        });
        // Showing takes the input-source monitor's language, not one kept while hidden.
        f.manager.updateLanguage(InputLanguage::thai);
        f.monitorLanguage = InputLanguage::japanese;
        f.manager.show();
        MouseCursorIndicatorView* view = f.manager.indicatorView();
        QCOMPARE(view->currentLanguage(), InputLanguage::japanese);
        f.manager.updateLanguage(InputLanguage::korean);
        // Not a language: ignored.
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged, QString("english"));
        QCOMPARE(view->currentLanguage(), InputLanguage::korean);
        // A point on the disc left of the text, in blue.
        const QImage image = view->grab().toImage();
        const QColor disc = image.pixelColor(4, 10);
        QVERIFY(disc.blue() > 100 && disc.red() == 0 && disc.green() == 0);
        // The pointer badge's own opacity, not the IME indicator's.
        f.store.edit([](AppSettings& s) { s.mouseCursorIndicator.opacity /= 3; });
        QVERIFY(view->grab().toImage().pixelColor(4, 10).alpha() < disc.alpha() * 0.6);
    }

    void placesTheBadgeBesideThePointer_data()
    {
        QTest::addColumn<QString>("follow"); // monitor, timer, or stopped (a monitor that broke)
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("expected"); // the default offsets: 16 right, 8 down
        // Stored (500, 400) is Qt (500, 680) on the 1080-high display.
        const QPoint p(500, 680);
        row("larger, same top", "monitor", p, QRect(516, 688, 40, 40));
        row("past the bottom-right corner", "monitor", QPoint(1915, 1075),
            QRect(1931, 1083, 20, 20));
        // Without a monitor, or once it breaks, the timer follows the pointer.
        row("timer", "timer", p, QRect(516, 688, 20, 20));
        row("monitor stopped", "stopped", p, QRect(516, 688, 20, 20));
    }
    void placesTheBadgeBesideThePointer()
    {
        QFETCH(QString, follow);
        QFETCH(QPoint, pointer);
        QFETCH(QRect, expected);
        CursorFixture f;
        f.hasXInput = follow != "timer";
        f.store.edit([&](AppSettings& s) { s.mouseCursorIndicator.size = expected.width(); });
        f.pointer = QPoint(900, 100);
        f.manager.show();
        QCOMPARE(f.manager.isPositionTimerActive(), follow == "timer");
        QCoreApplication::processEvents(); // the place on showing taken
        f.pointer = pointer;
        if (follow == "monitor")
            emit f.lastMonitor->pointerMoved();
        else if (follow == "stopped")
            emit f.lastMonitor->stopped();
        QTRY_COMPARE(f.manager.indicatorWindow()->geometry(), expected);
    }

    void restingCostsNoMoveAndNoRepaint()
    {
        CursorFixture f;
        f.manager.show();
        QWidget* window = f.manager.indicatorWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        EventCounter events;
        window->installEventFilter(&events);
        f.manager.indicatorView()->installEventFilter(&events);
        QCoreApplication::processEvents();
        events.counts.clear();
        // A resting pointer, the same language again and settings the badge does not draw.
        f.manager.updatePosition();
        emit f.lastMonitor->pointerMoved();
        f.manager.updateLanguage(InputLanguage::english);
        f.store.edit([](AppSettings& s) {
            s.clock.isVisible = !s.clock.isVisible;
            s.mouseCursorIndicator.offsetX = 16;
            s.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0, 1, 0, 1};
        });
        QCoreApplication::processEvents();
        QCOMPARE(events.counts, (QHash<QEvent::Type, int>{}));

        f.pointer += QPoint(3, 0);
        f.manager.updatePosition();
        f.store.edit([](AppSettings& s) { s.imeIndicator.texts[0] = QStringLiteral("E"); });
        QCoreApplication::processEvents();
        QCOMPARE(events.counts.value(QEvent::Move), 1);
        QCOMPARE(events.counts.value(QEvent::ZOrderChange), 1);
        QTRY_VERIFY(events.counts.value(QEvent::Paint) > 0);
    }

    void showsOnlyWhenOnAndResizesInPlace()
    {
        CursorFixture f;
        // On a Wayland session there is no window and no tracking.
        qputenv("XDG_SESSION_TYPE", "wayland");
        f.manager.show();
        const bool shownOnWayland = f.manager.indicatorWindow();
        qunsetenv("XDG_SESSION_TYPE");
        QVERIFY(!shownOnWayland && !f.lastMonitor);

        f.manager.show();
        QPointer<QWidget> firstWindow = f.manager.indicatorWindow();
        QPointer<PointerMonitor> firstMonitor = f.lastMonitor;
        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.isVisible = false; });
        QVERIFY(!firstWindow && !firstMonitor && !f.manager.isTracking());
        f.manager.updatePosition(); // nothing to move, nothing to crash
        f.editAndNotify([](AppSettings& s) { s.mouseCursorIndicator.isVisible = true; });
        QWidget* window = f.manager.indicatorWindow();
        QVERIFY(window->isVisible() && f.manager.isTracking());
        QCOMPARE(f.manager.pointerMonitor(), f.lastMonitor.data());

        // Sizes a hand-edited file may hold still make a usable window.
        const QPoint place = window->pos();
        for (auto [size, side] : {std::pair{36.0, 36}, {-5.0, 1}, {1e300, 2048}, {qQNaN(), 1}}) {
            f.editAndNotify([size = size](AppSettings& s) { s.mouseCursorIndicator.size = size; });
            QCOMPARE(f.manager.indicatorWindow(), window);
            QCOMPARE(window->geometry(), QRect(place, QSize(side, side)));
            f.manager.indicatorView()->grab(); // paints without crashing
        }
    }
};

MIREVO_TEST_CLASS(MouseCursorIndicatorTest)
#include "tst_MouseCursorIndicator.moc"

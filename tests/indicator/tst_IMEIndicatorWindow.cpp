#include "Fakes.h"
#include "common/TestRegistry.h"
#include "indicator/DraggableHostingView.h"
#include "indicator/IMEIndicatorWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using namespace mirevo::test;

namespace {

// The badge's settings a test starts from or changes to.
struct Badge {
    double size = 100;
    QPointF place{24, 152}; // the default: Qt (24, 828) on a 1080-high display
    qint64 display = 0;
    bool moveMode = false;
    bool visible = true;
};

// Two 1920x1080 displays side by side, a store in a temporary folder and a private
// notification center.
struct ManagerFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)}};
    NotificationCenter center;
    FakeSettingsWindow settingsWindow;
    IMEIndicatorWindowManager manager{store, displays, center, &settingsWindow};

    void set(const Badge& badge)
    {
        store.edit([&](AppSettings& a) {
            IMEIndicatorSettings& s = a.imeIndicator;
            s.indicatorSize = badge.size;
            s.positionX = badge.place.x();
            s.positionY = badge.place.y();
            s.displayIndex = badge.display;
            s.moveMode = badge.moveMode;
            s.isVisible = badge.visible;
        });
    }
    void postChange() { center.post(notifications::kIMEIndicatorSettingsChanged); }
};

QPointF placeOf(const IMEIndicatorSettings& s)
{
    return {s.positionX, s.positionY};
}

} // namespace

Q_DECLARE_METATYPE(Badge)

class IMEIndicatorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowSitsOnTheNamedDisplay_data()
    {
        QTest::addColumn<Badge>("badge");
        QTest::addColumn<QRect>("expected"); // null: no window
        const QRect home(24, 828, 100, 100);
        QTest::newRow("display 0") << Badge{} << home;
        QTest::newRow("display 1") << Badge{.display = 1} << QRect(1944, 828, 100, 100);
        // A display that is gone: on the primary display.
        QTest::newRow("no such display") << Badge{.display = 2} << home;
        QTest::newRow("no display at all") << Badge{} << QRect();
        // A place off every display: the nearest place in view; the stored one is kept.
        QTest::newRow("off screen") << Badge{.place = {5000, 5000}} << QRect(1820, 0, 100, 100);
        // Sizes a hand-edited file may hold still make a usable window.
        QTest::newRow("negative size") << Badge{.size = -5} << QRect(24, 918, 10, 10);
        QTest::newRow("huge size") << Badge{.size = 1e9} << QRect(24, -72, 1000, 1000);
        QTest::newRow("size not a number") << Badge{.size = qQNaN()} << home;
    }
    void windowSitsOnTheNamedDisplay()
    {
        QFETCH(Badge, badge);
        QFETCH(QRect, expected);
        ManagerFixture f;
        f.set(badge);
        if (expected.isNull())
            f.displays.setGeometries({});
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        QCOMPARE(window ? window->geometry() : QRect(), expected);
        if (!window)
            return;
        QVERIFY(window->isVisible());
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        // The next change finds the window in place instead of rebuilding it.
        f.postChange();
        QCOMPARE(f.manager.indicatorWindow(), window);
        QCOMPARE(placeOf(f.store.settings().imeIndicator), badge.place);
    }

    void settingsChangeRefreshesOrRebuilds_data()
    {
        QTest::addColumn<Badge>("badge");
        QTest::addColumn<bool>("rebuilt");
        QTest::addColumn<QRect>("geometry");
        const QRect home(24, 828, 100, 100);
        QTest::newRow("colour only") << Badge{} << false << home;
        QTest::newRow("move mode") << Badge{.moveMode = true} << false << home;
        QTest::newRow("hidden") << Badge{.visible = false} << false << home;
        // Same bottom-left corner, so the top moves up by 20.
        QTest::newRow("size") << Badge{.size = 120} << true << QRect(24, 808, 120, 120);
        QTest::newRow("position") << Badge{.place = {300, 152}} << true
                                  << QRect(300, 828, 100, 100);
    }
    void settingsChangeRefreshesOrRebuilds()
    {
        QFETCH(Badge, badge);
        QFETCH(bool, rebuilt);
        QFETCH(QRect, geometry);
        ManagerFixture f;
        f.manager.setCurrentLanguage(InputLanguage::korean);
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> before = f.manager.indicatorWindow();
        const ColorComponents green{0.0, 1.0, 0.0, 1.0};
        f.set(badge);
        f.store.edit([&](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(InputLanguage::korean)] = green;
        });
        f.postChange();
        DraggableHostingView* after = f.manager.indicatorWindow();
        QCOMPARE(after != before.data(), rebuilt);
        QCOMPARE(after->geometry(), geometry);
        QCOMPARE(after->isVisible(), badge.visible);
        QTRY_COMPARE(after->rootView().color, green);
        QCOMPARE(after->rootView().moveMode, badge.moveMode);
        QTRY_VERIFY(!rebuilt || !before); // the old window goes away
    }

    void dragStoresTheDroppedPlace_data()
    {
        QTest::addColumn<Badge>("badge");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("storedDisplay");
        const Badge moving{.moveMode = true};
        QTest::newRow("move mode") << moving << QPoint(30, 10) << QPointF(54, 142) << qint64(0);
        QTest::newRow("move mode off")
            << Badge{} << QPoint(30, 10) << QPointF(24, 152) << qint64(0);
        QTest::newRow("onto the other display")
            << moving << QPoint(1950, 10) << QPointF(54, 142) << qint64(1);
        QTest::newRow("from a display that is gone")
            << Badge{.display = 2, .moveMode = true} << QPoint(30, 10) << QPointF(54, 142)
            << qint64(0);
        QTest::newRow("from a place kept in view")
            << Badge{.place = {5000, 5000}, .moveMode = true} << QPoint(-100, 200)
            << QPointF(1720, 780) << qint64(0);
    }
    void dragStoresTheDroppedPlace()
    {
        QFETCH(Badge, badge);
        QFETCH(QPoint, delta);
        QFETCH(QPointF, stored);
        QFETCH(qint64, storedDisplay);
        ManagerFixture f;
        f.set(badge);
        f.store.saveSettings();
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> window = f.manager.indicatorWindow();
        const QRect start = window->geometry();
        QSignalSpy notifications(&f.center, &NotificationCenter::posted);
        drag(window, QPoint(50, 50), delta);
        QCOMPARE(notifications.count(), badge.moveMode ? 1 : 0);
        QCoreApplication::processEvents();

        // The manager, told of the change, finds the window where it was dropped.
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(window->geometry(), start.translated(badge.moveMode ? delta : QPoint()));
        const IMEIndicatorSettings saved =
            AppSettingsManager(f.folder.path()).settings().imeIndicator;
        QCOMPARE(placeOf(saved), stored);
        QCOMPARE(saved.displayIndex, badge.moveMode ? storedDisplay : badge.display);
    }

    void toggleIsSavedAndKeepsTheWindow()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        for (bool visible : {false, true}) {
            f.manager.toggleVisibility();
            QCOMPARE(window->isVisible(), visible);
            QCOMPARE(f.manager.indicatorWindow(), window);
            QCOMPARE(AppSettingsManager(f.folder.path()).settings().imeIndicator.isVisible,
                     visible);
        }
    }

    void languageChangeDimsThenShowsTheNewLanguage()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        f.manager.setCurrentLanguage(InputLanguage::japanese);
        f.manager.animateLanguageChange();
        // The lowest opacity reached while the old language still shows. The values come
        // from the animations, so a busy machine that skips frames still records them.
        double lowest = 1.0;
        for (QPropertyAnimation* animation : window->findChildren<QPropertyAnimation*>())
            connect(animation, &QVariantAnimation::valueChanged, this, [&](const QVariant& v) {
                if (window->rootView().language == InputLanguage::english)
                    lowest = std::min(lowest, v.toDouble());
            });
        QTRY_COMPARE(window->rootView().language, InputLanguage::japanese);
        QVERIFY2(lowest < 0.5, qPrintable(QString::number(lowest)));
        QCOMPARE(window->windowOpacity(), 1.0);
    }

    void contextMenuOpensTheSettings()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        QMenu* shown[2] = {};
        for (bool settingsOpen : {true, false}) {
            f.settingsWindow.open = settingsOpen;
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50), QPoint(74, 878));
            QApplication::sendEvent(f.manager.indicatorWindow(), &event);
            shown[settingsOpen] = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        }
        // Only while the settings window is closed.
        QVERIFY(!shown[true] && shown[false]);
        shown[false]->actions().first()->trigger();
        shown[false]->close();
        QCOMPARE(f.settingsWindow.requests,
                 QList<std::optional<SettingsTab>>{SettingsTab::imeIndicator});
    }
};

MIREVO_TEST_CLASS(IMEIndicatorWindowTest)
#include "tst_IMEIndicatorWindow.moc"

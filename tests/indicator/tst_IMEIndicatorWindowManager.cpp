#include "IndicatorFixture.h"
#include "common/TestRegistry.h"
#include "indicator/DraggableHostingView.h"
#include "indicator/IMEIndicatorWindowManager.h"
#include "settings/SettingsNotifications.h"

#include <QPointer>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace mirevo;
using namespace mirevo::test;

namespace {

struct ManagerFixture : IndicatorFixture {
    IMEIndicatorWindowManager manager{store, displays, center, &settingsWindow};

    void postChange() { center.post(notifications::kIMEIndicatorSettingsChanged); }
    QPointF storedPosition() const
    {
        const IMEIndicatorSettings& s = store.settings().imeIndicator;
        return {s.positionX, s.positionY};
    }
};

} // namespace

class IMEIndicatorWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void windowSitsOnTheNamedDisplay_data()
    {
        QTest::addColumn<qint64>("displayIndex");
        QTest::addColumn<QRect>("expected"); // null: no window
        QTest::newRow("display 0") << qint64(0) << QRect(24, 828, 100, 100);
        QTest::newRow("display 1") << qint64(1) << QRect(1944, 828, 100, 100);
        // A display that is gone: on the primary display (and back on its own, see below).
        QTest::newRow("no such display") << qint64(2) << QRect(24, 828, 100, 100);
        QTest::newRow("negative index") << qint64(-1) << QRect(24, 828, 100, 100);
        QTest::newRow("no display at all") << qint64(0) << QRect();
    }
    void windowSitsOnTheNamedDisplay()
    {
        QFETCH(qint64, displayIndex);
        QFETCH(QRect, expected);
        ManagerFixture f;
        f.editIndicator([&](IMEIndicatorSettings& s) { s.displayIndex = displayIndex; });
        if (expected.isNull())
            f.displays.setGeometries({});
        f.manager.createIndicatorWindow();
        QCOMPARE(f.manager.isVisible(), true);
        if (expected.isNull()) {
            QVERIFY(!f.manager.indicatorWindow());
            return;
        }
        QVERIFY(f.manager.indicatorWindow());
        QCOMPARE(f.manager.indicatorWindow()->geometry(), expected);
        QVERIFY(f.manager.indicatorWindow()->isVisible());
        QVERIFY(f.manager.indicatorWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(f.manager.indicatorWindow()->testAttribute(Qt::WA_TranslucentBackground));
    }

    void unusableSizesStillMakeAWindow_data()
    {
        QTest::addColumn<double>("indicatorSize");
        QTest::addColumn<int>("side");
        QTest::newRow("negative") << -5.0 << 10;
        QTest::newRow("huge") << 1e9 << 1000;
        QTest::newRow("not a number") << std::nan("") << 100;
    }
    void unusableSizesStillMakeAWindow()
    {
        QFETCH(double, indicatorSize);
        QFETCH(int, side);
        ManagerFixture f;
        f.editIndicator([&](IMEIndicatorSettings& s) { s.indicatorSize = indicatorSize; });
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        QVERIFY(window);
        QCOMPARE(window->size(), QSize(side, side));
        QCOMPARE(window->rootView().size, double(side));
        // The next change finds the window in place instead of rebuilding it.
        f.postChange();
        QCOMPARE(f.manager.indicatorWindow(), window);
    }

    void settingsChangeRefreshesOrRebuilds_data()
    {
        QTest::addColumn<double>("indicatorSize");
        QTest::addColumn<double>("positionX");
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<bool>("rebuilt");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("colour only") << 100.0 << 24.0 << false << false << QRect(24, 828, 100, 100);
        QTest::newRow("move mode") << 100.0 << 24.0 << true << false << QRect(24, 828, 100, 100);
        // Same bottom-left corner, so the top moves up by 20.
        QTest::newRow("size") << 120.0 << 24.0 << false << true << QRect(24, 808, 120, 120);
        QTest::newRow("position") << 100.0 << 300.0 << false << true << QRect(300, 828, 100, 100);
    }
    void settingsChangeRefreshesOrRebuilds()
    {
        QFETCH(double, indicatorSize);
        QFETCH(double, positionX);
        QFETCH(bool, moveMode);
        QFETCH(bool, rebuilt);
        QFETCH(QRect, geometry);
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> before = f.manager.indicatorWindow();
        QVERIFY(before);
        const ColorComponents green{0.0, 1.0, 0.0, 1.0};
        f.editIndicator([&](IMEIndicatorSettings& s) {
            s.indicatorSize = indicatorSize;
            s.positionX = positionX;
            s.moveMode = moveMode;
            s.colors[languageIndex(InputLanguage::english)] = green;
        });
        f.postChange();

        DraggableHostingView* after = f.manager.indicatorWindow();
        QVERIFY(after);
        QCOMPARE(after != before.data(), rebuilt);
        QCOMPARE(after->geometry(), geometry);
        QVERIFY(after->isVisible());
        QTRY_COMPARE(after->rootView().color, green);
        QCOMPARE(after->rootView().moveMode, moveMode);
        QCOMPARE(after->rootView().size, indicatorSize);
        if (rebuilt)
            QTRY_VERIFY(!before); // the old window goes away
    }

    void hiddenSettingsHideTheWindow()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        f.editIndicator([](IMEIndicatorSettings& s) { s.isVisible = false; });
        f.postChange();
        QCOMPARE(f.manager.indicatorWindow(), window);
        QVERIFY(!window->isVisible());
        QVERIFY(!f.manager.isVisible());
        f.editIndicator([](IMEIndicatorSettings& s) { s.isVisible = true; });
        f.postChange();
        QCOMPARE(f.manager.indicatorWindow(), window);
        QVERIFY(window->isVisible());
    }

    void toggleTwiceHidesAndShowsTheSameWindow()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        QVERIFY(window);
        QSignalSpy posts(&f.center, &NotificationCenter::posted);

        f.manager.toggleVisibility();
        QVERIFY(!f.manager.isVisible());
        QVERIFY(!window->isVisible());
        QCOMPARE(f.manager.indicatorWindow(), window);
        QVERIFY(!AppSettingsManager(f.folder.path()).settings().imeIndicator.isVisible);

        f.manager.toggleVisibility();
        QVERIFY(f.manager.isVisible());
        QVERIFY(window->isVisible());
        QCOMPARE(f.manager.indicatorWindow(), window);
        QVERIFY(AppSettingsManager(f.folder.path()).settings().imeIndicator.isVisible);
        QCOMPARE(posts.count(), 0);
    }

    void languageChangeDimsThenShowsTheNewLanguage()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        f.manager.setCurrentLanguage(InputLanguage::japanese);
        f.manager.animateLanguageChange();

        // Every opacity step, with the language shown at that moment. The steps come from
        // the animations themselves, so a busy machine that skips frames still records
        // each animation's end value.
        QList<QPair<double, InputLanguage>> steps;
        const auto animations = window->findChildren<QPropertyAnimation*>();
        QCOMPARE(animations.size(), 2);
        for (QPropertyAnimation* animation : animations) {
            QCOMPARE(animation->propertyName(), QByteArray("windowOpacity"));
            connect(animation, &QVariantAnimation::valueChanged, this, [&](const QVariant& value) {
                steps.append({value.toDouble(), window->rootView().language});
            });
        }
        QTRY_COMPARE(window->rootView().language, InputLanguage::japanese);
        QVERIFY(!steps.isEmpty());
        auto lowest = std::min_element(steps.begin(), steps.end());
        QVERIFY2(qAbs(lowest->first - 0.3) < 0.01, qPrintable(QString::number(lowest->first)));
        QCOMPARE(steps.last().first, 1.0);
        QVERIFY(lowest < steps.end() - 1);
        for (const auto& step : steps)
            QCOMPARE(step.second, InputLanguage::english); // the new language comes after
        QCOMPARE(window->windowOpacity(), 1.0);
        QCOMPARE(window->rootView().text,
                 f.store.settings().imeIndicator.textForLanguage(InputLanguage::japanese));
    }

    void offScreenPositionIsKeptInView()
    {
        ManagerFixture f;
        f.editIndicator([](IMEIndicatorSettings& s) {
            s.positionX = 5000;
            s.positionY = 5000;
        });
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> window = f.manager.indicatorWindow();
        QVERIFY(window);
        QCOMPARE(window->geometry(), QRect(1820, 0, 100, 100));
        QCOMPARE(f.storedPosition(), QPointF(5000, 5000));

        // Further changes find it where it was put and keep it.
        f.editIndicator([](IMEIndicatorSettings& s) { s.backgroundOpacity = 0.4; });
        f.postChange();
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(f.storedPosition(), QPointF(5000, 5000));

        // Dragging it stores where it was dropped, and the window stays.
        f.editIndicator([](IMEIndicatorSettings& s) { s.moveMode = true; });
        drag(window, QPoint(-100, 200));
        QCOMPARE(f.storedPosition(), QPointF(1720, 1080 - 200 - 100));
        QCoreApplication::processEvents();
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(window->geometry(), QRect(1720, 200, 100, 100));
    }

    void followsItsDisplayGoingAndComing()
    {
        ManagerFixture f;
        f.editIndicator([](IMEIndicatorSettings& s) { s.displayIndex = 1; });
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> window = f.manager.indicatorWindow();
        QCOMPARE(window->geometry(), QRect(1944, 828, 100, 100));
        f.displays.setGeometries({QRect(0, 0, 1920, 1080)});
        QCOMPARE(window->geometry(), QRect(24, 828, 100, 100));
        f.displays.setGeometries({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)});
        QCOMPARE(window->geometry(), QRect(1944, 828, 100, 100));
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(f.store.settings().imeIndicator.displayIndex, 1);
        QCOMPARE(f.storedPosition(), QPointF(24, 152));
    }

    void dragFindsTheWindowInPlace()
    {
        ManagerFixture f;
        f.editIndicator([](IMEIndicatorSettings& s) { s.moveMode = true; });
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> window = f.manager.indicatorWindow();
        drag(window, QPoint(30, 10));
        QCOMPARE(f.storedPosition(), QPointF(54, 142));
        QCoreApplication::processEvents();
        QVERIFY(window);
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(window->geometry(), QRect(54, 838, 100, 100));
    }
};

MIREVO_TEST_CLASS(IMEIndicatorWindowManagerTest)
#include "tst_IMEIndicatorWindowManager.moc"

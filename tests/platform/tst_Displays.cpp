#include "common/TestRegistry.h"
#include "platform/Displays.h"

#include <QTest>

using namespace mirevo;
using mirevo::test::row;

class DisplaysTest : public QObject {
    Q_OBJECT
    // A 1920x1080 primary with a 1280x1024 display to its right, top edges aligned.
    const FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};

private slots:
    void offScreenWindowsAreKeptInView_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<qint64>("index");
        QTest::addColumn<QRectF>("expected");
        row("partly visible stays", QRectF(1900, 10, 100, 100), qint64(0),
            QRectF(1900, 10, 100, 100));
        row("on the other display stays", QRectF(2000, 10, 100, 100), qint64(0),
            QRectF(2000, 10, 100, 100));
        // A tall window: its height, not its width, limits how low it may sit.
        row("below the second display", QRectF(2100, 1500, 100, 300), qint64(1),
            QRectF(2100, 724, 100, 300));
        row("above and left", QRectF(-500, -400, 100, 100), qint64(0), QRectF(0, 0, 100, 100));
        row("no such display", QRectF(5000, 0, 10, 10), qint64(7), QRectF(5000, 0, 10, 10));
    }
    void offScreenWindowsAreKeptInView()
    {
        QFETCH(QRectF, rect);
        QFETCH(qint64, index);
        QFETCH(QRectF, expected);
        QCOMPARE(displays.keptInView(rect, index), expected);
    }

    void shownRects_data()
    {
        QTest::addColumn<qint64>("index");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<QRectF>("expected");
        row("negative offsets, partly visible", qint64(0), QPointF(-50, -20),
            QRectF(-50, 1000, 100, 100));
        // Partly visible is not enough while the window's display is missing.
        row("display gone: wholly onto the primary", qint64(-1), QPointF(1900, -50),
            QRectF(1820, 980, 100, 100));
    }
    void shownRects()
    {
        QFETCH(qint64, index);
        QFETCH(QPointF, position);
        QFETCH(QRectF, expected);
        QCOMPARE(displays.shownRect(index, position.x(), position.y(), 100, 100),
                 std::optional(expected));
    }

    // Back from Qt's space: the display a window is on.
    void displayOfAWindow()
    {
        QCOMPARE(displays.displayAt(QRect(1900, 10, 100, 100)), std::optional(1));  // its centre
        QCOMPARE(displays.displayAt(QRect(1900, 990, 100, 100)), std::optional(1)); // most of it
        QCOMPARE(displays.displayAt(QRect(5000, 10, 100, 100)), std::optional(0));  // the main one
        QCOMPARE(FixedDisplays({}).displayAt(QRect(0, 0, 10, 10)), std::nullopt);
    }
};

MIREVO_TEST_CLASS(DisplaysTest)
#include "tst_Displays.moc"

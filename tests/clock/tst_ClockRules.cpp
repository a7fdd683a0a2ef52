#include "clock/AnalogFace.h"
#include "clock/ClockAppearance.h"
#include "clock/ClockLayout.h"
#include "common/TestRegistry.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <cmath>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateTimePosition)
Q_DECLARE_METATYPE(mirevo::ClockStyle)
Q_DECLARE_METATYPE(mirevo::InputLanguage)
Q_DECLARE_METATYPE(std::optional<QRectF>)

class ClockRulesTest : public QObject {
    Q_OBJECT
private slots:
    void handAngles_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("hour");
        QTest::addColumn<double>("minute");
        QTest::addColumn<double>("second");
        QTest::newRow("15:30 halfway between 3 and 4") << QTime(15, 30) << 105.0 << 180.0 << 0.0;
        QTest::newRow("midnight straight up") << QTime(0, 0) << 0.0 << 0.0 << 0.0;
        QTest::newRow("noon straight up") << QTime(12, 0) << 0.0 << 0.0 << 0.0;
        QTest::newRow("seconds do not move the others") << QTime(3, 0, 45) << 90.0 << 0.0 << 270.0;
        QTest::newRow("last second of the day") << QTime(23, 59, 59) << 359.5 << 354.0 << 354.0;
    }
    void handAngles()
    {
        QFETCH(QTime, time);
        QFETCH(double, hour);
        QFETCH(double, minute);
        QFETCH(double, second);
        QCOMPARE(mirevo::handAngles(time, true), (ClockHands{hour, minute, second}));
        // Without seconds only the second hand goes.
        QCOMPARE(mirevo::handAngles(time, false), (ClockHands{hour, minute, std::nullopt}));
    }

    void backgroundColor_data()
    {
        QTest::addColumn<bool>("liveUseIME");
        QTest::addColumn<bool>("copyUseIME");
        QTest::addColumn<bool>("isJapanese");
        QTest::addColumn<InputLanguage>("language");
        QTest::addColumn<QString>("expected");
        using L = InputLanguage;
        QTest::newRow("english off") << false << false << false << L::english << "off";
        QTest::newRow("ime on") << false << false << true << L::korean << "on";
        // Only the live flag counts; the view's copy may be stale.
        QTest::newRow("stale copy ignored") << false << true << true << L::korean << "on";
        QTest::newRow("indicator colour") << true << false << true << L::korean << "korean";
        QTest::newRow("indicator ignores the flag")
            << true << false << true << L::english << "english";
    }
    void backgroundColor()
    {
        QFETCH(bool, liveUseIME);
        QFETCH(bool, copyUseIME);
        QFETCH(bool, isJapanese);
        QFETCH(InputLanguage, language);
        QFETCH(QString, expected);
        AppSettings live;
        live.clock.useIMEIndicatorColors = liveUseIME;
        live.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0.1, 0.2, 0.3, 0.5};
        ClockSettings copy;
        copy.useIMEIndicatorColors = copyUseIME;
        copy.backgroundColorOn = {1, 0, 0, 1};
        copy.backgroundColorOff = {0, 0, 1, 1};
        const QColor want =
            expected == "on"    ? QColor(255, 0, 0)
            : expected == "off" ? QColor(0, 0, 255)
            : expected == "korean"
                ? QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.5f)
                : live.imeIndicator.colorForLanguage(InputLanguage::english).toQColor();
        QCOMPARE(clockBackgroundColor(copy, live, isJapanese, language), want);
    }

    void opacityScalesAlpha_data()
    {
        QTest::addColumn<double>("alpha");
        QTest::addColumn<double>("opacity");
        QTest::addColumn<double>("expected");
        QTest::newRow("0.5 x 0.6") << 0.5 << 0.6 << 0.3;
        QTest::newRow("opaque at default") << 1.0 << 0.6 << 0.6;
        QTest::newRow("none") << 1.0 << 0.0 << 0.0;
        QTest::newRow("above one is one") << 0.5 << 3.0 << 0.5;
        QTest::newRow("below zero is zero") << 0.5 << -1.0 << 0.0;
        QTest::newRow("not a number is full") << 0.5 << double(NAN) << 0.5;
    }
    void opacityScalesAlpha()
    {
        QFETCH(double, alpha);
        QFETCH(double, opacity);
        QFETCH(double, expected);
        QColor color(10, 20, 30);
        color.setAlphaF(float(alpha));
        const QColor result = withOpacity(color, opacity);
        QVERIFY2(std::abs(result.alphaF() - expected) < 0.002,
                 qPrintable(QString::number(result.alphaF())));
        QCOMPARE(result.rgb(), color.rgb());
    }

    void fontFallsBackToTheSystemFont()
    {
        const QFont missing = clockFont("No Such Font Family 7", 24);
        QCOMPARE(missing.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        QCOMPARE(missing.pixelSize(), 24);
        const QStringList families = QFontDatabase::families();
        QVERIFY(!families.isEmpty());
        const QFont installed = clockFont(families.last(), 13.4);
        QCOMPARE(installed.family(), families.last());
        QCOMPARE(installed.pixelSize(), 13);
        // An alias reaches what the font configuration maps it to (Nimbus Sans here).
        QVERIFY(QFontInfo(clockFont("Helvetica", 24)).family().startsWith("Nimbus Sans"));
    }

    void layout_data()
    {
        QTest::addColumn<ClockStyle>("style");
        QTest::addColumn<DateTimePosition>("position");
        QTest::addColumn<std::optional<QRectF>>("date");
        QTest::addColumn<std::optional<QRectF>>("time");
        using P = DateTimePosition;
        using R = std::optional<QRectF>;
        const auto digital = ClockStyle::digital;
        const auto analog = ClockStyle::analog;
        // A 320 x 220 view: padded area (16, 16, 288, 188) centred on (160, 110); the date
        // is 200 x 30, the time 100 x 20.
        QTest::newRow("date over time")
            << digital << P::dateTimeVertical << R(QRectF(60, 81, 200, 30))
            << R(QRectF(110, 119, 100, 20));
        QTest::newRow("time over date")
            << digital << P::timeDateVertical << R(QRectF(60, 109, 200, 30))
            << R(QRectF(110, 81, 100, 20));
        QTest::newRow("date then time")
            << digital << P::dateTimeHorizontal << R(QRectF(4, 95, 200, 30))
            << R(QRectF(216, 100, 100, 20));
        QTest::newRow("time then date")
            << digital << P::timeDateHorizontal << R(QRectF(116, 95, 200, 30))
            << R(QRectF(4, 100, 100, 20));
        QTest::newRow("date only") << digital << P::dateOnly << R(QRectF(60, 95, 200, 30)) << R();
        QTest::newRow("time only") << digital << P::timeOnly << R() << R(QRectF(110, 100, 100, 20));
        // Over the face the texts sit 8 apart.
        QTest::newRow("analog column")
            << analog << P::dateTimeVertical << R(QRectF(60, 81, 200, 30))
            << R(QRectF(110, 119, 100, 20));
        QTest::newRow("analog row") << analog << P::timeDateHorizontal
                                    << R(QRectF(114, 95, 200, 30)) << R(QRectF(6, 100, 100, 20));
    }
    void layout()
    {
        QFETCH(ClockStyle, style);
        QFETCH(DateTimePosition, position);
        QFETCH(std::optional<QRectF>, date);
        QFETCH(std::optional<QRectF>, time);
        const ClockLayout result =
            layoutClock(style, position, QSizeF(320, 220), 200, QSizeF(200, 30), QSizeF(100, 20));
        QCOMPARE(result.date, date);
        QCOMPARE(result.time, time);
        QCOMPARE(result.face, style == ClockStyle::analog ? std::optional(QRectF(60, 10, 200, 200))
                                                          : std::nullopt);
    }
};

MIREVO_TEST_CLASS(ClockRulesTest)
#include "tst_ClockRules.moc"

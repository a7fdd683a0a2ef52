#include "clock/AnalogFace.h"
#include "clock/ClockAppearance.h"
#include "clock/ClockLayout.h"
#include "clock/DateTimeFormats.h"
#include "common/TestRegistry.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>
#include <QTimeZone>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateTimePosition)
Q_DECLARE_METATYPE(mirevo::ClockStyle)

namespace {

// Thursday 5 March 2026, 15:04:05.250 in Tokyo.
QDateTime sampleTime()
{
    return QDateTime(QDate(2026, 3, 5), QTime(6, 4, 5, 250), QTimeZone::utc());
}

// CLDR puts a narrow no-break space before the day period.
QString nnbsp(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x202F));
}

} // namespace

class ClockRulesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TZ", "Asia/Tokyo"); }

    void handAngles()
    {
        // The hour hand halfway between 3 and 4; seconds move only their own hand.
        QCOMPARE(mirevo::handAngles(QTime(15, 30), true), (ClockHands{105, 180, 0.0}));
        QCOMPARE(mirevo::handAngles(QTime(3, 0, 45), true), (ClockHands{90, 0, 270.0}));
        QCOMPARE(mirevo::handAngles(QTime(23, 59, 59), false), (ClockHands{359.5, 354, {}}));
    }

    void backgroundColor()
    {
        AppSettings live;
        live.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0.1, 0.2, 0.3, 0.5};
        ClockSettings copy;
        copy.backgroundColorOn = {1, 0, 0, 1};
        copy.backgroundColorOff = {0, 0, 1, 1};
        auto colour = [&](bool japanese) {
            return clockBackgroundColor(copy, live, japanese, InputLanguage::korean);
        };
        QCOMPARE(colour(false), QColor(0, 0, 255));
        QCOMPARE(colour(true), QColor(255, 0, 0));
        // Only the live flag counts; the view's copy may be stale.
        copy.useIMEIndicatorColors = true;
        QCOMPARE(colour(true), QColor(255, 0, 0));
        live.clock.useIMEIndicatorColors = true;
        QCOMPARE(colour(false), QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.5f));
    }

    void opacityScalesAlpha()
    {
        const QColor half(10, 20, 30, 128);
        QCOMPARE(withOpacity(half, 0.5).alpha(), 64);
        QCOMPARE(withOpacity(half, 0.5).rgb(), half.rgb());
        // A hand-edited file may hold any number: it draws as the nearest valid one.
        QCOMPARE(withOpacity(half, 3.0).alpha(), 128);
        QCOMPARE(withOpacity(half, -1.0).alpha(), 0);
    }

    void fontFallsBackToTheSystemFont()
    {
        const QFont missing = clockFont("No Such Font Family 7", 24);
        QCOMPARE(missing.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        QCOMPARE(missing.pixelSize(), 24);
        QCOMPARE(clockFont("DejaVu Serif", 13.4).family(), QStringLiteral("DejaVu Serif"));
        // An alias reaches what the font configuration maps it to (Nimbus Sans here).
        QVERIFY(QFontInfo(clockFont("Helvetica", 24)).family().startsWith("Nimbus Sans"));
    }

    void layout_data()
    {
        QTest::addColumn<ClockStyle>("style");
        QTest::addColumn<DateTimePosition>("position");
        QTest::addColumn<QPointF>("date"); // top-left of the 200 x 30 date; null: none
        QTest::addColumn<QPointF>("time"); // top-left of the 100 x 20 time
        using P = DateTimePosition;
        using Q = QPointF;
        const auto digital = ClockStyle::digital;
        // A 320 x 220 view: padded area (16, 16, 288, 188) centred on (160, 110).
        QTest::newRow("date over time")
            << digital << P::dateTimeVertical << Q(60, 81) << Q(110, 119);
        QTest::newRow("time over date")
            << digital << P::timeDateVertical << Q(60, 109) << Q(110, 81);
        QTest::newRow("date then time")
            << digital << P::dateTimeHorizontal << Q(4, 95) << Q(216, 100);
        QTest::newRow("time then date")
            << digital << P::timeDateHorizontal << Q(116, 95) << Q(4, 100);
        QTest::newRow("time only") << digital << P::timeOnly << Q() << Q(110, 100);
        // Over the face the texts sit 8 apart.
        QTest::newRow("analog row")
            << ClockStyle::analog << P::timeDateHorizontal << Q(114, 95) << Q(6, 100);
    }
    void layout()
    {
        QFETCH(ClockStyle, style);
        QFETCH(DateTimePosition, position);
        QFETCH(QPointF, date);
        QFETCH(QPointF, time);
        const ClockLayout result =
            layoutClock(style, position, QSizeF(320, 220), 200, QSizeF(200, 30), QSizeF(100, 20));
        auto at = [](QPointF p, QSizeF s) {
            return p.isNull() ? std::nullopt : std::optional(QRectF(p, s));
        };
        QCOMPARE(result.date, at(date, {200, 30}));
        QCOMPARE(result.time, at(time, {100, 20}));
        // The face keeps its size, even where it is larger than the padded area.
        QCOMPARE(result.face, style == ClockStyle::analog ? std::optional(QRectF(60, 10, 200, 200))
                                                          : std::nullopt);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        auto date = [](const char* locale, DateFormatStyle style) {
            return formattedDate(sampleTime(), style, locale, "yyyy/MM/dd E", "M/d (EEE)");
        };
        auto time = [](const char* locale, TimeFormatStyle style) {
            return formattedTime(sampleTime(), style, locale, "HH:mm:ss.SSS", "H:mm");
        };
        using D = DateFormatStyle;
        using T = TimeFormatStyle;
        QTest::newRow("en numeric") << date("en-US", D::numeric) << "3/5/26";
        QTest::newRow("en abbreviated") << date("en-US", D::abbreviated) << "Mar 5, 2026";
        QTest::newRow("en long") << date("en-US", D::long_) << "March 5, 2026";
        QTest::newRow("en complete") << date("en-US", D::complete) << "Thursday, March 5, 2026";
        QTest::newRow("ja numeric") << date("ja-JP", D::numeric) << "2026/03/05";
        QTest::newRow("ja custom1")
            << date("ja-JP", D::custom1) << QString::fromUtf8("2026/03/05 木");
        QTest::newRow("en custom2") << date("en-US", D::custom2) << "3/5 (Thu)";
        QTest::newRow("en standard") << time("en-US", T::standard) << nnbsp("3:04:05_PM");
        QTest::newRow("en shortened") << time("en-US", T::shortened) << nnbsp("3:04_PM");
        QTest::newRow("en complete time")
            << time("en-US", T::complete) << nnbsp("3:04:05_PM GMT+9");
        QTest::newRow("ja standard") << time("ja-JP", T::standard) << "15:04:05";
        QTest::newRow("ja complete") << time("ja-JP", T::complete) << "15:04:05 JST";
        QTest::newRow("custom1") << time("en-US", T::custom1) << "15:04:05.250";
        QTest::newRow("custom2") << time("en-US", T::custom2) << "15:04";
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void textsFollowTheHostZone_data()
    {
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Tokyo") << QByteArray("Asia/Tokyo") << nnbsp("3:04:05_PM GMT+9");
        QTest::newRow("New York") << QByteArray("America/New_York") << nnbsp("1:04:05_AM EST");
        // A POSIX rule, which ICU cannot read: the offset the C library gives.
        QTest::newRow("POSIX rule")
            << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << nnbsp("7:04:05_AM GMT+1");
    }
    void textsFollowTheHostZone()
    {
        QFETCH(QByteArray, tz);
        QFETCH(QString, expected);
        qputenv("TZ", tz);
        const QString text =
            formattedTime(sampleTime(), TimeFormatStyle::complete, "en-US", "", "");
        const QString digits = formatWithPattern(sampleTime(), "H:mm", "en-US");
        const QString hands = sampleTime().toLocalTime().toString("H:mm"); // as the hands read it
        qputenv("TZ", "Asia/Tokyo");
        QCOMPARE(text, expected);
        QCOMPARE(digits, hands);
    }

    void displayLocale()
    {
        QCOMPARE(displayLocaleFrom({}), QStringLiteral("en"));
        QCOMPARE(displayLocaleFrom({"C"}), QStringLiteral("en")); // POSIX: no preference
        QCOMPARE(displayLocaleFrom({"ja-JP", "en-US"}), QStringLiteral("ja-JP"));
    }
};

MIREVO_TEST_CLASS(ClockRulesTest)
#include "tst_ClockRules.moc"

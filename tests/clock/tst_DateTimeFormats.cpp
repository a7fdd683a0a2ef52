#include "clock/DateTimeFormats.h"
#include "common/TestRegistry.h"

#include <QTest>
#include <QTimeZone>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateFormatStyle)
Q_DECLARE_METATYPE(mirevo::TimeFormatStyle)

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

class DateTimeFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TZ", "Asia/Tokyo"); }

    void dates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<DateFormatStyle>("style");
        QTest::addColumn<QString>("expected");
        using S = DateFormatStyle;
        QTest::newRow("en numeric") << "en-US" << S::numeric << "3/5/26";
        QTest::newRow("en abbreviated") << "en-US" << S::abbreviated << "Mar 5, 2026";
        QTest::newRow("en long") << "en-US" << S::long_ << "March 5, 2026";
        QTest::newRow("en complete") << "en-US" << S::complete << "Thursday, March 5, 2026";
        QTest::newRow("ja numeric") << "ja-JP" << S::numeric << "2026/03/05";
        QTest::newRow("ja complete")
            << "ja-JP" << S::complete << QString::fromUtf8("2026年3月5日木曜日");
        QTest::newRow("en custom1") << "en-US" << S::custom1 << "2026/03/05 Thu";
        QTest::newRow("ja custom1") << "ja-JP" << S::custom1 << QString::fromUtf8("2026/03/05 木");
        QTest::newRow("en custom2") << "en-US" << S::custom2 << "3/5 (Thu)";
    }
    void dates()
    {
        QFETCH(QString, locale);
        QFETCH(DateFormatStyle, style);
        QFETCH(QString, expected);
        QCOMPARE(formattedDate(sampleTime(), style, locale, "yyyy/MM/dd E", "M/d (EEE)"), expected);
        const bool custom = style == DateFormatStyle::custom1 || style == DateFormatStyle::custom2;
        QCOMPARE(standardDateText(sampleTime(), locale, style), custom ? QString() : expected);
    }

    void times_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<TimeFormatStyle>("style");
        QTest::addColumn<QString>("expected");
        using S = TimeFormatStyle;
        QTest::newRow("en standard") << "en-US" << S::standard << nnbsp("3:04:05_PM");
        QTest::newRow("en shortened") << "en-US" << S::shortened << nnbsp("3:04_PM");
        QTest::newRow("en complete") << "en-US" << S::complete << nnbsp("3:04:05_PM GMT+9");
        QTest::newRow("ja standard") << "ja-JP" << S::standard << "15:04:05";
        QTest::newRow("ja shortened") << "ja-JP" << S::shortened << "15:04";
        QTest::newRow("ja complete") << "ja-JP" << S::complete << "15:04:05 JST";
        QTest::newRow("custom1") << "en-US" << S::custom1 << "15:04:05.250";
        QTest::newRow("custom2") << "en-US" << S::custom2 << "15:04";
    }
    void times()
    {
        QFETCH(QString, locale);
        QFETCH(TimeFormatStyle, style);
        QFETCH(QString, expected);
        QCOMPARE(formattedTime(sampleTime(), style, locale, "HH:mm:ss.SSS", "H:mm"), expected);
    }

    void customPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("quoted literal") << "'at' H"
                                        << "at 15";
        QTest::newRow("unquoted word read as fields") << "dd"
                                                      << "05";
        QTest::newRow("kanji literal")
            << QString::fromUtf8("H時mm分") << QString::fromUtf8("15時04分");
        QTest::newRow("unterminated quote") << "'abc"
                                            << "abc";
    }
    void customPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(formatWithPattern(sampleTime(), pattern, "en-US"), expected);
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

    void customStylesReadOnlyTheirOwnPattern()
    {
        const QString text =
            formattedDate(sampleTime(), DateFormatStyle::custom2, "en-US", "changed yyyy", "yyyy");
        QCOMPARE(text, QStringLiteral("2026"));
    }

    void displayLocale_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList() << "en";
        QTest::newRow("posix") << QStringList({"C"}) << "en";
        QTest::newRow("first wins") << QStringList({"ja-JP", "en-US"}) << "ja-JP";
    }
    void displayLocale()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, expected);
        QCOMPARE(displayLocaleFrom(preferred), expected);
    }

    void fallbackLocaleFormatsInEnglish()
    {
        QCOMPARE(standardDateText(sampleTime(), displayLocaleFrom({}), DateFormatStyle::complete),
                 QStringLiteral("Thursday, March 5, 2026"));
    }

    void examples()
    {
        QCOMPARE(dateFormatExamples().size(), 10);
        QCOMPARE(timeFormatExamples().size(), 10);
        QCOMPARE(dateFormatExamples().first(), QStringLiteral("yyyy/MM/dd"));
        QCOMPARE(timeFormatExamples().last(), QStringLiteral("HH:mm:ss zzz"));
        for (const QString& example : dateFormatExamples() + timeFormatExamples())
            QVERIFY2(!formatWithPattern(sampleTime(), example, "ja-JP").isEmpty(),
                     qPrintable(example));
    }
};

MIREVO_TEST_CLASS(DateTimeFormatsTest)
#include "tst_DateTimeFormats.moc"

#include "clock/AnalogFace.h"
#include "clock/ClockAppearance.h"
#include "clock/ClockLayout.h"
#include "clock/ClockView.h"
#include "clock/DateTimeFormats.h"
#include "common/TestRegistry.h"
#include "settings/AppSettingsManager.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace mirevo;
using mirevo::test::row;

namespace {

// Thursday 5 March 2026, 15:04:05.250 in Tokyo (the tests' TZ).
QDateTime sampleTime()
{
    return QDateTime(QDate(2026, 3, 5), QTime(6, 4, 5, 250), QTimeZone::utc());
}

// CLDR puts a narrow no-break space before the day period.
QString nnbsp(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x202F));
}

QImage render(QWidget& view)
{
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image);
    return image.convertToFormat(QImage::Format_ARGB32);
}

int countPixels(const QImage& image, const QRectF& area, bool (*test)(QColor))
{
    int count = 0;
    const QRect r = area.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

// Drawn pixels outside the 16-point padding (with only the texts visible).
int pixelsOutsideThePadding(QWidget& view)
{
    const QImage image = render(view);
    auto drawn = [](QColor c) { return c.alpha() > 0; };
    return countPixels(image, image.rect(), drawn) -
           countPixels(image, image.rect().adjusted(16, 16, -16, -16), drawn);
}

// The default clock with only its texts visible.
void textsOnly(ClockSettings& clock)
{
    clock = ClockSettings{};
    clock.backgroundOpacity = 0;
    clock.analogColor = {0, 0, 0, 0};
}

class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class ClockViewTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    std::unique_ptr<AppSettingsManager> m_store;
    QDateTime m_now;
    QString m_locale;

    ClockSources sources()
    {
        return {[this] { return m_now; }, [] { return InputLanguage::english; },
                [this] { return m_locale; }};
    }
    void setClock(const std::function<void(ClockSettings&)>& change)
    {
        m_store->edit([&](AppSettings& s) { change(s.clock); });
    }

private slots:
    void initTestCase() { qputenv("TZ", "Asia/Tokyo"); }

    void init()
    {
        m_store = std::make_unique<AppSettingsManager>(m_folder.path(), true);
        m_now = QDateTime(QDate(2026, 3, 5), QTime(15, 30, 15), QTimeZone("Asia/Tokyo"));
        m_locale = "en-US";
        setClock([](ClockSettings& c) {
            c.textColor = {0, 1, 0, 1};
            c.analogColor = {1, 0, 0, 1};
            c.backgroundColorOff = {0, 0, 1, 1};
            c.backgroundOpacity = 0.6;
        });
    }

    void handAngles()
    {
        // The hour hand halfway between 3 and 4; seconds move only their own hand.
        QCOMPARE(mirevo::handAngles(QTime(15, 30), true), (ClockHands{105, 180, 0.0}));
        QCOMPARE(mirevo::handAngles(QTime(23, 59, 59), false), (ClockHands{359.5, 354, {}}));
    }

    void coloursAndFont()
    {
        AppSettings live;
        live.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0.1, 0.2, 0.3, 0.5};
        ClockSettings copy;
        copy.backgroundColorOn = {1, 0, 0, 1};
        copy.backgroundColorOff = {0, 0, 1, 1};
        auto colour = [&](bool japanese) {
            return clockBackgroundColor(copy, live, japanese, InputLanguage::korean);
        };
        // The copy's flag is not the one that counts: the live one is.
        copy.useIMEIndicatorColors = true;
        QCOMPARE(colour(true), QColor(255, 0, 0));
        live.clock.useIMEIndicatorColors = true;
        QCOMPARE(colour(false), QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.5f));
        // Opacity scales the alpha, clamped for a hand-edited file's number.
        const QColor half(10, 20, 30, 128);
        QCOMPARE(withOpacity(half, 0.5).alpha(), 64);
        QCOMPARE(withOpacity(half, 3.0).alpha(), 128);
        QCOMPARE(withOpacity(half, -1.0).alpha(), 0);
        // A missing font: the system font, at the size asked for, rounded.
        const QFont missing = clockFont("No Such Font Family 7", 13.6);
        QCOMPARE(missing.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        QCOMPARE(missing.pixelSize(), 14);
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
        // A 320 x 220 view: padded area (16, 16, 288, 188).
        row("date over time", digital, P::dateTimeVertical, Q(60, 81), Q(110, 119));
        row("time over date", digital, P::timeDateVertical, Q(60, 109), Q(110, 81));
        row("date then time", digital, P::dateTimeHorizontal, Q(4, 95), Q(216, 100));
        row("time then date", digital, P::timeDateHorizontal, Q(116, 95), Q(4, 100));
        row("time only", digital, P::timeOnly, Q(), Q(110, 100));
        // Over the face the texts sit 8 apart.
        row("analog row", ClockStyle::analog, P::timeDateHorizontal, Q(114, 95), Q(6, 100));
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
        // The face keeps its size, even larger than the padded area.
        QCOMPARE(result.face, style == ClockStyle::analog ? std::optional(QRectF(60, 10, 200, 200))
                                                          : std::nullopt);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        using D = DateFormatStyle;
        using T = TimeFormatStyle;
        auto date = [](const char* locale, D style) {
            return formattedDate(sampleTime(), style, locale, "yyyy/MM/dd E", "M/d (EEE)");
        };
        auto time = [](const char* locale, T style) {
            return formattedTime(sampleTime(), style, locale, "HH:mm:ss.SSS", "H:mm");
        };
        row("en numeric", date("en-US", D::numeric), "3/5/26");
        row("en abbreviated", date("en-US", D::abbreviated), "Mar 5, 2026");
        row("en long", date("en-US", D::long_), "March 5, 2026");
        row("en complete", date("en-US", D::complete), "Thursday, March 5, 2026");
        row("ja custom1", date("ja-JP", D::custom1), "2026/03/05 木");
        row("en custom2", date("en-US", D::custom2), "3/5 (Thu)");
        row("en standard", time("en-US", T::standard), nnbsp("3:04:05_PM"));
        row("en shortened", time("en-US", T::shortened), nnbsp("3:04_PM"));
        row("ja complete", time("ja-JP", T::complete), "15:04:05 JST");
        row("custom1", time("en-US", T::custom1), "15:04:05.250");
        row("custom2", time("en-US", T::custom2), "15:04");
        // The host's zone is read afresh; a POSIX rule ICU cannot read counts by libc's offset.
        auto inZone = [&](const char* zone, T style) {
            qputenv("TZ", zone);
            const QString text = time("en-US", style);
            qputenv("TZ", "Asia/Tokyo");
            return text;
        };
        const char* posix = "CET-1CEST,M3.5.0,M10.5.0/3";
        row("New York", inZone("America/New_York", T::complete), nnbsp("1:04:05_AM EST"));
        row("POSIX rule", inZone(posix, T::complete), nnbsp("7:04:05_AM GMT+1"));
        row("POSIX rule, pattern", inZone(posix, T::custom2), "7:04");
        // POSIX "C" states no preference.
        row("display locale", displayLocaleFrom({"ja-JP", "en-US"}), "ja-JP");
        row("display locale, C", displayLocaleFrom({"C"}), "en");
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void textsFitThePaddedArea_data()
    {
        QTest::addColumn<ClockStyle>("style");
        QTest::addColumn<DateTimePosition>("position");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<QString>("variant");
        for (ClockStyle style : kAllClockStyles)
            for (DateTimePosition position : kAllDateTimePositions)
                QTest::addRow("%s %s", qPrintable(rawValue(style)), qPrintable(rawValue(position)))
                    << style << position << 24.0 << QString();
        // A short time leaves the date most of the row; swash glyphs reach past their advance.
        using P = DateTimePosition;
        const auto digital = ClockStyle::digital;
        row("row, short time", digital, P::dateTimeHorizontal, 24.0, QString("short time"));
        row("swash font", digital, P::timeDateVertical, 32.0, QString("Z003"));
        row("column in a short window", digital, P::timeDateVertical, 32.0,
            QString("short window"));
        const ClockSettings defaults;
        row("default clock in Japanese", defaults.style, defaults.dateTimePosition, 24.0,
            QString("ja-JP"));
    }
    void textsFitThePaddedArea()
    {
        QFETCH(ClockStyle, style);
        QFETCH(DateTimePosition, position);
        QFETCH(double, fontSize);
        QFETCH(QString, variant);
        setClock([&](ClockSettings& c) {
            textsOnly(c);
            c.style = style;
            c.dateTimePosition = position;
            c.fontSize = fontSize;
            if (variant == "short time")
                c.timeFormatStyle = TimeFormatStyle::shortened;
            else if (variant == "Z003")
                c.fontName = variant;
        });
        if (variant == "ja-JP")
            m_locale = variant;
        ClockView view(*m_store, sources());
        view.resize(variant == "short window" ? QSize(500, 100) : QSize(320, 220));
        view.grab(); // laid out at its size for the first day
        // The next day's texts are fitted anew: "Wednesday, September 16, 2026" is wider
        // than the default clock's room.
        m_now = QDateTime(QDate(2026, 9, 16), QTime(22, 58, 58), QTimeZone("Asia/Tokyo"));
        view.tick();
        QVERIFY2(pixelsOutsideThePadding(view) == 0, qPrintable(view.dateText()));
        const FittedClock& layout = view.currentLayout();
        QCOMPARE(layout.date ? layout.date->text : view.dateText(), view.dateText()); // shown
        if (layout.time && fontSize == 24) // the short text keeps its size
            QCOMPARE(layout.time->font.pixelSize(), 24);
        if (layout.date && fontSize == 24 && layout.date->font.pixelSize() < 24) {
            // No smaller than it must be: a pixel larger, the date would leave the room.
            const double pixels = layout.date->font.pixelSize();
            const double beside = isRow(position) && layout.time
                                      ? textGap(style, position) + layout.time->rect.width()
                                      : 0.0;
            QVERIFY(layout.date->rect.width() * (pixels + 1) / pixels + beside > 288);
        }
    }

    // The default clock (analog, 200 across, date over time) at 15:30:15.
    void drawsWholeThenOnlyWhatChanged()
    {
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        const QImage image = render(view);
        const FittedClock& layout = view.currentLayout();
        const auto green = [](QColor c) { // the text colour, anti-aliased
            return c.green() > 195 && c.red() < 60 && c.blue() < 60;
        };
        QVERIFY(countPixels(image, layout.date->rect, green) > 20);
        QVERIFY(countPixels(image, layout.time->rect, green) > 20);
        const QColor dial = image.pixelColor(160, 30); // the 12 o'clock mark
        QVERIFY(dial.red() > 215 && dial.green() < 40 && dial.blue() < 40);
        // The rounded corner stays clear.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);

        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        PaintRecorder recorder;
        view.installEventFilter(&recorder);
        m_now = m_now.addSecs(5);
        view.tick();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QVERIFY(recorder.painted.intersects(layout.time->rect.toRect()));
        QVERIFY(!recorder.painted.intersects(layout.date->rect.toRect()));
        // The second hand's old place (3 o'clock) and new one (4), not the minute hand.
        QVERIFY(recorder.painted.contains(QPoint(160 + 75, 110)));
        QVERIFY(recorder.painted.contains(QPoint(160 + 52, 110 + 30)));
        QVERIFY(!recorder.painted.contains(QPoint(160, 110 + 60)));
        view.hide();
        QVERIFY(!view.isTimerRunning());
    }

    // Ticks on the wall clock's seconds while it shows them (hand or text), else minutes.
    void ticksOnTheWallClock_data()
    {
        QTest::addColumn<bool>("secondHand");
        QTest::addColumn<TimeFormatStyle>("style");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("next"); // the time text after the next tick
        row("no seconds: the next minute", false, TimeFormatStyle::shortened,
            QTime(15, 30, 59, 400), nnbsp("3:31_PM"));
        row("second hand", true, TimeFormatStyle::shortened, QTime(15, 30, 15, 400),
            nnbsp("3:30_PM"));
        row("seconds in the text", false, TimeFormatStyle::standard, QTime(15, 30, 15, 400),
            nnbsp("3:30:16_PM"));
    }
    void ticksOnTheWallClock()
    {
        QFETCH(bool, secondHand);
        QFETCH(TimeFormatStyle, style);
        QFETCH(QTime, start);
        QFETCH(QString, next);
        setClock([&](ClockSettings& c) {
            c.showSeconds = secondHand;
            c.timeFormatStyle = style;
        });
        const QDateTime from(m_now.date(), start, QTimeZone("Asia/Tokyo"));
        QElapsedTimer elapsed;
        elapsed.start();
        int reads = 0;
        ClockSources running = sources();
        running.now = [&] {
            ++reads;
            return from.addMSecs(elapsed.elapsed());
        };
        ClockView view(*m_store, running);
        view.resize(320, 220);
        view.show();
        QTRY_COMPARE_WITH_TIMEOUT(view.timeText(), next, 1500);
        reads = 0;
        QTest::qWait(1200); // a minute's clock reads nothing more this minute
        QCOMPARE(reads > 0, secondHand || style == TimeFormatStyle::standard);
    }

    // A zone changed while the clock runs shows at its next tick, in the texts and the hands.
    void followsAChangedTimeZone()
    {
        setClock([](ClockSettings& c) { c.timeFormatStyle = TimeFormatStyle::standard; });
        const qint64 from =
            QDateTime(QDate(2026, 3, 5), QTime(6, 30, 15), QTimeZone::utc()).toMSecsSinceEpoch();
        QElapsedTimer elapsed;
        elapsed.start();
        ClockSources running = sources();
        running.now = [&] { return QDateTime::fromMSecsSinceEpoch(from + elapsed.elapsed()); };
        ClockView view(*m_store, running);
        view.resize(320, 220);
        view.show();
        QVERIFY(view.timeText().startsWith("3:30:1"));
        qputenv("TZ", "America/New_York");
        const auto restore = qScopeGuard([] { qputenv("TZ", "Asia/Tokyo"); });
        QTRY_VERIFY_WITH_TIMEOUT(view.timeText().startsWith("1:30:1"), 1500);
        QCOMPARE(view.currentTime().time().hour(), 1);
    }
};

MIREVO_TEST_CLASS(ClockViewTest)
#include "tst_ClockView.moc"

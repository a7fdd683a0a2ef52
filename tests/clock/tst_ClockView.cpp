#include "clock/ClockView.h"
#include "common/TestRegistry.h"
#include "settings/AppSettingsManager.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateTimePosition)
Q_DECLARE_METATYPE(mirevo::ClockStyle)

namespace {

const QColor kText(0, 255, 0);
const QColor kFace(255, 0, 0);

bool near(QRgb pixel, const QColor& color, int tolerance = 40)
{
    return std::abs(qRed(pixel) - color.red()) <= tolerance &&
           std::abs(qGreen(pixel) - color.green()) <= tolerance &&
           std::abs(qBlue(pixel) - color.blue()) <= tolerance;
}

QImage render(QWidget& view)
{
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Pixels of the text colour inside `rect`.
int textPixels(const QImage& image, const QRectF& rect)
{
    int count = 0;
    const QRect r = rect.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += near(image.pixel(x, y), kText, 60) ? 1 : 0;
    return count;
}

// Drawn pixels outside the 16-point padding: with the background and the face made
// see-through, these are text pixels that left the room they have.
int pixelsOutsideThePadding(QWidget& view)
{
    const QImage image = render(view);
    const QRect inside = image.rect().adjusted(16, 16, -16, -16);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += !inside.contains(x, y) && qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
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
    InputLanguage m_language = InputLanguage::english;
    QString m_locale;

    ClockSources sources()
    {
        return {[this] { return m_now; }, [this] { return m_language; },
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
        m_language = InputLanguage::english;
        m_locale = "en-US";
        setClock([](ClockSettings& c) {
            c.textColor = {0, 1, 0, 1};
            c.analogColor = {1, 0, 0, 1};
            c.backgroundColorOff = {0, 0, 1, 1};
            c.backgroundColorOn = {1, 1, 0, 1};
            c.backgroundOpacity = 0.6;
        });
    }

    void textsUseTheFixedTimeAndLocale()
    {
        ClockView view(*m_store, sources());
        QCOMPARE(view.dateText(), QString("Thursday, March 5, 2026"));
        QCOMPARE(view.timeText(), QString("3:30:15") + QChar(0x202F) + "PM");
    }

    void digitalPositions_data()
    {
        QTest::addColumn<DateTimePosition>("position");
        QTest::addColumn<bool>("hasDate");
        QTest::addColumn<bool>("hasTime");
        QTest::addColumn<Qt::Orientation>("orientation");
        QTest::addColumn<bool>("dateFirst");
        using P = DateTimePosition;
        QTest::newRow("date over time")
            << P::dateTimeVertical << true << true << Qt::Vertical << true;
        QTest::newRow("time over date")
            << P::timeDateVertical << true << true << Qt::Vertical << false;
        QTest::newRow("date then time")
            << P::dateTimeHorizontal << true << true << Qt::Horizontal << true;
        QTest::newRow("time then date")
            << P::timeDateHorizontal << true << true << Qt::Horizontal << false;
        QTest::newRow("date only") << P::dateOnly << true << false << Qt::Vertical << true;
        QTest::newRow("time only") << P::timeOnly << false << true << Qt::Vertical << true;
    }
    void digitalPositions()
    {
        QFETCH(DateTimePosition, position);
        QFETCH(bool, hasDate);
        QFETCH(bool, hasTime);
        QFETCH(Qt::Orientation, orientation);
        QFETCH(bool, dateFirst);
        setClock([&](ClockSettings& c) {
            c.style = ClockStyle::digital;
            c.dateTimePosition = position;
            c.dateFormatStyle = DateFormatStyle::numeric; // short texts fit a row
            c.timeFormatStyle = TimeFormatStyle::shortened;
            c.fontSize = 20;
        });
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        const FittedClock& layout = view.currentLayout();
        QCOMPARE(bool(layout.date), hasDate);
        QCOMPARE(bool(layout.time), hasTime);
        QVERIFY(!layout.face);
        const QImage image = render(view);

        QRectF covered;
        for (const auto& text : {layout.date, layout.time}) {
            if (!text)
                continue;
            QVERIFY2(textPixels(image, text->rect) > 20, "the text is drawn in its place");
            QCOMPARE(text->font.pixelSize(), 20); // short texts keep their size
            covered |= text->rect;
        }
        // Nothing of the text colour outside the texts' places, and the block is centred.
        QCOMPARE(textPixels(image, QRectF(image.rect())),
                 textPixels(image, covered.adjusted(-1, -1, 1, 1)));
        QVERIFY(std::abs(covered.center().x() - 160) < 1 &&
                std::abs(covered.center().y() - 110) < 1);

        if (hasDate && hasTime) {
            const QRectF first = (dateFirst ? layout.date : layout.time)->rect;
            const QRectF second = (dateFirst ? layout.time : layout.date)->rect;
            if (orientation == Qt::Vertical) {
                QCOMPARE(second.top() - first.bottom(), 8.0);
                QCOMPARE(first.center().x(), second.center().x());
            } else {
                QCOMPARE(second.left() - first.right(), 12.0);
                QCOMPARE(first.center().y(), second.center().y());
            }
        }
    }

    void textsFitThePaddedArea_data()
    {
        QTest::addColumn<ClockStyle>("style");
        QTest::addColumn<DateTimePosition>("position");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<QString>("variant");
        for (ClockStyle style : kAllClockStyles) {
            for (DateTimePosition position : kAllDateTimePositions)
                QTest::addRow("%s %s", qPrintable(rawValue(style)), qPrintable(rawValue(position)))
                    << style << position << 24.0 << QString();
        }
        // A short time leaves the date most of the row.
        QTest::newRow("row, short time")
            << ClockStyle::digital << DateTimePosition::dateTimeHorizontal << 24.0 << "short time";
        // Its glyphs reach past their advance.
        QTest::newRow("swash font")
            << ClockStyle::digital << DateTimePosition::timeDateVertical << 32.0 << "Z003";
        // Too tall for the room as well.
        QTest::newRow("large column")
            << ClockStyle::digital << DateTimePosition::timeDateVertical << 100.0 << QString();
        QTest::newRow("large row")
            << ClockStyle::digital << DateTimePosition::dateTimeHorizontal << 100.0 << QString();
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
            else if (!variant.isEmpty())
                c.fontName = variant;
        });
        // "Wednesday, September 16, 2026" is wider than the default clock's room.
        m_now = QDateTime(QDate(2026, 9, 16), QTime(22, 58, 58), QTimeZone("Asia/Tokyo"));
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        QCOMPARE(pixelsOutsideThePadding(view), 0);
        const FittedClock& layout = view.currentLayout();
        if (layout.date)
            QVERIFY(layout.date->font.pixelSize() < fontSize);
        if (layout.time && fontSize == 24) // the short text keeps its size
            QCOMPARE(layout.time->font.pixelSize(), 24);
        if (layout.date && fontSize == 24) {
            // No smaller than it must be: a pixel larger, the date would leave the room.
            const double pixels = layout.date->font.pixelSize();
            const double beside = isRow(position) && layout.time
                                      ? textGap(style, position) + layout.time->rect.width()
                                      : 0.0;
            QVERIFY(layout.date->rect.width() * (pixels + 1) / pixels + beside > 288);
        }
    }

    void defaultClockShowsWholeTextsAllYear_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "en-US";
        QTest::newRow("Japanese") << "ja-JP";
    }
    void defaultClockShowsWholeTextsAllYear()
    {
        QFETCH(QString, locale);
        m_locale = locale;
        setClock(textsOnly);
        m_now = QDateTime(QDate(2026, 1, 1), QTime(22, 58, 58), QTimeZone("Asia/Tokyo"));
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        for (; m_now.date().year() == 2026; m_now = m_now.addDays(1)) {
            view.tick();
            QVERIFY2(pixelsOutsideThePadding(view) == 0, qPrintable(view.dateText()));
        }
    }

    void redrawsOnlyWhatChanged()
    {
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        PaintRecorder recorder;
        view.installEventFilter(&recorder);
        m_now = m_now.addSecs(1);
        view.tick();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const FittedClock& layout = view.currentLayout();
        QVERIFY(recorder.painted.intersects(layout.time->rect.toRect()));
        QVERIFY(!recorder.painted.intersects(layout.date->rect.toRect()));
        // The second hand's old and new places, not the minute hand below the centre.
        QVERIFY(recorder.painted.contains(QPoint(160 + 30, 110)));
        QVERIFY(!recorder.painted.contains(QPoint(160, 110 + 60)));
    }

    void analogFaceIsCentredAtItsSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("showSeconds");
        QTest::newRow("fits, seconds") << QSize(320, 240) << true;
        QTest::newRow("fits, no seconds") << QSize(320, 240) << false;
    }
    void analogFaceIsCentredAtItsSize()
    {
        QFETCH(QSize, window);
        QFETCH(bool, showSeconds);
        setClock([&](ClockSettings& c) {
            c.style = ClockStyle::analog;
            c.analogClockSize = 200;
            c.showSeconds = showSeconds;
            // No text over the face.
            c.dateTimePosition = DateTimePosition::dateOnly;
            c.dateFormatStyle = DateFormatStyle::custom1;
            c.customDateFormat1 = QString();
        });
        ClockView view(*m_store, sources());
        view.resize(window);
        const QImage image = render(view);
        // Centre (160, 120), radius 100: the dial's left and right edges, not beyond.
        QVERIFY(near(image.pixel(60, 120), kFace));
        QVERIFY(near(image.pixel(259, 120), kFace));
        QVERIFY(!near(image.pixel(54, 120), kFace));
        QVERIFY(near(image.pixel(160, 40), kFace));  // the 12 o'clock mark, 0.4 S up
        QVERIFY(near(image.pixel(160, 180), kFace)); // the minute hand at 180 degrees
        // The hour hand at 105 degrees, 0.2 S out.
        QVERIFY(near(image.pixel(160 + 39, 120 + 10), kFace));
        // The second hand at 90 degrees (15 seconds), 0.3 S out: there only with seconds.
        QCOMPARE(near(image.pixel(220, 120), kFace), showSeconds);
    }

    void analogFaceIsClippedByASmallWindow()
    {
        setClock([](ClockSettings& c) {
            c.style = ClockStyle::analog;
            c.analogClockSize = 200;
            c.dateTimePosition = DateTimePosition::timeOnly;
        });
        ClockView view(*m_store, sources());
        view.resize(150, 150);
        const QImage image = render(view);
        // Still 200 across about (75, 75): only the marks' outer ends reach into the window.
        QVERIFY(near(image.pixel(75, 2), kFace));   // 12 o'clock, 70...90 above the centre
        QVERIFY(near(image.pixel(147, 75), kFace)); // 3 o'clock
        QVERIFY(!near(image.pixel(75, 25), kFace)); // where a shrunken face's mark would be
        QVERIFY(textPixels(image, view.currentLayout().time->rect) > 20);
    }

    void backgroundFollowsTheLiveState()
    {
        setClock([](ClockSettings& c) { c.style = ClockStyle::digital; });
        ClockView view(*m_store, sources());
        view.resize(200, 120);
        QSignalSpy flag(m_store.get(), &AppSettingsManager::isJapaneseInputChanged);

        auto corner = [&] { return QColor::fromRgba(render(view).pixel(12, 12)); };
        QCOMPARE(render(view).pixel(0, 0), qRgba(0, 0, 0, 0)); // the rounded corner
        QVERIFY(near(corner().rgb(), QColor(0, 0, 255), 2));
        QVERIFY(std::abs(corner().alpha() - 153) <= 1);

        m_store->updateIMEState(true);
        QVERIFY(flag.wait(1000));
        QVERIFY(near(corner().rgb(), QColor(255, 255, 0), 2));

        // The indicator's colour for the current language wins over both colours.
        m_language = InputLanguage::korean;
        m_store->edit([](AppSettings& s) {
            s.clock.useIMEIndicatorColors = true;
            s.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {1, 0, 1, 0.5};
        });
        QVERIFY(near(corner().rgb(), QColor(255, 0, 255), 2));
        QVERIFY(std::abs(corner().alpha() - 77) <= 1); // 0.5 x 0.6
    }

    void ticksOnlyWhileShown()
    {
        ClockView view(*m_store, sources());
        QVERIFY(!view.isTimerRunning());
        view.show();
        QVERIFY(view.isTimerRunning());
        m_now = m_now.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(view.currentTime(), m_now, 3000);
        view.hide();
        QVERIFY(!view.isTimerRunning());
    }
};

MIREVO_TEST_CLASS(ClockViewTest)
#include "tst_ClockView.moc"

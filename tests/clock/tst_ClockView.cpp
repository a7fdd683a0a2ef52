#include "clock/ClockView.h"
#include "common/TestRegistry.h"
#include "settings/AppSettingsManager.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <unicode/timezone.h>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateTimePosition)

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

} // namespace

class ClockViewTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_folder;
    std::unique_ptr<AppSettingsManager> m_store;
    QDateTime m_now;
    InputLanguage m_language = InputLanguage::english;

    ClockSources sources()
    {
        return {[this] { return m_now; }, [this] { return m_language; },
                [] { return QString("en-US"); }};
    }
    void setClock(const std::function<void(ClockSettings&)>& change)
    {
        m_store->edit([&](AppSettings& s) { change(s.clock); });
    }

private slots:
    void initTestCase()
    {
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("Asia/Tokyo"));
    }

    void init()
    {
        m_store = std::make_unique<AppSettingsManager>(m_folder.path(), true);
        m_now = QDateTime(QDate(2026, 3, 5), QTime(15, 30, 15), QTimeZone("Asia/Tokyo"));
        m_language = InputLanguage::english;
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
        const ClockLayout layout = view.currentLayout();
        QCOMPARE(bool(layout.date), hasDate);
        QCOMPARE(bool(layout.time), hasTime);
        QVERIFY(!layout.face);
        const QImage image = render(view);

        QRectF covered;
        for (const auto& rect : {layout.date, layout.time}) {
            if (!rect)
                continue;
            QVERIFY2(textPixels(image, *rect) > 20, "the text is drawn in its place");
            covered |= *rect;
        }
        // Nothing of the text colour outside the texts' places, and the block is centred.
        QCOMPARE(textPixels(image, QRectF(image.rect())),
                 textPixels(image, covered.adjusted(-1, -1, 1, 1)));
        QVERIFY(std::abs(covered.center().x() - 160) < 1 &&
                std::abs(covered.center().y() - 110) < 1);

        if (hasDate && hasTime) {
            const QRectF first = dateFirst ? *layout.date : *layout.time;
            const QRectF second = dateFirst ? *layout.time : *layout.date;
            if (orientation == Qt::Vertical) {
                QCOMPARE(second.top() - first.bottom(), 8.0);
                QCOMPARE(first.center().x(), second.center().x());
            } else {
                QCOMPARE(second.left() - first.right(), 12.0);
                QCOMPARE(first.center().y(), second.center().y());
            }
        }
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
        QVERIFY(textPixels(image, *view.currentLayout().time) > 20);
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

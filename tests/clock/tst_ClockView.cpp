#include "clock/ClockView.h"
#include "common/TestRegistry.h"
#include "settings/AppSettingsManager.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace mirevo;

Q_DECLARE_METATYPE(mirevo::DateTimePosition)
Q_DECLARE_METATYPE(mirevo::ClockStyle)

namespace {

const QColor kText(0, 255, 0);

bool near(QRgb pixel, const QColor& color, int tolerance = 2)
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

// Pixels inside `area` that pass `test`.
int countPixels(const QImage& image, const QRectF& area, bool (*test)(QRgb))
{
    int count = 0;
    const QRect r = area.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

int textPixels(const QImage& image, const QRectF& area)
{
    return countPixels(image, area, [](QRgb pixel) { return near(pixel, kText, 60); });
}

// Drawn pixels outside the 16-point padding: with the background and the face made
// see-through, these are text pixels that left the room they have.
int pixelsOutsideThePadding(QWidget& view)
{
    const QImage image = render(view);
    auto drawn = [](QRgb pixel) { return qAlpha(pixel) > 0; };
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
        QTest::newRow("column in a short window")
            << ClockStyle::digital << DateTimePosition::timeDateVertical << 32.0 << "short window";
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
        // "Wednesday, September 16, 2026" is wider than the default clock's room.
        m_now = QDateTime(QDate(2026, 9, 16), QTime(22, 58, 58), QTimeZone("Asia/Tokyo"));
        ClockView view(*m_store, sources());
        view.resize(variant == "short window" ? QSize(500, 100) : QSize(320, 220));
        QCOMPARE(pixelsOutsideThePadding(view), 0);
        const FittedClock& layout = view.currentLayout();
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

    void defaultClockShowsWholeTextsAllYear()
    {
        setClock(textsOnly);
        for (const char* locale : {"en-US", "ja-JP"}) {
            m_locale = locale;
            m_now = QDateTime(QDate(2026, 1, 1), QTime(22, 58, 58), QTimeZone("Asia/Tokyo"));
            ClockView view(*m_store, sources());
            view.resize(320, 220);
            for (; m_now.date().year() == 2026; m_now = m_now.addDays(1)) {
                view.tick();
                QVERIFY2(pixelsOutsideThePadding(view) == 0, qPrintable(view.dateText()));
            }
        }
    }

    // The default clock (analog, 200 across, date over time) at 15:30:15.
    void drawsWholeThenOnlyWhatChanged()
    {
        ClockView view(*m_store, sources());
        view.resize(320, 220);
        const QImage image = render(view);
        // Both texts in the text colour, each in its place and nowhere else.
        const FittedClock& layout = view.currentLayout();
        QVERIFY(textPixels(image, layout.date->rect) > 20);
        QVERIFY(textPixels(image, layout.time->rect) > 20);
        QCOMPARE(textPixels(image, QRectF(image.rect())),
                 textPixels(image, (layout.date->rect | layout.time->rect).adjusted(-1, -1, 1, 1)));
        // The dial about (160, 110): its 12 o'clock mark in the face colour.
        QVERIFY(near(image.pixel(160, 30), QColor(255, 0, 0), 40));
        // The background, at 60 % opacity; the rounded corner stays clear.
        const QColor background = QColor::fromRgba(image.pixel(12, 12));
        QVERIFY(near(background.rgb(), QColor(0, 0, 255)));
        QVERIFY(std::abs(background.alpha() - 153) <= 1);
        QCOMPARE(image.pixel(0, 0), qRgba(0, 0, 0, 0));

        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        PaintRecorder recorder;
        view.installEventFilter(&recorder);
        m_now = m_now.addSecs(5);
        view.tick();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QVERIFY(recorder.painted.intersects(layout.time->rect.toRect()));
        QVERIFY(!recorder.painted.intersects(layout.date->rect.toRect()));
        // The second hand's old place (at 3 o'clock) and new one (at 4), not the minute
        // hand below the centre.
        QVERIFY(recorder.painted.contains(QPoint(160 + 75, 110)));
        QVERIFY(recorder.painted.contains(QPoint(160 + 52, 110 + 30)));
        QVERIFY(!recorder.painted.contains(QPoint(160, 110 + 60)));
        // Hidden, it does not tick at all.
        view.hide();
        QVERIFY(!view.isTimerRunning());
    }
};

MIREVO_TEST_CLASS(ClockViewTest)
#include "tst_ClockView.moc"

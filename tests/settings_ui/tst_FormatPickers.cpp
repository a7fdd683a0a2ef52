#include "clock/DateTimeFormats.h"
#include "common/TestRegistry.h"
#include "platform/Displays.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/DateTimeFormatPickers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

// The clock page with both pickers, on a clock the test moves by hand.
struct Fixture {
    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080)}};
    QDateTime now{QDate(2024, 3, 5), QTime(10, 0, 0)};
    int refreshed = 0;
    ClockSettingsView view{store, displays, ClockPageActions{[this] { ++refreshed; }, {}, {}},
                           [this] { return now; }};

    Fixture() { view.show(); }

    FormatPickerView* picker(const char* name)
    {
        return view.findChild<FormatPickerView*>(QLatin1String(name));
    }
    template <typename T> T* in(FormatPickerView* owner, const QString& name)
    {
        auto* found = owner->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    // Clicks where the user would, once the list and the editor have finished opening.
    void click(FormatPickerView* owner, const QString& name)
    {
        for (const char* animated : {"expandedPanel", "patternEditor"})
            QTRY_COMPARE(in<QWidget>(owner, animated)->maximumHeight(), QWIDGETSIZE_MAX);
        QWidget* target = in<QWidget>(owner, name);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }
    const ClockSettings& clock() const { return store.settings().clock; }
};

constexpr int kDateCustom1 = 4;

} // namespace

class FormatPickersTest : public QObject {
    Q_OBJECT
private slots:
    void openingTheEditorSelectsNothing()
    {
        Fixture f;
        FormatPickerView* date = f.picker("dateFormatPicker");
        f.click(date, "summaryRow");
        QVERIFY(date->isExpanded());
        QCOMPARE(f.in<QPushButton>(date, "edit_custom1")->text(), localized("Clock", "edit"));
        f.click(date, "edit_custom1");
        QCOMPARE(date->editingCustom(), std::optional<int>(kDateCustom1));
        QCOMPARE(f.in<QPushButton>(date, "edit_custom1")->text(), localized("Clock", "close"));
        QCOMPARE(f.in<QLineEdit>(date, "patternField")->text(), QStringLiteral("yyyy/MM/dd E"));
        QVERIFY(f.in<QWidget>(date, "patternEditor")->isVisible());
        QCOMPARE(f.clock().dateFormatStyle, DateFormatStyle::complete);
        QCOMPARE(f.refreshed, 0);
        f.click(date, "edit_custom1");
        QCOMPARE(date->editingCustom(), std::nullopt);
        QTRY_VERIFY(!f.in<QWidget>(date, "patternEditor")->isVisible());
    }

    void choosingARowClosesTheListAndTheEditor()
    {
        Fixture f;
        FormatPickerView* date = f.picker("dateFormatPicker");
        f.click(date, "summaryRow");
        f.click(date, "edit_custom1");
        f.click(date, "row_custom2");
        QCOMPARE(f.clock().dateFormatStyle, DateFormatStyle::custom2);
        QCOMPARE(AppSettingsManager(f.dir.path()).settings().clock.dateFormatStyle,
                 DateFormatStyle::custom2);
        QCOMPARE(f.refreshed, 1);
        QVERIFY(!date->isExpanded());
        QCOMPARE(date->editingCustom(), std::nullopt);
        QVERIFY(f.in<QWidget>(date, "summaryRow")->isVisible());
        QTRY_VERIFY(!f.in<QWidget>(date, "expandedPanel")->isVisible());
        QCOMPARE(f.in<QLabel>(date, "summaryLabel")->text(),
                 localized("Clock", "date_format_custom2"));
        QCOMPARE(f.in<QLabel>(date, "summaryPreview")->text(), QStringLiteral("3/5 (Tue)"));
    }

    void anEmptyPatternPreviewsEmpty()
    {
        Fixture f;
        FormatPickerView* date = f.picker("dateFormatPicker");
        f.click(date, "summaryRow");
        f.click(date, "edit_custom1");
        QCOMPARE(f.in<QLabel>(date, "preview_custom1")->text(), QStringLiteral("2024/03/05 Tue"));
        auto* field = f.in<QLineEdit>(date, "patternField");
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(f.clock().customDateFormat1, QString());
        QCOMPARE(f.clock().customDateFormat2, QStringLiteral("M/d (EEE)"));
        QCOMPARE(f.in<QLabel>(date, "preview_custom1")->text(), QString());
        QCOMPARE(f.in<QLabel>(date, "patternPreview")->text(), QString());
        QVERIFY(!f.in<QWidget>(date, "patternError")->isVisible());
        QTest::keyClicks(field, "jjj"); // no pattern the formatter takes: it says so
        QCOMPARE(f.clock().customDateFormat1, QStringLiteral("jjj"));
        QVERIFY(f.in<QWidget>(date, "patternError")->isVisible());
        field->selectAll();
        QTest::keyClicks(field, "d");
        QCOMPARE(f.in<QLabel>(date, "patternPreview")->text(), QStringLiteral("5"));
        QVERIFY(!f.in<QWidget>(date, "patternError")->isVisible());
    }

    void anExampleFillsThePatternBeingEdited()
    {
        Fixture f;
        FormatPickerView* time = f.picker("timeFormatPicker");
        f.click(time, "summaryRow");
        f.click(time, "edit_custom2");
        QCOMPARE(time->editingCustom(), std::optional<int>(4)); // custom2 of the time styles
        auto* example = f.in<QPushButton>(time, "example_5");
        QCOMPARE(timeFormatExamples().at(5), QStringLiteral("HH:mm:ss.SSS"));
        example->click();
        QCOMPARE(f.clock().customTimeFormat2, QStringLiteral("HH:mm:ss.SSS"));
        QCOMPARE(f.clock().customTimeFormat1, QStringLiteral("HH:mm:ss"));
        QCOMPARE(f.clock().timeFormatStyle, TimeFormatStyle::standard);
        QCOMPARE(f.in<QLineEdit>(time, "patternField")->text(), QStringLiteral("HH:mm:ss.SSS"));
        QCOMPARE(f.in<QLabel>(time, "preview_custom2")->text(), QStringLiteral("10:00:00.000"));
    }

    void previewsFollowTheClockWhileShown()
    {
        Fixture f;
        FormatPickerView* time = f.picker("timeFormatPicker");
        f.click(time, "summaryRow");
        f.click(time, "edit_custom1");
        auto* row = f.in<QLabel>(time, "preview_custom1");
        auto* example = f.in<QLabel>(time, "examplePreview_4"); // "h:mm:ss a"
        QCOMPARE(row->text(), QStringLiteral("10:00:00"));
        QCOMPARE(example->text(), QStringLiteral("10:00:00 AM"));
        f.now = f.now.addSecs(1);
        QTRY_COMPARE(row->text(), QStringLiteral("10:00:01"));
        QCOMPARE(example->text(), QStringLiteral("10:00:01 AM"));
        QCOMPARE(f.in<QLabel>(time, "patternPreview")->text(), QStringLiteral("10:00:01"));

        auto* timer = f.in<QTimer>(time, "previewTimer");
        QVERIFY(timer->isActive());
        f.view.hide();
        QVERIFY(!timer->isActive());
    }

    void rowsPreviewEveryStyle()
    {
        Fixture f;
        FormatPickerView* date = f.picker("dateFormatPicker");
        for (DateFormatStyle style : kAllDateFormatStyles) {
            const QString expected =
                formattedDate(f.now, style, displayLocale(), f.clock().customDateFormat1,
                              f.clock().customDateFormat2);
            QCOMPARE(f.in<QLabel>(date, "preview_" + rawValue(style))->text(), expected);
        }
    }
};

MIREVO_TEST_CLASS(FormatPickersTest)
#include "tst_FormatPickers.moc"

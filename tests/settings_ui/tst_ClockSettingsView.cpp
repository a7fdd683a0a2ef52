#include "common/TestRegistry.h"
#include "platform/Displays.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/SettingsControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

struct Fixture {
    explicit Fixture(QList<QRect> screens = {QRect(0, 0, 1920, 1080)})
        : displays(std::move(screens))
    {}

    QTemporaryDir dir;
    AppSettingsManager store{dir.path()};
    FixedDisplays displays;
    int refreshed = 0;
    int applied = 0;
    int moveModeApplied = 0;
    ClockSettingsView view{store, displays,
                           ClockPageActions{[this] { ++refreshed; }, [this] { ++applied; },
                                            [this] { ++moveModeApplied; }}};

    template <typename T> T* find(const char* name)
    {
        auto* found = view.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void setClock(const std::function<void(ClockSettings&)>& change)
    {
        store.edit([&](AppSettings& s) { change(s.clock); });
    }
    ClockSettings saved() const { return AppSettingsManager(dir.path()).settings().clock; }
    const ClockSettings& clock() const { return store.settings().clock; }
};

} // namespace

class ClockSettingsViewTest : public QObject {
    Q_OBJECT
private slots:
    void analogStyleGrowsTheWindowToTheFace_data()
    {
        QTest::addColumn<int>("styleIndex");
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<QSizeF>("expected");
        QTest::newRow("analog grows both") << 0 << QSizeF(150, 120) << QSizeF(200, 200);
        QTest::newRow("analog grows height only") << 0 << QSizeF(320, 120) << QSizeF(320, 200);
        QTest::newRow("digital keeps the size") << 1 << QSizeF(150, 120) << QSizeF(150, 120);
    }
    void analogStyleGrowsTheWindowToTheFace()
    {
        QFETCH(int, styleIndex);
        QFETCH(QSizeF, window);
        QFETCH(QSizeF, expected);
        Fixture f;
        f.setClock([&](ClockSettings& c) {
            c.style = styleIndex == 0 ? ClockStyle::digital : ClockStyle::analog;
            c.analogClockSize = 200;
            c.windowWidth = window.width();
            c.windowHeight = window.height();
        });
        f.find<QComboBox>("stylePicker")->setCurrentIndex(styleIndex);
        QCOMPARE(QSizeF(f.clock().windowWidth, f.clock().windowHeight), expected);
        QCOMPARE(f.saved().style, styleIndex == 0 ? ClockStyle::analog : ClockStyle::digital);
        QCOMPARE(f.refreshed, 1);
        QCOMPARE(f.applied, 0);
    }

    void typedPositions_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("not a number") << "12a" << 2869.0 << "2869";
        QTest::newRow("whole number") << "300" << 300.0 << "300";
        QTest::newRow("decimal") << "42.6" << 42.6 << "43";
        QTest::newRow("blanks are no number") << " 42 " << 2869.0 << "2869";
        QTest::newRow("comma is no decimal point") << "42,5" << 2869.0 << "2869";
        QTest::newRow("infinity") << "inf" << 2869.0 << "2869";
    }
    void typedPositions()
    {
        QFETCH(QString, typed);
        QFETCH(double, expected);
        QFETCH(QString, shown);
        Fixture f;
        auto* field = f.find<QLineEdit>("positionXField");
        QCOMPARE(field->text(), QStringLiteral("2869"));
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.clock().positionX, expected);
        QCOMPARE(f.saved().positionX, expected);
        QCOMPARE(f.applied, expected == 2869.0 ? 0 : 1);
        QCOMPARE(field->text(), shown);
    }

    void cornerPresets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("top right") << "topRightButton" << QPointF(1600, 860);
        QTest::newRow("top left") << "topLeftButton" << QPointF(0, 860);
        QTest::newRow("bottom left") << "bottomLeftButton" << QPointF(0, 0);
        QTest::newRow("bottom right") << "bottomRightButton" << QPointF(1600, 0);
    }
    void cornerPresets()
    {
        QFETCH(QString, button);
        QFETCH(QPointF, expected);
        Fixture f({QRect(0, 0, 1920, 1080)});
        QSignalSpy writes(&f.store, &AppSettingsManager::settingsChanged);
        f.find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(QPointF(f.clock().positionX, f.clock().positionY), expected);
        QCOMPARE(QPointF(f.saved().positionX, f.saved().positionY), expected);
        QCOMPARE(writes.count(), 2);
        QCOMPARE(f.applied, 1);
    }

    void presetsNeedTheNamedDisplay()
    {
        Fixture f;
        f.setClock([](ClockSettings& c) { c.displayIndex = 2; });
        QCOMPARE(f.find<QComboBox>("displayPicker")->currentIndex(), -1);
        for (const char* name :
             {"topLeftButton", "topRightButton", "bottomLeftButton", "bottomRightButton"})
            f.find<QPushButton>(name)->click();
        QCOMPARE(f.clock().positionX, 2869.0);
        QCOMPARE(f.clock().positionY, 310.0);
        QCOMPARE(f.applied, 0);
    }

    void choosingADisplayMovesToItsBottomRight()
    {
        Fixture f({QRect(0, 0, 1920, 1080), QRect(1920, 0, 2560, 1440)});
        auto* picker = f.find<QComboBox>("displayPicker");
        QCOMPARE(picker->count(), 2);
        QCOMPARE(picker->itemText(1), QStringLiteral("Display 2"));
        picker->setCurrentIndex(1);
        QCOMPARE(f.clock().displayIndex, 1);
        QCOMPARE(QPointF(f.clock().positionX, f.clock().positionY), QPointF(2240, 0));
        QCOMPARE(f.saved().displayIndex, 1);
        QCOMPARE(f.applied, 1);
        QCOMPARE(f.find<QLineEdit>("positionXField")->text(), QStringLiteral("2240"));
    }

    void slidersWriteEveryStep_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("applies");
        QTest::newRow("opacity") << "opacity" << 7 << 0.35 << "35%" << false;
        QTest::newRow("font size") << "fontSize" << 28 << 40.0 << "40" << false;
        QTest::newRow("width") << "width" << 5 << 150.0 << "150" << true;
        QTest::newRow("height") << "height" << 40 << 500.0 << "500" << true;
        QTest::newRow("analog size") << "analogSize" << 1 << 45.0 << "45" << false;
    }
    void slidersWriteEveryStep()
    {
        QFETCH(QString, slider);
        QFETCH(int, step);
        QFETCH(double, expected);
        QFETCH(QString, label);
        QFETCH(bool, applies);
        Fixture f;
        f.find<SteppedSlider>(qPrintable(slider + "Slider"))->setValue(step);
        QCOMPARE(f.find<QLabel>(qPrintable(slider + "Value"))->text(), label);
        const ClockSettings saved = f.saved();
        const double stored = slider == "opacity"    ? saved.backgroundOpacity
                              : slider == "fontSize" ? saved.fontSize
                              : slider == "width"    ? saved.windowWidth
                              : slider == "height"   ? saved.windowHeight
                                                     : saved.analogClockSize;
        QCOMPARE(stored, expected);
        QCOMPARE(f.applied, applies ? 1 : 0);
        QCOMPARE(f.refreshed, applies ? 0 : 1);
    }

    void opacityLabelTruncatesThePercentage_data()
    {
        QTest::addColumn<double>("opacity");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0.35") << 0.35 << "35%";
        QTest::newRow("0.57 is 56.99999") << 0.57 << "56%";
        QTest::newRow("0.999") << 0.999 << "99%";
    }
    void opacityLabelTruncatesThePercentage()
    {
        QFETCH(double, opacity);
        QFETCH(QString, shown);
        Fixture f;
        f.setClock([&](ClockSettings& c) { c.backgroundOpacity = opacity; });
        QCOMPARE(f.find<QLabel>("opacityValue")->text(), shown);
    }

    void resetReturnsEveryRecordToItsDefaults()
    {
        Fixture f;
        f.store.edit([](AppSettings& s) {
            s.imeIndicator.indicatorSize = 140;
            s.mouseCursorIndicator.size = 31;
            s.clock.fontSize = 60;
            s.clock.moveMode = true;
        });
        f.find<QPushButton>("resetButton")->click();
        AppSettings expected;
        expected.clock.moveMode = true;
        QCOMPARE(f.store.settings(), expected);
        QCOMPARE(AppSettingsManager(f.dir.path()).settings(), AppSettings());
        QCOMPARE(f.applied, 1);
        QCOMPARE(f.find<QLabel>("fontSizeValue")->text(), QStringLiteral("24"));
    }

    void showSwitchAppliesAtOnce()
    {
        Fixture f;
        auto* toggle = f.find<QCheckBox>("showClockSwitch");
        QVERIFY(toggle->isChecked());
        toggle->click();
        QCOMPARE(f.saved().isVisible, false);
        QCOMPARE(f.applied, 1);
        toggle->click();
        QCOMPARE(f.clock().isVisible, true);
        QCOMPARE(f.applied, 2);
        QCOMPARE(f.refreshed, 0);
    }

    void moveModeFollowsThePage()
    {
        Fixture f;
        f.view.show();
        QVERIFY(f.clock().moveMode);
        QCOMPARE(f.moveModeApplied, 1);
        f.view.hide();
        QVERIFY(!f.clock().moveMode);
        QCOMPARE(f.moveModeApplied, 2);
    }

    void controlsFollowTheStoreWithoutWriting()
    {
        Fixture f;
        QSignalSpy writes(&f.store, &AppSettingsManager::settingsChanged);
        f.setClock([](ClockSettings& c) {
            c.fontName = kSystemFontName;
            c.showSeconds = false;
            c.dateTimePosition = DateTimePosition::timeOnly;
            c.textColor = {0, 0.5, 1, 0.5};
        });
        auto* family = f.find<QComboBox>("fontFamilyPicker");
        QCOMPARE(family->currentText(), localized("Clock", "system_font"));
        QCOMPARE(family->currentData().toString(), kSystemFontDisplayName);
        QVERIFY(!f.find<QCheckBox>("showSecondsSwitch")->isChecked());
        QCOMPARE(f.find<QComboBox>("contentPicker")->currentIndex(), 5);
        QCOMPARE(f.find<ColorWell>("textColorWell")->color(), QColor::fromRgbF(0, 0.5, 1, 0.5));
        QCOMPARE(writes.count(), 1);
        QCOMPARE(f.refreshed + f.applied, 0);
    }

    void colorWellsWriteThePickedColor()
    {
        Fixture f;
        const QColor picked = QColor::fromRgbF(0.25f, 0.5f, 0.75f, 0.5f);
        f.find<ColorWell>("backgroundOnWell")->pickColor(picked);
        QCOMPARE(f.saved().backgroundColorOn.toQColor(), picked);
        QCOMPARE(f.saved().backgroundColorOff, ClockSettings().backgroundColorOff);
        QCOMPARE(f.refreshed, 1);
    }

    void fontPickerNamesTheSystemFontByItsStoredName()
    {
        Fixture f;
        f.setClock([](ClockSettings& c) { c.fontName = QStringLiteral("No Such Family"); });
        auto* family = f.find<QComboBox>("fontFamilyPicker");
        QCOMPARE(family->currentIndex(), -1);
        QCOMPARE(family->placeholderText(), QStringLiteral("No Such Family"));
        family->setCurrentIndex(0);
        QCOMPARE(f.saved().fontName, kSystemFontName);
        if (family->count() > 1) {
            family->setCurrentIndex(1);
            QCOMPARE(f.clock().fontName, family->itemText(1));
        }
    }

    void fontListKeepsFamiliesThatDrawTheSample()
    {
        const QStringList families{"Zeta Sans", "Alpha Mincho", "Latin Only", "Alpha Mincho"};
        const QStringList entries = fontListEntries(
            families, [](const QString& family) { return family != QLatin1String("Latin Only"); });
        QCOMPARE(entries, QStringList({kSystemFontDisplayName, "Alpha Mincho", "Zeta Sans"}));
        QVERIFY(!familyCoversText(QStringLiteral("No Such Family"), QStringLiteral("A")));
        // Plain names once each, and no symbol fonts.
        QCOMPARE(plainFamilyName("Nimbus Sans [URW ]"), QStringLiteral("Nimbus Sans"));
        const QStringList installed = installedFontFamilies();
        QVERIFY(installed.contains("DejaVu Sans"));
        for (const QString& family : installed)
            QVERIFY2(!family.contains('[') &&
                         !QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol),
                     qPrintable(family));
    }
};

MIREVO_TEST_CLASS(ClockSettingsViewTest)
#include "tst_ClockSettingsView.moc"

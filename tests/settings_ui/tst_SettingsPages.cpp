#include "PagesFixture.h"
#include "common/TestRegistry.h"
#include "settings/SettingsJson.h"
#include "settings_ui/ColorWell.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

using namespace mirevo;
using mirevo::test::Pages;

// One control of a settings page: what the program hears of a change to it, which also
// names the page (the clock's "refresh" or "apply", the badge's "ime", the pointer badge's
// "cursor"); what the user does with it; the fields of the settings file it changes
// ("key=value;..."); what it shows afterwards; the fields set before the page opens.
struct Row {
    const char *heard, *control, *input, *changed, *shown = "", *before = "";
};
Q_DECLARE_METATYPE(Row)

namespace {

// "key=value;..." as "record.key" fields of the settings file, `record` where a key names
// none; values are JSON where they parse as such, colours "#aarrggbb", text otherwise.
QJsonObject parseFields(const QString& text, const QString& record)
{
    QJsonObject fields;
    for (const QString& pair : text.split(';', Qt::SkipEmptyParts)) {
        const QString key = pair.section('=', 0, 0), value = pair.section('=', 1);
        const QJsonArray json = QJsonDocument::fromJson(('[' + value + ']').toUtf8()).array();
        const QColor c(value);
        fields[key.contains('.') ? key : record + '.' + key] =
            value.startsWith('#') ? QJsonObject{{"red", c.redF()},
                                                {"green", c.greenF()},
                                                {"blue", c.blueF()},
                                                {"alpha", c.alphaF()}}
            : json.isEmpty()      ? QJsonValue(value)
                                  : json[0];
    }
    return fields;
}

// The fields of the settings file whose values differ from `before`'s.
QString changedFields(const QByteArray& before, const QByteArray& file)
{
    QJsonObject changed;
    const QJsonObject was = QJsonDocument::fromJson(before).object();
    const QJsonObject records = QJsonDocument::fromJson(file).object();
    for (const QString& record : records.keys()) {
        const QJsonObject values = records[record].toObject();
        for (const QString& key : values.keys()) {
            if (values[key] != was[record].toObject()[key])
                changed[record + '.' + key] = values[key];
        }
    }
    return QJsonDocument(changed).toJson(QJsonDocument::Compact);
}

// Puts `fields` into the store as another part of the program would.
void setFromOutside(AppSettingsManager& store, const QJsonObject& fields)
{
    QJsonObject file = QJsonDocument::fromJson(encodeSettings(store.settings())).object();
    for (const QString& name : fields.keys()) {
        const QString recordName = name.section('.', 0, 0);
        QJsonObject record = file[recordName].toObject();
        record[name.section('.', 1)] = fields[name];
        file[recordName] = record;
    }
    AppSettings settings = decodeSettings(QJsonDocument(file).toJson()).value();
    settings.clock.moveMode = store.settings().clock.moveMode; // no setting, the pages' state
    settings.imeIndicator.moveMode = store.settings().imeIndicator.moveMode;
    store.setSettings(settings);
}

// The control at the end of a "/"-separated path of object names; the buttons on the way
// are clicked, as a user opens an editor before typing in it.
QWidget* reach(QWidget* page, const QString& path)
{
    QWidget* scope = page;
    QWidget* control = nullptr;
    for (const QString& name : path.split('/')) {
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        if (!(control = scope->findChild<QWidget*>(name)))
            qFatal("no control %s", qPrintable(name));
        scope = scope == page ? control : scope;
    }
    return control;
}

// What a user does with `input` on each kind of control.
void operate(QWidget* control, const QString& input)
{
    bool isNumber = false;
    const int number = input.toInt(&isNumber);
    if (auto* well = qobject_cast<ColorWell*>(control)) {
        well->pickColor(QColor(input));
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        slider->setValue(number);
    } else if (auto* box = qobject_cast<QComboBox*>(control)) {
        box->setCurrentIndex(isNumber ? number : box->findData(input));
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        field->selectAll();
        field->insert(input); // one edit, as a paste
        QTest::keyClick(field, Qt::Key_Return);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
    }
}

// What a control shows: a slider its value label, a colour well its colour, a check box
// whether it is on, a drop-down its choice or its placeholder, a field its text.
QString shownBy(QWidget* control)
{
    if (auto* well = qobject_cast<ColorWell*>(control))
        return well->color().name(QColor::HexArgb);
    if (auto* slider = qobject_cast<QSlider*>(control))
        return control->window()
            ->findChild<QLabel*>(slider->objectName().replace("Slider", "Value"))
            ->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->isCheckable() ? (button->isChecked() ? "on" : "off") : QString();
    if (auto* box = qobject_cast<QComboBox*>(control))
        return box->currentIndex() < 0 ? box->placeholderText() : box->currentText();
    return qobject_cast<QLineEdit*>(control)->text();
}

} // namespace

class SettingsPagesTest : public QObject {
    Q_OBJECT
private slots:
    // Each row runs twice: as the user does it, and set from outside, which shows in the
    // control without anything written or heard.
    void everyControlWritesItsField_data()
    {
        QTest::addColumn<Row>("row");
        for (const Row& row : std::initializer_list<Row>{
                 {"apply", "showClockSwitch", "", "isVisible=false", "off"},
                 {"refresh", "stylePicker", "1", "style=digital", "Digital"},
                 {"refresh", "stylePicker", "0", "style=analog;windowWidth=200;windowHeight=200",
                  "Analog", "style=digital;windowWidth=150;windowHeight=120"},
                 {"refresh", "stylePicker", "0", "style=analog;windowHeight=200", "Analog",
                  "style=digital;windowHeight=120"},
                 {"refresh", "contentPicker", "5", "dateTimePosition=time_only", "Time only"},
                 {"refresh", "showSecondsSwitch", "", "showSeconds=false", "off"},
                 {"refresh", "fontFamilyPicker", "Noto Sans CJK JP", "fontName=Noto Sans CJK JP",
                  "Noto Sans CJK JP"},
                 {"refresh", "fontFamilyPicker", "0", "fontName=.AppleSystemUIFont", "System font",
                  "fontName=No Such Family"},
                 {"refresh", "fontSizeSlider", "28", "fontSize=40", "40"},
                 {"refresh", "dateFormatPicker/radio_custom2", "", "dateFormatStyle=custom2", "on"},
                 {"refresh", "dateFormatPicker/edit_custom1/patternField", "d",
                  "customDateFormat1=d", "d"},
                 {"refresh", "timeFormatPicker/radio_custom1", "", "timeFormatStyle=custom1", "on"},
                 {"refresh", "timeFormatPicker/edit_custom2/example_5", "",
                  "customTimeFormat2=HH:mm:ss.SSS"},
                 {"refresh", "textColorWell", "#80ff0000", "textColor=#80ff0000", "#80ff0000"},
                 {"refresh", "analogColorWell", "#ff00ff00", "analogColor=#ff00ff00", "#ff00ff00"},
                 {"refresh", "useIMEColorsSwitch", "", "useIMEIndicatorColors=true", "on"},
                 {"refresh", "backgroundOffWell", "#400000ff", "backgroundColorOff=#400000ff",
                  "#400000ff"},
                 {"refresh", "backgroundOnWell", "#ffffff00", "backgroundColorOn=#ffffff00",
                  "#ffffff00"},
                 {"refresh", "backgroundOnWell", "", "", "#ffff2600"}, // a cancelled dialog
                 {"refresh", "opacitySlider", "7", "backgroundOpacity=0.35", "35%"},
                 {"apply", "positionXField", "300", "positionX=300", "300"},
                 {"apply", "positionXField", " 5", "", "2869"},
                 {"apply", "positionYField", "42.6", "positionY=42.6", "43"},
                 {"apply", "displayPicker", "1", "displayIndex=1;positionX=960;positionY=0",
                  "Display 2"},
                 {"apply", "topRightButton", "", "positionX=1600;positionY=860"},
                 {"apply", "bottomLeftButton", "", "positionX=0;positionY=0"},
                 {"apply", "topLeftButton", "", "", "", "displayIndex=2"},
                 {"apply", "widthSlider", "5", "windowWidth=150", "150"},
                 {"apply", "heightSlider", "40", "windowHeight=500", "500"},
                 {"refresh", "analogSizeSlider", "1", "analogClockSize=45", "45"},
                 {"apply", "resetButton", "",
                  "imeIndicator.indicatorSize=100;mouseCursorIndicator.size=20;fontSize=24", "",
                  "imeIndicator.indicatorSize=140;mouseCursorIndicator.size=31;fontSize=60"},

                 {"ime", "showIndicatorSwitch", "", "isVisible=false", "off"},
                 {"ime", "indicatorSizeSlider", "18", "indicatorSize=120", "120 px"},
                 {"ime", "sizePreset2", "", "indicatorSize=80"},
                 {"ime", "textSizeSlider", "10", "fontSizeRatio=0.8", "80%"},
                 {"ime", "textSizePreset0", "", "fontSizeRatio=0.4"},
                 {"ime", "positionXField", "-35.5", "positionX=-35.5", "-36"},
                 {"ime", "positionYField", "1e999", "", "152"},
                 {"ime", "displayPopup", "1", "displayIndex=1;positionX=20;positionY=20",
                  "Display 2"},
                 {"ime", "bottomLeftButton", "", "positionX=20;positionY=20"},
                 {"ime", "topRightButton", "", "positionX=1200;positionY=944", "",
                  "displayIndex=1;indicatorSize=60"},
                 {"ime", "topRightButton", "", "", "", "displayIndex=5"},
                 {"ime", "textField_japanese", "A", "japaneseText=A", "A"},
                 {"ime", "colorWell_korean", "#800a141e", "koreanColor=#800a141e", "#800a141e"},
                 {"ime", "fontPopup", "Noto Sans CJK JP", "fontName=Noto Sans CJK JP",
                  "Noto Sans CJK JP"},
                 {"ime", "opacitySlider", "7", "backgroundOpacity=0.35", "35%"},
                 {"ime", "resetButton", "", "indicatorSize=100;englishColor=#ff0000ff;otherText=?",
                  "", "indicatorSize=140;englishColor=#ffffff00;otherText=X"},

                 {"cursor", "showIndicatorSwitch", "", "isVisible=false", "off"},
                 {"cursor", "size_medium", "", "size=20", "", "size=13"},
                 {"cursor", "offsetXSlider", "0", "offsetX=-30", "-30"},
                 {"cursor", "offsetYSlider", "30", "offsetY=0", "+0"},
                 {"cursor", "opacitySlider", "9", "opacity=0.95", "95%"},
                 {"cursor", "resetButton", "",
                  "size=20;useSameColorAsIMEIndicator=true;englishColor=#ff0000ff", "",
                  "size=31;useSameColorAsIMEIndicator=false;englishColor=#ff102030"},
             })
            QTest::addRow("%s %s %s %s", row.heard, row.control, row.input, row.before) << row;
    }
    void everyControlWritesItsField()
    {
        QFETCH(Row, row);
        const QString name(row.heard), heard(*row.changed ? row.heard : "");
        const SettingsTab tab = name == "ime"      ? SettingsTab::imeIndicator
                                : name == "cursor" ? SettingsTab::mouseCursor
                                                   : SettingsTab::clock;
        const QString record =
            QStringList{"imeIndicator", "clock", "mouseCursorIndicator"}[int(tab)];
        const QJsonObject expected = parseFields(row.changed, record);
        const auto inMoveMode = [tab](const AppSettings& s) {
            return tab == SettingsTab::clock ? s.clock.moveMode : s.imeIndicator.moveMode;
        };
        for (const bool byUser : {false, true}) {
            Pages pages;
            setFromOutside(pages.store, parseFields(row.before, record));
            pages.store.saveSettings();
            const std::unique_ptr<QWidget> page = pages.make(tab);
            page->show();
            pages.heard.clear();
            pages.fileWhenHeard.clear();
            const QByteArray file = pages.savedFile();
            QWidget* target = reach(page.get(), row.control); // the way there writes nothing
            if (!byUser) {
                setFromOutside(pages.store, expected);
                QCOMPARE(pages.savedFile(), file);
                QCOMPARE(pages.heard, QStringList());
            } else {
                operate(target, row.input);
                QCOMPARE(changedFields(file, pages.savedFile()),
                         QJsonDocument(expected).toJson(QJsonDocument::Compact));
                QCOMPARE(pages.heard, heard.isEmpty() ? QStringList() : QStringList(heard));
                for (const QByteArray& atThatMoment : pages.fileWhenHeard)
                    QVERIFY2(atThatMoment == pages.savedFile(), "heard of before it was saved");
            }
            if (*row.shown)
                QCOMPARE(shownBy(target), QString(row.shown));
            if (tab == SettingsTab::mouseCursor)
                continue;
            // The page's display can be dragged while the page shows, whatever was edited.
            QVERIFY(inMoveMode(pages.store.settings()));
            page->hide();
            QVERIFY(!inMoveMode(pages.store.settings()));
        }
    }
};

MIREVO_TEST_CLASS(SettingsPagesTest)
#include "tst_SettingsPages.moc"

// The groups of controls on the clock page, top to bottom.
#include "clock/ClockAppearance.h"
#include "clock/DateTimeFormats.h"
#include "platform/Displays.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/DateTimeFormatPickers.h"
#include "settings_ui/FontPicker.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirevo {
namespace {

QString clockStyleLabel(ClockStyle style)
{
    return style == ClockStyle::analog ? localized("Clock", "style_analog")
                                       : localized("Clock", "style_digital");
}

QString positionLabel(DateTimePosition position)
{
    switch (position) {
    case DateTimePosition::dateTimeVertical:
        return localized("Clock", "position_date_time_vertical");
    case DateTimePosition::dateTimeHorizontal:
        return localized("Clock", "position_date_time_horizontal");
    case DateTimePosition::timeDateVertical:
        return localized("Clock", "position_time_date_vertical");
    case DateTimePosition::timeDateHorizontal:
        return localized("Clock", "position_time_date_horizontal");
    case DateTimePosition::dateOnly:
        return localized("Clock", "position_date_only");
    case DateTimePosition::timeOnly:
        return localized("Clock", "position_time_only");
    }
    return {};
}

template <typename Value, size_t N> int indexIn(const std::array<Value, N>& all, Value value)
{
    const auto found = std::find(all.begin(), all.end(), value);
    return found == all.end() ? -1 : static_cast<int>(found - all.begin());
}

SettingsGroup addGroup(QVBoxLayout* page, const QString& title, const QString& name)
{
    SettingsGroup group(name, title);
    page->addWidget(group.widget());
    return group;
}

QString wholeNumber(double value)
{
    return QString::number(static_cast<qint64>(value));
}

} // namespace

void ClockSettingsView::buildBasicGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("Clock", "basic"), QStringLiteral("basicGroup"));
    // Showing or hiding takes effect at once, so this re-applies rather than redraws.
    addSwitch(group, QStringLiteral("showClockSwitch"), localized("Clock", "show_clock"),
              &ClockSettings::isVisible, Reaction::apply);

    QStringList styles;
    for (ClockStyle value : kAllClockStyles)
        styles << clockStyleLabel(value);
    addPicker(
        group, QStringLiteral("stylePicker"), localized("Clock", "style"), styles,
        [](ClockSettings& c, int index) { applyClockStyle(c, kAllClockStyles.at(index)); },
        [](const ClockSettings& c) { return indexIn(kAllClockStyles, c.style); });

    QStringList contents;
    for (DateTimePosition value : kAllDateTimePositions)
        contents << positionLabel(value);
    addPicker(
        group, QStringLiteral("contentPicker"), localized("Clock", "content"), contents,
        [](ClockSettings& c, int index) { c.dateTimePosition = kAllDateTimePositions.at(index); },
        [](const ClockSettings& c) { return indexIn(kAllDateTimePositions, c.dateTimePosition); });

    addSwitch(group, QStringLiteral("showSecondsSwitch"), localized("Clock", "show_seconds"),
              &ClockSettings::showSeconds, Reaction::refresh);
}

void ClockSettingsView::buildFontGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("Clock", "font"), QStringLiteral("fontGroup"));
    // A family that is not installed is named with the one the clock draws its digits in.
    auto* family = new FontPicker(localized("Clock", "system_font"), [](const QString& name) {
        return familyDrawing(clockFont(name, kFontSamplePointSize), QStringLiteral("0"));
    });
    family->setObjectName(QStringLiteral("fontFamilyPicker"));
    // The system entry comes first in the picker already.
    family->setFamilies(fontListEntries(installedFontFamilies(), [](const QString& f) {
                            return familyCoversText(f, kFontSampleText);
                        }).mid(1));
    connect(family, &FontPicker::familyChosen, this, [this](const QString& name) {
        edit([name](ClockSettings& c) { c.fontName = name; }, Reaction::refresh);
    });
    m_syncs.push_back([family](const ClockSettings& clock) { family->showFamily(clock.fontName); });
    group.addRow(localized("Clock", "font_family"), family);

    addSlider(group, QStringLiteral("fontSize"), localized("Clock", "font_size"),
              &ClockSettings::fontSize, 12, 100, 1, Reaction::refresh, wholeNumber);
}

void ClockSettingsView::buildFormatGroups(QVBoxLayout* page, const TimeSource& now)
{
    const QString locale = displayLocale();
    SettingsGroup dateGroup =
        addGroup(page, localized("Clock", "date_format"), QStringLiteral("dateFormatGroup"));
    auto* date = new DateFormatPickerView(locale, now);
    connect(date, &FormatPickerView::styleChosen, this, [this](int index) {
        edit([style = DateFormatPickerView::styleAt(index)](
                 ClockSettings& c) { c.dateFormatStyle = style; },
             Reaction::refresh);
    });
    connect(date, &FormatPickerView::customFormatEdited, this,
            [this](int slot, const QString& pattern) {
                edit(
                    [slot, pattern](ClockSettings& c) {
                        (slot == 1 ? c.customDateFormat1 : c.customDateFormat2) = pattern;
                    },
                    Reaction::refresh);
            });
    m_syncs.push_back([date](const ClockSettings& c) {
        date->setValues(c.dateFormatStyle, c.customDateFormat1, c.customDateFormat2);
    });
    dateGroup.addWideRow(date);

    SettingsGroup timeGroup =
        addGroup(page, localized("Clock", "time_format"), QStringLiteral("timeFormatGroup"));
    auto* time = new TimeFormatPickerView(locale, now);
    connect(time, &FormatPickerView::styleChosen, this, [this](int index) {
        edit([style = TimeFormatPickerView::styleAt(index)](
                 ClockSettings& c) { c.timeFormatStyle = style; },
             Reaction::refresh);
    });
    connect(time, &FormatPickerView::customFormatEdited, this,
            [this](int slot, const QString& pattern) {
                edit(
                    [slot, pattern](ClockSettings& c) {
                        (slot == 1 ? c.customTimeFormat1 : c.customTimeFormat2) = pattern;
                    },
                    Reaction::refresh);
            });
    m_syncs.push_back([time](const ClockSettings& c) {
        time->setValues(c.timeFormatStyle, c.customTimeFormat1, c.customTimeFormat2);
    });
    timeGroup.addWideRow(time);
}

void ClockSettingsView::buildColorGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("Clock", "color"), QStringLiteral("colorGroup"));
    addColorWell(group, QStringLiteral("textColorWell"), localized("Clock", "text_color"),
                 &ClockSettings::textColor);
    addColorWell(group, QStringLiteral("analogColorWell"), localized("Clock", "analog_color"),
                 &ClockSettings::analogColor);
    addSwitch(group, QStringLiteral("useIMEColorsSwitch"),
              localized("Clock", "use_ime_indicator_colors"), &ClockSettings::useIMEIndicatorColors,
              Reaction::refresh);
    group.addSection(localized("Clock", "background"));
    addColorWell(group, QStringLiteral("backgroundOffWell"), localized("Clock", "ime_off"),
                 &ClockSettings::backgroundColorOff);
    addColorWell(group, QStringLiteral("backgroundOnWell"), localized("Clock", "ime_on"),
                 &ClockSettings::backgroundColorOn);
    addSlider(group, QStringLiteral("opacity"), localized("Clock", "opacity"),
              &ClockSettings::backgroundOpacity, 0, 1, 0.05, Reaction::refresh,
              [](double v) { return percentValueText(v); });
}

void ClockSettingsView::buildPositionGroup(QVBoxLayout* page)
{
    SettingsGroup group =
        addGroup(page, localized("Clock", "position"), QStringLiteral("positionGroup"));
    addPositionField(group, QStringLiteral("positionXField"), localized("Clock", "position_x"),
                     &ClockSettings::positionX);
    addPositionField(group, QStringLiteral("positionYField"), localized("Clock", "position_y"),
                     &ClockSettings::positionY);

    auto* display = new QComboBox;
    display->setObjectName(QStringLiteral("displayPicker"));
    display->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int index = 0; index < m_displays.count(); ++index)
        display->addItem(formatCount(localized("Clock", "display_number %lld"), index + 1));
    connect(display, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_store.edit([index](AppSettings& s) { s.clock.displayIndex = index; });
        applyPreset(PositionPreset::bottomRight);
    });
    m_syncs.push_back([this, display](const ClockSettings& clock) {
        const QSignalBlocker blocker(display);
        display->setCurrentIndex(
            m_displays.isValidIndex(clock.displayIndex) ? int(clock.displayIndex) : -1);
    });
    group.addRow(localized("Clock", "display"), display);

    auto preset = [this](PositionPreset which) { return [this, which] { applyPreset(which); }; };
    group.addField(makeCornerButtons(
        {{{"topLeftButton", localized("Clock", "top_left"), preset(PositionPreset::topLeft)},
          {"topRightButton", localized("Clock", "top_right"), preset(PositionPreset::topRight)},
          {"bottomLeftButton", localized("Clock", "bottom_left"),
           preset(PositionPreset::bottomLeft)},
          {"bottomRightButton", localized("Clock", "bottom_right"),
           preset(PositionPreset::bottomRight)}}},
        this));
}

void ClockSettingsView::buildSizeGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("Clock", "size"), QStringLiteral("sizeGroup"));
    addSlider(group, QStringLiteral("width"), localized("Clock", "width"),
              &ClockSettings::windowWidth, 100, 500, 10, Reaction::apply, wholeNumber);
    addSlider(group, QStringLiteral("height"), localized("Clock", "height"),
              &ClockSettings::windowHeight, 100, 500, 10, Reaction::apply, wholeNumber);
    addSlider(group, QStringLiteral("analogSize"), localized("Clock", "analog_size"),
              &ClockSettings::analogClockSize, 40, 500, 5, Reaction::refresh, wholeNumber);
}

} // namespace mirevo

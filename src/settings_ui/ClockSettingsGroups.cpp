// The groups of controls on the clock page, top to bottom.
#include "clock/DateTimeFormats.h"
#include "platform/Displays.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ClockSettingsView.h"
#include "settings_ui/DateTimeFormatPickers.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsPageParts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

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

QFormLayout* addGroup(QVBoxLayout* page, const QString& title, const QString& name)
{
    const SettingsGroup group = makeSettingsGroup(name, title, QString(), 0);
    auto* form = new QFormLayout;
    form->setVerticalSpacing(10);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    group.rows->addLayout(form);
    page->addWidget(group.widget);
    return form;
}

QString wholeNumber(double value)
{
    return QString::number(static_cast<qint64>(value));
}

} // namespace

void ClockSettingsView::buildBasicGroup(QVBoxLayout* page)
{
    QFormLayout* form = addGroup(page, localized("Clock", "basic"), QStringLiteral("basicGroup"));
    // Showing or hiding takes effect at once, so this re-applies rather than redraws.
    addSwitch(form, QStringLiteral("showClockSwitch"), localized("Clock", "show_clock"),
              &ClockSettings::isVisible, Reaction::apply);

    auto* style = new QComboBox;
    style->setObjectName(QStringLiteral("stylePicker"));
    for (ClockStyle value : kAllClockStyles)
        style->addItem(clockStyleLabel(value));
    connect(style, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        edit([style = kAllClockStyles[index]](ClockSettings& c) { applyClockStyle(c, style); },
             Reaction::refresh);
    });
    m_syncs.push_back([style](const ClockSettings& clock) {
        const QSignalBlocker blocker(style);
        style->setCurrentIndex(indexIn(kAllClockStyles, clock.style));
    });
    form->addRow(localized("Clock", "style"), style);

    auto* content = new QComboBox;
    content->setObjectName(QStringLiteral("contentPicker"));
    for (DateTimePosition value : kAllDateTimePositions)
        content->addItem(positionLabel(value));
    connect(content, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        edit([value =
                  kAllDateTimePositions[index]](ClockSettings& c) { c.dateTimePosition = value; },
             Reaction::refresh);
    });
    m_syncs.push_back([content](const ClockSettings& clock) {
        const QSignalBlocker blocker(content);
        content->setCurrentIndex(indexIn(kAllDateTimePositions, clock.dateTimePosition));
    });
    form->addRow(localized("Clock", "content"), content);

    addSwitch(form, QStringLiteral("showSecondsSwitch"), localized("Clock", "show_seconds"),
              &ClockSettings::showSeconds, Reaction::refresh);
}

void ClockSettingsView::buildFontGroup(QVBoxLayout* page)
{
    QFormLayout* form = addGroup(page, localized("Clock", "font"), QStringLiteral("fontGroup"));
    auto* family = new QComboBox;
    family->setObjectName(QStringLiteral("fontFamilyPicker"));
    const QStringList entries = fontListEntries(QFontDatabase::families(), [](const QString& f) {
        return familyCoversText(f, kFontSampleText);
    });
    for (const QString& entry : entries) {
        if (entry == kSystemFontDisplayName) {
            family->addItem(localized("Clock", "system_font"), entry);
            continue;
        }
        family->addItem(entry, entry);
        family->setItemData(family->count() - 1, QFont(entry, 12), Qt::FontRole);
    }
    connect(family, &QComboBox::currentIndexChanged, this, [this, family](int index) {
        if (index < 0)
            return;
        const QString entry = family->itemData(index).toString();
        const QString name = entry == kSystemFontDisplayName ? kSystemFontName : entry;
        edit([name](ClockSettings& c) { c.fontName = name; }, Reaction::refresh);
    });
    m_syncs.push_back([family](const ClockSettings& clock) {
        const QSignalBlocker blocker(family);
        const QString entry =
            clock.fontName == kSystemFontName ? kSystemFontDisplayName : clock.fontName;
        // A stored family that is not installed is named but not offered.
        family->setPlaceholderText(clock.fontName);
        family->setCurrentIndex(family->findData(entry));
    });
    form->addRow(localized("Clock", "font_family"), family);

    addSlider(form, QStringLiteral("fontSize"), localized("Clock", "font_size"),
              &ClockSettings::fontSize, 12, 100, 1, Reaction::refresh, wholeNumber);
}

void ClockSettingsView::buildFormatGroups(QVBoxLayout* page, const TimeSource& now)
{
    const QString locale = displayLocale();
    QFormLayout* dateForm =
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
    dateForm->addRow(date);

    QFormLayout* timeForm =
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
    timeForm->addRow(time);
}

void ClockSettingsView::buildColorGroup(QVBoxLayout* page)
{
    QFormLayout* form = addGroup(page, localized("Clock", "color"), QStringLiteral("colorGroup"));
    addColorWell(form, QStringLiteral("textColorWell"), localized("Clock", "text_color"),
                 &ClockSettings::textColor);
    addColorWell(form, QStringLiteral("analogColorWell"), localized("Clock", "analog_color"),
                 &ClockSettings::analogColor);
    addSwitch(form, QStringLiteral("useIMEColorsSwitch"),
              localized("Clock", "use_ime_indicator_colors"), &ClockSettings::useIMEIndicatorColors,
              Reaction::refresh);
    auto* background = new QLabel(localized("Clock", "background"));
    QFont bold = background->font();
    bold.setBold(true);
    background->setFont(bold);
    form->addRow(background);
    addColorWell(form, QStringLiteral("backgroundOffWell"), localized("Clock", "ime_off"),
                 &ClockSettings::backgroundColorOff);
    addColorWell(form, QStringLiteral("backgroundOnWell"), localized("Clock", "ime_on"),
                 &ClockSettings::backgroundColorOn);
    addSlider(form, QStringLiteral("opacity"), localized("Clock", "opacity"),
              &ClockSettings::backgroundOpacity, 0, 1, 0.05, Reaction::refresh,
              [](double v) { return percentValueText(v); });
}

void ClockSettingsView::buildPositionGroup(QVBoxLayout* page)
{
    QFormLayout* form =
        addGroup(page, localized("Clock", "position"), QStringLiteral("positionGroup"));
    addPositionField(form, QStringLiteral("positionXField"), localized("Clock", "position_x"),
                     &ClockSettings::positionX);
    addPositionField(form, QStringLiteral("positionYField"), localized("Clock", "position_y"),
                     &ClockSettings::positionY);

    auto* display = new QComboBox;
    display->setObjectName(QStringLiteral("displayPicker"));
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
    form->addRow(localized("Clock", "display"), display);

    struct Corner {
        PositionPreset preset;
        QString name;
        QString text;
    };
    const Corner corners[] = {
        {PositionPreset::topLeft, QStringLiteral("topLeftButton"), localized("Clock", "top_left")},
        {PositionPreset::topRight, QStringLiteral("topRightButton"),
         localized("Clock", "top_right")},
        {PositionPreset::bottomLeft, QStringLiteral("bottomLeftButton"),
         localized("Clock", "bottom_left")},
        {PositionPreset::bottomRight, QStringLiteral("bottomRightButton"),
         localized("Clock", "bottom_right")},
    };
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (const Corner& corner : corners) {
        auto* button = new QPushButton(corner.text);
        button->setObjectName(corner.name);
        connect(button, &QPushButton::clicked, this,
                [this, preset = corner.preset] { applyPreset(preset); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    form->addRow(buttons);
}

void ClockSettingsView::buildSizeGroup(QVBoxLayout* page)
{
    QFormLayout* form = addGroup(page, localized("Clock", "size"), QStringLiteral("sizeGroup"));
    addSlider(form, QStringLiteral("width"), localized("Clock", "width"),
              &ClockSettings::windowWidth, 100, 500, 10, Reaction::apply, wholeNumber);
    addSlider(form, QStringLiteral("height"), localized("Clock", "height"),
              &ClockSettings::windowHeight, 100, 500, 10, Reaction::apply, wholeNumber);
    addSlider(form, QStringLiteral("analogSize"), localized("Clock", "analog_size"),
              &ClockSettings::analogClockSize, 40, 500, 5, Reaction::refresh, wholeNumber);
}

} // namespace mirevo

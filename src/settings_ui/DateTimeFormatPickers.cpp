#include "settings_ui/DateTimeFormatPickers.h"

#include "clock/DateTimeFormats.h"
#include "platform/StringTables.h"

#include <algorithm>

namespace mirevo {
namespace {

template <typename Style, size_t N> int indexOf(const std::array<Style, N>& all, Style style)
{
    return static_cast<int>(std::find(all.begin(), all.end(), style) - all.begin());
}

int customSlot(QStringView rawValue)
{
    if (rawValue == QLatin1String("custom1"))
        return 1;
    return rawValue == QLatin1String("custom2") ? 2 : 0;
}

FormatPickerConfig dateConfig(const QString& locale)
{
    FormatPickerConfig config;
    config.objectName = QStringLiteral("dateFormatPicker");
    config.heading = localized("Clock", "date_format");
    for (DateFormatStyle style : kAllDateFormatStyles)
        config.styles.append(
            {rawValue(style), dateFormatStyleLabel(style), customSlot(rawValue(style))});
    config.placeholder = QStringLiteral("yyyy/MM/dd E");
    config.helpTexts = {localized("Clock", "format_help_codes"),
                        localized("Clock", "format_help_separator")};
    config.examples = dateFormatExamples();
    config.preview = [locale](const QDateTime& time, int index, const QString& custom1,
                              const QString& custom2) {
        return formattedDate(time, DateFormatPickerView::styleAt(index), locale, custom1, custom2);
    };
    return config;
}

FormatPickerConfig timeConfig(const QString& locale)
{
    FormatPickerConfig config;
    config.objectName = QStringLiteral("timeFormatPicker");
    config.heading = localized("Clock", "time_format");
    for (TimeFormatStyle style : kAllTimeFormatStyles)
        config.styles.append(
            {rawValue(style), timeFormatStyleLabel(style), customSlot(rawValue(style))});
    config.placeholder = QStringLiteral("HH:mm:ss");
    config.helpTexts = {localized("Clock", "time_format_help_codes"),
                        localized("Clock", "format_help_separator")};
    config.examples = timeFormatExamples();
    config.preview = [locale](const QDateTime& time, int index, const QString& custom1,
                              const QString& custom2) {
        return formattedTime(time, TimeFormatPickerView::styleAt(index), locale, custom1, custom2);
    };
    return config;
}

} // namespace

QString dateFormatStyleLabel(DateFormatStyle style)
{
    switch (style) {
    case DateFormatStyle::numeric:
        return localized("Clock", "date_format_numeric");
    case DateFormatStyle::abbreviated:
        return localized("Clock", "date_format_abbreviated");
    case DateFormatStyle::long_:
        return localized("Clock", "date_format_long");
    case DateFormatStyle::complete:
        return localized("Clock", "date_format_complete");
    case DateFormatStyle::custom1:
        return localized("Clock", "date_format_custom1");
    case DateFormatStyle::custom2:
        return localized("Clock", "date_format_custom2");
    }
    return {};
}

QString timeFormatStyleLabel(TimeFormatStyle style)
{
    switch (style) {
    case TimeFormatStyle::standard:
        return localized("Clock", "time_format_standard");
    case TimeFormatStyle::shortened:
        return localized("Clock", "time_format_shortened");
    case TimeFormatStyle::complete:
        return localized("Clock", "time_format_complete");
    case TimeFormatStyle::custom1:
        return localized("Clock", "time_format_custom1");
    case TimeFormatStyle::custom2:
        return localized("Clock", "time_format_custom2");
    }
    return {};
}

DateFormatPickerView::DateFormatPickerView(const QString& locale, TimeSource now, QWidget* parent)
    : FormatPickerView(dateConfig(locale), locale, std::move(now), parent)
{}

void DateFormatPickerView::setValues(DateFormatStyle style, const QString& custom1,
                                     const QString& custom2)
{
    setState(indexOf(kAllDateFormatStyles, style), custom1, custom2);
}

DateFormatStyle DateFormatPickerView::styleAt(int index)
{
    return kAllDateFormatStyles.at(std::clamp(index, 0, int(kAllDateFormatStyles.size()) - 1));
}

TimeFormatPickerView::TimeFormatPickerView(const QString& locale, TimeSource now, QWidget* parent)
    : FormatPickerView(timeConfig(locale), locale, std::move(now), parent)
{}

void TimeFormatPickerView::setValues(TimeFormatStyle style, const QString& custom1,
                                     const QString& custom2)
{
    setState(indexOf(kAllTimeFormatStyles, style), custom1, custom2);
}

TimeFormatStyle TimeFormatPickerView::styleAt(int index)
{
    return kAllTimeFormatStyles.at(std::clamp(index, 0, int(kAllTimeFormatStyles.size()) - 1));
}

} // namespace mirevo

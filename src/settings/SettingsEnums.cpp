#include "settings/SettingsEnums.h"

namespace mirevo {
namespace {

template <typename Enum, size_t N>
std::optional<Enum> lookUp(const std::array<Enum, N>& all, QStringView raw)
{
    for (Enum value : all) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}

} // namespace

QString rawValue(ClockStyle value)
{
    return value == ClockStyle::analog ? QStringLiteral("analog") : QStringLiteral("digital");
}

QString rawValue(DateTimePosition value)
{
    switch (value) {
    case DateTimePosition::dateTimeVertical:
        return QStringLiteral("date_time_vertical");
    case DateTimePosition::dateTimeHorizontal:
        return QStringLiteral("date_time_horizontal");
    case DateTimePosition::timeDateVertical:
        return QStringLiteral("time_date_vertical");
    case DateTimePosition::timeDateHorizontal:
        return QStringLiteral("time_date_horizontal");
    case DateTimePosition::dateOnly:
        return QStringLiteral("date_only");
    case DateTimePosition::timeOnly:
        return QStringLiteral("time_only");
    }
    return {};
}

QString rawValue(DateFormatStyle value)
{
    switch (value) {
    case DateFormatStyle::numeric:
        return QStringLiteral("numeric");
    case DateFormatStyle::abbreviated:
        return QStringLiteral("abbreviated");
    case DateFormatStyle::long_:
        return QStringLiteral("long");
    case DateFormatStyle::complete:
        return QStringLiteral("complete");
    case DateFormatStyle::custom1:
        return QStringLiteral("custom1");
    case DateFormatStyle::custom2:
        return QStringLiteral("custom2");
    }
    return {};
}

QString rawValue(TimeFormatStyle value)
{
    switch (value) {
    case TimeFormatStyle::standard:
        return QStringLiteral("standard");
    case TimeFormatStyle::shortened:
        return QStringLiteral("shortened");
    case TimeFormatStyle::complete:
        return QStringLiteral("complete");
    case TimeFormatStyle::custom1:
        return QStringLiteral("custom1");
    case TimeFormatStyle::custom2:
        return QStringLiteral("custom2");
    }
    return {};
}

std::optional<ClockStyle> clockStyleFromRawValue(QStringView raw)
{
    return lookUp(kAllClockStyles, raw);
}

std::optional<DateFormatStyle> dateFormatStyleFromRawValue(QStringView raw)
{
    return lookUp(kAllDateFormatStyles, raw);
}

std::optional<TimeFormatStyle> timeFormatStyleFromRawValue(QStringView raw)
{
    return lookUp(kAllTimeFormatStyles, raw);
}

DateTimePosition dateTimePositionFromStoredString(QStringView raw)
{
    if (raw == QLatin1String("vertical"))
        return DateTimePosition::dateTimeVertical;
    if (raw == QLatin1String("horizontal"))
        return DateTimePosition::dateTimeHorizontal;
    return lookUp(kAllDateTimePositions, raw).value_or(DateTimePosition::dateTimeVertical);
}

} // namespace mirevo

#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace mirevo {

enum class ClockStyle { analog, digital };

enum class DateTimePosition {
    dateTimeVertical,
    dateTimeHorizontal,
    timeDateVertical,
    timeDateHorizontal,
    dateOnly,
    timeOnly,
};

enum class DateFormatStyle { numeric, abbreviated, long_, complete, custom1, custom2 };

enum class TimeFormatStyle { standard, shortened, complete, custom1, custom2 };

inline constexpr std::array kAllClockStyles{ClockStyle::analog, ClockStyle::digital};
inline constexpr std::array kAllDateTimePositions{
    DateTimePosition::dateTimeVertical, DateTimePosition::dateTimeHorizontal,
    DateTimePosition::timeDateVertical, DateTimePosition::timeDateHorizontal,
    DateTimePosition::dateOnly,         DateTimePosition::timeOnly};
inline constexpr std::array kAllDateFormatStyles{
    DateFormatStyle::numeric,  DateFormatStyle::abbreviated, DateFormatStyle::long_,
    DateFormatStyle::complete, DateFormatStyle::custom1,     DateFormatStyle::custom2};
inline constexpr std::array kAllTimeFormatStyles{
    TimeFormatStyle::standard, TimeFormatStyle::shortened, TimeFormatStyle::complete,
    TimeFormatStyle::custom1, TimeFormatStyle::custom2};

// Raw values as stored in the settings file ("date_time_vertical", "long", ...).
QString rawValue(ClockStyle value);
QString rawValue(DateTimePosition value);
QString rawValue(DateFormatStyle value);
QString rawValue(TimeFormatStyle value);

// Exact lookups; anything else is nothing.
std::optional<ClockStyle> clockStyleFromRawValue(QStringView raw);
std::optional<DateFormatStyle> dateFormatStyleFromRawValue(QStringView raw);
std::optional<TimeFormatStyle> timeFormatStyleFromRawValue(QStringView raw);

// Lenient reading of a stored position: the older "vertical"/"horizontal" still map, and
// any unknown string is the default arrangement.
DateTimePosition dateTimePositionFromStoredString(QStringView raw);

} // namespace mirevo

#include "clock/DateTimeFormats.h"

#include "clock/HostTimeZone.h"

#include <QLocale>

#include <functional>
#include <map>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace mirevo {
namespace {

icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

icu::Locale icuLocale(const QString& tag)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(tag.toStdString(), status);
    if (U_FAILURE(status) || locale.isBogus())
        return icu::Locale("en");
    return locale;
}

UDate toUDate(const QDateTime& time)
{
    return static_cast<UDate>(time.toMSecsSinceEpoch());
}

QString format(icu::DateFormat* formatter, const QDateTime& time)
{
    if (!formatter)
        return {};
    if (std::unique_ptr<icu::TimeZone> zone = hostZoneOverride(time))
        formatter->adoptTimeZone(zone.release());
    icu::UnicodeString out;
    formatter->format(toUDate(time), out);
    return fromIcu(out);
}

// The formatter for `key` (a locale with a style or a pattern), made by `make` when there
// is none yet. Making one costs far more than using it, and the clock and the pickers
// format the same few texts every second. A formatter keeps the zone it was made in, so
// all are dropped when the host zone changes.
icu::DateFormat* formatterFor(const QString& key, const std::function<icu::DateFormat*()>& make)
{
    static std::map<QString, std::unique_ptr<icu::DateFormat>> formatters;
    constexpr size_t kMostFormatters = 64; // the pickers' examples and styles, twice over
    if (followHostTimeZone() || formatters.size() >= kMostFormatters)
        formatters.clear();
    std::unique_ptr<icu::DateFormat>& formatter = formatters[key];
    if (!formatter)
        formatter.reset(make());
    return formatter.get();
}

QString formatWithStyles(const QDateTime& time, const QString& locale,
                         icu::DateFormat::EStyle dateStyle, icu::DateFormat::EStyle timeStyle)
{
    const QString key = QStringLiteral("%1 %2 %3").arg(dateStyle).arg(timeStyle).arg(locale);
    return format(formatterFor(key,
                               [&] {
                                   return icu::DateFormat::createDateTimeInstance(
                                       dateStyle, timeStyle, icuLocale(locale));
                               }),
                  time);
}

} // namespace

QString displayLocaleFrom(const QStringList& preferredLanguages)
{
    // Qt reports "C" for the POSIX locale: that is no preference.
    const QString first = preferredLanguages.value(0);
    if (first.isEmpty() || first == QLatin1String("C"))
        return QStringLiteral("en");
    return first;
}

QString displayLocale()
{
    return displayLocaleFrom(QLocale::system().uiLanguages());
}

QString formatWithPattern(const QDateTime& time, const QString& pattern, const QString& locale)
{
    if (pattern.isEmpty())
        return {};
    return format(formatterFor(QStringLiteral("pattern %1 %2").arg(locale, pattern),
                               [&]() -> icu::DateFormat* {
                                   UErrorCode status = U_ZERO_ERROR;
                                   auto formatter = std::make_unique<icu::SimpleDateFormat>(
                                       toIcu(pattern), icuLocale(locale), status);
                                   return U_SUCCESS(status) ? formatter.release() : nullptr;
                               }),
                  time);
}

QString standardDateText(const QDateTime& time, const QString& locale, DateFormatStyle style)
{
    using F = icu::DateFormat;
    switch (style) {
    case DateFormatStyle::numeric:
        return formatWithStyles(time, locale, F::kShort, F::kNone);
    case DateFormatStyle::abbreviated:
        return formatWithStyles(time, locale, F::kMedium, F::kNone);
    case DateFormatStyle::long_:
        return formatWithStyles(time, locale, F::kLong, F::kNone);
    case DateFormatStyle::complete:
        return formatWithStyles(time, locale, F::kFull, F::kNone);
    case DateFormatStyle::custom1:
    case DateFormatStyle::custom2:
        return {};
    }
    return {};
}

QString standardTimeText(const QDateTime& time, const QString& locale, TimeFormatStyle style)
{
    using F = icu::DateFormat;
    switch (style) {
    case TimeFormatStyle::standard:
        return formatWithStyles(time, locale, F::kNone, F::kMedium);
    case TimeFormatStyle::shortened:
        return formatWithStyles(time, locale, F::kNone, F::kShort);
    case TimeFormatStyle::complete:
        return formatWithStyles(time, locale, F::kNone, F::kLong);
    case TimeFormatStyle::custom1:
    case TimeFormatStyle::custom2:
        return {};
    }
    return {};
}

QString formattedDate(const QDateTime& time, DateFormatStyle style, const QString& locale,
                      const QString& customFormat1, const QString& customFormat2)
{
    if (style == DateFormatStyle::custom1)
        return formatWithPattern(time, customFormat1, locale);
    if (style == DateFormatStyle::custom2)
        return formatWithPattern(time, customFormat2, locale);
    return standardDateText(time, locale, style);
}

QString formattedTime(const QDateTime& time, TimeFormatStyle style, const QString& locale,
                      const QString& customFormat1, const QString& customFormat2)
{
    if (style == TimeFormatStyle::custom1)
        return formatWithPattern(time, customFormat1, locale);
    if (style == TimeFormatStyle::custom2)
        return formatWithPattern(time, customFormat2, locale);
    return standardTimeText(time, locale, style);
}

const QStringList& dateFormatExamples()
{
    static const QStringList examples{
        QStringLiteral("yyyy/MM/dd"),        QStringLiteral("yyyy.MM.dd EEEE"),
        QStringLiteral("yyyy-MM-dd (E)"),    QStringLiteral("yyyy.MM.dd"),
        QStringLiteral("M/d (E)"),           QString::fromUtf8("yyyy年M月d日"),
        QString::fromUtf8("yyyy年M月d日 E"), QStringLiteral("d MMM yyyy"),
        QStringLiteral("MMM d, yyyy"),       QStringLiteral("MMMM d"),
    };
    return examples;
}

const QStringList& timeFormatExamples()
{
    static const QStringList examples{
        QStringLiteral("HH:mm"),      QStringLiteral("HH:mm:ss z"),
        QStringLiteral("H:mm"),       QStringLiteral("h:mm a"),
        QStringLiteral("h:mm:ss a"),  QStringLiteral("HH:mm:ss.SSS"),
        QString::fromUtf8("H時mm分"), QString::fromUtf8("H時mm分ss秒"),
        QStringLiteral("HH:mm zzzz"), QStringLiteral("HH:mm:ss zzz"),
    };
    return examples;
}

} // namespace mirevo

#pragma once

#include "settings/SettingsEnums.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mirevo {

// Locale used for every date and time text: the first preferred UI language, "en" when
// there is none. Returns a BCP 47 tag such as "ja-JP".
QString displayLocaleFrom(const QStringList& preferredLanguages);
QString displayLocale();

// Date text of a style: the locale's short/medium/long/full date, or the custom pattern.
QString formattedDate(const QDateTime& time, DateFormatStyle style, const QString& locale,
                      const QString& customFormat1, const QString& customFormat2);
// Time text of a style: the locale's medium/short/long time, or the custom pattern.
QString formattedTime(const QDateTime& time, TimeFormatStyle style, const QString& locale,
                      const QString& customFormat1, const QString& customFormat2);

// The standard-length styles alone; empty for the custom styles.
QString standardDateText(const QDateTime& time, const QString& locale, DateFormatStyle style);
QString standardTimeText(const QDateTime& time, const QString& locale, TimeFormatStyle style);

// A Unicode (UTS #35) date pattern applied as it stands; an empty pattern gives "".
QString formatWithPattern(const QDateTime& time, const QString& pattern, const QString& locale);

// Example patterns offered by the pattern editors, the same for every locale.
const QStringList& dateFormatExamples();
const QStringList& timeFormatExamples();

} // namespace mirevo

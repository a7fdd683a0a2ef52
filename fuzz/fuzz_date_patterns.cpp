// Any text as a custom date or time pattern of the clock, in locales of several scripts
// and calendars (picked by the input's length), at two instants: formatting may give any
// text, but must not crash.
#include "clock/DateTimeFormats.h"

#include <QTimeZone>

#include <cstdint>

using namespace mirevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const locales[] = {"en", "ja-JP-u-ca-japanese", "ar-EG", "th-TH", "fa-IR"};
    static const QDateTime instants[] = {
        QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999), QTimeZone::utc()),
        QDateTime(QDate(1900, 1, 1), QTime(0, 0), QTimeZone(3600 * 14)),
    };
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    formatWithPattern(instants[size % 2], pattern, QString::fromLatin1(locales[size % 5]));
    return 0;
}

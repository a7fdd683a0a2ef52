#pragma once

#include <QDateTime>

#include <memory>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class TimeZone;
U_NAMESPACE_END

namespace mirevo {

// The time zone the clock's texts are formatted in: the system's, followed while the
// program runs. ICU reads the host zone once per process, while the C library (and with it
// the clock's hands) reads TZ and /etc/localtime afresh; this makes ICU read the host zone
// again whenever either of them changed, and says whether it did. Costs one stat of
// /etc/localtime a call.
bool followHostTimeZone();

// Where ICU cannot make a zone of the system's setting (a POSIX rule such as
// "CET-1CEST,M3.5.0,M10.5.0/3"), a zone with the C library's offset at `time`, so the texts
// agree with the hands; nothing while ICU's own zone agrees with the C library.
std::unique_ptr<icu::TimeZone> hostZoneOverride(const QDateTime& time);

} // namespace mirevo

#include "clock/HostTimeZone.h"

#include <QByteArray>
#include <QFileInfo>

#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <unicode/simpletz.h>
#include <unicode/timezone.h>

namespace mirevo {
namespace {

// What the C library builds the local time from.
struct HostSetting {
    QByteArray tz;
    QString link; // /etc/localtime is usually a link into the zone files
    qint64 inode = 0;
    qint64 modified = 0;

    bool operator==(const HostSetting&) const = default;
};

HostSetting currentSetting()
{
    HostSetting setting{qgetenv("TZ"), QFileInfo(QStringLiteral("/etc/localtime")).symLinkTarget()};
    struct stat info {};
    if (stat("/etc/localtime", &info) == 0) {
        setting.inode = qint64(info.st_ino);
        setting.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    }
    return setting;
}

struct State {
    std::optional<HostSetting> setting;
    bool icuAgrees = true;
};

State& state()
{
    static State s;
    return s;
}

long cLibraryOffset(time_t when)
{
    struct tm local {};
    return localtime_r(&when, &local) ? local.tm_gmtoff : 0;
}

// Now and half a year on, so that zones differing only in summer time are told apart.
bool icuAgreesWithCLibrary()
{
    const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    const time_t now = time(nullptr);
    for (const time_t when : {now, now + 182 * 24 * 3600}) {
        int32_t raw = 0, dst = 0;
        UErrorCode status = U_ZERO_ERROR;
        zone->getOffset(double(when) * 1000.0, false, raw, dst, status);
        if (U_FAILURE(status) || (raw + dst) / 1000 != cLibraryOffset(when))
            return false;
    }
    return true;
}

} // namespace

bool followHostTimeZone()
{
    tzset(); // the C library reads TZ and /etc/localtime again, as Qt has it do
    const HostSetting setting = currentSetting();
    State& s = state();
    if (s.setting == setting)
        return false;
    s.setting = setting;
    icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone());
    s.icuAgrees = icuAgreesWithCLibrary();
    return true;
}

std::unique_ptr<icu::TimeZone> hostZoneOverride(const QDateTime& time)
{
    if (state().icuAgrees)
        return nullptr;
    // A name ICU does not know, so a time text shows the offset ("GMT+1").
    const long offset = cLibraryOffset(time_t(time.toSecsSinceEpoch()));
    return std::make_unique<icu::SimpleTimeZone>(int32_t(offset * 1000),
                                                 icu::UnicodeString(u"Host"));
}

} // namespace mirevo

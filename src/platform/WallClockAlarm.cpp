#include "platform/WallClockAlarm.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace mirevo {

WallClockAlarm::WallClockAlarm(QObject* parent) : QObject(parent)
{
    m_fallback.setSingleShot(true);
    m_fallback.setTimerType(Qt::PreciseTimer);
    connect(&m_fallback, &QTimer::timeout, this, &WallClockAlarm::fired);
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WallClockAlarm::readExpiry);
}

WallClockAlarm::~WallClockAlarm()
{
    m_notifier.reset();
    if (m_fd >= 0)
        close(m_fd);
}

void WallClockAlarm::start(qint64 msecs)
{
    stop();
    timespec now{};
    if (m_fd >= 0 && clock_gettime(CLOCK_REALTIME, &now) == 0) {
        // An absolute time: a span would be measured on the clock as it runs, not as set.
        const qint64 nanos = qint64(now.tv_nsec) + qMax<qint64>(msecs, 0) * 1000000;
        itimerspec when{};
        when.it_value.tv_sec = now.tv_sec + time_t(nanos / 1000000000);
        when.it_value.tv_nsec = long(nanos % 1000000000);
        if (timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) ==
            0) {
            m_active = true;
            return;
        }
    }
    m_fallback.start(int(std::clamp<qint64>(msecs, 0, 24 * 3600 * 1000)));
}

void WallClockAlarm::stop()
{
    m_fallback.stop();
    if (!m_active)
        return;
    m_active = false;
    const itimerspec disarmed{};
    timerfd_settime(m_fd, 0, &disarmed, nullptr);
}

void WallClockAlarm::readExpiry()
{
    std::uint64_t expirations = 0;
    // ECANCELED: the clock was set, which is as good a reason to look at it again.
    if (read(m_fd, &expirations, sizeof expirations) < 0 && errno != ECANCELED)
        return;
    if (!m_active)
        return;
    m_active = false;
    emit fired();
}

} // namespace mirevo

#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace mirevo {

// Wakes the program after a span of wall-clock time. A timer on the monotonic clock (a
// QTimer) runs late by as long as the machine was suspended and misses the clock being set
// (an NTP step, a change by hand); this one fires on time after a resume and at once when
// the clock is set, so a clock that ticks once a minute shows the right time again within a
// second. Where the system offers no such timer, a QTimer stands in.
class WallClockAlarm : public QObject {
    Q_OBJECT
public:
    explicit WallClockAlarm(QObject* parent = nullptr);
    ~WallClockAlarm() override;

    // Fires once, `msecs` from now on the wall clock or as soon as the clock is set,
    // replacing any earlier request.
    void start(qint64 msecs);
    void stop();
    bool isActive() const { return m_active || m_fallback.isActive(); }

signals:
    void fired();

private:
    void readExpiry();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_fallback;
    bool m_active = false;
};

} // namespace mirevo

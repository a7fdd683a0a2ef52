#pragma once

#include "clock/AnalogFace.h"
#include "clock/ClockSources.h"
#include "clock/ClockTextFit.h"
#include "platform/WallClockAlarm.h"
#include "settings/ClockSettings.h"

#include <QDateTime>
#include <QWidget>

namespace mirevo {

class AppSettingsManager;

// The clock's face: a rounded background whose colour follows the input state, and the
// analog face or the digital texts. Layout, sizes, fonts and colours come from a copy of
// the clock settings taken at construction; the background rule reads the live store at
// every paint. While shown it ticks on the wall clock's boundaries, each second when it
// shows seconds (in a text or a hand) and each minute otherwise, and redraws only what
// changed, and all of it when the store changes.
class ClockView : public QWidget {
    Q_OBJECT
public:
    ClockView(AppSettingsManager& store, ClockSources sources, QWidget* parent = nullptr);

    const ClockSettings& settings() const { return m_settings; }
    QDateTime currentTime() const { return m_currentTime; }
    QString locale() const { return m_locale; }
    bool isTimerRunning() const { return m_alarm.isActive(); }
    // Whether anything it shows changes within a minute.
    bool showsSeconds() const { return m_showsSeconds; }

    QString dateText() const;
    QString timeText() const;
    // The clock's font at its full size; a text that would not fit is drawn smaller.
    QFont textFont() const { return m_font; }
    // Where the texts (at the sizes they are drawn) and the face go at the current size.
    const FittedClock& currentLayout() const { return m_layout; }
    // The background as drawn, opacity included.
    QColor backgroundColor() const;

public slots:
    // Takes the time afresh and redraws what it changed.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void relayout();
    QString dateTextAt(const QDateTime& time) const;
    QString timeTextAt(const QDateTime& time) const;
    bool changesWithinAMinute() const;
    // Waits for the next second or minute of the wall clock.
    void scheduleTick();
    QRegion movedHands(const ClockHands& before) const;

    AppSettingsManager& m_store;
    ClockSettings m_settings;
    ClockSources m_sources;
    QString m_locale;
    QFont m_font;
    QDateTime m_currentTime;
    QString m_date;
    QString m_time;
    ClockHands m_hands;
    FittedClock m_layout;
    TextMeasures m_measures;
    WallClockAlarm m_alarm;
    bool m_showsSeconds = true;
};

} // namespace mirevo

#pragma once

#include "clock/ClockLayout.h"
#include "clock/ClockSources.h"
#include "settings/ClockSettings.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

namespace mirevo {

class AppSettingsManager;

// The clock's face: a rounded background whose colour follows the input state, and the
// analog face or the digital texts. Layout, sizes, fonts and colours come from a copy of
// the clock settings taken at construction; the background rule reads the live store at
// every paint. It redraws once a second while shown, and at once when the store changes.
class ClockView : public QWidget {
    Q_OBJECT
public:
    ClockView(AppSettingsManager& store, ClockSources sources, QWidget* parent = nullptr);

    const ClockSettings& settings() const { return m_settings; }
    QDateTime currentTime() const { return m_currentTime; }
    QString locale() const { return m_locale; }
    bool isTimerRunning() const { return m_timer.isActive(); }

    QString dateText() const;
    QString timeText() const;
    QFont textFont() const;
    // Where the texts and the face go at the view's current size.
    ClockLayout currentLayout() const;
    // The background as drawn, opacity included.
    QColor backgroundColor() const;

public slots:
    // Takes the time afresh and redraws.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void startTimer();
    void stopTimer();

    AppSettingsManager& m_store;
    ClockSettings m_settings;
    ClockSources m_sources;
    QString m_locale;
    QDateTime m_currentTime;
    QTimer m_timer;
};

} // namespace mirevo

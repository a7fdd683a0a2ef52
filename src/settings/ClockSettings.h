#pragma once

#include "settings/ColorComponents.h"
#include "settings/SettingsEnums.h"

#include <QString>

namespace mirevo {

// The floating desktop clock.
struct ClockSettings {
    bool isVisible = true;
    ClockStyle style = ClockStyle::analog;
    double positionX = 2869.0;
    double positionY = 310.0;
    qint64 displayIndex = 0;
    QString fontName = QStringLiteral("Helvetica");
    double fontSize = 24.0;
    ColorComponents textColor{1.0, 1.0, 1.0, 1.0};
    ColorComponents analogColor{0.9994240403, 0.9855536819, 0.0, 1.0};
    ColorComponents backgroundColorOff{0.0, 0.5898008943, 1.0, 1.0};
    ColorComponents backgroundColorOn{1.0, 0.1491314173, 0.0, 1.0};
    double backgroundOpacity = 0.6;
    bool useIMEIndicatorColors = false;
    bool showSeconds = true;
    DateTimePosition dateTimePosition = DateTimePosition::dateTimeVertical;
    // In memory only: never read from or written to the settings file.
    bool moveMode = false;
    double windowWidth = 320.0;
    double windowHeight = 220.0;
    double analogClockSize = 200.0;
    DateFormatStyle dateFormatStyle = DateFormatStyle::complete;
    TimeFormatStyle timeFormatStyle = TimeFormatStyle::standard;
    QString customDateFormat1 = QStringLiteral("yyyy/MM/dd E");
    QString customDateFormat2 = QStringLiteral("M/d (EEE)");
    QString customTimeFormat1 = QStringLiteral("HH:mm:ss");
    QString customTimeFormat2 = QStringLiteral("H:mm");

    bool operator==(const ClockSettings&) const = default;
};

} // namespace mirevo

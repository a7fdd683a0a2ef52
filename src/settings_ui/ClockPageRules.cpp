#include "settings_ui/ClockPageRules.h"

#include "platform/Displays.h"

#include <QFont>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace mirevo {

void applyClockStyle(ClockSettings& clock, ClockStyle style)
{
    clock.style = style;
    if (style != ClockStyle::analog)
        return;
    clock.windowWidth = std::max(clock.windowWidth, clock.analogClockSize);
    clock.windowHeight = std::max(clock.windowHeight, clock.analogClockSize);
}

std::optional<QPointF> presetPosition(PositionPreset preset, const Displays& displays,
                                      const ClockSettings& clock)
{
    const std::optional<QRectF> frame = displays.frame(clock.displayIndex);
    if (!frame)
        return std::nullopt;
    const double right = frame->width() - clock.windowWidth;
    const double top = frame->height() - clock.windowHeight;
    switch (preset) {
    case PositionPreset::topLeft:
        return QPointF(0, top);
    case PositionPreset::topRight:
        return QPointF(right, top);
    case PositionPreset::bottomLeft:
        return QPointF(0, 0);
    case PositionPreset::bottomRight:
        return QPointF(right, 0);
    }
    return std::nullopt;
}

QStringList fontListEntries(const QStringList& families,
                            const std::function<bool(const QString& family)>& drawsSample)
{
    QStringList entries;
    for (const QString& family : families) {
        if (drawsSample(family))
            entries << family;
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    entries.prepend(kSystemFontDisplayName);
    return entries;
}

AppSettings resetSettings(const AppSettings& current)
{
    AppSettings defaults;
    defaults.imeIndicator.moveMode = current.imeIndicator.moveMode;
    defaults.clock.moveMode = current.clock.moveMode;
    return defaults;
}

} // namespace mirevo

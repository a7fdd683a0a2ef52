#pragma once

#include "settings/SettingsEnums.h"

#include <QRectF>
#include <QSizeF>

#include <optional>

namespace mirevo {

inline constexpr double kClockCornerRadius = 10.0;
inline constexpr double kClockPadding = 16.0;
// Digital texts: a column with 8 between the lines, a row with 12 between the texts.
inline constexpr double kClockColumnSpacing = 8.0;
inline constexpr double kClockRowSpacing = 12.0;
// The texts over the analog face: the column's spacer at its minimum, and the row's gap.
inline constexpr double kClockOverlaySpacing = 8.0;

// Where the view draws: each present text's rectangle and, for the analog style, the
// face's square. All in view coordinates.
struct ClockLayout {
    std::optional<QRectF> date;
    std::optional<QRectF> time;
    std::optional<QRectF> face;
};

// Lays out the texts (of their natural sizes) in a view of `viewSize`: inside the 16
// padding, centred as a column or a row in the order `position` names. The analog face
// (side `analogSize`) is centred in the same padded area and may reach past the view;
// the texts then sit over its middle.
ClockLayout layoutClock(ClockStyle style, DateTimePosition position, QSizeF viewSize,
                        double analogSize, QSizeF dateSize, QSizeF timeSize);

// The room the texts have: the view less the 16 padding on every side.
QRectF paddedArea(QSizeF viewSize);
// Whether `position` sets the texts side by side, and the gap between them.
bool isRow(DateTimePosition position);
double textGap(ClockStyle style, DateTimePosition position);

} // namespace mirevo

#pragma once

#include "input/InputLanguage.h"
#include "settings/ColorComponents.h"

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace mirevo {

struct IMEIndicatorSettings;

// One rendering of the floating badge. A new value is built for every change.
struct IMEIndicatorView {
    InputLanguage language = InputLanguage::english; // carried along, not drawn
    double size = 100.0;                             // side of the square the badge fills
    double opacity = 0.7;                            // strength of the fill
    ColorComponents color;
    QString text; // drawn as it stands
    bool moveMode = false;
    double fontSizeRatio = 0.5;
    QString fontName; // empty or ".AppleSystemUIFont": the bold system font

    // Draws the badge centred in `frame` (expected to be size x size) and, in move mode,
    // the pointing-hand mark in its bottom-right corner; `opaque` where no compositor
    // blends the window (see BadgeStyle).
    void paint(QPainter& painter, const QRectF& frame, bool opaque = false) const;

    // What of `frame` the badge covers: the disc with its outline and, in move mode, the
    // mark. Everything else is glow or clear, and is cut away where no compositor blends.
    QPainterPath visibleShape(const QRectF& frame) const;

    // The text's font at size * fontSizeRatio pixels.
    QFont font() const;

    bool operator==(const IMEIndicatorView&) const = default;
};

// The badge's side for the settings' indicatorSize; a size that cannot make a window
// (not a number, zero or less, or absurdly large, as a hand-edited file may hold) is
// brought into 10-1000 so the window stays usable.
double indicatorSide(const IMEIndicatorSettings& settings);

// The badge for `language` as the settings describe it; `layoutCode` is the current
// layout's code, shown instead of the language's text when the settings ask for it.
IMEIndicatorView makeIndicatorView(const IMEIndicatorSettings& settings, InputLanguage language,
                                   const QString& layoutCode = {});

// The disc's outline, side of the move-mode mark and its distance from the frame's edges,
// relative to the badge's size or in points.
inline constexpr double kOutlineWidth = 2.0;
inline constexpr double kMoveMarkRatio = 0.2;
inline constexpr double kMoveMarkPadding = 4.0;

} // namespace mirevo

#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QRegion>
#include <QTime>

#include <optional>

class QPainter;

namespace mirevo {

// Clockwise angles in degrees from 12 o'clock. The hands move in whole steps: the hour
// hand half a degree a minute, the minute hand six degrees a minute, the second hand six
// degrees a second.
struct ClockHands {
    double hour = 0.0;
    double minute = 0.0;
    std::optional<double> second; // only when seconds are shown

    bool operator==(const ClockHands&) const = default;
};

ClockHands handAngles(QTime time, bool showSeconds);

// A mark or hand: a rectangle first centred on the face's centre (the origin here), then
// moved up, then turned clockwise by `angle` about the centre.
struct FaceBar {
    QRectF rect;
    double angle = 0.0;
};

// The twelve marks and the hands, back to front, for a face of side `side`.
QList<FaceBar> faceBars(double side, const ClockHands& hands);

// Where each hand lies (hour, minute, then second when shown) around the face's centre,
// smoothed edges included: what a redraw must cover when that hand moves.
QList<QRectF> handBounds(double side, const ClockHands& hands);

// The face in `color` in the square of side `side` centred on `center`, in two layers: the
// dial with its marks, which stays put, and the hands with the centre dot over them.
// Anything outside the painter's clip is cut off; a hand wholly outside a given `area`
// is not drawn at all.
void paintAnalogDial(QPainter& painter, QPointF center, double side, const QColor& color);
void paintAnalogHands(QPainter& painter, QPointF center, double side, const ClockHands& hands,
                      const QColor& color, const QRegion& area = QRegion());

} // namespace mirevo

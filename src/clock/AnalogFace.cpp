#include "clock/AnalogFace.h"

#include <QPainter>
#include <QTransform>

namespace mirevo {
namespace {

constexpr qsizetype kMarkCount = 12;

void paintBar(QPainter& painter, const FaceBar& bar)
{
    painter.save();
    painter.rotate(bar.angle);
    painter.drawRect(bar.rect);
    painter.restore();
}

// A bar `width` x `height` of the face, its centre moved `up` from the face's centre.
FaceBar bar(double width, double height, double up, double angle)
{
    return {QRectF(-width / 2, -height / 2 - up, width, height), angle};
}

} // namespace

ClockHands handAngles(QTime time, bool showSeconds)
{
    ClockHands hands;
    if (!time.isValid())
        return showSeconds ? ClockHands{0, 0, 0.0} : hands;
    hands.hour = (time.hour() % 12) * 30.0 + time.minute() * 0.5;
    hands.minute = time.minute() * 6.0;
    if (showSeconds)
        hands.second = time.second() * 6.0;
    return hands;
}

QList<FaceBar> faceBars(double side, const ClockHands& hands)
{
    const double s = side;
    QList<FaceBar> bars;
    for (int i = 0; i < kMarkCount; ++i)
        bars << bar(0.02 * s, 0.1 * s, 0.4 * s, i * 30.0);
    bars << bar(0.04 * s, 0.25 * s, 0.125 * s, hands.hour);
    bars << bar(0.03 * s, 0.35 * s, 0.175 * s, hands.minute);
    if (hands.second)
        bars << bar(0.01 * s, 0.4 * s, 0.2 * s, *hands.second);
    return bars;
}

QList<QRectF> handBounds(double side, const ClockHands& hands)
{
    QList<QRectF> bounds;
    const QList<FaceBar> bars = faceBars(side, hands);
    for (qsizetype i = kMarkCount; i < bars.size(); ++i) {
        const QRectF turned = QTransform().rotate(bars[i].angle).mapRect(bars[i].rect);
        bounds << turned.adjusted(-1.5, -1.5, 1.5, 1.5);
    }
    return bounds;
}

void paintAnalogDial(QPainter& painter, QPointF center, double side, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(center);
    // The dial: the inscribed circle, its stroke centred on the circle.
    painter.setPen(QPen(color, 0.02 * side));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(-side / 2, -side / 2, side, side));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const QList<FaceBar> bars = faceBars(side, ClockHands{});
    for (qsizetype i = 0; i < kMarkCount; ++i)
        paintBar(painter, bars[i]);
    painter.restore();
}

void paintAnalogHands(QPainter& painter, QPointF center, double side, const ClockHands& hands,
                      const QColor& color, const QRegion& area)
{
    auto shown = [&](const QRectF& bounds) {
        return area.isEmpty() || area.intersects(bounds.translated(center).toAlignedRect());
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(center);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const QList<FaceBar> bars = faceBars(side, hands).mid(kMarkCount);
    const QList<QRectF> bounds = handBounds(side, hands);
    for (qsizetype i = 0; i < bars.size(); ++i) {
        if (shown(bounds[i]))
            paintBar(painter, bars[i]);
    }
    const double dot = 0.06 * side;
    const QRectF dotRect(-dot / 2, -dot / 2, dot, dot);
    if (shown(dotRect.adjusted(-1, -1, 1, 1)))
        painter.drawEllipse(dotRect);
    painter.restore();
}

} // namespace mirevo

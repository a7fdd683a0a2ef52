#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace mirevo {

// The round language badge shared by the floating indicator and the pointer badge:
// a radial glow, a disc with a diagonal gradient and a white outline, and white text
// with a soft drop shadow, centred in `frame`.
struct BadgeStyle {
    QColor color;              // the language's colour with its own alpha
    double opacity = 1.0;      // strength of the fill
    double outlineWidth = 2.0; // the disc's white 30 % outline
    QString text;
    QFont font;                 // already sized
    double shadowBlur = 2.0;    // blur radius of the black 30 % text shadow
    double shadowOffsetY = 1.0; // downward offset of that shadow
    // For a window that no compositor blends, whose translucent pixels would show over
    // black: the whole frame is laid on the badge's own colour first, without the glow,
    // so every pixel is opaque and the rim is never darker than the disc.
    bool opaque = false;
};

void paintBadge(QPainter& painter, const QRectF& frame, const BadgeStyle& style);

// What of `frame` the badge's disc covers, with its outline of `outlineWidth` and the
// smoothed edge; the glow around it is too faint to matter where no compositor blends.
QPainterPath badgeDiscShape(const QRectF& frame, double outlineWidth);

// `color` with its alpha multiplied by `factor`.
QColor scaledAlpha(const QColor& color, double factor);

} // namespace mirevo

#include "indicator/BadgePainter.h"

#include "indicator/BadgeTextFit.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace mirevo {
namespace {

// The disc's radius as a part of the badge's side.
constexpr double kDiscRadius = 0.4;
// The widest text as a part of the side: the disc's width less room for its curve.
constexpr double kTextWidthRatio = 0.68;

// Box-blurs the alpha channel three times, which approximates a Gaussian of `radius`.
void blurAlpha(QImage& image, int radius)
{
    if (radius <= 0)
        return;
    const int w = image.width(), h = image.height();
    std::vector<int> alpha(size_t(w) * h), scratch(alpha.size());
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * w + x] = qAlpha(line[x]);
    }
    auto pass = [&](bool horizontal) {
        const int outer = horizontal ? h : w, inner = horizontal ? w : h;
        for (int o = 0; o < outer; ++o) {
            for (int i = 0; i < inner; ++i) {
                int sum = 0, n = 0;
                for (int k = std::max(0, i - radius); k <= std::min(inner - 1, i + radius); ++k) {
                    sum += horizontal ? alpha[size_t(o) * w + k] : alpha[size_t(k) * w + o];
                    ++n;
                }
                (horizontal ? scratch[size_t(o) * w + i] : scratch[size_t(i) * w + o]) = sum / n;
            }
        }
        alpha.swap(scratch);
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = alpha[size_t(y) * w + x];
            line[x] = qPremultiply(qRgba(0, 0, 0, a));
        }
    }
}

void paintTextShadow(QPainter& painter, const QRectF& frame, const BadgeStyle& style)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int margin = int(std::ceil(style.shadowBlur * 2));
    QImage shadow((frame.size() * dpr).toSize() + QSize(2 * margin, 2 * margin),
                  QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(margin, margin);
        p.scale(dpr, dpr);
        p.setFont(style.font);
        p.setPen(Qt::black);
        p.drawText(QRectF(QPointF(0, 0), frame.size()), Qt::AlignCenter, style.text);
    }
    blurAlpha(shadow, int(std::round(style.shadowBlur * dpr / 2.0)));
    painter.save();
    painter.setOpacity(painter.opacity() * 0.3);
    painter.drawImage(QRectF(frame.x() - margin / dpr,
                             frame.y() + style.shadowOffsetY - margin / dpr, shadow.width() / dpr,
                             shadow.height() / dpr),
                      shadow);
    painter.restore();
}

} // namespace

QColor scaledAlpha(const QColor& color, double factor)
{
    QColor scaled = color;
    scaled.setAlphaF(float(std::clamp(color.alphaF() * factor, 0.0, 1.0)));
    return scaled;
}

QPainterPath badgeDiscShape(const QRectF& frame, double outlineWidth)
{
    // The outline's outer half and the smoothed edge lie beyond the disc's radius.
    const double radius =
        std::min(frame.width(), frame.height()) * kDiscRadius + outlineWidth / 2 + 0.5;
    QPainterPath shape;
    shape.addEllipse(frame.center(), radius, radius);
    return shape;
}

void paintBadge(QPainter& painter, const QRectF& frame, const BadgeStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = frame.center();
    const double size = std::min(frame.width(), frame.height());

    painter.setPen(Qt::NoPen);
    if (style.opaque) {
        QColor ground = style.color;
        ground.setAlpha(255);
        painter.fillRect(frame, ground);
    } else {
        QRadialGradient glow(centre, size * 0.5);
        glow.setColorAt(0.0, scaledAlpha(style.color, style.opacity * 0.6));
        glow.setColorAt(0.5, scaledAlpha(style.color, style.opacity * 0.3));
        glow.setColorAt(1.0, scaledAlpha(style.color, 0.0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, size * 0.5, size * 0.5);
    }

    // Disc, lit from its top-left corner.
    const double radius = size * kDiscRadius;
    const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QLinearGradient fill(disc.topLeft(), disc.bottomRight());
    fill.setColorAt(0.0, scaledAlpha(style.color, style.opacity));
    fill.setColorAt(1.0, scaledAlpha(style.color, style.opacity * 0.7));
    painter.setBrush(fill);
    painter.drawEllipse(disc);
    QPen outline(QColor(255, 255, 255, 77), style.outlineWidth, Qt::SolidLine, Qt::FlatCap,
                 Qt::MiterJoin);
    outline.setMiterLimit(10);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);

    // Text.
    if (!style.text.isEmpty()) {
        BadgeStyle fitted = style;
        fitted.font = fontFittingWidth(style.font, style.text, frame.width() * kTextWidthRatio);
        paintTextShadow(painter, frame, fitted);
        painter.setFont(fitted.font);
        painter.setPen(Qt::white);
        painter.drawText(frame, Qt::AlignCenter, fitted.text);
    }
    painter.restore();
}

} // namespace mirevo

#include "indicator/IMEIndicatorView.h"

#include "indicator/BadgePainter.h"
#include "settings/IMEIndicatorSettings.h"

#include <QBitmap>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace mirevo {
namespace {

// The name the settings use for "the system's own font".
const QString kSystemFontName = QStringLiteral(".AppleSystemUIFont");

QSvgRenderer& handRenderer()
{
    static QSvgRenderer renderer(QStringLiteral(":/indicator/hand-point.svg"));
    return renderer;
}

// The hand in white, whatever colours the picture itself uses, `pixels` wide.
QImage moveMarkImage(int pixels)
{
    QImage mark(QSize(pixels, pixels), QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    if (!handRenderer().isValid())
        return mark;
    QPainter p(&mark);
    p.setRenderHint(QPainter::Antialiasing);
    handRenderer().render(&p, QRectF(0, 0, pixels, pixels));
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(mark.rect(), Qt::white);
    return mark;
}

QRectF moveMarkRect(const QRectF& frame, double side)
{
    return {frame.right() - kMoveMarkPadding - side, frame.bottom() - kMoveMarkPadding - side, side,
            side};
}

// The mark at half strength in the frame's bottom-right corner.
void paintMoveMark(QPainter& painter, const QRectF& frame, double side)
{
    if (side <= 0)
        return;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage mark = moveMarkImage(std::max(1, int(std::ceil(side * dpr))));
    painter.save();
    painter.setOpacity(painter.opacity() * 0.5);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(moveMarkRect(frame, side), mark);
    painter.restore();
}

} // namespace

QFont IMEIndicatorView::font() const
{
    QFont result;
    if (fontName.isEmpty() || fontName == kSystemFontName) {
        result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        result.setBold(true);
    } else {
        result = QFont(fontName);
        result.setWeight(QFont::Normal);
    }
    // Pixels rather than points, so the text is exactly this tall on every screen.
    const double pixels = size * fontSizeRatio;
    result.setPixelSize(std::isfinite(pixels) ? int(std::lround(std::clamp(pixels, 1.0, 2000.0)))
                                              : 1);
    return result;
}

void IMEIndicatorView::paint(QPainter& painter, const QRectF& frame, bool opaque) const
{
    BadgeStyle style;
    style.opaque = opaque;
    style.color = color.toQColor();
    style.opacity = opacity;
    style.outlineWidth = kOutlineWidth;
    style.text = text;
    style.font = font();
    style.shadowBlur = 2.0;
    style.shadowOffsetY = 1.0;
    paintBadge(painter, frame, style);
    if (moveMode)
        paintMoveMark(painter, frame, size * kMoveMarkRatio);
}

double indicatorSide(const IMEIndicatorSettings& settings)
{
    const double side = settings.indicatorSize;
    if (!std::isfinite(side))
        return IMEIndicatorSettings{}.indicatorSize;
    return std::clamp(side, 10.0, 1000.0);
}

QPainterPath IMEIndicatorView::visibleShape(const QRectF& frame) const
{
    const QPainterPath shape = badgeDiscShape(frame, kOutlineWidth);
    const double side = size * kMoveMarkRatio;
    if (!moveMode || side < 1)
        return shape;
    // The hand's own pixels, so no square shows around it.
    const QRectF target = moveMarkRect(frame, side);
    const QImage mark = moveMarkImage(int(std::ceil(side)));
    QPainterPath hand;
    hand.addRegion(QRegion(QBitmap::fromImage(mark.createAlphaMask())));
    hand.translate(target.topLeft());
    return shape.united(hand).simplified();
}

IMEIndicatorView makeIndicatorView(const IMEIndicatorSettings& settings, InputLanguage language,
                                   const QString& layoutCode)
{
    IMEIndicatorView view;
    view.language = language;
    view.size = indicatorSide(settings);
    view.opacity = settings.backgroundOpacity;
    view.color = settings.colorForLanguage(language);
    view.text = settings.badgeText(language, layoutCode);
    view.moveMode = settings.moveMode;
    view.fontSizeRatio = settings.fontSizeRatio;
    view.fontName = settings.fontName;
    return view;
}

} // namespace mirevo

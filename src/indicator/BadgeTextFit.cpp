#include "indicator/BadgeTextFit.h"

#include <QFontMetricsF>

#include <cmath>

namespace mirevo {

QFont fontFittingWidth(const QFont& font, const QString& text, double width)
{
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    if (!(advance > width) || !(width > 0))
        return font;
    QFont fitted = font;
    const double scale = width / advance;
    if (font.pixelSize() > 0)
        fitted.setPixelSize(std::max(1, int(std::floor(font.pixelSize() * scale))));
    else
        fitted.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
    return fitted;
}

} // namespace mirevo

#include "settings/ColorComponents.h"

#include <algorithm>

namespace mirevo {

QColor ColorComponents::toQColor() const
{
    // QColor holds 16-bit components 0-1; out-of-range stored values are drawn clamped.
    auto unit = [](double v) { return static_cast<float>(std::clamp(v, 0.0, 1.0)); };
    return QColor::fromRgbF(unit(red), unit(green), unit(blue), unit(alpha));
}

ColorComponents ColorComponents::fromPlatformColor(const QColor& color)
{
    if (!color.isValid())
        return {1.0, 1.0, 1.0, 1.0};
    // Extended (wide-gamut) colours keep components outside 0-1; every other colour model is
    // converted to sRGB.
    const QColor rgb = color.spec() == QColor::ExtendedRgb ? color : color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
}

} // namespace mirevo

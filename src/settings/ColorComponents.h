#pragma once

#include <QColor>

namespace mirevo {

// A colour as four components 0.0-1.0 in sRGB. Values outside the range are kept as
// they are: nothing clamps them.
struct ColorComponents {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    bool operator==(const ColorComponents&) const = default;

    // The colour to draw with: sRGB with the record's own alpha.
    QColor toQColor() const;

    // Takes a picked colour's sRGB components; an invalid colour becomes opaque white.
    static ColorComponents fromPlatformColor(const QColor& color);
};

} // namespace mirevo

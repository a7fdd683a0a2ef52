#pragma once

#include "input/InputLanguage.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace mirevo {

class Displays;

// "100 px": the whole number of pixels, from the "%lld px" text.
QString pixelValueText(double pixels);
// "56%": the ratio times 100, truncated (0.57 shows 56%), from the "%lld%" text.
QString percentValueText(double ratio);

// A position as the fields show it: no decimals.
QString positionText(double position);
// The whole text read as a finite decimal number in the C locale (sign, decimal point and
// exponent allowed); nothing for anything else, including an empty text.
std::optional<double> parsePositionText(const QString& text);

enum class IndicatorCorner { bottomLeft, bottomRight, topLeft, topRight };

// Where a badge of `size` sits 20 px from the corner of display `displayIndex`, as the
// offset of its bottom-left corner from the display's bottom-left corner; nothing when
// the index names no display.
std::optional<QPointF> cornerPosition(IndicatorCorner corner, const Displays& displays,
                                      qint64 displayIndex, double size);

// The language's name in the indicator page's table.
QString imeLanguageName(InputLanguage language);

} // namespace mirevo

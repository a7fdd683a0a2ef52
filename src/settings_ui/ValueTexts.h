#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// Substitutes the whole number `value` for "%lld" in a localized pattern.
QString formatCount(const QString& pattern, qint64 value);

// Substitutes `value` for "%@" in a localized pattern.
QString formatText(const QString& pattern, const QString& value);

// "100 px": the whole number of pixels, from the "%lld px" text.
QString pixelValueText(double pixels);
// "56%": the ratio times 100, truncated (a stored 0.57 shows 56%), from the "%lld%" text.
QString percentValueText(double ratio);

// A position as the fields show it: no decimals.
QString positionText(double position);
// The whole text read as a finite decimal number in the C locale (sign, decimal point and
// exponent allowed); nothing for anything else, including an empty text.
std::optional<double> parsePositionText(const QString& text);

} // namespace mirevo

#include "clock/ClockAppearance.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

namespace mirevo {

QColor clockBackgroundColor(const ClockSettings& copy, const AppSettings& live,
                            bool isJapaneseInput, InputLanguage currentLanguage)
{
    if (live.clock.useIMEIndicatorColors)
        return live.imeIndicator.colorForLanguage(currentLanguage).toQColor();
    return (isJapaneseInput ? copy.backgroundColorOn : copy.backgroundColorOff).toQColor();
}

QColor withOpacity(QColor color, double opacity)
{
    // A stored opacity outside 0...1 (or not a number) draws as the nearest valid one.
    const double k = std::isnan(opacity) ? 1.0 : std::clamp(opacity, 0.0, 1.0);
    color.setAlphaF(float(color.alphaF() * k));
    return color;
}

bool fontNameMatches(const QString& family)
{
    if (family.isEmpty())
        return false;
    if (QFontDatabase::hasFamily(family))
        return true;
    // An alias reaches another font than a made-up name does.
    static const QString unmatched =
        QFontInfo(QFont(QStringLiteral("Mirevo Unmatched Family 7"))).family();
    return QFontInfo(QFont(family)).family() != unmatched;
}

QFont clockFont(const QString& family, double size)
{
    QFont font = fontNameMatches(family) ? QFont(family)
                                         : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const double pixels = std::isfinite(size) ? std::clamp(size, 1.0, 1000.0) : 24.0;
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    return font;
}

} // namespace mirevo

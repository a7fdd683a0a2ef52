#include "settings_ui/IMEIndicatorPageRules.h"

#include "platform/Displays.h"
#include "platform/StringTables.h"

#include <QRegularExpression>

#include <cmath>

namespace mirevo {
namespace {

constexpr double kCornerMargin = 20.0;

QString withCount(QString format, double value)
{
    // Truncated toward zero, as a whole-number format of the value would be.
    const long long whole = std::isfinite(value) ? static_cast<long long>(value) : 0;
    return format.replace(QLatin1String("%lld"), QString::number(whole));
}

} // namespace

QString pixelValueText(double pixels)
{
    return withCount(localized("Localizable", "%lld px"), pixels);
}

QString percentValueText(double ratio)
{
    return withCount(localized("Localizable", "%lld%"), ratio * 100.0);
}

QString positionText(double position)
{
    return QString::asprintf("%.0f", position);
}

std::optional<double> parsePositionText(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok); // QString::toDouble always reads the C locale
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QPointF> cornerPosition(IndicatorCorner corner, const Displays& displays,
                                      qint64 displayIndex, double size)
{
    const std::optional<QRectF> frame = displays.frame(displayIndex);
    if (!frame)
        return std::nullopt;
    const double right = frame->width() - size - kCornerMargin;
    const double top = frame->height() - size - kCornerMargin;
    switch (corner) {
    case IndicatorCorner::bottomLeft:
        return QPointF(kCornerMargin, kCornerMargin);
    case IndicatorCorner::bottomRight:
        return QPointF(right, kCornerMargin);
    case IndicatorCorner::topLeft:
        return QPointF(kCornerMargin, top);
    case IndicatorCorner::topRight:
        return QPointF(right, top);
    }
    return std::nullopt;
}

QString imeLanguageName(InputLanguage language)
{
    // One literal key per language, so that every name the page shows has a text.
    switch (language) {
    case InputLanguage::english:
        return localized("IMEIndicator", "lang_english");
    case InputLanguage::japanese:
        return localized("IMEIndicator", "lang_japanese");
    case InputLanguage::chineseSimplified:
        return localized("IMEIndicator", "lang_chinese_simplified");
    case InputLanguage::chineseTraditional:
        return localized("IMEIndicator", "lang_chinese_traditional");
    case InputLanguage::korean:
        return localized("IMEIndicator", "lang_korean");
    case InputLanguage::thai:
        return localized("IMEIndicator", "lang_thai");
    case InputLanguage::vietnamese:
        return localized("IMEIndicator", "lang_vietnamese");
    case InputLanguage::arabic:
        return localized("IMEIndicator", "lang_arabic");
    case InputLanguage::hebrew:
        return localized("IMEIndicator", "lang_hebrew");
    case InputLanguage::hindi:
        return localized("IMEIndicator", "lang_hindi");
    case InputLanguage::russian:
        return localized("IMEIndicator", "lang_russian");
    case InputLanguage::greek:
        return localized("IMEIndicator", "lang_greek");
    case InputLanguage::mongolian:
        return localized("IMEIndicator", "lang_mongolian");
    case InputLanguage::myanmar:
        return localized("IMEIndicator", "lang_myanmar");
    case InputLanguage::khmer:
        return localized("IMEIndicator", "lang_khmer");
    case InputLanguage::lao:
        return localized("IMEIndicator", "lang_lao");
    case InputLanguage::bengali:
        return localized("IMEIndicator", "lang_bengali");
    case InputLanguage::tamil:
        return localized("IMEIndicator", "lang_tamil");
    case InputLanguage::telugu:
        return localized("IMEIndicator", "lang_telugu");
    case InputLanguage::nepali:
        return localized("IMEIndicator", "lang_nepali");
    case InputLanguage::sinhala:
        return localized("IMEIndicator", "lang_sinhala");
    case InputLanguage::persian:
        return localized("IMEIndicator", "lang_persian");
    case InputLanguage::ukrainian:
        return localized("IMEIndicator", "lang_ukrainian");
    case InputLanguage::other:
        return localized("IMEIndicator", "lang_other");
    }
    return localized("IMEIndicator", displayKey(language));
}

} // namespace mirevo

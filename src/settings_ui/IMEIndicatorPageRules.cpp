#include "settings_ui/IMEIndicatorPageRules.h"

#include "platform/Displays.h"
#include "platform/StringTables.h"

#include <cmath>

namespace mirevo {
namespace {

constexpr double kCornerMargin = 20.0;

} // namespace

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

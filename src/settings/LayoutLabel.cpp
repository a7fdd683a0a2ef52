#include "settings/LayoutLabel.h"

namespace mirevo {

QString rawValue(LayoutLabel value)
{
    return value == LayoutLabel::layoutCode ? QStringLiteral("layout_code")
                                            : QStringLiteral("language");
}

std::optional<LayoutLabel> layoutLabelFromRawValue(QStringView raw)
{
    for (LayoutLabel value : {LayoutLabel::language, LayoutLabel::layoutCode}) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}

} // namespace mirevo

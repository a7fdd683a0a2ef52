#pragma once

#include "input/InputLanguage.h"
#include "settings/ColorComponents.h"
#include "settings/LayoutLabel.h"

#include <QString>

#include <array>

namespace mirevo {

using LanguageColors = std::array<ColorComponents, kInputLanguageCount>;
using LanguageTexts = std::array<QString, kInputLanguageCount>;

// Default badge colour and text of every language, in language order.
const LanguageColors& defaultLanguageColors();
const LanguageTexts& defaultLanguageTexts();

// The floating badge that shows the current input language.
struct IMEIndicatorSettings {
    bool isVisible = true;
    double positionX = 24.0;
    double positionY = 152.0;
    qint64 displayIndex = 0;
    double indicatorSize = 100.0;
    double fontSizeRatio = 0.5;
    double backgroundOpacity = 0.7;
    // englishColor ... otherColor and englishText ... otherText, indexed by language.
    LanguageColors colors = defaultLanguageColors();
    LanguageTexts texts = defaultLanguageTexts();
    QString fontName = QStringLiteral("MyricaM M");
    // Optional in the file: files written before it existed read as the language.
    LayoutLabel layoutLabel = LayoutLabel::language;
    // In memory only: never read from or written to the settings file.
    bool moveMode = false;

    const ColorComponents& colorForLanguage(InputLanguage language) const
    {
        return colors[languageIndex(language)];
    }
    const QString& textForLanguage(InputLanguage language) const
    {
        return texts[languageIndex(language)];
    }

    // What both badges show: the layout's code (empty for input methods) when the user
    // chose codes, the language's text otherwise.
    QString badgeText(InputLanguage language, const QString& layoutCode) const
    {
        if (layoutLabel == LayoutLabel::layoutCode && !layoutCode.isEmpty())
            return layoutCode;
        return textForLanguage(language);
    }

    bool operator==(const IMEIndicatorSettings&) const = default;
};

} // namespace mirevo

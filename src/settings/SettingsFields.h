#pragma once

#include "settings/AppSettings.h"

#include <QLatin1StringView>

// The one table of stored fields and their keys. Encoding and decoding both walk it, so a
// field cannot be written under one key and read under another. `moveMode` is absent on
// purpose: it lives in memory only.
namespace mirevo::fields {

inline QString colorKey(InputLanguage language)
{
    return caseName(language) + QLatin1String("Color");
}
inline QString textKey(InputLanguage language)
{
    return caseName(language) + QLatin1String("Text");
}

template <typename Color, typename Visitor> void visitColor(Color& c, Visitor& v)
{
    v.field(QStringLiteral("red"), c.red);
    v.field(QStringLiteral("green"), c.green);
    v.field(QStringLiteral("blue"), c.blue);
    v.field(QStringLiteral("alpha"), c.alpha);
}

template <typename Record, typename Visitor> void visitIMEIndicator(Record& s, Visitor& v)
{
    v.field(QStringLiteral("isVisible"), s.isVisible);
    v.field(QStringLiteral("positionX"), s.positionX);
    v.field(QStringLiteral("positionY"), s.positionY);
    v.field(QStringLiteral("displayIndex"), s.displayIndex);
    v.field(QStringLiteral("indicatorSize"), s.indicatorSize);
    v.field(QStringLiteral("fontSizeRatio"), s.fontSizeRatio);
    v.field(QStringLiteral("backgroundOpacity"), s.backgroundOpacity);
    for (InputLanguage language : allInputLanguages())
        v.field(colorKey(language), s.colors[languageIndex(language)]);
    for (InputLanguage language : allInputLanguages())
        v.field(textKey(language), s.texts[languageIndex(language)]);
    v.field(QStringLiteral("fontName"), s.fontName);
    v.optionalField(QStringLiteral("layoutLabel"), s.layoutLabel);
}

template <typename Record, typename Visitor> void visitClock(Record& s, Visitor& v)
{
    v.field(QStringLiteral("isVisible"), s.isVisible);
    v.field(QStringLiteral("style"), s.style);
    v.field(QStringLiteral("positionX"), s.positionX);
    v.field(QStringLiteral("positionY"), s.positionY);
    v.field(QStringLiteral("displayIndex"), s.displayIndex);
    v.field(QStringLiteral("fontName"), s.fontName);
    v.field(QStringLiteral("fontSize"), s.fontSize);
    v.field(QStringLiteral("textColor"), s.textColor);
    v.field(QStringLiteral("analogColor"), s.analogColor);
    v.field(QStringLiteral("backgroundColorOff"), s.backgroundColorOff);
    v.field(QStringLiteral("backgroundColorOn"), s.backgroundColorOn);
    v.field(QStringLiteral("backgroundOpacity"), s.backgroundOpacity);
    v.field(QStringLiteral("useIMEIndicatorColors"), s.useIMEIndicatorColors);
    v.field(QStringLiteral("showSeconds"), s.showSeconds);
    v.field(QStringLiteral("dateTimePosition"), s.dateTimePosition);
    v.field(QStringLiteral("windowWidth"), s.windowWidth);
    v.field(QStringLiteral("windowHeight"), s.windowHeight);
    v.field(QStringLiteral("analogClockSize"), s.analogClockSize);
    v.field(QStringLiteral("dateFormatStyle"), s.dateFormatStyle);
    v.field(QStringLiteral("timeFormatStyle"), s.timeFormatStyle);
    v.field(QStringLiteral("customDateFormat1"), s.customDateFormat1);
    v.field(QStringLiteral("customDateFormat2"), s.customDateFormat2);
    v.field(QStringLiteral("customTimeFormat1"), s.customTimeFormat1);
    v.field(QStringLiteral("customTimeFormat2"), s.customTimeFormat2);
}

template <typename Record, typename Visitor> void visitMouseCursorIndicator(Record& s, Visitor& v)
{
    v.field(QStringLiteral("isVisible"), s.isVisible);
    v.field(QStringLiteral("size"), s.size);
    v.field(QStringLiteral("offsetX"), s.offsetX);
    v.field(QStringLiteral("offsetY"), s.offsetY);
    v.field(QStringLiteral("opacity"), s.opacity);
    v.field(QStringLiteral("useSameColorAsIMEIndicator"), s.useSameColorAsIMEIndicator);
    for (InputLanguage language : allInputLanguages())
        v.field(colorKey(language), s.colors[languageIndex(language)]);
}

template <typename Record, typename Visitor> void visitApp(Record& s, Visitor& v)
{
    v.record(QStringLiteral("imeIndicator"), s.imeIndicator);
    v.record(QStringLiteral("clock"), s.clock);
    v.record(QStringLiteral("mouseCursorIndicator"), s.mouseCursorIndicator);
}

} // namespace mirevo::fields

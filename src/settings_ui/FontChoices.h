#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace mirevo {

// The value of the font menu's first item: the desktop's own interface font.
inline const QString kSystemFontName = QStringLiteral(".AppleSystemUIFont");
inline constexpr int kFontSamplePointSize = 12;

// The character the font menu must be able to show: the first character of the Japanese
// badge text, or "あ" when that text is empty.
char32_t fontSampleCharacter(const QString& japaneseText);

// A family name without the foundry tag that Qt adds when several foundries ship a
// family of that name: "Nimbus Sans [URW ]" is "Nimbus Sans".
QString plainFamilyName(const QString& family);

// The installed families a user can choose: each plain name once, sorted, without
// private families and without symbol fonts (which draw letters as pictures).
QStringList installedFontFamilies();

// Whether the installed family's own 12-point face (no fallback fonts) has a glyph for
// every character of `text`.
bool familyCoversText(const QString& family, const QString& text);

// The family that draws the first character of `text` in `font`: the font's own family,
// or the one the system substitutes when that family is missing or lacks the character.
QString familyDrawing(const QFont& font, const QString& text);

// The installed font families that cover `text` so, sorted.
QStringList fontFamiliesCovering(const QString& text);
QStringList fontFamiliesCovering(char32_t character);

} // namespace mirevo

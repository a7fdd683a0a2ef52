#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// Whether an input method's mode types Latin letters, from what its panel shows: the
// mode's symbol ("A", "EN", "英") or its label ("Direct input", "Alphanumeric"). Korean,
// Japanese and Chinese engines switch between such a mode and their script inside one
// engine; the one table of these words is here.
bool isLatinInputMode(const QString& symbol, const QString& label);

// The mode an fcitx5 tray icon names for the input method whose own icon is `methodIcon`:
// fcitx5 shows a method's mode as the method's icon with the mode appended ("fcitx_mozc"
// types Latin as "fcitx_mozc_alpha_half" or "fcitx_mozc_direct", Japanese as
// "fcitx_mozc_hiragana"). True for a Latin mode, false for another mode, nothing when the
// icon is not one of the method's modes (the method's plain icon, another method's).
std::optional<bool> isLatinModeIcon(const QString& icon, const QString& methodIcon);

} // namespace mirevo

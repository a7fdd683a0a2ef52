#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace mirevo {

// The description xkeyboard-config's registry gives a layout and variant ("ru" ->
// "Russian", "de" + "neo" -> "German (Neo 2)"); empty for a layout it does not list. The
// registry is read once, on first use.
QString xkbLayoutDescription(const QString& layout, const QString& variant = {});

// The layout and variant that xkeyboard-config describes so ("Russian (US, phonetic)" ->
// "us", "rus"), for desktops that report only a layout's name; the plain layout wins when
// a variant shares its description. Nothing for a description the registry does not list.
std::optional<std::pair<QString, QString>> xkbLayoutDescribedAs(const QString& description);

} // namespace mirevo

#pragma once

#include <QString>

namespace mirevo {

// The description xkeyboard-config's registry gives a layout and variant ("ru" ->
// "Russian", "de" + "neo" -> "German (Neo 2)"); empty for a layout it does not list. The
// registry is read once, on first use.
QString xkbLayoutDescription(const QString& layout, const QString& variant = {});

} // namespace mirevo

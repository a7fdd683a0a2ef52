#pragma once

#include <QString>

namespace mirevo {

// Whether an input method's mode types Latin letters, from what its panel shows: the
// mode's symbol ("A", "EN", "英") or its label ("Direct input", "Alphanumeric"). Korean,
// Japanese and Chinese engines switch between such a mode and their script inside one
// engine; the one table of these words is here.
bool isLatinInputMode(const QString& symbol, const QString& label);

} // namespace mirevo

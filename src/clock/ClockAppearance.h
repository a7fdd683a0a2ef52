#pragma once

#include "input/InputLanguage.h"
#include "settings/AppSettings.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace mirevo {

// The background fill before the view's opacity: the IME indicator colour of the current
// language when the live settings ask for it, else the on/off colour of the view's copy
// by the live input state.
QColor clockBackgroundColor(const ClockSettings& copy, const AppSettings& live,
                            bool isJapaneseInput, InputLanguage currentLanguage);

// The colour as drawn at `opacity` (0...1): its alpha times the opacity.
QColor withOpacity(QColor color, double opacity);

// Whether the desktop's font matching finds a font for `family`: an installed family, or
// a name the font configuration maps to one (an alias such as "Helvetica").
bool fontNameMatches(const QString& family);

// The named family at `size` pixels when the name matches a font, else the system font at
// that size.
QFont clockFont(const QString& family, double size);

} // namespace mirevo

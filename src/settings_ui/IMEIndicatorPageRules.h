#pragma once

#include "input/InputLanguage.h"
#include "settings_ui/ValueTexts.h"

#include <QPointF>
#include <QString>

#include <optional>

namespace mirevo {

class Displays;

enum class IndicatorCorner { bottomLeft, bottomRight, topLeft, topRight };

// Where a badge of `size` sits 20 px from the corner of display `displayIndex`, as the
// offset of its bottom-left corner from the display's bottom-left corner; nothing when
// the index names no display.
std::optional<QPointF> cornerPosition(IndicatorCorner corner, const Displays& displays,
                                      qint64 displayIndex, double size);

// The language's name in the indicator page's table.
QString imeLanguageName(InputLanguage language);

} // namespace mirevo

#pragma once

#include "settings/AppSettings.h"
#include "settings_ui/FontChoices.h"

#include <QPointF>
#include <QStringList>

#include <functional>
#include <optional>

namespace mirevo {

class Displays;

// The font list's entry that stands for the system font (stored as kSystemFontName).
inline const QString kSystemFontDisplayName = QStringLiteral("__system_font__");
// A family is offered only when it draws every character of this text.
inline const QString kFontSampleText = QStringLiteral("0123456789 AaBbCc あいうえお");

// Writes the new style; an analog face also grows the window to at least its own size.
void applyClockStyle(ClockSettings& clock, ClockStyle style);

enum class PositionPreset { topLeft, topRight, bottomLeft, bottomRight };

// The clock's position for a corner of display `displayIndex`'s full frame; nothing when
// the index names no display.
std::optional<QPointF> presetPosition(PositionPreset preset, const Displays& displays,
                                      const ClockSettings& clock);

// The font picker's entries: the families for which `drawsSample` holds, sorted, after
// the system entry.
QStringList fontListEntries(const QStringList& families,
                            const std::function<bool(const QString& family)>& drawsSample);

// Every record back to its defaults. The move modes are not settings but the state of
// the open settings window, so they stay as they are.
AppSettings resetSettings(const AppSettings& current);

} // namespace mirevo

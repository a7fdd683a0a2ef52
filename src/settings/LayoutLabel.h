#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace mirevo {

// What the badges show while a keyboard layout (not an input method) is active: the
// language's text, or the layout's short code ("US", "DE").
enum class LayoutLabel { language, layoutCode };

// As stored in the settings file: "language", "layout_code".
QString rawValue(LayoutLabel value);
std::optional<LayoutLabel> layoutLabelFromRawValue(QStringView raw);

} // namespace mirevo

#pragma once

#include <QString>

namespace mirevo::notifications {

// Posted after the IME indicator's settings were written and saved; the indicator
// re-applies them.
inline const QString kIMEIndicatorSettingsChanged = QStringLiteral("IMEIndicatorSettingsChanged");
// Posted after the pointer badge's settings were written and saved.
inline const QString kMouseCursorIndicatorSettingsChanged =
    QStringLiteral("MouseCursorIndicatorSettingsChanged");
// Carries the new InputLanguage to the pointer badge's view.
inline const QString kMouseCursorIndicatorLanguageChanged =
    QStringLiteral("MouseCursorIndicatorLanguageChanged");

} // namespace mirevo::notifications

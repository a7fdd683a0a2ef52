#pragma once

#include "settings_ui/SteppedSlider.h"
#include "settings_ui/ValueTexts.h"

#include <QString>

class QIcon;
class QLabel;
class QWidget;

namespace mirevo {

// Caption-sized text in the palette's secondary colour.
QLabel* makeSecondaryLabel(const QString& text, QWidget* parent = nullptr);
// Page header: an icon at 24 px and the title in a large bold font.
QWidget* makePageHeader(const QIcon& icon, const QString& title, QWidget* parent = nullptr);

} // namespace mirevo

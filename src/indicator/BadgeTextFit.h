#pragma once

#include <QFont>
#include <QString>

namespace mirevo {

// `font`, made smaller when `text` set in it would be wider than `width`: a layout code
// such as "US·INTL" or a long text of the user's own stays inside the disc. Text that fits
// keeps its font.
QFont fontFittingWidth(const QFont& font, const QString& text, double width);

} // namespace mirevo

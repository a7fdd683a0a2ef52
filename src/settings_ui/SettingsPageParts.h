#pragma once

#include <QColor>
#include <QString>

class QFrame;
class QLabel;
class QPixmap;
class QScrollArea;
class QVBoxLayout;
class QWidget;

namespace mirevo {

// A titled box: an icon and a bold title above a framed column of rows.
struct SettingsGroup {
    QWidget* widget = nullptr;
    QVBoxLayout* rows = nullptr;
};
SettingsGroup makeSettingsGroup(const QString& objectName, const QString& title,
                                const QString& themeIcon, int rowSpacing);

// The program's "character in a text box" mark, `size` pixels square.
QPixmap textBoxSymbol(int size, const QColor& color, qreal devicePixelRatio);
// A small icon from the desktop's icon theme in a label; a hidden label when the theme
// has no such icon.
QLabel* themeIconLabel(const QString& themeIcon, int size);

QFrame* makeDivider();
// A scrolling list that shows the page's own background.
void makeTransparentScrollArea(QScrollArea* area);

// Text styles relative to the widget's own font.
enum class TextStyle { title, subheadline, body, callout, caption, caption2 };
void applyTextStyle(QWidget* widget, TextStyle style);
// Dimmer text for hints and units.
void makeSecondary(QWidget* widget);
void makeTertiary(QWidget* widget);

} // namespace mirevo

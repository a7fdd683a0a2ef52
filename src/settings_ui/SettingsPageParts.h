#pragma once

#include <QColor>
#include <QString>

class QFrame;
class QLabel;
class QPixmap;
class QPushButton;
class QScrollArea;
class QWidget;

namespace mirevo {

// The program's "character in a text box" mark, `size` pixels square.
QPixmap textBoxSymbol(int size, const QColor& color, qreal devicePixelRatio);
// A small icon from the desktop's icon theme in a label; a hidden label when the theme
// has no such icon.
QLabel* themeIconLabel(const QString& themeIcon, int size);

QFrame* makeDivider();
// A scrolling list on the page's own background that asks for `preferredHeight` and
// takes whatever more height its page has to give.
QScrollArea* makeListArea(QWidget* list, int preferredHeight);

// Lays out a settings page: `content` scrolls (so the smallest window and large desktop
// fonts lose nothing), and the page's Reset button, when it has one, sits below it in the
// same place on every page. Wheel turns over the page's controls scroll the page unless
// the control has the keyboard focus.
QScrollArea* setUpSettingsPage(QWidget* page, QWidget* content, const QString& accessibleName,
                               QPushButton* reset = nullptr);

// Text styles relative to the widget's own font.
enum class TextStyle { title, subheadline, body, callout, caption, caption2 };
void applyTextStyle(QWidget* widget, TextStyle style);
// Dimmer text for hints and units.
void makeSecondary(QWidget* widget);
void makeTertiary(QWidget* widget);

} // namespace mirevo

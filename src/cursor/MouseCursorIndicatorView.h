#pragma once

#include "input/InputLanguage.h"

#include <QColor>
#include <QPainterPath>
#include <QString>
#include <QWidget>

namespace mirevo {

class AppSettingsManager;
class NotificationCenter;

// The pointer badge: the IME indicator's colour and text for the current language, drawn
// small in the top-left S x S corner of the widget. It draws only; the window manager
// places and sizes its window.
class MouseCursorIndicatorView : public QWidget {
    Q_OBJECT
public:
    MouseCursorIndicatorView(AppSettingsManager& store, NotificationCenter& center,
                             InputLanguage language, QWidget* parent = nullptr);

    InputLanguage currentLanguage() const { return m_currentLanguage; }
    // The current layout's code, shown when the settings ask for layout codes.
    void setLayoutCode(const QString& code);

    // The badge's side in pixels for a stored size: at least 1 and at most 2048, so a
    // hand-edited size (0, negative, huge, not a number) still gives a drawable badge.
    static int sideForSize(double size);
    // What of a window of `side` the badge covers: its disc with the outline.
    static QPainterPath visibleShape(int side);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Everything the badge's pixels depend on, so an unrelated settings edit costs nothing.
    struct Look {
        double size = 0;
        double opacity = 0;
        double fontSizeRatio = 0;
        QColor color;
        QString text;
        bool operator==(const Look&) const = default;
    };
    Look currentLook() const;
    void refreshIfChanged();

    AppSettingsManager& m_store;
    InputLanguage m_currentLanguage;
    QString m_layoutCode;
    Look m_drawnLook;
};

} // namespace mirevo

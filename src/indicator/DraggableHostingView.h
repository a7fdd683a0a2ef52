#pragma once

#include "indicator/IMEIndicatorView.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class QMenu;

namespace mirevo {

class AppSettingsManager;
class Displays;
class NotificationCenter;
class SettingsWindowAccess;

// The floating indicator's window, which is also its content: it draws the current badge,
// lets the user drag it while move mode is on and offers a menu that opens the settings.
//
// Move mode is read from the store at every event. A drag moves only the window; when it
// ends, the display it was dropped on and the position relative to it are stored, saved
// once, and "IMEIndicatorSettingsChanged" is posted once.
class DraggableHostingView : public QWidget {
    Q_OBJECT
public:
    // `settingsWindow` may be null: the program's settings window is then looked up when
    // the menu is needed.
    DraggableHostingView(IMEIndicatorView rootView, AppSettingsManager& store,
                         const Displays& displays, NotificationCenter& center,
                         SettingsWindowAccess* settingsWindow, QWidget* parent = nullptr);

    const IMEIndicatorView& rootView() const { return m_rootView; }
    void setRootView(const IMEIndicatorView& view);

    // The one-item menu, or null while the settings window is open (or there is none).
    std::unique_ptr<QMenu> makeContextMenu();
    // Opens the settings window on the indicator's tab.
    void openSettings();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool isMoveMode() const;
    SettingsWindowAccess* settingsWindow() const;
    void storeDroppedPosition();

    IMEIndicatorView m_rootView;
    AppSettingsManager& m_store;
    const Displays& m_displays;
    NotificationCenter& m_center;
    SettingsWindowAccess* m_settingsWindow;
    QPointF m_initialLocation;    // global pointer at the last press in move mode
    QPoint m_initialWindowOrigin; // window's top-left at that press
    bool m_dragging = false;      // a press in move mode started the current drag
};

} // namespace mirevo

#pragma once

#include "settings/SettingsWindowAccess.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QMenu;

namespace mirevo {

class WindowDragController;
class WindowShape;

// The clock window itself: hosts the current root view, offers "Settings..." on a right
// click (unless the settings window is already open), and in move mode lets the user drag
// and resize the window. Reports its moves and the end of a user's resize.
class ContextMenuHostingView : public QWidget {
    Q_OBJECT
public:
    explicit ContextMenuHostingView(QWidget* parent = nullptr);

    SettingsTab settingsTab = SettingsTab::clock;

    // Replaces the hosted view; the old one is deleted.
    void setRootView(QWidget* view);
    QWidget* rootView() const { return m_rootView; }

    // Where the context menu finds the settings window at the moment of use.
    void setSettingsAccess(std::function<SettingsWindowAccess*()> access)
    {
        m_settingsAccess = std::move(access);
    }

    WindowDragController& dragController() const { return *m_drag; }

    // The menu a right click shows now, or nullptr while the settings window is open.
    QMenu* makeContextMenu();

public slots:
    void openSettings();

signals:
    void moved();
    void liveResizeEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_rootView;
    WindowDragController* m_drag;
    WindowShape* m_shape;
    std::function<SettingsWindowAccess*()> m_settingsAccess;
};

} // namespace mirevo

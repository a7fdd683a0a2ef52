#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <functional>

class QMouseEvent;
class QWidget;

namespace mirevo {

// Moves and resizes a frameless top-level window from its own left-button drags: by the
// background it moves, near its edges it resizes. The window manager does the work when
// it can; otherwise (no window manager, a window that bypasses it, or a platform that
// cannot) the window follows the pointer by hand. Reports the end of every resize the user
// made.
class WindowDragController : public QObject {
    Q_OBJECT
public:
    static constexpr int kEdgeMargin = 6;
    // The window manager does not say when its resize ends: the last resize event that is
    // followed by this much quiet is the end.
    static constexpr int kResizeSettleMs = 300;

    explicit WindowDragController(QWidget* window);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Bounds the sizes a hand-made resize may reach.
    void setSizeLimit(std::function<QSize(QSize)> limit) { m_sizeLimit = std::move(limit); }

    // Feed the window's mouse events; each returns whether the event was used.
    bool mousePress(QMouseEvent* event);
    bool mouseMove(QMouseEvent* event);
    bool mouseRelease(QMouseEvent* event);
    // Feed the window's resize events.
    void windowResized();
    // Forgets a resize in progress, e.g. before the program resizes the window itself.
    void cancelResizeTracking();

    // The edges within `margin` of `pos` in a window of `size`.
    static Qt::Edges edgesAt(QPoint pos, QSize size, int margin = kEdgeMargin);
    // `start` dragged by `delta` at `edges`, its size bounded by `limit`; the opposite
    // edges stay put.
    static QRect resizedRect(const QRect& start, Qt::Edges edges, QPoint delta,
                             const std::function<QSize(QSize)>& limit);

signals:
    // The user pressed to move or resize the window.
    void dragStarted();
    void liveResizeEnded();

private:
    enum class Drag { none, manualMove, manualResize };

    void updateCursor(QPoint pos);

    QWidget* m_window;
    bool m_enabled = false;
    std::function<QSize(QSize)> m_sizeLimit;
    Drag m_drag = Drag::none;
    Qt::Edges m_edges;
    QPoint m_pressGlobal;
    QRect m_startGeometry;
    bool m_systemResizing = false;
    QTimer m_settleTimer;
};

} // namespace mirevo

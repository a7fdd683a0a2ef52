#include "clock/WindowDragController.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace mirevo {
namespace {

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = bool(edges & Qt::LeftEdge) == bool(edges & Qt::TopEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

WindowDragController::WindowDragController(QWidget* window) : QObject(window), m_window(window)
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kResizeSettleMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &WindowDragController::liveResizeEnded);
}

void WindowDragController::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_window->setMouseTracking(enabled);
    if (!enabled) {
        m_drag = Drag::none;
        cancelResizeTracking();
        m_window->unsetCursor();
    }
}

Qt::Edges WindowDragController::edgesAt(QPoint pos, QSize size, int margin)
{
    Qt::Edges edges;
    if (pos.x() < margin)
        edges |= Qt::LeftEdge;
    else if (pos.x() >= size.width() - margin)
        edges |= Qt::RightEdge;
    if (pos.y() < margin)
        edges |= Qt::TopEdge;
    else if (pos.y() >= size.height() - margin)
        edges |= Qt::BottomEdge;
    return edges;
}

QRect WindowDragController::resizedRect(const QRect& start, Qt::Edges edges, QPoint delta,
                                        const std::function<QSize(QSize)>& limit)
{
    QSize size = start.size();
    if (edges & Qt::LeftEdge)
        size.rwidth() -= delta.x();
    else if (edges & Qt::RightEdge)
        size.rwidth() += delta.x();
    if (edges & Qt::TopEdge)
        size.rheight() -= delta.y();
    else if (edges & Qt::BottomEdge)
        size.rheight() += delta.y();
    if (limit)
        size = limit(size);
    QRect result(start.topLeft(), size);
    if (edges & Qt::LeftEdge)
        result.moveRight(start.right());
    if (edges & Qt::TopEdge)
        result.moveBottom(start.bottom());
    return result;
}

bool WindowDragController::mousePress(QMouseEvent* event)
{
    if (!m_enabled || event->button() != Qt::LeftButton)
        return false;
    cancelResizeTracking();
    emit dragStarted();
    const Qt::Edges edges = edgesAt(event->position().toPoint(), m_window->size());
    // A window that bypasses the window manager (the floating windows on sway) has no
    // manager to move it: the manager would take the request and do nothing.
    QWindow* handle = m_window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint)
                          ? nullptr
                          : m_window->windowHandle();
    if (edges) {
        if (handle && handle->startSystemResize(edges)) {
            m_systemResizing = true;
            return true;
        }
        m_drag = Drag::manualResize;
    } else {
        if (handle && handle->startSystemMove())
            return true;
        m_drag = Drag::manualMove;
    }
    m_edges = edges;
    m_pressGlobal = event->globalPosition().toPoint();
    m_startGeometry = m_window->geometry();
    return true;
}

bool WindowDragController::mouseMove(QMouseEvent* event)
{
    if (!m_enabled)
        return false;
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    switch (m_drag) {
    case Drag::none:
        updateCursor(event->position().toPoint());
        return false;
    case Drag::manualMove:
        m_window->move(m_startGeometry.topLeft() + delta);
        return true;
    case Drag::manualResize:
        m_window->setGeometry(resizedRect(m_startGeometry, m_edges, delta, m_sizeLimit));
        return true;
    }
    return false;
}

bool WindowDragController::mouseRelease(QMouseEvent* event)
{
    if (!m_enabled || event->button() != Qt::LeftButton || m_drag == Drag::none)
        return false;
    const bool resized = m_drag == Drag::manualResize && m_window->geometry() != m_startGeometry;
    m_drag = Drag::none;
    if (resized)
        emit liveResizeEnded();
    return true;
}

void WindowDragController::windowResized()
{
    if (m_systemResizing)
        m_settleTimer.start();
}

void WindowDragController::cancelResizeTracking()
{
    m_systemResizing = false;
    m_settleTimer.stop();
}

void WindowDragController::updateCursor(QPoint pos)
{
    const Qt::Edges edges = edgesAt(pos, m_window->size());
    if (edges)
        m_window->setCursor(cursorFor(edges));
    else
        m_window->unsetCursor();
}

} // namespace mirevo

#include "indicator/DraggableHostingView.h"

#include "platform/CompositorWatcher.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings/SettingsWindowAccess.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace mirevo {

DraggableHostingView::DraggableHostingView(IMEIndicatorView rootView, AppSettingsManager& store,
                                           const Displays& displays, NotificationCenter& center,
                                           SettingsWindowAccess* settingsWindow, QWidget* parent)
    : QWidget(parent), m_rootView(std::move(rootView)), m_store(store), m_displays(displays),
      m_center(center), m_settingsWindow(settingsWindow)
{
    setObjectName(QStringLiteral("imeIndicatorWindow"));
}

void DraggableHostingView::setRootView(const IMEIndicatorView& view)
{
    if (view == m_rootView)
        return;
    m_rootView = view;
    update();
}

bool DraggableHostingView::isMoveMode() const
{
    return m_store.settings().imeIndicator.moveMode;
}

SettingsWindowAccess* DraggableHostingView::settingsWindow() const
{
    return m_settingsWindow ? m_settingsWindow : SettingsWindowAccess::shared();
}

void DraggableHostingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_rootView.paint(painter, QRectF(rect()), !CompositorWatcher::shared().isRunning());
}

void DraggableHostingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isMoveMode()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_initialLocation = event->globalPosition();
    m_initialWindowOrigin = pos(); // move() places the frame, so keep the frame's corner
    event->accept();
}

void DraggableHostingView::mouseMoveEvent(QMouseEvent* event)
{
    // A drag needs its press: move mode switched on mid-press must not make the window jump.
    if (!m_dragging || !(event->buttons() & Qt::LeftButton) || !isMoveMode()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // No clamping: the window may be dragged partly or wholly onto another display.
    const QPointF delta = event->globalPosition() - m_initialLocation;
    move(m_initialWindowOrigin + delta.toPoint());
    event->accept();
}

void DraggableHostingView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragged = std::exchange(m_dragging, false);
    if (event->button() != Qt::LeftButton || !dragged || !isMoveMode()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    storeDroppedPosition();
}

void DraggableHostingView::storeDroppedPosition()
{
    // Relative to the display it was dropped on, which it then belongs to.
    const std::optional<int> index = m_displays.displayAt(geometry());
    if (!index)
        return; // no display at all: stays where it was dropped until the next layout
    const QPointF origin = m_displays.storedOrigin(QPointF(geometry().topLeft()), height());
    const QPointF position = origin - m_displays.frame(*index)->topLeft();
    if (m_store.settings().imeIndicator.displayIndex != *index)
        m_store.edit([&](AppSettings& s) { s.imeIndicator.displayIndex = *index; });
    m_store.edit([&](AppSettings& s) { s.imeIndicator.positionX = position.x(); });
    m_store.edit([&](AppSettings& s) { s.imeIndicator.positionY = position.y(); });
    m_store.saveSettings();
    // May rebuild this very window; the manager deletes it only later.
    m_center.post(notifications::kIMEIndicatorSettingsChanged);
}

std::unique_ptr<QMenu> DraggableHostingView::makeContextMenu()
{
    SettingsWindowAccess* access = settingsWindow();
    if (!access || access->isSettingsWindowOpen())
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    QAction* item = menu->addAction(localized("Localizable", "menu.settings"));
    connect(item, &QAction::triggered, this, &DraggableHostingView::openSettings);
    return menu;
}

void DraggableHostingView::openSettings()
{
    if (SettingsWindowAccess* access = settingsWindow())
        access->showSettings(SettingsTab::imeIndicator);
}

void DraggableHostingView::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu = makeContextMenu();
    if (!menu) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu* shown = menu.release();
    shown->setAttribute(Qt::WA_DeleteOnClose);
    shown->popup(event->globalPos());
    event->accept();
}

} // namespace mirevo

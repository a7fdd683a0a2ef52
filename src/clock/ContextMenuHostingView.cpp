#include "clock/ContextMenuHostingView.h"

#include "clock/ClockLayout.h"
#include "clock/WindowDragController.h"
#include "platform/FloatingWindow.h"
#include "platform/StringTables.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>

namespace mirevo {

ContextMenuHostingView::ContextMenuHostingView(QWidget* parent)
    : QWidget(parent), m_drag(new WindowDragController(this)),
      // Rounded corners: without a compositor they would show black.
      m_shape(new WindowShape(this, [this] {
          QPainterPath outline;
          outline.addRoundedRect(QRectF(rect()), kClockCornerRadius, kClockCornerRadius);
          return outline;
      }))
{
    setObjectName(QStringLiteral("clockWindow"));
    connect(m_drag, &WindowDragController::liveResizeEnded, this,
            &ContextMenuHostingView::liveResizeEnded);
}

void ContextMenuHostingView::setRootView(QWidget* view)
{
    delete m_rootView;
    m_rootView = view;
    if (!view)
        return;
    view->setParent(this);
    // The window handles every click itself: the menu, dragging and resizing.
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setGeometry(rect());
    view->show();
}

QMenu* ContextMenuHostingView::makeContextMenu()
{
    SettingsWindowAccess* access = m_settingsAccess ? m_settingsAccess() : nullptr;
    if (access && access->isSettingsWindowOpen())
        return nullptr;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("clockContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* settings = menu->addAction(localized("Localizable", "menu.settings"));
    settings->setObjectName(QStringLiteral("openSettingsAction"));
    connect(settings, &QAction::triggered, this, &ContextMenuHostingView::openSettings);
    return menu;
}

void ContextMenuHostingView::openSettings()
{
    if (SettingsWindowAccess* access = m_settingsAccess ? m_settingsAccess() : nullptr)
        access->showSettings(settingsTab);
}

void ContextMenuHostingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (QMenu* menu = makeContextMenu()) {
            menu->popup(event->globalPosition().toPoint());
            event->accept();
            return;
        }
    }
    if (m_drag->mousePress(event))
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void ContextMenuHostingView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag->mouseMove(event))
        event->accept();
    else
        QWidget::mouseMoveEvent(event);
}

void ContextMenuHostingView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag->mouseRelease(event))
        event->accept();
    else
        QWidget::mouseReleaseEvent(event);
}

void ContextMenuHostingView::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Qt also reports a resize as a "move" to the same place.
    if (event->pos() != event->oldPos())
        emit moved();
}

void ContextMenuHostingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_rootView)
        m_rootView->setGeometry(rect());
    m_shape->update();
    m_drag->windowResized();
}

} // namespace mirevo

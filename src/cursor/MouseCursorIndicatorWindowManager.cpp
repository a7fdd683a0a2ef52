#include "cursor/MouseCursorIndicatorWindowManager.h"

#include "cursor/MouseCursorIndicatorView.h"
#include "input/IMEMonitor.h"
#include "platform/Displays.h"
#include "platform/FloatingWindow.h"
#include "platform/NotificationCenter.h"
#include "platform/PointerMonitor.h"
#include "platform/SessionType.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace mirevo {
namespace {

int windowSide(double size)
{
    return MouseCursorIndicatorView::sideForSize(size);
}

} // namespace

MouseCursorIndicatorWindowManager::MouseCursorIndicatorWindowManager(
    AppSettingsManager& store, const Displays& displays, NotificationCenter& center,
    PointerSource pointer, PointerMonitorFactory monitorFactory, LanguageSource languageSource,
    QObject* parent)
    : QObject(parent), m_store(store), m_displays(displays), m_center(center),
      m_pointer(pointer ? std::move(pointer) : PointerSource([] { return QCursor::pos(); })),
      m_monitorFactory(monitorFactory ? std::move(monitorFactory)
                                      : PointerMonitorFactory(&createPointerMonitor)),
      m_languageSource(languageSource ? std::move(languageSource) : LanguageSource([] {
          return IMEMonitor::shared().currentLanguage();
      }))
{
    m_settingsObservation = m_center.observe(notifications::kMouseCursorIndicatorSettingsChanged,
                                             this, [this](const QVariant&) { applySettings(); });
}

MouseCursorIndicatorWindowManager::~MouseCursorIndicatorWindowManager()
{
    disconnect(m_settingsObservation);
    stopMouseTracking();
}

MouseCursorIndicatorWindowManager& MouseCursorIndicatorWindowManager::shared()
{
    static auto* manager = new MouseCursorIndicatorWindowManager(
        AppSettingsManager::shared(), Displays::system(), NotificationCenter::defaultCenter());
    return *manager;
}

void MouseCursorIndicatorWindowManager::show()
{
    // A badge that cannot follow the pointer would freeze in place: it stays hidden, and
    // the stored setting stays as the user left it.
    if (m_window || !canFollowPointerEverywhere())
        return;
    m_currentLanguage = m_languageSource();
    createIndicatorWindow();
    startMouseTracking();
    m_center.post(notifications::kMouseCursorIndicatorLanguageChanged,
                  QVariant::fromValue(m_currentLanguage));
}

void MouseCursorIndicatorWindowManager::createIndicatorWindow()
{
    const int side = windowSide(m_store.settings().mouseCursorIndicator.size);
    m_window = std::make_unique<QWidget>();
    m_window->setObjectName(QStringLiteral("mouseCursorIndicatorWindow"));
    makeFloatingWindow(m_window.get(), FloatingWindowKind::clickThroughOverlay);
    m_view = new MouseCursorIndicatorView(m_store, m_center, m_currentLanguage, m_window.get());
    m_view->setLayoutCode(m_layoutCode);
    auto* layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_window->resize(side, side);
    // Only the disc: without a compositor the glow around it would show as a dark ring.
    m_shape = new WindowShape(m_window.get(), [window = m_window.get()] {
        return MouseCursorIndicatorView::visibleShape(window->width());
    });

    const QPoint topLeft = windowTopLeft(m_pointer());
    m_window->move(topLeft);
    m_placedTopLeft = topLeft;
    showFloatingWindow(m_window.get());
}

void MouseCursorIndicatorWindowManager::startMouseTracking()
{
    m_pointerMonitor = m_monitorFactory();
    if (m_pointerMonitor) {
        connect(m_pointerMonitor.get(), &PointerMonitor::pointerMoved, this,
                &MouseCursorIndicatorWindowManager::updatePosition);
        connect(m_pointerMonitor.get(), &PointerMonitor::stopped, this,
                &MouseCursorIndicatorWindowManager::startPositionTimer);
    } else {
        startPositionTimer();
    }
    QTimer::singleShot(0, this, &MouseCursorIndicatorWindowManager::updatePosition);
}

void MouseCursorIndicatorWindowManager::startPositionTimer()
{
    m_positionUpdateTimer = std::make_unique<QTimer>();
    m_positionUpdateTimer->setInterval(kPositionUpdateIntervalMs);
    connect(m_positionUpdateTimer.get(), &QTimer::timeout, this,
            &MouseCursorIndicatorWindowManager::updatePosition);
    m_positionUpdateTimer->start();
}

void MouseCursorIndicatorWindowManager::stopMouseTracking()
{
    m_pointerMonitor.reset();
    m_positionUpdateTimer.reset();
}

bool MouseCursorIndicatorWindowManager::isPositionTimerActive() const
{
    return m_positionUpdateTimer && m_positionUpdateTimer->isActive();
}

QPoint MouseCursorIndicatorWindowManager::windowTopLeft(QPoint pointer) const
{
    const MouseCursorIndicatorSettings& s = m_store.settings().mouseCursorIndicator;
    const double side = windowSide(s.size);
    // The origin is the bottom-left corner: the badge's top edge lies offsetY below the
    // pointer. Never clamped, so the badge may leave the screen with the pointer.
    const QPointF pointerStored = m_displays.storedPoint(QPointF(pointer));
    const QPointF origin(pointerStored.x() + s.offsetX, pointerStored.y() - side - s.offsetY);
    return m_displays.qtTopLeft(origin, side).toPoint();
}

void MouseCursorIndicatorWindowManager::updatePosition()
{
    if (!m_window)
        return;
    const QPoint topLeft = windowTopLeft(m_pointer());
    if (m_placedTopLeft == topLeft)
        return;
    m_window->move(topLeft);
    m_placedTopLeft = topLeft;
    // Windows raised since the last move may cover the badge; a raise is one request.
    raiseFloatingWindow(m_window.get());
}

void MouseCursorIndicatorWindowManager::updateLanguage(InputLanguage language)
{
    const InputLanguage old = m_currentLanguage;
    m_currentLanguage = language;
    if (rawValue(old) == rawValue(language) || !m_window)
        return;
    m_center.post(notifications::kMouseCursorIndicatorLanguageChanged,
                  QVariant::fromValue(language));
}

void MouseCursorIndicatorWindowManager::updateLayoutCode(const QString& code)
{
    m_layoutCode = code;
    if (m_view)
        m_view->setLayoutCode(code);
}

void MouseCursorIndicatorWindowManager::applySettings()
{
    const MouseCursorIndicatorSettings& s = m_store.settings().mouseCursorIndicator;
    if (!s.isVisible) {
        hide();
        return;
    }
    if (!m_window)
        show();
    if (!m_window)
        return;
    const int side = windowSide(s.size);
    if (m_window->size() != QSize(side, side)) {
        m_window->resize(side, side);
        m_shape->update();
    }
}

void MouseCursorIndicatorWindowManager::hide()
{
    if (!m_window)
        return;
    stopMouseTracking();
    m_window->hide();
    m_view = nullptr;
    m_shape = nullptr;
    m_window.reset();
    m_placedTopLeft.reset();
}

} // namespace mirevo

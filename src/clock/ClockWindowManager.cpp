#include "clock/ClockWindowManager.h"

#include "clock/ClockView.h"
#include "clock/ContextMenuHostingView.h"
#include "clock/WindowDragController.h"
#include "platform/Displays.h"
#include "platform/FloatingWindow.h"
#include "settings/AppSettingsManager.h"

#include <algorithm>
#include <cmath>

namespace mirevo {
namespace {

// A stored size as whole pixels; nonsense (not a number, zero or less, absurdly large)
// gets the nearest usable value so the window stays a window.
int pixelSide(double value)
{
    if (!std::isfinite(value))
        return ClockWindowManager::kMinimumSide;
    return int(std::lround(std::clamp(value, 1.0, 16384.0)));
}

// A stored offset, bounded so that the arithmetic stays exact; far-off windows are
// brought into view anyway.
double offset(double value)
{
    return std::isfinite(value) ? std::clamp(value, -1.0e6, 1.0e6) : 0.0;
}

} // namespace

ClockWindowManager::ClockWindowManager(AppSettingsManager& store, const Displays& displays,
                                       SettingsWindowAccess* settingsAccess, ClockSources sources,
                                       QObject* parent)
    : QObject(parent), m_store(store), m_displays(displays), m_settingsAccess(settingsAccess),
      m_sources(sources.withDefaults())
{
    // A display that went takes the clock to the primary display, one that came back takes
    // it home; the stored place stays as it is.
    connect(&m_displays, &Displays::changed, this, [this] {
        if (m_window)
            placeWindow(m_window->width(), m_window->height());
    });
}

ClockWindowManager::~ClockWindowManager()
{
    closeClockWindow();
}

ClockWindowManager& ClockWindowManager::shared()
{
    // Never destroyed: the window must not outlive the application object's teardown.
    static auto* manager = new ClockWindowManager(AppSettingsManager::shared(), Displays::system());
    return *manager;
}

SettingsWindowAccess* ClockWindowManager::settingsAccess() const
{
    return m_settingsAccess ? m_settingsAccess : SettingsWindowAccess::shared();
}

ContextMenuHostingView* ClockWindowManager::clockWindow() const
{
    return m_window;
}

ClockView* ClockWindowManager::clockView() const
{
    return m_window ? qobject_cast<ClockView*>(m_window->rootView()) : nullptr;
}

ClockView* ClockWindowManager::makeClockRootView()
{
    return new ClockView(m_store, m_sources);
}

QSize ClockWindowManager::windowWillResize(QSize proposed)
{
    return {std::clamp(proposed.width(), kMinimumSide, kMaximumSide),
            std::clamp(proposed.height(), kMinimumSide, kMaximumSide)};
}

void ClockWindowManager::createClockWindow()
{
    if (m_window)
        closeClockWindow();
    const ClockSettings clock = m_store.settings().clock;

    auto* window = new ContextMenuHostingView;
    makeFloatingWindow(window, FloatingWindowKind::floating);
    window->settingsTab = SettingsTab::clock;
    window->setSettingsAccess([this] { return settingsAccess(); });
    window->dragController().setSizeLimit(&ClockWindowManager::windowWillResize);
    // From the user's press on, moves are the user's, even back onto the program's place.
    connect(&window->dragController(), &WindowDragController::dragStarted, this,
            [this] { m_placedTopLeft.reset(); });
    window->setRootView(makeClockRootView());
    m_window = window;

    // The stored size as it stands: only applyClockSettings cuts it to the maximum.
    placeWindow(clock.windowWidth, clock.windowHeight);
    if (clock.isVisible)
        showFloatingWindow(window);
    configureMoveMode(window, clock.moveMode);
}

void ClockWindowManager::closeClockWindow()
{
    removeWindowObservers();
    if (!m_window)
        return;
    m_window->hide();
    m_window->setRootView(nullptr);
    m_window->deleteLater();
    m_window = nullptr;
}

void ClockWindowManager::applyClockSettings()
{
    const ClockSettings clock = m_store.settings().clock;
    if (!m_window) {
        if (clock.isVisible)
            createClockWindow();
        return;
    }
    if (!clock.isVisible) {
        m_window->hide();
        return;
    }
    placeWindow(std::min(clock.windowWidth, double(kMaximumSide)),
                std::min(clock.windowHeight, double(kMaximumSide)));
    showFloatingWindow(m_window);
    configureMoveMode(m_window, clock.moveMode);
    m_window->setRootView(makeClockRootView());
}

void ClockWindowManager::refreshClockView()
{
    if (!m_window)
        return;
    // An edit that sets a new size (such as choosing the analog face) shows it at once.
    const ClockSettings& clock = m_store.settings().clock;
    const QSize stored(pixelSide(std::min(clock.windowWidth, double(kMaximumSide))),
                       pixelSide(std::min(clock.windowHeight, double(kMaximumSide))));
    if (m_window->size() != stored)
        placeWindow(stored.width(), stored.height());
    m_window->setRootView(makeClockRootView());
}

void ClockWindowManager::applyMoveMode()
{
    if (m_window)
        configureMoveMode(m_window, m_store.settings().clock.moveMode);
}

void ClockWindowManager::openClockSettings()
{
    if (SettingsWindowAccess* access = settingsAccess())
        access->showSettings(SettingsTab::clock);
}

void ClockWindowManager::languageChanged()
{
    if (ClockView* view = clockView())
        view->update();
}

void ClockWindowManager::placeWindow(double width, double height)
{
    const ClockSettings& clock = m_store.settings().clock;
    const QSize size(pixelSide(width), pixelSide(height));
    QRect frame(m_window->geometry().topLeft(), size);
    // A frame outside every display (a removed monitor, an offset from a larger desktop) is
    // shown where it can be seen; the stored place is kept.
    if (const std::optional<QRectF> shown =
            m_displays.shownRect(clock.displayIndex, offset(clock.positionX),
                                 offset(clock.positionY), size.width(), size.height()))
        frame = shown->toRect();
    // The limits bound the user's resizing; they never cut a size the program sets.
    m_window->setMinimumSize(size.boundedTo(QSize(kMinimumSide, kMinimumSide)));
    m_window->setMaximumSize(size.expandedTo(QSize(kMaximumSide, kMaximumSide)));
    m_window->dragController().cancelResizeTracking();
    m_placedTopLeft = frame.topLeft();
    m_window->setGeometry(frame);
}

void ClockWindowManager::configureMoveMode(ContextMenuHostingView* window, bool moveMode)
{
    window->dragController().setEnabled(moveMode);
    if (moveMode)
        addWindowObservers();
    else
        removeWindowObservers();
}

void ClockWindowManager::addWindowObservers()
{
    if (!m_window || !m_observers.isEmpty())
        return;
    m_observers << connect(m_window, &ContextMenuHostingView::moved, this,
                           &ClockWindowManager::windowDidMove);
    m_observers << connect(m_window, &ContextMenuHostingView::liveResizeEnded, this,
                           &ClockWindowManager::windowDidEndLiveResize);
}

void ClockWindowManager::removeWindowObservers()
{
    for (const QMetaObject::Connection& c : std::as_const(m_observers))
        disconnect(c);
    m_observers.clear();
}

std::optional<ClockWindowManager::WindowPlace> ClockWindowManager::currentPlace() const
{
    const QRect geometry = m_window->geometry();
    const std::optional<int> index = m_displays.displayAt(geometry);
    if (!index)
        return std::nullopt;
    const QPointF origin = m_displays.storedOrigin(geometry.topLeft(), geometry.height());
    return WindowPlace{*index, origin - m_displays.frame(*index)->topLeft()};
}

void ClockWindowManager::windowDidMove()
{
    if (!m_window || !m_store.settings().clock.moveMode || m_store.isUpdatingFromWindow())
        return;
    // The program's own placement (such as bringing an off-screen clock into view) is not
    // a move by the user and must not overwrite the stored place.
    if (m_placedTopLeft && m_window->geometry().topLeft() == *m_placedTopLeft)
        return;
    const std::optional<WindowPlace> place = currentPlace();
    if (!place)
        return;
    const ClockSettings& clock = m_store.settings().clock;
    const bool otherDisplay = place->display != clock.displayIndex;
    if (!otherDisplay && std::abs(place->offset.x() - clock.positionX) <= kMoveThreshold &&
        std::abs(place->offset.y() - clock.positionY) <= kMoveThreshold)
        return;
    // The offset is relative to the display the clock is on now, so that display is its own.
    if (otherDisplay)
        m_store.edit([&](AppSettings& s) { s.clock.displayIndex = place->display; });
    m_store.updateClockPosition(place->offset.x(), place->offset.y());
}

void ClockWindowManager::windowDidEndLiveResize()
{
    if (!m_window || !m_store.settings().clock.moveMode)
        return;
    const std::optional<WindowPlace> place = currentPlace();
    if (!place)
        return;
    const QSize size = m_window->size();
    m_store.setUpdatingFromWindow(true);
    if (place->display != m_store.settings().clock.displayIndex)
        m_store.edit([&](AppSettings& s) { s.clock.displayIndex = place->display; });
    m_store.edit([&](AppSettings& s) { s.clock.windowWidth = size.width(); });
    m_store.edit([&](AppSettings& s) { s.clock.windowHeight = size.height(); });
    m_store.edit([&](AppSettings& s) { s.clock.positionX = place->offset.x(); });
    m_store.edit([&](AppSettings& s) { s.clock.positionY = place->offset.y(); });
    m_store.saveSettings();
    m_store.clearUpdatingFromWindowLater();
}

} // namespace mirevo

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

// The display a window is on: the one holding its centre, else the one it overlaps most.
std::optional<int> displayOf(const Displays& displays, const QRect& window)
{
    const QList<QRect> all = displays.geometries();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].contains(window.center()))
            return i;
    }
    std::optional<int> best;
    qint64 bestArea = 0;
    for (int i = 0; i < all.size(); ++i) {
        const QRect common = all[i].intersected(window);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best ? best : displays.indexOrMain(-1);
}

} // namespace

ClockWindowManager::ClockWindowManager(AppSettingsManager& store, const Displays& displays,
                                       SettingsWindowAccess* settingsAccess, ClockSources sources,
                                       QObject* parent)
    : QObject(parent), m_store(store), m_displays(displays), m_settingsAccess(settingsAccess),
      m_sources(sources.withDefaults())
{}

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

std::optional<int> ClockWindowManager::screenForDisplay(qint64 index) const
{
    return m_displays.indexOrMain(index);
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
    if (m_window)
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
    if (const std::optional<int> index = screenForDisplay(clock.displayIndex)) {
        // A frame outside every display (a removed monitor, an offset from a larger
        // desktop) is shown where it can be seen; the stored place is kept.
        const QRectF stored = *m_displays.windowRect(
            *index, offset(clock.positionX), offset(clock.positionY), size.width(), size.height());
        frame = m_displays.keptInView(stored, *index).toRect();
    }
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

std::optional<QPointF> ClockWindowManager::relativeOrigin() const
{
    const QRect geometry = m_window->geometry();
    const std::optional<int> index = displayOf(m_displays, geometry);
    const std::optional<QRectF> display = index ? m_displays.frame(*index) : std::nullopt;
    if (!display)
        return std::nullopt;
    const QPointF origin = m_displays.storedOrigin(geometry.topLeft(), geometry.height());
    return origin - display->topLeft();
}

void ClockWindowManager::windowDidMove()
{
    if (!m_window || !m_store.settings().clock.moveMode)
        return;
    // The program's own placement (such as bringing an off-screen clock into view) is not
    // a move by the user and must not overwrite the stored place.
    if (m_placedTopLeft && m_window->geometry().topLeft() == *m_placedTopLeft)
        return;
    const std::optional<QPointF> relative = relativeOrigin();
    if (!relative)
        return;
    const ClockSettings& clock = m_store.settings().clock;
    if (std::abs(relative->x() - clock.positionX) > kMoveThreshold ||
        std::abs(relative->y() - clock.positionY) > kMoveThreshold)
        m_store.updateClockPosition(relative->x(), relative->y());
}

void ClockWindowManager::windowDidEndLiveResize()
{
    if (!m_window || !m_store.settings().clock.moveMode)
        return;
    const std::optional<QPointF> relative = relativeOrigin();
    if (!relative)
        return;
    const QSize size = m_window->size();
    m_store.setUpdatingFromWindow(true);
    m_store.edit([&](AppSettings& s) { s.clock.windowWidth = size.width(); });
    m_store.edit([&](AppSettings& s) { s.clock.windowHeight = size.height(); });
    m_store.edit([&](AppSettings& s) { s.clock.positionX = relative->x(); });
    m_store.edit([&](AppSettings& s) { s.clock.positionY = relative->y(); });
    m_store.saveSettings();
    m_store.clearUpdatingFromWindowLater();
}

} // namespace mirevo

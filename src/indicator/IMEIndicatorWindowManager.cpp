#include "indicator/IMEIndicatorWindowManager.h"

#include "indicator/DraggableHostingView.h"
#include "indicator/IMEIndicatorView.h"
#include "platform/Displays.h"
#include "platform/FloatingWindow.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QTimer>

namespace mirevo {
namespace {

constexpr int kDimMilliseconds = 100;
constexpr double kDimmedOpacity = 0.3;

// Without a compositor the glow's translucent pixels would show as a dark square, so the
// window is cut to what the badge covers.
void followCompositor(DraggableHostingView* window)
{
    new WindowShape(window, [window] { return window->rootView().visibleShape(window->rect()); });
}

void updateShape(DraggableHostingView& window)
{
    if (auto* shape = window.findChild<WindowShape*>())
        shape->update();
}

} // namespace

IMEIndicatorWindowManager::IMEIndicatorWindowManager(AppSettingsManager& store,
                                                     const Displays& displays,
                                                     NotificationCenter& center,
                                                     SettingsWindowAccess* settingsWindow,
                                                     QObject* parent)
    : QObject(parent), m_store(store), m_displays(displays), m_center(center),
      m_settingsWindow(settingsWindow)
{
    m_center.observe(notifications::kIMEIndicatorSettingsChanged, this,
                     [this](const QVariant&) { applySettings(); });
    connect(&m_displays, &Displays::changed, this, &IMEIndicatorWindowManager::displaysChanged);
}

IMEIndicatorWindowManager::~IMEIndicatorWindowManager()
{
    if (m_animation)
        m_animation->stop();
    delete m_indicatorWindow.data();
}

IMEIndicatorWindowManager& IMEIndicatorWindowManager::shared()
{
    static auto* manager =
        new IMEIndicatorWindowManager(AppSettingsManager::shared(), Displays::system(),
                                      NotificationCenter::defaultCenter(), nullptr);
    return *manager;
}

std::optional<QRect> IMEIndicatorWindowManager::placement(const IMEIndicatorSettings& settings,
                                                          qint64 index) const
{
    const int side = qRound(indicatorSide(settings));
    // A removed monitor or a smaller screen must not leave the badge out of reach.
    const std::optional<QRectF> shown =
        m_displays.shownRect(index, settings.positionX, settings.positionY, side, side);
    if (!shown)
        return std::nullopt;
    return QRect(QPoint(qRound(shown->x()), qRound(shown->y())), QSize(side, side));
}

void IMEIndicatorWindowManager::createIndicatorWindow()
{
    if (m_indicatorWindow)
        removeIndicatorWindow();
    const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
    m_isVisible = s.isVisible;
    if (!s.isVisible)
        return;
    const std::optional<QRect> rect = placement(s, s.displayIndex);
    if (!rect)
        return;
    auto* window =
        new DraggableHostingView(makeIndicatorView(s, m_currentLanguage, m_currentLayoutCode),
                                 m_store, m_displays, m_center, m_settingsWindow);
    window->setWindowTitle(QStringLiteral("Mirevo"));
    makeFloatingWindow(window, FloatingWindowKind::floating);
    window->setGeometry(*rect);
    followCompositor(window);
    m_indicatorWindow = window;
    showFloatingWindow(window);
}

void IMEIndicatorWindowManager::removeIndicatorWindow()
{
    if (!m_indicatorWindow)
        return;
    if (m_animation)
        m_animation->stop();
    DraggableHostingView* window = m_indicatorWindow;
    m_indicatorWindow = nullptr;
    window->hide();
    // Later: this may run inside the window's own mouse handler (a drag's notification).
    window->deleteLater();
}

void IMEIndicatorWindowManager::refreshIndicatorView()
{
    if (!m_indicatorWindow)
        return;
    QTimer::singleShot(0, this, [this, host = m_indicatorWindow] {
        if (!host)
            return;
        const bool hadMark = host->rootView().moveMode;
        host->setRootView(makeIndicatorView(m_store.settings().imeIndicator, m_currentLanguage,
                                            m_currentLayoutCode));
        if (host->rootView().moveMode != hadMark)
            updateShape(*host);
    });
}

void IMEIndicatorWindowManager::animateLanguageChange()
{
    if (!m_indicatorWindow)
        return;
    if (m_animation)
        m_animation->stop(); // deletes it; the new one starts from the current opacity
    auto* group = new QSequentialAnimationGroup(m_indicatorWindow);
    auto* dim = new QPropertyAnimation(m_indicatorWindow, "windowOpacity", group);
    dim->setDuration(kDimMilliseconds);
    dim->setEndValue(kDimmedOpacity);
    auto* restore = new QPropertyAnimation(m_indicatorWindow, "windowOpacity", group);
    restore->setDuration(kDimMilliseconds);
    restore->setEndValue(1.0);
    group->addAnimation(dim);
    group->addAnimation(restore);
    connect(group, &QAbstractAnimation::finished, this,
            &IMEIndicatorWindowManager::refreshIndicatorView);
    m_animation = group;
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void IMEIndicatorWindowManager::setCurrentLayoutCode(const QString& code)
{
    if (code == m_currentLayoutCode)
        return;
    m_currentLayoutCode = code;
    if (!m_animation)
        refreshIndicatorView();
}

void IMEIndicatorWindowManager::toggleVisibility()
{
    m_isVisible = !m_isVisible;
    const bool visible = m_isVisible;
    m_store.edit([visible](AppSettings& s) { s.imeIndicator.isVisible = visible; });
    m_store.saveSettings();
    if (visible) {
        if (!m_indicatorWindow)
            createIndicatorWindow();
        else
            showWindow();
    } else if (m_indicatorWindow) {
        m_indicatorWindow->hide();
    }
}

void IMEIndicatorWindowManager::showWindow()
{
    if (m_indicatorWindow->isVisible())
        raiseFloatingWindow(m_indicatorWindow);
    else
        showFloatingWindow(m_indicatorWindow);
}

void IMEIndicatorWindowManager::applySettings()
{
    const IMEIndicatorSettings s = m_store.settings().imeIndicator;
    if (!m_indicatorWindow) {
        if (s.isVisible)
            createIndicatorWindow();
        return;
    }
    // Compared with where the window would be put now, so that a window kept in view is
    // not rebuilt by every change and a window dropped by a drag is left where it is.
    const std::optional<QRect> expected = placement(s, s.displayIndex);
    if (expected && m_indicatorWindow->geometry() == *expected) {
        m_isVisible = s.isVisible;
        if (m_isVisible)
            showWindow();
        else
            m_indicatorWindow->hide();
        refreshIndicatorView();
        return;
    }
    m_isVisible = m_store.settings().imeIndicator.isVisible;
    removeIndicatorWindow();
    if (m_isVisible)
        createIndicatorWindow();
}

void IMEIndicatorWindowManager::displaysChanged()
{
    // A display that went takes the badge to the primary display, one that came back
    // takes it home; the stored place stays as it is.
    if (!m_indicatorWindow)
        return;
    if (const std::optional<QRect> rect = placement(m_store.settings().imeIndicator,
                                                    m_store.settings().imeIndicator.displayIndex))
        m_indicatorWindow->setGeometry(*rect);
}

} // namespace mirevo

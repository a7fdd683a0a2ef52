#include "app/AppDelegate.h"

#include "input/IMEMonitor.h"
#include "settings/AppSettingsManager.h"

#include <QPointer>

namespace mirevo {
namespace {

void run(const std::function<void()>& step)
{
    if (step)
        step();
}

} // namespace

AppDelegate::AppDelegate(AppSettingsManager& store, IMEMonitor& monitor, LaunchSteps steps,
                         QObject* parent)
    : QObject(parent), m_store(store), m_monitor(monitor), m_steps(std::move(steps))
{}

void AppDelegate::applicationDidFinishLaunching()
{
    run(m_steps.checkAccessibilityPermission);
    // No dock icon or main window to hide here: every window of the program is a tool
    // window or the tray menu.
    run(m_steps.setupMenuBar);
    run(m_steps.createIndicatorWindow);

    // The monitor's first check runs inside startMonitoring(), so a non-English source at
    // launch reaches the displays before the clock and the pointer badge start.
    QPointer<AppDelegate> self(this);
    m_monitor.onLanguageChanged = [self](InputLanguage language) {
        if (self)
            self->handleLanguageChange(language);
    };
    m_monitor.onLayoutCodeChanged = [self](const QString& code) {
        if (self && self->m_steps.updateLayoutCode)
            self->m_steps.updateLayoutCode(code);
    };
    m_monitor.startMonitoring();

    const std::function<void()> rest = [self] {
        if (!self)
            return;
        run(self->m_steps.createClockWindow);
        if (self->m_store.settings().mouseCursorIndicator.isVisible)
            run(self->m_steps.showMouseCursorIndicator);
    };
    if (m_steps.afterIndicatorShown)
        m_steps.afterIndicatorShown(rest);
    else
        rest();
}

void AppDelegate::handleLanguageChange(InputLanguage language)
{
    if (m_steps.indicatorLanguage && m_steps.animateIndicatorTo &&
        m_steps.indicatorLanguage() != language)
        m_steps.animateIndicatorTo(language);
    if (m_steps.updateMouseCursorLanguage)
        m_steps.updateMouseCursorLanguage(language);
    if (m_steps.updateMenuInputStatus)
        m_steps.updateMenuInputStatus(isIMEActive(language));
    m_store.updateIMEState(isIMEActive(language));
    run(m_steps.redrawClock);
    if (m_steps.announceLanguage)
        m_steps.announceLanguage(language);
}

} // namespace mirevo

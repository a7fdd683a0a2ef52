#pragma once

#include "input/InputLanguage.h"

#include <QObject>

#include <functional>

namespace mirevo {

class AppSettingsManager;
class IMEMonitor;

// The displays and services the launch sequence starts and the language handler feeds.
// The program fills them in with its shared managers; tests record the calls.
struct LaunchSteps {
    std::function<void()> checkAccessibilityPermission;
    std::function<void()> setupMenuBar;
    std::function<void()> createIndicatorWindow;
    std::function<void()> createClockWindow;
    std::function<void()> showMouseCursorIndicator;
    // Runs the steps after the indicator's (the clock and the pointer badge) once the
    // indicator is on screen, so it shows first; empty: at once.
    std::function<void(std::function<void()>)> afterIndicatorShown;

    std::function<InputLanguage()> indicatorLanguage;
    // Stores the indicator's new language and plays its switch animation.
    std::function<void(InputLanguage)> animateIndicatorTo;
    std::function<void(InputLanguage)> updateMouseCursorLanguage;
    // Gives both badges the current layout's short code ("US"; empty for an input method).
    std::function<void(const QString&)> updateLayoutCode;
    std::function<void(bool)> updateMenuInputStatus;
    // Lets the clock redraw a background that follows the language itself.
    std::function<void()> redrawClock;
    // Tells scripts and status bars listening on the session bus.
    std::function<void(InputLanguage)> announceLanguage;
};

// Runs the launch sequence and forwards each language change to the displays and the store.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    AppDelegate(AppSettingsManager& store, IMEMonitor& monitor, LaunchSteps steps,
                QObject* parent = nullptr);

    void applicationDidFinishLaunching();
    void handleLanguageChange(InputLanguage language);

private:
    AppSettingsManager& m_store;
    IMEMonitor& m_monitor;
    LaunchSteps m_steps;
};

} // namespace mirevo

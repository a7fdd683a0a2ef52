#include "app/TrayUtility.h"

#include "app/AccessibilityPrompts.h"
#include "app/AppDelegate.h"
#include "app/FirstPaint.h"
#include "app/FontWarningFilter.h"
#include "app/MenuBarManager.h"
#include "app/ScriptingHandlers.h"
#include "app/SingleInstance.h"
#include "clock/ClockWindowManager.h"
#include "cursor/MouseCursorIndicatorWindowManager.h"
#include "indicator/IMEIndicatorWindowManager.h"
#include "input/IMEMonitor.h"
#include "input/LanguageRules.h"
#include "platform/Accessibility.h"
#include "platform/NotificationCenter.h"
#include "platform/SessionType.h"
#include "platform/StringTables.h"
#include "platform/desktop/FileLocations.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/UnifiedSettingsWindowManager.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace mirevo {
namespace {

// Placing windows, keeping them on top and reading the pointer need X11: on a Wayland
// session the program runs through XWayland unless the user chose a platform.
void preferX11OnWayland()
{
    if (isWaylandSession() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The windows are small: X's shared-memory images save little copying here, and cost a
// round trip to the server before each repaint of an area just shown, which wakes the
// program twice more on every tick of the clock.
void preferPlainImages()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

constexpr int kPrintSourceWaitMs = 3000;

} // namespace

int runTrayUtility(int argc, char** argv, const CommandLine& line)
{
    preferX11OnWayland();
    // Qt would abort with advice to reinstall; say plainly what is missing instead.
    const QString platform =
        line.platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : line.platform;
    if (const std::optional<QString> problem = displayProblem(platform, line.display)) {
        std::fprintf(stderr, "mirevo: %s\n", problem->toLocal8Bit().constData());
        return 1;
    }
    filterFontShapingWarnings();
    preferPlainImages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirevo"));
    // Qt's own settings (window frame, alert choices) beside app_settings.json.
    QApplication::setOrganizationName(AppSettingsManager::folderName(applicationId()));
    QApplication::setApplicationVersion(applicationVersion());
    QApplication::setDesktopFileName(applicationId());
    QApplication::setQuitOnLastWindowClosed(false);
    installTranslations();

    // Before the store exists: only the one instance may read and save the settings.
    SingleInstance instance(applicationId());
    switch (instance.start()) {
    case SingleInstance::Start::primary:
        break;
    case SingleInstance::Start::handedOver:
        return 0;
    case SingleInstance::Start::failed:
        std::fprintf(stderr, "mirevo: %s\n", instance.failureMessage().toLocal8Bit().constData());
        return 1;
    }

    AppSettingsManager& store = AppSettingsManager::shared();
    NotificationCenter& notifications = NotificationCenter::defaultCenter();
    IMEMonitor::installSharedSource(createInputSource(line.inputBackend));
    IMEMonitor& monitor = IMEMonitor::shared();

    UnifiedSettingsWindowManager& settingsWindow = UnifiedSettingsWindowManager::shared();
    SettingsWindowAccess::setSharedProvider(
        []() -> SettingsWindowAccess& { return UnifiedSettingsWindowManager::shared(); });
    instance.handlers() = scriptingHandlers(monitor, settingsWindow);

    QSettings defaults;
    MessageBoxAlertPresenter alerts;
    AccessibilityPrompts accessibility(Accessibility::system(), alerts, defaults);

    MenuBarActions actions;
    actions.openAbout = [&] { settingsWindow.showSettings(SettingsTab::about); };
    actions.openSettings = [&] { settingsWindow.showSettings(std::nullopt); };
    actions.applyClockSettings = [] { ClockWindowManager::shared().applyClockSettings(); };
    actions.recheckAccessibility = [&] { accessibility.recheckAccessibilityPermission(); };
    // The settings window closes first, so that it keeps its frame and gives back the
    // move modes, as when the user closes it.
    actions.quit = [&settingsWindow] {
        if (QWidget* window = settingsWindow.settingsWindow())
            window->close();
        QApplication::quit();
    };
    instance.handlers().quit = actions.quit;
    actions.toggleIndicator = [] { IMEIndicatorWindowManager::shared().toggleVisibility(); };
    actions.isIndicatorVisible = [] { return IMEIndicatorWindowManager::shared().isVisible(); };
    MenuBarManager menuBar(store, notifications, actions);

    LaunchSteps steps;
    steps.checkAccessibilityPermission = [&] { accessibility.checkAccessibilityPermission(); };
    steps.setupMenuBar = [&] { menuBar.setupMenuBar(); };
    steps.createIndicatorWindow = [] {
        IMEIndicatorWindowManager::shared().createIndicatorWindow();
    };
    // The clock's fonts and texts and the pointer badge's connection wait until the
    // indicator is on screen.
    steps.afterIndicatorShown = [](std::function<void()> rest) {
        afterFirstPaint(IMEIndicatorWindowManager::shared().indicatorWindow(), std::move(rest));
    };
    steps.indicatorLanguage = [] { return IMEIndicatorWindowManager::shared().currentLanguage(); };
    steps.animateIndicatorTo = [](InputLanguage language) {
        IMEIndicatorWindowManager& indicator = IMEIndicatorWindowManager::shared();
        indicator.setCurrentLanguage(language);
        indicator.animateLanguageChange();
    };
    // The pointer badge's manager exists from the start even while the badge is hidden,
    // so that switching the badge on from the menu or its page takes effect at once.
    MouseCursorIndicatorWindowManager& cursorIndicator =
        MouseCursorIndicatorWindowManager::shared();
    steps.showMouseCursorIndicator = [&cursorIndicator] { cursorIndicator.show(); };
    steps.updateMouseCursorLanguage = [&cursorIndicator](InputLanguage language) {
        cursorIndicator.updateLanguage(language);
    };
    steps.updateLayoutCode = [&cursorIndicator](const QString& code) {
        IMEIndicatorWindowManager::shared().setCurrentLayoutCode(code);
        cursorIndicator.updateLayoutCode(code);
    };
    steps.updateMenuInputStatus = [&](bool isJapanese) { menuBar.updateInputStatus(isJapanese); };
    steps.redrawClock = [] { ClockWindowManager::shared().languageChanged(); };
    steps.createClockWindow = [] { ClockWindowManager::shared().createClockWindow(); };
    steps.announceLanguage = [&instance, &monitor](InputLanguage language) {
        instance.announceLanguageChanged(rawValue(language), monitor.currentSourceID());
    };

    // A display plugged in or out can leave a floating window off every screen: placing
    // the windows again brings them back into view.
    auto replaceWindows = [&notifications] {
        notifications.post(notifications::kIMEIndicatorSettingsChanged);
    };
    QObject::connect(&app, &QGuiApplication::screenAdded, &app, replaceWindows);
    QObject::connect(&app, &QGuiApplication::screenRemoved, &app, replaceWindows);

    AppDelegate delegate(store, monitor, steps);
    delegate.applicationDidFinishLaunching();
    return app.exec();
}

int printCurrentSource(int argc, char** argv, const InputBackendChoice& backend)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<InputSource> source = createInputSource(backend);
    // Daemon-backed sources answer through the event loop; give them a moment.
    if (!source->isReady()) {
        const QDeadlineTimer deadline(kPrintSourceWaitMs);
        QEventLoop loop;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            if (source->isReady() || deadline.hasExpired())
                loop.quit();
        });
        tick.start(10);
        loop.exec();
    }
    const std::optional<QString> id = source->currentSourceId();
    QString backendText = source->backendName();
    if (!source->backendReason().isEmpty())
        backendText += QStringLiteral(" (%1)").arg(source->backendReason());
    if (!id) {
        std::fprintf(stderr, "mirevo: no input source is available from the %s backend\n",
                     backendText.toUtf8().constData());
        return 1;
    }
    std::printf("%s\t%s\t%s\n", id->toUtf8().constData(),
                rawValue(detectLanguage(*id)).toUtf8().constData(),
                backendText.toUtf8().constData());
    return 0;
}

int quitRunningInstance(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ApplicationBus bus(applicationId());
    QString problem;
    switch (bus.quitOwner(SingleInstance::kAnswerTimeoutMs)) {
    case ApplicationBus::QuitRequest::ended:
        return 0;
    case ApplicationBus::QuitRequest::noneRunning:
        problem = QStringLiteral("no Mirevo is running");
        break;
    case ApplicationBus::QuitRequest::noBus:
        problem = QStringLiteral("there is no session bus to reach a running Mirevo on");
        break;
    case ApplicationBus::QuitRequest::stillRunning:
        problem = QStringLiteral("the running Mirevo did not end within %1 s; it may be stopped "
                                 "or hung")
                      .arg(SingleInstance::kAnswerTimeoutMs / 1000);
        break;
    }
    std::fprintf(stderr, "mirevo: %s\n", problem.toLocal8Bit().constData());
    return 1;
}

} // namespace mirevo

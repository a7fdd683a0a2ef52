#pragma once

#include "clock/ClockSources.h"
#include "settings/SettingsWindowAccess.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <optional>

namespace mirevo {

class AppSettingsManager;
class ClockView;
class ContextMenuHostingView;
class Displays;

// Owns the floating desktop clock window: builds it from the clock settings, re-applies
// them on request, and in move mode writes the user's moves and resizes back to the store.
class ClockWindowManager : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinimumSide = 100;
    static constexpr int kMaximumSide = 500;
    // Moves of this many points or fewer (in both directions) are not stored.
    static constexpr double kMoveThreshold = 10.0;

    // A null `settingsAccess` means the program's settings window, looked up when needed.
    ClockWindowManager(AppSettingsManager& store, const Displays& displays,
                       SettingsWindowAccess* settingsAccess = nullptr, ClockSources sources = {},
                       QObject* parent = nullptr);
    ~ClockWindowManager() override;

    static ClockWindowManager& shared();

    void createClockWindow();
    void applyClockSettings();
    void refreshClockView();
    void applyMoveMode();
    void openClockSettings();
    // Redraws the background at once after an input-language change (the store's flag
    // does not change between two languages that both use an input method).
    void languageChanged();

    // Each dimension of a size the user proposes, bounded to 100...500.
    static QSize windowWillResize(QSize proposed);

    ContextMenuHostingView* clockWindow() const;
    ClockView* clockView() const;

    // Window notifications; the window's signals call these while move mode is on. A
    // resize is written once, when the user finishes it.
    void windowDidMove();
    void windowDidEndLiveResize();

private:
    void closeClockWindow();
    void configureMoveMode(ContextMenuHostingView* window, bool moveMode);
    void addWindowObservers();
    void removeWindowObservers();
    ClockView* makeClockRootView();
    SettingsWindowAccess* settingsAccess() const;
    // Places the window at the stored frame (kept in view), as the program, not the user.
    void placeWindow(double width, double height);
    // The display the window is on and its origin's offset from that display's.
    struct WindowPlace {
        int display = 0;
        QPointF offset;
    };
    std::optional<WindowPlace> currentPlace() const;

    AppSettingsManager& m_store;
    const Displays& m_displays;
    SettingsWindowAccess* m_settingsAccess;
    ClockSources m_sources;
    QPointer<ContextMenuHostingView> m_window;
    QList<QMetaObject::Connection> m_observers;
    // Where the program last put the window; until the user's next press, a move there is
    // not the user's.
    std::optional<QPoint> m_placedTopLeft;
};

} // namespace mirevo

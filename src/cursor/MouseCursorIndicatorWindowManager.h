#pragma once

#include "input/InputLanguage.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QTimer;
class QWidget;

namespace mirevo {

class AppSettingsManager;
class Displays;
class MouseCursorIndicatorView;
class NotificationCenter;
class PointerMonitor;
class WindowShape;

// Owns the click-through window that carries the pointer badge and keeps it beside the
// pointer: on every pointer movement the platform reports, so a still pointer costs
// nothing; only where the platform reports none, on a 20 Hz timer.
class MouseCursorIndicatorWindowManager : public QObject {
    Q_OBJECT
public:
    static constexpr int kPositionUpdateIntervalMs = 50;

    // The pointer in Qt's global coordinates.
    using PointerSource = std::function<QPoint()>;
    // May return nullptr: the timer then moves the badge.
    using PointerMonitorFactory = std::function<std::unique_ptr<PointerMonitor>()>;
    // The language a freshly shown badge starts with.
    using LanguageSource = std::function<InputLanguage()>;

    // Empty functions stand for the real pointer, the platform's monitor and the shared
    // input-source monitor's language.
    MouseCursorIndicatorWindowManager(AppSettingsManager& store, const Displays& displays,
                                      NotificationCenter& center, PointerSource pointer = {},
                                      PointerMonitorFactory monitorFactory = {},
                                      LanguageSource languageSource = {},
                                      QObject* parent = nullptr);
    ~MouseCursorIndicatorWindowManager() override;

    static MouseCursorIndicatorWindowManager& shared();

    void show();
    void updateLanguage(InputLanguage language);
    void updateLayoutCode(const QString& code);
    // Re-reads visibility and size; called on "MouseCursorIndicatorSettingsChanged".
    void applySettings();
    // Moves the window beside the pointer; does nothing when neither moved.
    void updatePosition();

    InputLanguage currentLanguage() const { return m_currentLanguage; }

    QWidget* indicatorWindow() const { return m_window.get(); }
    MouseCursorIndicatorView* indicatorView() const { return m_view; }
    bool isTracking() const { return m_pointerMonitor || m_positionUpdateTimer; }
    bool isPositionTimerActive() const;
    PointerMonitor* pointerMonitor() const { return m_pointerMonitor.get(); }

private:
    void createIndicatorWindow();
    void startMouseTracking();
    // Where no monitor reports the pointer's movements: 20 times a second.
    void startPositionTimer();
    void stopMouseTracking();
    void hide();
    // The Qt top-left corner of the window for the pointer at `pointer`.
    QPoint windowTopLeft(QPoint pointer) const;

    AppSettingsManager& m_store;
    const Displays& m_displays;
    NotificationCenter& m_center;
    PointerSource m_pointer;
    PointerMonitorFactory m_monitorFactory;
    LanguageSource m_languageSource;

    std::unique_ptr<QWidget> m_window;
    MouseCursorIndicatorView* m_view = nullptr;
    WindowShape* m_shape = nullptr; // owned by the window
    std::unique_ptr<PointerMonitor> m_pointerMonitor;
    std::unique_ptr<QTimer> m_positionUpdateTimer;
    QMetaObject::Connection m_settingsObservation;
    InputLanguage m_currentLanguage = InputLanguage::english;
    QString m_layoutCode;
    // Where the window was last put, so a resting pointer costs neither a move nor a raise.
    std::optional<QPoint> m_placedTopLeft;
};

} // namespace mirevo

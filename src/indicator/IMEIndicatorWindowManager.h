#pragma once

#include "indicator/DraggableHostingView.h"
#include "input/InputLanguage.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>

class QSequentialAnimationGroup;

namespace mirevo {

class AppSettingsManager;
class Displays;
class NotificationCenter;
class SettingsWindowAccess;
struct IMEIndicatorSettings;

// Owns the floating indicator window: builds it from the settings on the display they
// name, shows and hides it, dims it briefly when the language changes, and re-applies the
// settings on "IMEIndicatorSettingsChanged" (a new view for colours, texts, font, opacity
// or move mode; a new window for a new size or position).
//
// A stored position that would leave the window wholly off every display shows it at the
// nearest fully visible place on the named display; while that display is missing, the
// window is shown on the primary display. The stored position is kept.
class IMEIndicatorWindowManager : public QObject {
    Q_OBJECT
public:
    // `settingsWindow` may be null: the program's settings window is then used.
    IMEIndicatorWindowManager(AppSettingsManager& store, const Displays& displays,
                              NotificationCenter& center, SettingsWindowAccess* settingsWindow,
                              QObject* parent = nullptr);
    ~IMEIndicatorWindowManager() override;

    // The program's manager, on the program's store, displays and notifications.
    static IMEIndicatorWindowManager& shared();

    // (Re)builds and shows the window; no window while hidden or when there is no display.
    void createIndicatorWindow();
    void removeIndicatorWindow();
    // Installs a view built from the current settings one turn of the event loop later.
    void refreshIndicatorView();
    // Dims the window to 0.3 and back over 0.2 s, then shows the current language.
    void animateLanguageChange();
    // Flips and saves isVisible, then hides or shows the window (kept while hidden).
    void toggleVisibility();
    // Brings the window in line with the current settings.
    void applySettings();

    InputLanguage currentLanguage() const { return m_currentLanguage; }
    void setCurrentLanguage(InputLanguage language) { m_currentLanguage = language; }
    // The current layout's code; shown at once unless a language switch is playing, which
    // shows it when it ends.
    void setCurrentLayoutCode(const QString& code);
    bool isVisible() const { return m_isVisible; }

    DraggableHostingView* indicatorWindow() const { return m_indicatorWindow; }

private:
    // Where the window goes for these settings on display `index`, in Qt coordinates.
    std::optional<QRect> placement(const IMEIndicatorSettings& settings, qint64 index) const;
    void showWindow();
    void displaysChanged();

    AppSettingsManager& m_store;
    const Displays& m_displays;
    NotificationCenter& m_center;
    SettingsWindowAccess* m_settingsWindow;
    QPointer<DraggableHostingView> m_indicatorWindow;
    QPointer<QSequentialAnimationGroup> m_animation;
    InputLanguage m_currentLanguage = InputLanguage::english;
    QString m_currentLayoutCode;
    bool m_isVisible = true;
};

} // namespace mirevo

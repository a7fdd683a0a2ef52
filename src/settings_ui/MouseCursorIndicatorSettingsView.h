#pragma once

#include "settings/MouseCursorIndicatorSettings.h"

#include <QWidget>

#include <functional>
#include <vector>

class QVBoxLayout;

namespace mirevo {

class AppSettingsManager;
class NotificationCenter;
class SettingsGroup;

// The pointer badge's tab of the settings window. Every change is saved at once and
// announced, so the badge follows the controls live; changes made elsewhere (the tray
// menu's toggle) show here at once.
class MouseCursorIndicatorSettingsView : public QWidget {
    Q_OBJECT
public:
    MouseCursorIndicatorSettingsView(AppSettingsManager& store, NotificationCenter& notifications,
                                     QWidget* parent = nullptr);

    // Saves the settings and posts "MouseCursorIndicatorSettingsChanged".
    void saveAndNotify();
    // Every field of the badge, colours included, back to its default.
    void resetToDefaults();

private:
    void buildBasicGroup(QVBoxLayout* page);
    void buildSizeGroup(QVBoxLayout* page);
    void buildAppearanceGroup(QVBoxLayout* page);
    void addSlider(SettingsGroup& group, const QString& label, const QString& name,
                   double MouseCursorIndicatorSettings::*field, double minimum, double maximum,
                   double step, std::function<QString(double)> valueText);
    void edit(const std::function<void(MouseCursorIndicatorSettings&)>& change);
    void syncFromStore();

    AppSettingsManager& m_store;
    NotificationCenter& m_notifications;
    std::vector<std::function<void(const MouseCursorIndicatorSettings&)>> m_syncs;
};

} // namespace mirevo

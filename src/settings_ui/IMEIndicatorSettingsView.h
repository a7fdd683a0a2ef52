#pragma once

#include "input/InputLanguage.h"
#include "settings_ui/IMEIndicatorPageRules.h"
#include "settings_ui/SettingsControls.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace mirevo {

class FontPicker;
class AppSettingsManager;
class ColorWell;
class Displays;
class NotificationCenter;
class SettingsGroup;
class SteppedSlider;
struct AppSettings;
struct IMEIndicatorSettings;

// The settings page of the floating IME indicator. Every edit is written to the store,
// saved and announced at once, so the indicator follows the controls live; while the page
// is shown the indicator is in move mode. The controls re-read the store whenever its
// settings change.
class IMEIndicatorSettingsView : public QWidget {
    Q_OBJECT
public:
    IMEIndicatorSettingsView(AppSettingsManager& store, NotificationCenter& notifications,
                             const Displays& displays, QWidget* parent = nullptr);

    // Saves the settings file, then announces the indicator's settings.
    void saveAndNotify();
    // The whole indicator record back to its defaults.
    void resetToDefaults();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct LanguageRow {
        QLineEdit* text = nullptr;
        ColorWell* color = nullptr;
    };

    QWidget* buildContent();
    QWidget* buildBasicGroup();
    QWidget* buildSizeGroup();
    QWidget* buildPositionGroup();
    QWidget* buildLanguageGroup();
    QWidget* buildColorGroup();
    QWidget* buildLanguageRow(InputLanguage language);
    QLineEdit* buildPositionField(bool isX);
    // A slider row, with its preset buttons, that writes `field` of the indicator's record.
    SliderField addSlider(SettingsGroup& group, const QString& label, const QString& name,
                          double lower, double upper, double step,
                          const std::function<QString(double)>& valueText,
                          double IMEIndicatorSettings::*field, const QList<Preset>& presets = {});

    // Writes one change to the store, saves and announces it.
    void commit(const std::function<void(AppSettings&)>& change);
    void editPosition(bool isX, const QString& text);
    void chooseDisplay(int index);
    void moveToCorner(IndicatorCorner corner);

    void syncFromStore();
    void syncPositionField(QLineEdit* field, double value, bool force);
    void syncDisplayPopup();
    void syncFontPopup();

    AppSettingsManager& m_store;
    NotificationCenter& m_notifications;
    const Displays& m_displays;

    QCheckBox* m_showSwitch = nullptr;
    SteppedSlider* m_sizeSlider = nullptr;
    QLabel* m_sizeLabel = nullptr; // the slider's value
    SteppedSlider* m_textSizeSlider = nullptr;
    QLabel* m_textSizeLabel = nullptr;
    QLineEdit* m_positionX = nullptr;
    QLineEdit* m_positionY = nullptr;
    QComboBox* m_displayPopup = nullptr;
    std::array<LanguageRow, kInputLanguageCount> m_languageRows{};
    FontPicker* m_fontPopup = nullptr;
    QComboBox* m_layoutLabelPopup = nullptr; // language's text or layout code
    char32_t m_fontSample = 0;
    SteppedSlider* m_opacitySlider = nullptr;
    QLabel* m_opacityLabel = nullptr;
};

} // namespace mirevo

#pragma once

#include "settings/AppSettings.h"
#include "settings_ui/ClockPageRules.h"
#include "settings_ui/FormatPickerView.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace mirevo {

class AppSettingsManager;
class ColorWell;
class Displays;
class SettingsGroup;
class SteppedSlider;

// What the page asks of the clock window after an edit. Empty ones are skipped.
struct ClockPageActions {
    std::function<void()> refreshClockView;   // redraw with the new values
    std::function<void()> applyClockSettings; // re-apply visibility, size, place and content
    std::function<void()> applyMoveMode;
};

// The clock tab of the settings window. Every control writes the store at once, saves
// and has the clock redraw or re-apply itself; the clock is in move mode while the page
// is on screen.
class ClockSettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kMinimumSize{600, 420};

    ClockSettingsView(AppSettingsManager& store, const Displays& displays, ClockPageActions actions,
                      TimeSource now = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {700, 500}; }

    void applyPreset(PositionPreset preset);
    void resetToDefaults();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Reaction { refresh, apply };

    void buildBasicGroup(QVBoxLayout* page);
    void buildFontGroup(QVBoxLayout* page);
    void buildFormatGroups(QVBoxLayout* page, const TimeSource& now);
    void buildColorGroup(QVBoxLayout* page);
    void buildPositionGroup(QVBoxLayout* page);
    void buildSizeGroup(QVBoxLayout* page);

    QCheckBox* addSwitch(SettingsGroup& group, const QString& name, const QString& text,
                         bool ClockSettings::*field, Reaction reaction);
    QComboBox* addPicker(SettingsGroup& group, const QString& name, const QString& text,
                         const QStringList& items, std::function<void(ClockSettings&, int)> choose,
                         std::function<int(const ClockSettings&)> shown);
    SteppedSlider* addSlider(SettingsGroup& group, const QString& name, const QString& text,
                             double ClockSettings::*field, double minimum, double maximum,
                             double step, Reaction reaction,
                             std::function<QString(double)> valueText);
    ColorWell* addColorWell(SettingsGroup& group, const QString& name, const QString& text,
                            ColorComponents ClockSettings::*field);
    QLineEdit* addPositionField(SettingsGroup& group, const QString& name, const QString& text,
                                double ClockSettings::*field);

    void edit(const std::function<void(ClockSettings&)>& change, Reaction reaction);
    void commit(Reaction reaction);
    void setMoveMode(bool on);
    void syncFromStore();

    AppSettingsManager& m_store;
    const Displays& m_displays;
    ClockPageActions m_actions;
    // Each control's way of showing the stored values, run with the control's signals
    // blocked.
    std::vector<std::function<void(const ClockSettings&)>> m_syncs;
};

} // namespace mirevo

#pragma once

#include "settings/SettingsWindowAccess.h"
#include "settings_ui/SteppedSlider.h"
#include "settings_ui/ValueTexts.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace mirevo {

// Caption-sized text in the palette's secondary colour.
QLabel* makeSecondaryLabel(const QString& text, QWidget* parent = nullptr);
// Page header: the tab's icon at 24 px and the page title in a large bold font.
QWidget* makePageHeader(SettingsTab tab, const QString& title, QWidget* parent = nullptr);

// A stepped slider and, to its right, the value it shows. The value label is as wide as
// the widest text of the range, so the slider does not move while the value changes.
struct SliderField {
    SteppedSlider* slider = nullptr;
    QLabel* value = nullptr;
    QHBoxLayout* layout = nullptr;
};
SliderField makeSliderField(const QString& name, double lower, double upper, double step,
                            const std::function<QString(double)>& valueText);

// A row of compact buttons that each choose a value.
struct Preset {
    QString objectName;
    QString text;
    double value = 0;
};
QHBoxLayout* makePresetButtons(const QList<Preset>& presets, QObject* receiver,
                               const std::function<void(double)>& choose);

// Four buttons placed like the corners they stand for: top left, top right, bottom left,
// bottom right, in that order.
struct CornerButton {
    QString objectName;
    QString text;
    std::function<void()> choose;
};
QGridLayout* makeCornerButtons(const std::array<CornerButton, 4>& corners, QObject* receiver);

// A one-line field as wide as `sample` needs.
void fitWidthToText(QLineEdit* field, const QString& sample);

} // namespace mirevo

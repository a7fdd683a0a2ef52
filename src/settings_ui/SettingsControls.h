#pragma once

#include "settings_ui/ValueTexts.h"

#include <QSlider>
#include <QString>

class QGroupBox;
class QIcon;
class QLabel;
class QWidget;

namespace mirevo {

// A horizontal slider over a range of doubles in fixed steps (12...32 by 1, 0.5...1.0 by
// 0.05). Values set from outside the range are clamped on the knob only; nothing is
// written back until the user moves it.
class StepSlider : public QSlider {
    Q_OBJECT
public:
    StepSlider(double minimum, double maximum, double step, QWidget* parent = nullptr);

    double doubleValue() const;
    void setDoubleValue(double value);

signals:
    // Every step the knob moves, while dragging too.
    void doubleValueChanged(double value);

private:
    double m_minimum;
    double m_step;
};

// Caption-sized text in the palette's secondary colour.
QLabel* makeSecondaryLabel(const QString& text, QWidget* parent = nullptr);
// Page header: an icon at 24 px and the title in a large bold font.
QWidget* makePageHeader(const QIcon& icon, const QString& title, QWidget* parent = nullptr);
// A titled group box.
QGroupBox* makeGroup(const QString& title, const QString& objectName, QWidget* parent = nullptr);

} // namespace mirevo

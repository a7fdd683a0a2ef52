#pragma once

#include <QSlider>

#include <functional>

namespace mirevo {

// A horizontal slider over lower...upper in steps of `step`. Its integer positions count
// the steps; values are rounded to six decimals so that 0.3 + 7 * 0.05 is exactly 0.65.
// Screen readers get the value as the window shows it ("100 px"), not the position.
class SteppedSlider : public QSlider {
    Q_OBJECT
public:
    SteppedSlider(double lower, double upper, double step, QWidget* parent = nullptr);

    double steppedValue() const { return valueAt(value()); }
    double valueAt(int position) const;
    // The nearest step to `value`, within the range.
    int positionFor(double value) const;
    // Moves to the step nearest `value` without emitting steppedValueChanged.
    void showValue(double value);

    // How a value reads ("100 px", "70%"); the number in it is what a screen reader gets
    // as the slider's value. Without one, the value as a plain number.
    void setValueText(std::function<QString(double)> text) { m_valueText = std::move(text); }
    QString valueText(double value) const;

signals:
    // Every position the slider passes through while dragged or stepped.
    void steppedValueChanged(double value);

private:
    double m_lower;
    double m_step;
    std::function<QString(double)> m_valueText;
};

} // namespace mirevo

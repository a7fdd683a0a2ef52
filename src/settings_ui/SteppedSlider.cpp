#include "settings_ui/SteppedSlider.h"

#include "settings_ui/SteppedSliderAccessible.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace mirevo {

SteppedSlider::SteppedSlider(double lower, double upper, double step, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_lower(lower), m_step(step)
{
    installSteppedSliderAccessibility();
    setRange(0, static_cast<int>(std::lround((upper - lower) / step)));
    setSingleStep(1);
    setPageStep(1);
    setTracking(true);
    connect(this, &QSlider::valueChanged, this,
            [this](int position) { emit steppedValueChanged(valueAt(position)); });
}

double SteppedSlider::valueAt(int position) const
{
    return std::round((m_lower + position * m_step) * 1e6) / 1e6;
}

int SteppedSlider::positionFor(double value) const
{
    if (!std::isfinite(value))
        return minimum();
    const double steps = std::round((value - m_lower) / m_step);
    return static_cast<int>(std::clamp(steps, double(minimum()), double(maximum())));
}

void SteppedSlider::showValue(double value)
{
    const QSignalBlocker blocker(this);
    setValue(positionFor(value));
}

QString SteppedSlider::valueText(double value) const
{
    return m_valueText ? m_valueText(value) : QString::number(value);
}

} // namespace mirevo

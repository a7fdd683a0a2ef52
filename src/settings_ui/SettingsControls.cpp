#include "settings_ui/SettingsControls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace mirevo {

StepSlider::StepSlider(double minimum, double maximum, double step, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_minimum(minimum), m_step(step)
{
    setRange(0, static_cast<int>(std::lround((maximum - minimum) / step)));
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QSlider::valueChanged, this,
            [this](int) { emit doubleValueChanged(doubleValue()); });
}

double StepSlider::doubleValue() const
{
    // Rounded to the nearest millionth so that 0.5 + 7 * 0.05 reads as 0.85, not
    // 0.8500000000000001.
    const double raw = m_minimum + value() * m_step;
    return std::round(raw * 1e6) / 1e6;
}

void StepSlider::setDoubleValue(double value)
{
    if (!std::isfinite(value))
        return;
    const double steps = std::round((value - m_minimum) / m_step);
    setValue(static_cast<int>(std::clamp(steps, double(minimum()), double(maximum()))));
}

QLabel* makeSecondaryLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QWidget* makePageHeader(const QIcon& icon, const QString& title, QWidget* parent)
{
    auto* header = new QWidget(parent);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 5);
    auto* picture = new QLabel(header);
    picture->setPixmap(icon.pixmap(24, 24));
    auto* text = new QLabel(title, header);
    text->setObjectName(QStringLiteral("pageTitle"));
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    text->setFont(font);
    row->addWidget(picture);
    row->addWidget(text);
    row->addStretch();
    return header;
}

QGroupBox* makeGroup(const QString& title, const QString& objectName, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(objectName);
    return group;
}

} // namespace mirevo

#include "settings_ui/SteppedSliderAccessible.h"

#include "settings_ui/SteppedSlider.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace mirevo {
namespace {

class SteppedSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SteppedSliderAccessible(SteppedSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return slider()->valueText(slider()->steppedValue());
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return shownNumber(slider()->value()); }
    QVariant maximumValue() const override { return shownNumber(slider()->maximum()); }
    QVariant minimumValue() const override { return shownNumber(slider()->minimum()); }
    QVariant minimumStepSize() const override
    {
        const SteppedSlider* s = slider();
        return s->maximum() > s->minimum()
                   ? std::abs(shownNumber(s->minimum() + 1) - shownNumber(s->minimum()))
                   : 0.0;
    }

    // A reader sets the number it read: the step that shows the nearest one.
    void setCurrentValue(const QVariant& value) override
    {
        SteppedSlider* s = slider();
        const double wanted = value.toDouble();
        int best = s->value();
        double distance = std::numeric_limits<double>::infinity();
        for (int position = s->minimum(); position <= s->maximum(); ++position) {
            const double d = std::abs(shownNumber(position) - wanted);
            if (d < distance) {
                distance = d;
                best = position;
            }
        }
        s->setValue(best);
    }

private:
    SteppedSlider* slider() const { return static_cast<SteppedSlider*>(widget()); }

    // The number in the text shown for a position ("70" in "70%"); the value itself when
    // the text holds none.
    double shownNumber(int position) const
    {
        static const QRegularExpression number(
            QStringLiteral("[-+\\x{2212}]?[0-9]+(?:\\.[0-9]+)?"));
        const double value = slider()->valueAt(position);
        const QRegularExpressionMatch match = number.match(slider()->valueText(value));
        if (!match.hasMatch())
            return value;
        return match.captured().replace(QChar(0x2212), QLatin1Char('-')).toDouble();
    }
};

QAccessibleInterface* steppedSliderFactory(const QString&, QObject* object)
{
    auto* slider = qobject_cast<SteppedSlider*>(object);
    return slider ? new SteppedSliderAccessible(slider) : nullptr;
}

} // namespace

void installSteppedSliderAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(steppedSliderFactory);
        return true;
    }();
    (void)installed;
}

} // namespace mirevo

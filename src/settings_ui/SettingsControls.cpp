#include "settings_ui/SettingsControls.h"

#include "settings_ui/SettingsPageParts.h"
#include "settings_ui/SettingsPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace mirevo {
namespace {

constexpr int kSliderWidth = 180;

// A push button only as wide as its text: the style's minimum width for buttons would
// make a row of presets wider than its group.
class CompactButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override
    {
        const QSize full = QPushButton::sizeHint();
        const int padding = 2 * fontMetrics().horizontalAdvance(QLatin1Char('M'));
        return {std::min(full.width(), fontMetrics().horizontalAdvance(text()) + padding),
                full.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

QLabel* makeSecondaryLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    applyTextStyle(label, TextStyle::caption);
    makeSecondary(label);
    return label;
}

QWidget* makePageHeader(SettingsTab tab, const QString& title, QWidget* parent)
{
    auto* header = new QWidget(parent);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 5);
    auto* picture = new QLabel(header);
    picture->setPixmap(settingsTabIcon(tab).pixmap(24, 24));
    auto* text = new QLabel(title, header);
    text->setObjectName(QStringLiteral("pageTitle"));
    applyTextStyle(text, TextStyle::title);
    row->addWidget(picture);
    row->addWidget(text);
    row->addStretch();
    return header;
}

SliderField makeSliderField(const QString& name, double lower, double upper, double step,
                            const std::function<QString(double)>& valueText)
{
    SliderField field;
    field.slider = new SteppedSlider(lower, upper, step);
    field.slider->setObjectName(name + QStringLiteral("Slider"));
    field.slider->setFixedWidth(kSliderWidth);
    field.slider->setValueText(valueText);
    field.value = makeSecondaryLabel({});
    field.value->setObjectName(name + QStringLiteral("Value"));
    field.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QFontMetrics metrics = field.value->fontMetrics();
    int widest = 0;
    for (double value : {lower, upper, lower + step})
        widest = std::max(widest, metrics.horizontalAdvance(valueText(value)));
    field.value->setMinimumWidth(widest + metrics.horizontalAdvance(QLatin1Char('0')));
    field.layout = new QHBoxLayout;
    field.layout->setSpacing(6);
    field.layout->addWidget(field.slider);
    field.layout->addWidget(field.value);
    return field;
}

QHBoxLayout* makePresetButtons(const QList<Preset>& presets, QObject* receiver,
                               const std::function<void(double)>& choose)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (const Preset& preset : presets) {
        auto* button = new CompactButton(preset.text);
        button->setObjectName(preset.objectName);
        applyTextStyle(button, TextStyle::caption);
        QObject::connect(button, &QPushButton::clicked, receiver,
                         [choose, value = preset.value] { choose(value); });
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

QGridLayout* makeCornerButtons(const std::array<CornerButton, 4>& corners, QObject* receiver)
{
    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    for (int index = 0; index < 4; ++index) {
        auto* button = new QPushButton(corners[index].text);
        button->setObjectName(corners[index].objectName);
        QObject::connect(button, &QPushButton::clicked, receiver, corners[index].choose);
        grid->addWidget(button, index / 2, index % 2);
    }
    return grid;
}

void fitWidthToText(QLineEdit* field, const QString& sample)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    const QSize text(field->fontMetrics().horizontalAdvance(sample) +
                         2 * field->fontMetrics().horizontalAdvance(QLatin1Char(' ')),
                     field->fontMetrics().height());
    field->setFixedWidth(
        field->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, field).width());
}

} // namespace mirevo

#include "settings_ui/MouseCursorIndicatorSettingsView.h"

#include "platform/NotificationCenter.h"
#include "platform/SessionType.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsPageParts.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

namespace mirevo {
namespace {

QVBoxLayout* addGroup(QVBoxLayout* page, const QString& title, const QString& name, int spacing)
{
    const SettingsGroup group = makeSettingsGroup(name, title, QString(), spacing);
    page->addWidget(group.widget);
    return group.rows;
}

QString signedWhole(double value)
{
    return QString::asprintf("%+.0f", value);
}

} // namespace

MouseCursorIndicatorSettingsView::MouseCursorIndicatorSettingsView(
    AppSettingsManager& store, NotificationCenter& notifications, QWidget* parent)
    : QWidget(parent), m_store(store), m_notifications(notifications)
{
    setObjectName(QStringLiteral("mouseCursorIndicatorSettingsView"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(20, 20, 20, 20);
    page->setSpacing(20);
    const QIcon icon =
        QIcon::fromTheme(QStringLiteral("input-mouse"), style()->standardIcon(QStyle::SP_ArrowUp));
    page->addWidget(makePageHeader(icon, localized("MouseCursorIndicator", "title"), this));
    buildBasicGroup(page);
    buildSizeGroup(page);
    buildAppearanceGroup(page);

    auto* reset = new QPushButton(localized("MouseCursorIndicator", "reset"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    connect(reset, &QPushButton::clicked, this, &MouseCursorIndicatorSettingsView::resetToDefaults);
    auto* footer = new QHBoxLayout;
    footer->addWidget(reset);
    footer->addStretch();
    page->addLayout(footer);
    page->addStretch();

    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &MouseCursorIndicatorSettingsView::syncFromStore);
    syncFromStore();
}

void MouseCursorIndicatorSettingsView::buildBasicGroup(QVBoxLayout* page)
{
    QVBoxLayout* column = addGroup(page, localized("MouseCursorIndicator", "basic"),
                                   QStringLiteral("basicGroup"), 12);
    auto* toggle = new QCheckBox(localized("MouseCursorIndicator", "show_indicator"));
    toggle->setObjectName(QStringLiteral("showIndicatorSwitch"));
    connect(toggle, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](MouseCursorIndicatorSettings& s) { s.isVisible = on; }); });
    m_syncs.push_back([toggle](const MouseCursorIndicatorSettings& s) {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(s.isVisible);
    });
    column->addWidget(toggle);
    auto* note = makeSecondaryLabel(localized("MouseCursorIndicator", "settings_note"));
    note->setWordWrap(true);
    column->addWidget(note);
    if (!canFollowPointerEverywhere()) {
        auto* x11Only = makeSecondaryLabel(localized("MouseCursorIndicator", "needs_x11"));
        x11Only->setObjectName(QStringLiteral("needsX11Note"));
        x11Only->setWordWrap(true);
        column->addWidget(x11Only);
    }
}

void MouseCursorIndicatorSettingsView::buildSizeGroup(QVBoxLayout* page)
{
    QVBoxLayout* column = addGroup(page, localized("MouseCursorIndicator", "size_position"),
                                   QStringLiteral("sizePositionGroup"), 16);

    const SliderRow size = addSlider(QStringLiteral("size"), &MouseCursorIndicatorSettings::size,
                                     12, 32, 1, [](double v) { return pixelValueText(v); });
    auto* sizeHeading = new QHBoxLayout;
    sizeHeading->addWidget(new QLabel(localized("MouseCursorIndicator", "size")));
    sizeHeading->addWidget(size.value);
    sizeHeading->addStretch();
    column->addLayout(sizeHeading);
    column->addWidget(size.slider);

    const std::pair<QString, double> presets[] = {
        {QStringLiteral("size_small"), 16.0},
        {QStringLiteral("size_medium"), 20.0},
        {QStringLiteral("size_large"), 28.0},
    };
    const QString presetTexts[] = {localized("MouseCursorIndicator", "size_small"),
                                   localized("MouseCursorIndicator", "size_medium"),
                                   localized("MouseCursorIndicator", "size_large")};
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(presetTexts[index]);
        button->setObjectName(presets[index].first);
        QFont caption = button->font();
        caption.setPointSizeF(caption.pointSizeF() * 0.9);
        button->setFont(caption);
        connect(button, &QPushButton::clicked, this, [this, value = presets[index].second] {
            edit([value](MouseCursorIndicatorSettings& s) { s.size = value; });
        });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    column->addLayout(buttons);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    column->addWidget(divider);

    column->addWidget(makeSecondaryLabel(localized("MouseCursorIndicator", "offset")));
    auto* offsets = new QHBoxLayout;
    offsets->setSpacing(20);
    const std::pair<QString, double MouseCursorIndicatorSettings::*> axes[] = {
        {QStringLiteral("offsetX"), &MouseCursorIndicatorSettings::offsetX},
        {QStringLiteral("offsetY"), &MouseCursorIndicatorSettings::offsetY},
    };
    const QString axisLabels[] = {localized("Localizable", "X:"), localized("Localizable", "Y:")};
    for (int index = 0; index < 2; ++index) {
        const SliderRow axis =
            addSlider(axes[index].first, axes[index].second, -30, 30, 1, signedWhole);
        auto* label = new QLabel(axisLabels[index]);
        label->setFixedWidth(std::max(20, label->sizeHint().width()));
        axis.slider->setFixedWidth(100);
        axis.value->setFixedWidth(
            std::max(35, axis.value->fontMetrics().horizontalAdvance("-30") + 4));
        auto* control = new QHBoxLayout;
        control->setSpacing(6);
        control->addWidget(label);
        control->addWidget(axis.slider);
        control->addWidget(axis.value);
        offsets->addLayout(control);
    }
    offsets->addStretch();
    column->addLayout(offsets);
}

void MouseCursorIndicatorSettingsView::buildAppearanceGroup(QVBoxLayout* page)
{
    QVBoxLayout* column = addGroup(page, localized("MouseCursorIndicator", "appearance"),
                                   QStringLiteral("appearanceGroup"), 12);
    const SliderRow opacity =
        addSlider(QStringLiteral("opacity"), &MouseCursorIndicatorSettings::opacity, 0.5, 1.0, 0.05,
                  [](double v) { return percentValueText(v); });
    opacity.slider->setFixedWidth(150);
    opacity.value->setMinimumWidth(45);
    opacity.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(localized("MouseCursorIndicator", "opacity")));
    row->addWidget(opacity.slider);
    row->addWidget(opacity.value);
    row->addStretch();
    column->addLayout(row);
}

MouseCursorIndicatorSettingsView::SliderRow MouseCursorIndicatorSettingsView::addSlider(
    const QString& name, double MouseCursorIndicatorSettings::*field, double minimum,
    double maximum, double step, std::function<QString(double)> valueText)
{
    auto* slider = new SteppedSlider(minimum, maximum, step);
    slider->setObjectName(name + QStringLiteral("Slider"));
    auto* value = makeSecondaryLabel({});
    value->setObjectName(name + QStringLiteral("Value"));
    connect(slider, &SteppedSlider::steppedValueChanged, this, [this, field](double v) {
        edit([field, v](MouseCursorIndicatorSettings& s) { s.*field = v; });
    });
    m_syncs.push_back([slider, value, field, valueText](const MouseCursorIndicatorSettings& s) {
        const QSignalBlocker blocker(slider);
        slider->showValue(s.*field);
        value->setText(valueText(s.*field));
    });
    return {slider, value};
}

void MouseCursorIndicatorSettingsView::edit(
    const std::function<void(MouseCursorIndicatorSettings&)>& change)
{
    m_store.edit([&change](AppSettings& settings) { change(settings.mouseCursorIndicator); });
    saveAndNotify();
}

void MouseCursorIndicatorSettingsView::saveAndNotify()
{
    m_store.saveSettings();
    m_notifications.post(notifications::kMouseCursorIndicatorSettingsChanged);
}

void MouseCursorIndicatorSettingsView::resetToDefaults()
{
    edit([](MouseCursorIndicatorSettings& s) { s = MouseCursorIndicatorSettings{}; });
}

void MouseCursorIndicatorSettingsView::syncFromStore()
{
    const MouseCursorIndicatorSettings& settings = m_store.settings().mouseCursorIndicator;
    for (const auto& sync : m_syncs)
        sync(settings);
}

} // namespace mirevo

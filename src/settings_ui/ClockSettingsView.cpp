#include "settings_ui/ClockSettingsView.h"

#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsGroup.h"
#include "settings_ui/SettingsPageParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace mirevo {

ClockSettingsView::ClockSettingsView(AppSettingsManager& store, const Displays& displays,
                                     ClockPageActions actions, TimeSource now, QWidget* parent)
    : QWidget(parent), m_store(store), m_displays(displays), m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("clockSettingsView"));
    setMinimumSize(kMinimumSize);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("clockSettingsContent"));
    auto* page = new QVBoxLayout(content);
    page->setSpacing(16);
    page->addWidget(makePageHeader(SettingsTab::clock, localized("Clock", "title"), content));
    auto* hint = makeSecondaryLabel(localized("Clock", "drag_hint"));
    hint->setWordWrap(true);
    page->addWidget(hint);

    buildBasicGroup(page);
    buildFontGroup(page);
    buildFormatGroups(page, now);
    buildColorGroup(page);
    buildPositionGroup(page);
    buildSizeGroup(page);
    page->addStretch();
    alignFormLabels(content);

    auto* reset = new QPushButton(localized("Clock", "reset"));
    connect(reset, &QPushButton::clicked, this, &ClockSettingsView::resetToDefaults);
    setUpSettingsPage(this, content, localized("Clock", "title"), reset);

    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &ClockSettingsView::syncFromStore);
    syncFromStore();
}

QCheckBox* ClockSettingsView::addSwitch(SettingsGroup& group, const QString& name,
                                        const QString& text, bool ClockSettings::*field,
                                        Reaction reaction)
{
    auto* toggle = new QCheckBox(text);
    toggle->setObjectName(name);
    connect(toggle, &QCheckBox::toggled, this, [this, field, reaction](bool on) {
        edit([field, on](ClockSettings& clock) { clock.*field = on; }, reaction);
    });
    m_syncs.push_back([toggle, field](const ClockSettings& clock) {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(clock.*field);
    });
    group.addField(toggle);
    return toggle;
}

QComboBox* ClockSettingsView::addPicker(SettingsGroup& group, const QString& name,
                                        const QString& text, const QStringList& items,
                                        std::function<void(ClockSettings&, int)> choose,
                                        std::function<int(const ClockSettings&)> shown)
{
    auto* picker = new QComboBox;
    picker->setObjectName(name);
    picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    picker->addItems(items);
    connect(picker, &QComboBox::currentIndexChanged, this, [this, choose](int index) {
        if (index >= 0)
            edit([&choose, index](ClockSettings& clock) { choose(clock, index); },
                 Reaction::refresh);
    });
    m_syncs.push_back([picker, shown](const ClockSettings& clock) {
        const QSignalBlocker blocker(picker);
        picker->setCurrentIndex(shown(clock));
    });
    group.addRow(text, picker);
    return picker;
}

SteppedSlider* ClockSettingsView::addSlider(SettingsGroup& group, const QString& name,
                                            const QString& text, double ClockSettings::*field,
                                            double minimum, double maximum, double step,
                                            Reaction reaction,
                                            std::function<QString(double)> valueText)
{
    const SliderField slider = makeSliderField(name, minimum, maximum, step, valueText);
    connect(slider.slider, &SteppedSlider::steppedValueChanged, this,
            [this, field, reaction](double v) {
                edit([field, v](ClockSettings& clock) { clock.*field = v; }, reaction);
            });
    m_syncs.push_back([slider, field, valueText](const ClockSettings& clock) {
        slider.slider->showValue(clock.*field);
        slider.value->setText(valueText(clock.*field));
    });
    group.addRow(text, slider.layout, slider.slider);
    return slider.slider;
}

ColorWell* ClockSettingsView::addColorWell(SettingsGroup& group, const QString& name,
                                           const QString& text,
                                           ColorComponents ClockSettings::*field)
{
    auto* well = new ColorWell;
    well->setObjectName(name);
    connect(well, &ColorWell::colorPicked, this, [this, field](const QColor& color) {
        const ColorComponents picked = ColorComponents::fromPlatformColor(color);
        edit([field, picked](ClockSettings& clock) { clock.*field = picked; }, Reaction::refresh);
    });
    m_syncs.push_back([well, field](const ClockSettings& clock) {
        const QSignalBlocker blocker(well);
        well->setColor((clock.*field).toQColor());
    });
    group.addRow(text, well);
    return well;
}

QLineEdit* ClockSettingsView::addPositionField(SettingsGroup& group, const QString& name,
                                               const QString& text, double ClockSettings::*field)
{
    auto* input = new QLineEdit;
    input->setObjectName(name);
    fitWidthToText(input, QStringLiteral("-00000"));
    connect(input, &QLineEdit::editingFinished, this, [this, input, field] {
        const std::optional<double> value = parsePositionText(input->text());
        if (!value) {
            // Text that is no number changes nothing; the field shows the stored value.
            input->setText(positionText(m_store.settings().clock.*field));
            return;
        }
        input->setModified(false);
        edit([field, value](ClockSettings& clock) { clock.*field = *value; }, Reaction::apply);
    });
    m_syncs.push_back([input, field](const ClockSettings& clock) {
        // A number being typed is not overwritten by a move of the clock.
        if (input->hasFocus() && input->isModified())
            return;
        const QSignalBlocker blocker(input);
        input->setText(positionText(clock.*field));
    });
    group.addRow(text, input);
    return input;
}

void ClockSettingsView::edit(const std::function<void(ClockSettings&)>& change, Reaction reaction)
{
    m_store.edit([&change](AppSettings& settings) { change(settings.clock); });
    commit(reaction);
}

void ClockSettingsView::commit(Reaction reaction)
{
    m_store.saveSettings();
    const auto& action =
        reaction == Reaction::apply ? m_actions.applyClockSettings : m_actions.refreshClockView;
    if (action)
        action();
}

void ClockSettingsView::applyPreset(PositionPreset preset)
{
    const std::optional<QPointF> position =
        presetPosition(preset, m_displays, m_store.settings().clock);
    if (!position)
        return;
    m_store.edit([x = position->x()](AppSettings& s) { s.clock.positionX = x; });
    m_store.edit([y = position->y()](AppSettings& s) { s.clock.positionY = y; });
    commit(Reaction::apply);
}

void ClockSettingsView::resetToDefaults()
{
    m_store.setSettings(resetSettings(m_store.settings()));
    commit(Reaction::apply);
}

void ClockSettingsView::setMoveMode(bool on)
{
    m_store.edit([on](AppSettings& s) { s.clock.moveMode = on; });
    if (m_actions.applyMoveMode)
        m_actions.applyMoveMode();
}

void ClockSettingsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window coming back from the taskbar is no new appearance of the page.
    if (!event->spontaneous())
        setMoveMode(true);
}

void ClockSettingsView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        setMoveMode(false);
}

void ClockSettingsView::syncFromStore()
{
    const ClockSettings& clock = m_store.settings().clock;
    for (const auto& sync : m_syncs)
        sync(clock);
}

} // namespace mirevo

#include "settings_ui/ClockSettingsView.h"

#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/SettingsControls.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>

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
    page->setContentsMargins(20, 20, 20, 20);
    page->setSpacing(20);
    const QIcon icon = QIcon::fromTheme(QStringLiteral("preferences-system-time"),
                                        style()->standardIcon(QStyle::SP_BrowserReload));
    page->addWidget(makePageHeader(icon, localized("Clock", "title"), content));
    auto* hint = makeSecondaryLabel(localized("Clock", "drag_hint"));
    hint->setWordWrap(true);
    page->addWidget(hint);

    buildBasicGroup(page);
    buildFontGroup(page);
    buildFormatGroups(page, now);
    buildColorGroup(page);
    buildPositionGroup(page);
    buildSizeGroup(page);

    auto* reset = new QPushButton(localized("Clock", "reset"), content);
    reset->setObjectName(QStringLiteral("resetButton"));
    connect(reset, &QPushButton::clicked, this, &ClockSettingsView::resetToDefaults);
    auto* footer = new QHBoxLayout;
    footer->addWidget(reset);
    footer->addStretch();
    page->addLayout(footer);
    page->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &ClockSettingsView::syncFromStore);
    syncFromStore();
}

QCheckBox* ClockSettingsView::addSwitch(QFormLayout* form, const QString& name, const QString& text,
                                        bool ClockSettings::*field, Reaction reaction)
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
    form->addRow(toggle);
    return toggle;
}

SteppedSlider* ClockSettingsView::addSlider(QFormLayout* form, const QString& name,
                                            const QString& text, double ClockSettings::*field,
                                            double minimum, double maximum, double step,
                                            Reaction reaction,
                                            std::function<QString(double)> valueText)
{
    auto* slider = new SteppedSlider(minimum, maximum, step);
    slider->setObjectName(name + QStringLiteral("Slider"));
    auto* value = makeSecondaryLabel({});
    value->setObjectName(name + QStringLiteral("Value"));
    value->setMinimumWidth(45);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(slider, &SteppedSlider::steppedValueChanged, this, [this, field, reaction](double v) {
        edit([field, v](ClockSettings& clock) { clock.*field = v; }, reaction);
    });
    m_syncs.push_back([slider, value, field, valueText](const ClockSettings& clock) {
        const QSignalBlocker blocker(slider);
        slider->showValue(clock.*field);
        value->setText(valueText(clock.*field));
    });
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(value);
    form->addRow(text, row);
    return slider;
}

ColorWell* ClockSettingsView::addColorWell(QFormLayout* form, const QString& name,
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
    form->addRow(text, well);
    return well;
}

QLineEdit* ClockSettingsView::addPositionField(QFormLayout* form, const QString& name,
                                               const QString& text, double ClockSettings::*field)
{
    auto* input = new QLineEdit;
    input->setObjectName(name);
    input->setMaximumWidth(120);
    auto shown = [field](const ClockSettings& clock) {
        return QString::asprintf("%.0f", clock.*field);
    };
    connect(input, &QLineEdit::editingFinished, this, [this, input, field, shown] {
        const std::optional<double> value = parsePositionText(input->text());
        if (!value) {
            // Text that is no number changes nothing; the field shows the stored value.
            input->setText(shown(m_store.settings().clock));
            return;
        }
        input->setModified(false);
        edit([field, value](ClockSettings& clock) { clock.*field = *value; }, Reaction::apply);
    });
    m_syncs.push_back([input, shown](const ClockSettings& clock) {
        // A number being typed is not overwritten by a move of the clock.
        if (input->hasFocus() && input->isModified())
            return;
        const QSignalBlocker blocker(input);
        input->setText(shown(clock));
    });
    form->addRow(text, input);
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

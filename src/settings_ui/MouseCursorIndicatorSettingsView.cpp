#include "settings_ui/MouseCursorIndicatorSettingsView.h"

#include "platform/NotificationCenter.h"
#include "platform/SessionType.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsGroup.h"
#include "settings_ui/SettingsPageParts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace mirevo {
namespace {

SettingsGroup addGroup(QVBoxLayout* page, const QString& title, const QString& name)
{
    SettingsGroup group(name, title);
    page->addWidget(group.widget());
    return group;
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
    auto* content = new QWidget;
    auto* page = new QVBoxLayout(content);
    page->setSpacing(16);
    page->addWidget(
        makePageHeader(SettingsTab::mouseCursor, localized("MouseCursorIndicator", "title")));
    buildBasicGroup(page);
    buildSizeGroup(page);
    buildAppearanceGroup(page);
    page->addStretch();
    alignFormLabels(content);

    auto* reset = new QPushButton(localized("MouseCursorIndicator", "reset"));
    connect(reset, &QPushButton::clicked, this, &MouseCursorIndicatorSettingsView::resetToDefaults);
    setUpSettingsPage(this, content, localized("MouseCursorIndicator", "title"), reset);

    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &MouseCursorIndicatorSettingsView::syncFromStore);
    syncFromStore();
}

void MouseCursorIndicatorSettingsView::buildBasicGroup(QVBoxLayout* page)
{
    SettingsGroup group =
        addGroup(page, localized("MouseCursorIndicator", "basic"), QStringLiteral("basicGroup"));
    auto* toggle = new QCheckBox(localized("MouseCursorIndicator", "show_indicator"));
    toggle->setObjectName(QStringLiteral("showIndicatorSwitch"));
    connect(toggle, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](MouseCursorIndicatorSettings& s) { s.isVisible = on; }); });
    m_syncs.push_back([toggle](const MouseCursorIndicatorSettings& s) {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(s.isVisible);
    });
    group.addWideRow(toggle);
    auto* note = makeSecondaryLabel(localized("MouseCursorIndicator", "settings_note"));
    note->setWordWrap(true);
    group.addWideRow(note);
    if (!canFollowPointerEverywhere()) {
        auto* x11Only = makeSecondaryLabel(localized("MouseCursorIndicator", "needs_x11"));
        x11Only->setObjectName(QStringLiteral("needsX11Note"));
        x11Only->setWordWrap(true);
        group.addWideRow(x11Only);
    }
}

void MouseCursorIndicatorSettingsView::buildSizeGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("MouseCursorIndicator", "size_position"),
                                   QStringLiteral("sizePositionGroup"));
    addSlider(group, localized("MouseCursorIndicator", "size"), QStringLiteral("size"),
              &MouseCursorIndicatorSettings::size, 12, 32, 1,
              [](double v) { return pixelValueText(v); });
    group.addField(
        makePresetButtons({{"size_small", localized("MouseCursorIndicator", "size_small"), 16},
                           {"size_medium", localized("MouseCursorIndicator", "size_medium"), 20},
                           {"size_large", localized("MouseCursorIndicator", "size_large"), 28}},
                          this, [this](double value) {
                              edit([value](MouseCursorIndicatorSettings& s) { s.size = value; });
                          }));

    group.addSection(localized("MouseCursorIndicator", "offset"));
    addSlider(group, localized("Localizable", "X:"), QStringLiteral("offsetX"),
              &MouseCursorIndicatorSettings::offsetX, -30, 30, 1, signedWhole);
    addSlider(group, localized("Localizable", "Y:"), QStringLiteral("offsetY"),
              &MouseCursorIndicatorSettings::offsetY, -30, 30, 1, signedWhole);
}

void MouseCursorIndicatorSettingsView::buildAppearanceGroup(QVBoxLayout* page)
{
    SettingsGroup group = addGroup(page, localized("MouseCursorIndicator", "appearance"),
                                   QStringLiteral("appearanceGroup"));
    addSlider(group, localized("MouseCursorIndicator", "opacity"), QStringLiteral("opacity"),
              &MouseCursorIndicatorSettings::opacity, 0.5, 1.0, 0.05,
              [](double v) { return percentValueText(v); });
}

void MouseCursorIndicatorSettingsView::addSlider(SettingsGroup& group, const QString& label,
                                                 const QString& name,
                                                 double MouseCursorIndicatorSettings::*field,
                                                 double minimum, double maximum, double step,
                                                 std::function<QString(double)> valueText)
{
    const SliderField slider = makeSliderField(name, minimum, maximum, step, valueText);
    connect(slider.slider, &SteppedSlider::steppedValueChanged, this, [this, field](double v) {
        edit([field, v](MouseCursorIndicatorSettings& s) { s.*field = v; });
    });
    m_syncs.push_back([slider, field, valueText](const MouseCursorIndicatorSettings& s) {
        slider.slider->showValue(s.*field);
        slider.value->setText(valueText(s.*field));
    });
    group.addRow(label, slider.layout, slider.slider);
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

// The groups of controls of the IME indicator page, each wired to its field of the store.
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/SettingsPageParts.h"
#include "settings_ui/SteppedSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr int kNameWidth = 140;
constexpr int kLanguageFieldWidth = 50;

QLabel* fixedLabel(const QString& text, int width)
{
    auto* label = new QLabel(text);
    label->setFixedWidth(width);
    return label;
}

QLabel* valueLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeSecondary(label);
    return label;
}

// A label on the left and the current value on the right.
QHBoxLayout* labelledValueRow(const QString& text, QLabel* value)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(text));
    row->addStretch();
    row->addWidget(value);
    return row;
}

template <typename Slot>
QHBoxLayout* presetButtons(QWidget* receiver, const QList<std::pair<QString, double>>& presets,
                           const QString& namePrefix, Slot onChoose)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    int number = 0;
    for (const auto& [title, value] : presets) {
        auto* button = new QPushButton(title);
        button->setObjectName(namePrefix + QString::number(number++));
        applyTextStyle(button, TextStyle::caption);
        QObject::connect(button, &QPushButton::clicked, receiver,
                         [onChoose, value = value] { onChoose(value); });
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

} // namespace

QWidget* IMEIndicatorSettingsView::buildBasicGroup()
{
    const SettingsGroup group =
        makeSettingsGroup(QStringLiteral("basicGroup"), localized("IMEIndicator", "basic"),
                          QStringLiteral("preferences-system"), 12);
    m_showSwitch = new QCheckBox(localized("IMEIndicator", "show_indicator"));
    m_showSwitch->setObjectName(QStringLiteral("showIndicatorSwitch"));
    connect(m_showSwitch, &QCheckBox::toggled, this,
            [this](bool on) { commit([on](AppSettings& s) { s.imeIndicator.isVisible = on; }); });
    group.rows->addWidget(m_showSwitch);

    auto* hint = new QHBoxLayout;
    hint->setContentsMargins(0, 4, 0, 4);
    hint->addWidget(themeIconLabel(QStringLiteral("input-mouse"), 16));
    auto* hintText = new QLabel(localized("IMEIndicator", "drag_hint"));
    hintText->setObjectName(QStringLiteral("dragHint"));
    hintText->setWordWrap(true);
    applyTextStyle(hintText, TextStyle::callout);
    makeSecondary(hintText);
    hint->addWidget(hintText, 1);
    group.rows->addLayout(hint);
    return group.widget;
}

QWidget* IMEIndicatorSettingsView::buildSizeGroup()
{
    const SettingsGroup group =
        makeSettingsGroup(QStringLiteral("sizeGroup"), localized("IMEIndicator", "size"),
                          QStringLiteral("zoom-fit-best"), 12);

    m_sizeLabel = valueLabel(QStringLiteral("indicatorSizeLabel"));
    group.rows->addLayout(
        labelledValueRow(localized("IMEIndicator", "indicator_size"), m_sizeLabel));
    m_sizeSlider = new SteppedSlider(30, 200, 5);
    m_sizeSlider->setObjectName(QStringLiteral("indicatorSizeSlider"));
    group.rows->addWidget(m_sizeSlider);
    auto setSize = [this](double size) {
        commit([size](AppSettings& s) { s.imeIndicator.indicatorSize = size; });
    };
    connect(m_sizeSlider, &SteppedSlider::steppedValueChanged, this, setSize);
    group.rows->addLayout(presetButtons(this,
                                        {{localized("IMEIndicator", "size_small"), 40},
                                         {localized("IMEIndicator", "size_medium"), 60},
                                         {localized("IMEIndicator", "size_large"), 80},
                                         {localized("IMEIndicator", "size_xlarge"), 100}},
                                        QStringLiteral("sizePreset"), setSize));

    group.rows->addSpacing(4);
    group.rows->addWidget(makeDivider());
    group.rows->addSpacing(4);

    m_textSizeLabel = valueLabel(QStringLiteral("textSizeLabel"));
    group.rows->addLayout(
        labelledValueRow(localized("IMEIndicator", "text_size"), m_textSizeLabel));
    m_textSizeSlider = new SteppedSlider(0.3, 0.8, 0.05);
    m_textSizeSlider->setObjectName(QStringLiteral("textSizeSlider"));
    group.rows->addWidget(m_textSizeSlider);
    auto setRatio = [this](double ratio) {
        commit([ratio](AppSettings& s) { s.imeIndicator.fontSizeRatio = ratio; });
    };
    connect(m_textSizeSlider, &SteppedSlider::steppedValueChanged, this, setRatio);
    group.rows->addLayout(presetButtons(this,
                                        {{localized("IMEIndicator", "text_small"), 0.4},
                                         {localized("IMEIndicator", "text_normal"), 0.5},
                                         {localized("IMEIndicator", "text_large"), 0.6}},
                                        QStringLiteral("textSizePreset"), setRatio));
    return group.widget;
}

QWidget* IMEIndicatorSettingsView::buildPositionRow(const QString& label, bool isX)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fixedLabel(label, 80));
    auto* field = new QLineEdit;
    field->setObjectName(isX ? QStringLiteral("positionXField") : QStringLiteral("positionYField"));
    field->setFixedWidth(100);
    connect(field, &QLineEdit::textEdited, this,
            [this, isX](const QString& text) { editPosition(isX, text); });
    // Leaving the field shows the stored value in its usual form again.
    connect(field, &QLineEdit::editingFinished, this, [this, field, isX] {
        const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
        syncPositionField(field, isX ? s.positionX : s.positionY, true);
    });
    layout->addWidget(field);
    auto* unit = new QLabel(localized("IMEIndicator", "unit_pixels"));
    makeSecondary(unit);
    layout->addWidget(unit);
    layout->addStretch();
    (isX ? m_positionX : m_positionY) = field;
    return row;
}

QWidget* IMEIndicatorSettingsView::buildCornerButtons()
{
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    const QList<std::tuple<QString, const char*, IndicatorCorner>> corners{
        {localized("IMEIndicator", "bottom_left"), "bottomLeftButton", IndicatorCorner::bottomLeft},
        {localized("IMEIndicator", "bottom_right"), "bottomRightButton",
         IndicatorCorner::bottomRight},
        {localized("IMEIndicator", "top_left"), "topLeftButton", IndicatorCorner::topLeft},
        {localized("IMEIndicator", "top_right"), "topRightButton", IndicatorCorner::topRight},
    };
    for (const auto& [title, name, corner] : corners) {
        auto* button = new QPushButton(title);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this,
                [this, corner = corner] { moveToCorner(corner); });
        row->addWidget(button);
    }
    row->addStretch();
    return buttons;
}

QWidget* IMEIndicatorSettingsView::buildPositionGroup()
{
    const SettingsGroup group =
        makeSettingsGroup(QStringLiteral("positionGroup"), localized("IMEIndicator", "position"),
                          QStringLiteral("transform-move"), 12);
    group.rows->addWidget(buildPositionRow(localized("IMEIndicator", "position_x"), true));
    group.rows->addWidget(buildPositionRow(localized("IMEIndicator", "position_y"), false));

    auto* displayRow = new QHBoxLayout;
    displayRow->addWidget(fixedLabel(localized("IMEIndicator", "display"), 80));
    m_displayPopup = new QComboBox;
    m_displayPopup->setObjectName(QStringLiteral("displayPopup"));
    connect(m_displayPopup, &QComboBox::currentIndexChanged, this,
            &IMEIndicatorSettingsView::chooseDisplay);
    displayRow->addWidget(m_displayPopup);
    displayRow->addStretch();
    group.rows->addLayout(displayRow);
    group.rows->addWidget(buildCornerButtons());
    return group.widget;
}

QWidget* IMEIndicatorSettingsView::buildLanguageRow(InputLanguage language)
{
    const QString raw = rawValue(language);
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("languageRow_") + raw);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* name = fixedLabel(imeLanguageName(language), kNameWidth);
    name->setObjectName(QStringLiteral("languageName_") + raw);
    layout->addWidget(name);

    LanguageRow& controls = m_languageRows[languageIndex(language)];
    controls.text = new QLineEdit;
    controls.text->setObjectName(QStringLiteral("textField_") + raw);
    controls.text->setFixedWidth(kLanguageFieldWidth);
    connect(controls.text, &QLineEdit::textEdited, this, [this, language](const QString& text) {
        commit([&](AppSettings& s) { s.imeIndicator.texts[languageIndex(language)] = text; });
    });
    layout->addWidget(controls.text);

    controls.color = new ColorWell;
    controls.color->setObjectName(QStringLiteral("colorWell_") + raw);
    // Saved and announced at once like every other edit, so a pick is never lost when the
    // program quits before the next edit.
    connect(controls.color, &ColorWell::colorPicked, this, [this, language](const QColor& color) {
        commit([&](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(language)] =
                ColorComponents::fromPlatformColor(color);
        });
    });
    layout->addWidget(controls.color);
    layout->addStretch();
    return row;
}

QWidget* IMEIndicatorSettingsView::buildLanguageGroup()
{
    const SettingsGroup group = makeSettingsGroup(QStringLiteral("languageGroup"),
                                                  localized("IMEIndicator", "language_settings"),
                                                  QStringLiteral("preferences-desktop-locale"), 8);

    auto* header = new QHBoxLayout;
    header->addSpacing(kNameWidth);
    for (const QString& title :
         {localized("IMEIndicator", "text_label"), localized("IMEIndicator", "color_label")}) {
        auto* label = fixedLabel(title, kLanguageFieldWidth);
        applyTextStyle(label, TextStyle::caption);
        makeSecondary(label);
        header->addWidget(label);
    }
    header->addStretch();
    group.rows->addLayout(header);
    group.rows->addWidget(makeDivider());

    auto* list = new QWidget;
    auto* rows = new QVBoxLayout(list);
    rows->setContentsMargins(0, 0, 4, 0);
    rows->setSpacing(6);
    for (InputLanguage language : allInputLanguages())
        rows->addWidget(buildLanguageRow(language));
    rows->addStretch();
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("languageList"));
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(150);
    scroll->setWidget(list);
    makeTransparentScrollArea(scroll);
    group.rows->addWidget(scroll, 1);

    group.rows->addSpacing(4);
    group.rows->addWidget(makeDivider());
    group.rows->addSpacing(4);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fixedLabel(localized("IMEIndicator", "font"), kNameWidth));
    m_fontPopup = new QComboBox;
    m_fontPopup->setObjectName(QStringLiteral("fontPopup"));
    m_fontPopup->setMaximumWidth(180);
    m_fontPopup->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontPopup->setMinimumContentsLength(12);
    connect(m_fontPopup, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString family = m_fontPopup->itemData(index).toString();
        if (index < 0 || family.isEmpty())
            return;
        commit([&](AppSettings& s) { s.imeIndicator.fontName = family; });
    });
    fontRow->addWidget(m_fontPopup, 1);
    fontRow->addStretch();
    group.rows->addLayout(fontRow);
    return group.widget;
}

QWidget* IMEIndicatorSettingsView::buildColorGroup()
{
    const SettingsGroup group =
        makeSettingsGroup(QStringLiteral("colorGroup"), localized("IMEIndicator", "color"),
                          QStringLiteral("preferences-desktop-color"), 12);
    auto* row = new QHBoxLayout;
    row->addWidget(fixedLabel(localized("IMEIndicator", "opacity"), 100));
    m_opacitySlider = new SteppedSlider(0, 1, 0.05);
    m_opacitySlider->setObjectName(QStringLiteral("opacitySlider"));
    connect(m_opacitySlider, &SteppedSlider::steppedValueChanged, this, [this](double opacity) {
        commit([opacity](AppSettings& s) { s.imeIndicator.backgroundOpacity = opacity; });
    });
    row->addWidget(m_opacitySlider, 1);
    m_opacityLabel = valueLabel(QStringLiteral("opacityLabel"));
    m_opacityLabel->setFixedWidth(50);
    row->addWidget(m_opacityLabel);
    group.rows->addLayout(row);
    return group.widget;
}

} // namespace mirevo

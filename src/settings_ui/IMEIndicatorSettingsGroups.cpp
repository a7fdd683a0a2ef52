// The groups of controls of the IME indicator page, each wired to its field of the store.
#include "indicator/IMEIndicatorView.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/FontChoices.h"
#include "settings_ui/FontPicker.h"
#include "settings_ui/IMEIndicatorSettingsView.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsGroup.h"
#include "settings_ui/SettingsPageParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

#include <algorithm>

namespace mirevo {
namespace {

constexpr int kVisibleLanguageRows = 8;
constexpr int kLanguageColumnSpacing = 10;

QLabel* columnHeader(const QString& text)
{
    auto* label = makeSecondaryLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QWidget* IMEIndicatorSettingsView::buildBasicGroup()
{
    SettingsGroup group(QStringLiteral("basicGroup"), localized("IMEIndicator", "basic"),
                        QStringLiteral("preferences-system"));
    m_showSwitch = new QCheckBox(localized("IMEIndicator", "show_indicator"));
    m_showSwitch->setObjectName(QStringLiteral("showIndicatorSwitch"));
    connect(m_showSwitch, &QCheckBox::toggled, this,
            [this](bool on) { commit([on](AppSettings& s) { s.imeIndicator.isVisible = on; }); });
    group.addWideRow(m_showSwitch);

    auto* hint = new QHBoxLayout;
    hint->addWidget(themeIconLabel(QStringLiteral("input-mouse"), 16));
    auto* hintText = new QLabel(localized("IMEIndicator", "drag_hint"));
    hintText->setObjectName(QStringLiteral("dragHint"));
    hintText->setWordWrap(true);
    applyTextStyle(hintText, TextStyle::callout);
    makeSecondary(hintText);
    hint->addWidget(hintText, 1);
    group.addWideRow(hint);
    return group.widget();
}

SliderField IMEIndicatorSettingsView::addSlider(SettingsGroup& group, const QString& label,
                                                const QString& name, double lower, double upper,
                                                double step,
                                                const std::function<QString(double)>& valueText,
                                                double IMEIndicatorSettings::*field,
                                                const QList<Preset>& presets)
{
    const SliderField slider = makeSliderField(name, lower, upper, step, valueText);
    group.addRow(label, slider.layout, slider.slider);
    auto write = [this, field](double value) {
        commit([field, value](AppSettings& s) { s.imeIndicator.*field = value; });
    };
    connect(slider.slider, &SteppedSlider::steppedValueChanged, this, write);
    if (!presets.isEmpty())
        group.addField(makePresetButtons(presets, this, write));
    return slider;
}

QWidget* IMEIndicatorSettingsView::buildSizeGroup()
{
    SettingsGroup group(QStringLiteral("sizeGroup"), localized("IMEIndicator", "size"),
                        QStringLiteral("zoom-fit-best"));
    const SliderField size = addSlider(
        group, localized("IMEIndicator", "indicator_size"), QStringLiteral("indicatorSize"), 30,
        200, 5, [](double v) { return pixelValueText(v); }, &IMEIndicatorSettings::indicatorSize,
        {{"sizePreset0", localized("IMEIndicator", "size_small"), 40},
         {"sizePreset1", localized("IMEIndicator", "size_medium"), 60},
         {"sizePreset2", localized("IMEIndicator", "size_large"), 80},
         {"sizePreset3", localized("IMEIndicator", "size_xlarge"), 100}});
    m_sizeSlider = size.slider;
    m_sizeLabel = size.value;
    const SliderField ratio = addSlider(
        group, localized("IMEIndicator", "text_size"), QStringLiteral("textSize"), 0.3, 0.8, 0.05,
        [](double v) { return percentValueText(v); }, &IMEIndicatorSettings::fontSizeRatio,
        {{"textSizePreset0", localized("IMEIndicator", "text_small"), 0.4},
         {"textSizePreset1", localized("IMEIndicator", "text_normal"), 0.5},
         {"textSizePreset2", localized("IMEIndicator", "text_large"), 0.6}});
    m_textSizeSlider = ratio.slider;
    m_textSizeLabel = ratio.value;
    return group.widget();
}

QLineEdit* IMEIndicatorSettingsView::buildPositionField(bool isX)
{
    auto* field = new QLineEdit;
    field->setObjectName(isX ? QStringLiteral("positionXField") : QStringLiteral("positionYField"));
    fitWidthToText(field, QStringLiteral("-00000"));
    connect(field, &QLineEdit::textEdited, this,
            [this, isX](const QString& text) { editPosition(isX, text); });
    // Leaving the field shows the stored value in its usual form again.
    connect(field, &QLineEdit::editingFinished, this, [this, field, isX] {
        const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
        syncPositionField(field, isX ? s.positionX : s.positionY, true);
    });
    (isX ? m_positionX : m_positionY) = field;
    return field;
}

QWidget* IMEIndicatorSettingsView::buildPositionGroup()
{
    SettingsGroup group(QStringLiteral("positionGroup"), localized("IMEIndicator", "position"),
                        QStringLiteral("transform-move"));
    const std::pair<const char*, bool> axes[] = {{"position_x", true}, {"position_y", false}};
    for (const auto& [key, isX] : axes) {
        QLineEdit* field = buildPositionField(isX);
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        auto* unit = new QLabel(localized("IMEIndicator", "unit_pixels"));
        makeSecondary(unit);
        row->addWidget(unit);
        row->addStretch();
        group.addRow(isX ? localized("IMEIndicator", "position_x")
                         : localized("IMEIndicator", "position_y"),
                     row, field);
    }

    m_displayPopup = new QComboBox;
    m_displayPopup->setObjectName(QStringLiteral("displayPopup"));
    m_displayPopup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_displayPopup, &QComboBox::currentIndexChanged, this,
            &IMEIndicatorSettingsView::chooseDisplay);
    group.addRow(localized("IMEIndicator", "display"), m_displayPopup);

    auto corner = [this](IndicatorCorner which) { return [this, which] { moveToCorner(which); }; };
    group.addField(
        makeCornerButtons({{{"topLeftButton", localized("IMEIndicator", "top_left"),
                             corner(IndicatorCorner::topLeft)},
                            {"topRightButton", localized("IMEIndicator", "top_right"),
                             corner(IndicatorCorner::topRight)},
                            {"bottomLeftButton", localized("IMEIndicator", "bottom_left"),
                             corner(IndicatorCorner::bottomLeft)},
                            {"bottomRightButton", localized("IMEIndicator", "bottom_right"),
                             corner(IndicatorCorner::bottomRight)}}},
                          this));
    return group.widget();
}

QWidget* IMEIndicatorSettingsView::buildLanguageRow(InputLanguage language)
{
    const QString raw = rawValue(language);
    const QString name = imeLanguageName(language);
    LanguageRow& controls = m_languageRows[languageIndex(language)];
    controls.text = new QLineEdit;
    controls.text->setObjectName(QStringLiteral("textField_") + raw);
    controls.text->setAccessibleName(formatText(localized("IMEIndicator", "text_of %@"), name));
    fitWidthToText(controls.text, QStringLiteral("MMMM"));
    connect(controls.text, &QLineEdit::textEdited, this, [this, language](const QString& text) {
        commit([&](AppSettings& s) { s.imeIndicator.texts[languageIndex(language)] = text; });
    });

    controls.color = new ColorWell;
    controls.color->setObjectName(QStringLiteral("colorWell_") + raw);
    controls.color->setAccessibleName(formatText(localized("IMEIndicator", "color_of %@"), name));
    // Saved and announced at once like every other edit, so a pick is never lost when the
    // program quits before the next edit.
    connect(controls.color, &ColorWell::colorPicked, this, [this, language](const QColor& color) {
        commit([&](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(language)] =
                ColorComponents::fromPlatformColor(color);
        });
    });
    auto* label = new QLabel(name);
    label->setObjectName(QStringLiteral("languageName_") + raw);
    return label;
}

QWidget* IMEIndicatorSettingsView::buildLanguageGroup()
{
    SettingsGroup group(QStringLiteral("languageGroup"),
                        localized("IMEIndicator", "language_settings"),
                        QStringLiteral("preferences-desktop-locale"));
    group.widget()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    auto* list = new QWidget;
    auto* grid = new QGridLayout(list);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(kLanguageColumnSpacing);
    grid->setVerticalSpacing(6);
    int nameWidth = 0;
    for (InputLanguage language : allInputLanguages()) {
        const int row = languageIndex(language);
        QWidget* name = buildLanguageRow(language);
        nameWidth = std::max(nameWidth, name->sizeHint().width());
        grid->addWidget(name, row, 0);
        grid->addWidget(m_languageRows[row].text, row, 1);
        grid->addWidget(m_languageRows[row].color, row, 2);
    }
    grid->setColumnStretch(3, 1);

    // Headers over the text and colour columns; the list scrolls under them.
    QLabel* textHeader = columnHeader(localized("IMEIndicator", "text_label"));
    QLabel* colorHeader = columnHeader(localized("IMEIndicator", "color_label"));
    const int textWidth =
        std::max(textHeader->sizeHint().width(), m_languageRows[0].text->minimumWidth());
    const int colorWidth =
        std::max(colorHeader->sizeHint().width(), m_languageRows[0].color->sizeHint().width());
    grid->setColumnMinimumWidth(0, nameWidth);
    grid->setColumnMinimumWidth(1, textWidth);
    grid->setColumnMinimumWidth(2, colorWidth);
    auto* header = new QWidget;
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->setSpacing(kLanguageColumnSpacing);
    headerRow->addSpacing(nameWidth);
    textHeader->setFixedWidth(textWidth);
    colorHeader->setFixedWidth(colorWidth);
    headerRow->addWidget(textHeader);
    headerRow->addWidget(colorHeader);
    headerRow->addStretch();
    group.addWideRow(header);
    group.addWideRow(makeDivider());

    // A few rows' height; more when the other column is taller.
    QScrollArea* scroll =
        makeListArea(list, list->sizeHint().height() * kVisibleLanguageRows / kInputLanguageCount);
    scroll->setObjectName(QStringLiteral("languageList"));
    scroll->setAccessibleName(localized("IMEIndicator", "language_settings"));
    scroll->setMinimumHeight(150);
    group.addWideRow(scroll);
    group.addWideRow(makeDivider());

    // A family that is not installed is named with the one that draws the Japanese text.
    m_fontPopup =
        new FontPicker(localized("IMEIndicator", "system_font"), [this](const QString& name) {
            IMEIndicatorView badge;
            badge.fontName = name;
            return familyDrawing(badge.font(), QString::fromUcs4(&m_fontSample, 1));
        });
    m_fontPopup->setObjectName(QStringLiteral("fontPopup"));
    connect(m_fontPopup, &FontPicker::familyChosen, this, [this](const QString& family) {
        commit([&](AppSettings& s) { s.imeIndicator.fontName = family; });
    });
    group.addRow(localized("IMEIndicator", "font"), m_fontPopup);

    m_layoutLabelPopup = new QComboBox;
    m_layoutLabelPopup->setObjectName(QStringLiteral("layoutLabelPopup"));
    m_layoutLabelPopup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_layoutLabelPopup->addItem(localized("IMEIndicator", "layout_label_language"),
                                int(LayoutLabel::language));
    m_layoutLabelPopup->addItem(localized("IMEIndicator", "layout_label_code"),
                                int(LayoutLabel::layoutCode));
    connect(m_layoutLabelPopup, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        const auto label = LayoutLabel(m_layoutLabelPopup->itemData(index).toInt());
        commit([label](AppSettings& s) { s.imeIndicator.layoutLabel = label; });
    });
    group.addRow(localized("IMEIndicator", "layout_label"), m_layoutLabelPopup);
    return group.widget();
}

QWidget* IMEIndicatorSettingsView::buildColorGroup()
{
    SettingsGroup group(QStringLiteral("colorGroup"), localized("IMEIndicator", "color"),
                        QStringLiteral("preferences-desktop-color"));
    const SliderField opacity = addSlider(
        group, localized("IMEIndicator", "opacity"), QStringLiteral("opacity"), 0, 1, 0.05,
        [](double v) { return percentValueText(v); }, &IMEIndicatorSettings::backgroundOpacity);
    m_opacitySlider = opacity.slider;
    m_opacityLabel = opacity.value;
    return group.widget();
}

} // namespace mirevo

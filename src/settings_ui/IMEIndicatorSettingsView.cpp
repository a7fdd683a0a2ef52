#include "settings_ui/IMEIndicatorSettingsView.h"

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/FontChoices.h"
#include "settings_ui/SettingsPageParts.h"
#include "settings_ui/SteppedSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr QSize kMinimumPageSize{700, 500};
constexpr int kPadding = 20;
constexpr int kColumnSpacing = 40;
constexpr int kGroupSpacing = 20;

void setTextIfDifferent(QLineEdit* field, const QString& text)
{
    if (field->text() != text) {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
}

} // namespace

IMEIndicatorSettingsView::IMEIndicatorSettingsView(AppSettingsManager& store,
                                                   NotificationCenter& notifications,
                                                   const Displays& displays, QWidget* parent)
    : QScrollArea(parent), m_store(store), m_notifications(notifications), m_displays(displays)
{
    setObjectName(QStringLiteral("imeIndicatorSettingsView"));
    setMinimumSize(kMinimumPageSize);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(buildContent());
    syncFromStore();
    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &IMEIndicatorSettingsView::syncFromStore);
}

QWidget* IMEIndicatorSettingsView::buildContent()
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("imeIndicatorSettingsContent"));
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    page->setSpacing(0);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(kColumnSpacing);
    auto* left = new QVBoxLayout;
    left->setSpacing(kGroupSpacing);
    left->addWidget(buildHeader());
    left->addWidget(buildBasicGroup());
    left->addWidget(buildSizeGroup());
    left->addWidget(buildPositionGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->setSpacing(kGroupSpacing);
    right->addWidget(buildLanguageGroup(), 1);
    right->addWidget(buildColorGroup());
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    page->addLayout(columns, 1);

    page->addSpacing(20);
    page->addWidget(makeDivider());
    page->addSpacing(10);
    auto* reset = new QPushButton(localized("IMEIndicator", "reset"));
    reset->setObjectName(QStringLiteral("resetButton"));
    connect(reset, &QPushButton::clicked, this, &IMEIndicatorSettingsView::resetToDefaults);
    page->addWidget(reset, 0, Qt::AlignHCenter);
    return content;
}

QWidget* IMEIndicatorSettingsView::buildHeader()
{
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("imeIndicatorHeader"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 10);
    row->setSpacing(8);
    auto* symbol = new QLabel;
    symbol->setPixmap(textBoxSymbol(30, QColor(0, 122, 255), devicePixelRatioF()));
    row->addWidget(symbol);
    auto* title = new QLabel(localized("IMEIndicator", "title"));
    title->setObjectName(QStringLiteral("imeIndicatorTitle"));
    applyTextStyle(title, TextStyle::title);
    row->addWidget(title);
    row->addStretch();
    return header;
}

void IMEIndicatorSettingsView::saveAndNotify()
{
    m_store.saveSettings();
    m_notifications.post(notifications::kIMEIndicatorSettingsChanged);
}

void IMEIndicatorSettingsView::commit(const std::function<void(AppSettings&)>& change)
{
    m_store.edit(change);
    saveAndNotify();
}

void IMEIndicatorSettingsView::editPosition(bool isX, const QString& text)
{
    const std::optional<double> value = parsePositionText(text);
    if (!value)
        return;
    commit([&](AppSettings& s) {
        (isX ? s.imeIndicator.positionX : s.imeIndicator.positionY) = *value;
    });
}

void IMEIndicatorSettingsView::chooseDisplay(int index)
{
    if (index < 0)
        return;
    m_store.edit([index](AppSettings& s) { s.imeIndicator.displayIndex = index; });
    // A new display starts the badge near its bottom-left corner.
    if (!m_displays.isValidIndex(index))
        return;
    commit([](AppSettings& s) {
        s.imeIndicator.positionX = 20;
        s.imeIndicator.positionY = 20;
    });
}

void IMEIndicatorSettingsView::moveToCorner(IndicatorCorner corner)
{
    const IMEIndicatorSettings& current = m_store.settings().imeIndicator;
    const std::optional<QPointF> position =
        cornerPosition(corner, m_displays, current.displayIndex, current.indicatorSize);
    if (!position)
        return;
    commit([&](AppSettings& s) {
        s.imeIndicator.positionX = position->x();
        s.imeIndicator.positionY = position->y();
    });
}

void IMEIndicatorSettingsView::resetToDefaults()
{
    m_store.edit([](AppSettings& s) { s.imeIndicator = IMEIndicatorSettings(); });
    m_store.saveSettings();
    // The colour wells took the default colours from the store as it changed; writing them
    // back through QColor would only round the stored components to 16 bits.
    saveAndNotify();
}

void IMEIndicatorSettingsView::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    // A window restored from the taskbar is no new visit of the page.
    if (event->spontaneous())
        return;
    syncDisplayPopup();
    m_store.edit([](AppSettings& s) { s.imeIndicator.moveMode = true; });
    m_notifications.post(notifications::kIMEIndicatorSettingsChanged);
}

void IMEIndicatorSettingsView::hideEvent(QHideEvent* event)
{
    QScrollArea::hideEvent(event);
    if (event->spontaneous())
        return;
    m_store.edit([](AppSettings& s) { s.imeIndicator.moveMode = false; });
    saveAndNotify();
}

void IMEIndicatorSettingsView::syncFromStore()
{
    const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
    {
        const QSignalBlocker blocker(m_showSwitch);
        m_showSwitch->setChecked(s.isVisible);
    }
    m_sizeSlider->showValue(s.indicatorSize);
    m_sizeLabel->setText(pixelValueText(s.indicatorSize));
    m_textSizeSlider->showValue(s.fontSizeRatio);
    m_textSizeLabel->setText(percentValueText(s.fontSizeRatio));
    syncPositionField(m_positionX, s.positionX, false);
    syncPositionField(m_positionY, s.positionY, false);
    syncDisplayPopup();
    for (InputLanguage language : allInputLanguages()) {
        const LanguageRow& row = m_languageRows[languageIndex(language)];
        setTextIfDifferent(row.text, s.textForLanguage(language));
        row.color->setColor(s.colorForLanguage(language).toQColor());
    }
    syncFontPopup();
    m_opacitySlider->showValue(s.backgroundOpacity);
    m_opacityLabel->setText(percentValueText(s.backgroundOpacity));
}

void IMEIndicatorSettingsView::syncPositionField(QLineEdit* field, double value, bool force)
{
    // While the user types "1." or "01", the text already means the stored value: keep it.
    if (!force && parsePositionText(field->text()) == value)
        return;
    setTextIfDifferent(field, positionText(value));
}

void IMEIndicatorSettingsView::syncDisplayPopup()
{
    const QSignalBlocker blocker(m_displayPopup);
    const int count = m_displays.count();
    if (m_displayPopup->count() != count) {
        m_displayPopup->clear();
        for (int i = 0; i < count; ++i) {
            m_displayPopup->addItem(localized("IMEIndicator", "display_number %lld")
                                        .replace(QLatin1String("%lld"), QString::number(i + 1)));
        }
    }
    const qint64 index = m_store.settings().imeIndicator.displayIndex;
    m_displayPopup->setCurrentIndex(m_displays.isValidIndex(index) ? int(index) : -1);
}

void IMEIndicatorSettingsView::syncFontPopup()
{
    const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
    const QSignalBlocker blocker(m_fontPopup);
    const char32_t sample = fontSampleCharacter(s.textForLanguage(InputLanguage::japanese));
    if (sample != m_fontSample || m_fontPopup->count() == 0) {
        m_fontSample = sample;
        m_fontPopup->clear();
        m_fontPopup->addItem(localized("IMEIndicator", "system_font"), kSystemFontName);
        m_fontPopup->insertSeparator(1);
        for (const QString& family : fontFamiliesCovering(sample)) {
            m_fontPopup->addItem(family, family);
            m_fontPopup->setItemData(m_fontPopup->count() - 1, QFont(family, kFontSamplePointSize),
                                     Qt::FontRole);
        }
    }
    // A stored font that is not in the list (not installed, or not covering the sample)
    // is still named, but selects no item.
    m_fontPopup->setCurrentIndex(m_fontPopup->findData(s.fontName));
    m_fontPopup->setPlaceholderText(s.fontName);
}

} // namespace mirevo

#include "settings_ui/IMEIndicatorSettingsView.h"

#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "platform/StringTables.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"
#include "settings_ui/ColorWell.h"
#include "settings_ui/FontChoices.h"
#include "settings_ui/FontPicker.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsGroup.h"
#include "settings_ui/SettingsPageParts.h"
#include "settings_ui/SteppedSlider.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr QSize kMinimumPageSize{700, 500};
constexpr int kColumnSpacing = 32;
constexpr int kGroupSpacing = 16;

void setTextIfDifferent(QLineEdit* field, const QString& text)
{
    if (field->text() != text) {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
}

// The page's two columns: side by side when the page is wide enough for both, one above
// the other when it is not (a narrow window, a large desktop font), so nothing is cut.
class TwoColumns : public QWidget {
public:
    TwoColumns(QWidget* left, QWidget* right)
        : m_left(left), m_right(right), m_layout(new QBoxLayout(QBoxLayout::LeftToRight, this))
    {
        m_layout->setContentsMargins(0, 0, 0, 0);
        m_layout->setSpacing(kColumnSpacing);
        m_layout->addWidget(left, 1);
        m_layout->addWidget(right, 1);
    }

    QSize minimumSizeHint() const override
    {
        return {std::max(m_left->sizeHint().width(), m_right->sizeHint().width()),
                QWidget::minimumSizeHint().height()};
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        const int sideBySide =
            m_left->sizeHint().width() + kColumnSpacing + m_right->sizeHint().width();
        const auto direction =
            width() >= sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
        if (m_layout->direction() != direction)
            m_layout->setDirection(direction);
    }

private:
    QWidget* m_left;
    QWidget* m_right;
    QBoxLayout* m_layout;
};

QWidget* column(const QList<QWidget*>& groups, int stretchingGroup)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kGroupSpacing);
    for (int index = 0; index < groups.size(); ++index)
        layout->addWidget(groups[index], index == stretchingGroup ? 1 : 0);
    if (stretchingGroup < 0)
        layout->addStretch();
    return widget;
}

} // namespace

IMEIndicatorSettingsView::IMEIndicatorSettingsView(AppSettingsManager& store,
                                                   NotificationCenter& notifications,
                                                   const Displays& displays, QWidget* parent)
    : QWidget(parent), m_store(store), m_notifications(notifications), m_displays(displays)
{
    setObjectName(QStringLiteral("imeIndicatorSettingsView"));
    setMinimumSize(kMinimumPageSize);
    auto* reset = new QPushButton(localized("IMEIndicator", "reset"));
    connect(reset, &QPushButton::clicked, this, &IMEIndicatorSettingsView::resetToDefaults);
    setUpSettingsPage(this, buildContent(), localized("IMEIndicator", "title"), reset);
    syncFromStore();
    connect(&m_store, &AppSettingsManager::settingsChanged, this,
            &IMEIndicatorSettingsView::syncFromStore);
}

QWidget* IMEIndicatorSettingsView::buildContent()
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("imeIndicatorSettingsContent"));
    auto* page = new QVBoxLayout(content);
    page->setSpacing(kGroupSpacing);
    page->addWidget(makePageHeader(SettingsTab::imeIndicator, localized("IMEIndicator", "title")));
    QWidget* left = column({buildBasicGroup(), buildSizeGroup(), buildPositionGroup()}, -1);
    QWidget* right = column({buildLanguageGroup(), buildColorGroup()}, 0);
    alignFormLabels(left);
    alignFormLabels(right);
    page->addWidget(new TwoColumns(left, right));
    page->addStretch();
    return content;
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
    // Move mode is no setting but the state of this page: a reset while the page is shown
    // leaves the badge draggable.
    m_store.edit([](AppSettings& s) {
        const bool moveMode = s.imeIndicator.moveMode;
        s.imeIndicator = IMEIndicatorSettings();
        s.imeIndicator.moveMode = moveMode;
    });
    m_store.saveSettings();
    // The colour wells took the default colours from the store as it changed; writing them
    // back through QColor would only round the stored components to 16 bits.
    saveAndNotify();
}

void IMEIndicatorSettingsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window restored from the taskbar is no new visit of the page.
    if (event->spontaneous())
        return;
    syncDisplayPopup();
    m_store.edit([](AppSettings& s) { s.imeIndicator.moveMode = true; });
    m_notifications.post(notifications::kIMEIndicatorSettingsChanged);
}

void IMEIndicatorSettingsView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
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
    {
        const QSignalBlocker blocker(m_layoutLabelPopup);
        m_layoutLabelPopup->setCurrentIndex(m_layoutLabelPopup->findData(int(s.layoutLabel)));
    }
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
            m_displayPopup->addItem(
                formatCount(localized("IMEIndicator", "display_number %lld"), i + 1));
        }
    }
    const qint64 index = m_store.settings().imeIndicator.displayIndex;
    m_displayPopup->setCurrentIndex(m_displays.isValidIndex(index) ? int(index) : -1);
}

void IMEIndicatorSettingsView::syncFontPopup()
{
    const IMEIndicatorSettings& s = m_store.settings().imeIndicator;
    const char32_t sample = fontSampleCharacter(s.textForLanguage(InputLanguage::japanese));
    if (sample != m_fontSample || m_fontPopup->count() == 0) {
        m_fontSample = sample;
        m_fontPopup->setFamilies(fontFamiliesCovering(sample));
    }
    // A stored font that is not in the list (not installed, or not covering the sample)
    // shows as an entry of its own.
    m_fontPopup->showFamily(s.fontName);
}

} // namespace mirevo

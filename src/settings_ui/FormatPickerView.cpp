#include "settings_ui/FormatPickerView.h"

#include "platform/StringTables.h"
#include "settings_ui/ElidedLabel.h"
#include "settings_ui/FormatPatternEditor.h"
#include "settings_ui/RevealAnimation.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsPageParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace mirevo {
namespace {

constexpr int kLabelBoxWidth = 70;

// A row that reacts to a click anywhere outside its own buttons.
class ClickableFrame : public QFrame {
public:
    using QFrame::QFrame;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick)
            onClick();
    }
};

// The summary's radio mark, a picture only: the row takes the clicks.
QRadioButton* makeRadioMark(QWidget* parent)
{
    auto* radio = new QRadioButton(parent);
    radio->setAutoExclusive(false);
    radio->setFocusPolicy(Qt::NoFocus);
    radio->setAttribute(Qt::WA_TransparentForMouseEvents);
    return radio;
}

QToolButton* makeChevron(Qt::ArrowType arrow, QWidget* parent)
{
    auto* chevron = new QToolButton(parent);
    chevron->setArrowType(arrow);
    chevron->setAutoRaise(true);
    chevron->setIconSize(QSize(12, 12));
    return chevron;
}

} // namespace

FormatPickerView::FormatPickerView(FormatPickerConfig config, QString locale, TimeSource now,
                                   QWidget* parent)
    : QWidget(parent), m_config(std::move(config)), m_locale(std::move(locale)),
      m_now(now ? std::move(now) : TimeSource([] { return QDateTime::currentDateTime(); })),
      m_currentDate(m_now()), m_timer(this)
{
    setObjectName(m_config.objectName);
    m_timer.setObjectName(QStringLiteral("previewTimer"));
    m_timer.setInterval(kPreviewIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FormatPickerView::refreshPreviews);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildSummary());
    column->addWidget(buildExpandedPanel());
    m_panel->hide();
    refreshPreviews();
}

QWidget* FormatPickerView::buildSummary()
{
    auto* summary = new ClickableFrame(this);
    summary->setObjectName(QStringLiteral("summaryRow"));
    summary->setStyleSheet(
        QStringLiteral("#summaryRow { background: rgba(128,128,128,26); border-radius: 6px; }"));
    summary->onClick = [this] { setExpanded(true); };
    auto* row = new QHBoxLayout(summary);
    row->setContentsMargins(8, 6, 8, 6);
    auto* mark = makeRadioMark(summary);
    mark->setChecked(true);
    m_summaryLabel = new QLabel(summary);
    m_summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    m_summaryPreview = makeFormatPreview(summary);
    m_summaryPreview->setObjectName(QStringLiteral("summaryPreview"));
    // The chevron opens the list from the keyboard too.
    auto* chevron = makeChevron(Qt::DownArrow, summary);
    chevron->setObjectName(QStringLiteral("expandButton"));
    chevron->setAccessibleName(m_config.heading);
    connect(chevron, &QToolButton::clicked, this, [this] { setExpanded(true); });
    row->addWidget(mark);
    row->addWidget(m_summaryLabel);
    row->addWidget(m_summaryPreview, 1);
    row->addWidget(chevron);
    m_summary = summary;
    return summary;
}

QWidget* FormatPickerView::buildExpandedPanel()
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("expandedPanel"));
    m_panel->setStyleSheet(
        QStringLiteral("#expandedPanel { background: rgba(128,128,128,13); border-radius: 6px; }"));
    m_panelLayout = new QVBoxLayout(m_panel);
    m_panelLayout->setContentsMargins(8, 8, 8, 8);
    m_panelLayout->setSpacing(4);

    auto* heading = new QHBoxLayout;
    heading->addWidget(makeSecondaryLabel(m_config.heading, m_panel));
    heading->addStretch();
    auto* collapse = makeChevron(Qt::UpArrow, m_panel);
    collapse->setObjectName(QStringLiteral("collapseButton"));
    collapse->setAccessibleName(localized("Clock", "close"));
    connect(collapse, &QToolButton::clicked, this, [this] { setExpanded(false); });
    heading->addWidget(collapse);
    m_panelLayout->addLayout(heading);

    int labelWidth = kLabelBoxWidth;
    for (int index = 0; index < m_config.styles.size(); ++index) {
        const FormatPickerStyle& style = m_config.styles[index];
        if (index > 0)
            m_panelLayout->addWidget(makeDivider());
        auto* frame = new ClickableFrame(m_panel);
        frame->setObjectName(QStringLiteral("row_") + style.rawValue);
        frame->onClick = [this, index] { chooseStyle(index); };
        auto* row = new QHBoxLayout(frame);
        row->setContentsMargins(0, 2, 0, 2);
        // The radio button carries the style's name and takes the keyboard focus.
        auto* radio = new QRadioButton(style.label, frame);
        radio->setObjectName(QStringLiteral("radio_") + style.rawValue);
        radio->setAutoExclusive(false);
        connect(radio, &QRadioButton::clicked, this, [this, index] { chooseStyle(index); });
        Row entry{frame, radio, makeFormatPreview(frame), nullptr};
        entry.preview->setObjectName(QStringLiteral("preview_") + style.rawValue);
        labelWidth = std::max(labelWidth, radio->sizeHint().width());
        row->addWidget(entry.radio);
        row->addWidget(entry.preview, 1);
        if (style.customSlot != 0) {
            entry.editButton = new QPushButton(frame);
            entry.editButton->setObjectName(QStringLiteral("edit_") + style.rawValue);
            entry.editButton->setAccessibleDescription(style.label);
            QFont caption = entry.editButton->font();
            caption.setPointSizeF(caption.pointSizeF() * 0.9);
            entry.editButton->setFont(caption);
            connect(entry.editButton, &QPushButton::clicked, this,
                    [this, index] { toggleEditor(index); });
            row->addWidget(entry.editButton);
        }
        m_panelLayout->addWidget(frame);
        m_rows << entry;
    }
    // One width for every style name keeps the previews in a column.
    for (const Row& row : m_rows)
        row.radio->setFixedWidth(labelWidth);
    m_panelLayout->addWidget(buildEditor());
    m_editor->hide();
    updateSelectionMarks();
    updateEditButtons();
    return m_panel;
}

QWidget* FormatPickerView::buildEditor()
{
    m_editor = new FormatPatternEditor(m_config.heading, m_config.placeholder, m_config.helpTexts,
                                       m_config.examples, m_panel);
    connect(m_editor, &FormatPatternEditor::patternEdited, this, &FormatPickerView::editPattern);
    return m_editor;
}

void FormatPickerView::setState(int selectedIndex, const QString& custom1, const QString& custom2)
{
    m_selected = std::clamp(selectedIndex, 0, int(m_config.styles.size()) - 1);
    m_custom1 = custom1;
    m_custom2 = custom2;
    if (m_editing)
        m_editor->showPattern(customPattern(m_config.styles[*m_editing].customSlot));
    updateSelectionMarks();
    refreshPreviews();
}

void FormatPickerView::setExpanded(bool expanded)
{
    if (!expanded && m_editing) {
        m_editing.reset();
        updateEditButtons();
        setRevealed(m_editor, false, kAnimationMs);
    }
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_summary->setVisible(!expanded);
    setRevealed(m_panel, expanded, kAnimationMs);
}

void FormatPickerView::chooseStyle(int index)
{
    if (index < 0 || index >= m_config.styles.size())
        return;
    m_selected = index;
    updateSelectionMarks();
    refreshPreviews();
    emit styleChosen(index);
    setExpanded(false);
}

void FormatPickerView::toggleEditor(int index)
{
    if (index < 0 || index >= m_config.styles.size() || m_config.styles[index].customSlot == 0)
        return;
    if (m_editing == index) {
        m_editing.reset();
        setRevealed(m_editor, false, kAnimationMs);
    } else {
        m_editing = index;
        m_editor->showPattern(customPattern(m_config.styles[index].customSlot));
        m_editor->setStyleLabel(m_config.styles[index].label);
        placeEditor();
        setRevealed(m_editor, true, kAnimationMs);
    }
    updateEditButtons();
    refreshPreviews();
}

void FormatPickerView::placeEditor()
{
    m_panelLayout->removeWidget(m_editor);
    const int rowAt = m_panelLayout->indexOf(m_rows[*m_editing].frame);
    m_panelLayout->insertWidget(rowAt + 1, m_editor);
}

void FormatPickerView::editPattern(const QString& pattern)
{
    if (!m_editing)
        return;
    const int slot = m_config.styles[*m_editing].customSlot;
    (slot == 1 ? m_custom1 : m_custom2) = pattern;
    refreshPreviews();
    emit customFormatEdited(slot, pattern);
}

QString FormatPickerView::customPattern(int slot) const
{
    return slot == 1 ? m_custom1 : m_custom2;
}

void FormatPickerView::refreshPreviews()
{
    m_currentDate = m_now();
    auto previewOf = [this](int index) {
        return m_config.preview(m_currentDate, index, m_custom1, m_custom2);
    };
    m_summaryLabel->setText(m_config.styles.value(m_selected).label);
    m_summaryPreview->setText(previewOf(m_selected));
    for (int index = 0; index < m_rows.size(); ++index)
        m_rows[index].preview->setText(previewOf(index));
    std::optional<QString> pattern;
    if (m_editing)
        pattern = customPattern(m_config.styles[*m_editing].customSlot);
    m_editor->refreshPreviews(m_currentDate, m_locale, pattern);
}

void FormatPickerView::updateSelectionMarks()
{
    for (int index = 0; index < m_rows.size(); ++index)
        m_rows[index].radio->setChecked(index == m_selected);
}

void FormatPickerView::updateEditButtons()
{
    for (int index = 0; index < m_rows.size(); ++index) {
        if (QPushButton* button = m_rows[index].editButton)
            button->setText(m_editing == index ? localized("Clock", "close")
                                               : localized("Clock", "edit"));
    }
}

void FormatPickerView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshPreviews();
    m_timer.start();
}

void FormatPickerView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

} // namespace mirevo

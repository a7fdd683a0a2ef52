#include "settings_ui/FormatPickerView.h"

#include "clock/DateTimeFormats.h"
#include "platform/StringTables.h"
#include "settings_ui/ElidedLabel.h"
#include "settings_ui/RevealAnimation.h"
#include "settings_ui/SettingsControls.h"
#include "settings_ui/SettingsPageParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>

namespace mirevo {
namespace {

constexpr int kLabelBoxWidth = 70;
// The example list shows about this many examples at once, whatever the font size.
constexpr double kVisibleExamples = 3.5;

// A preview: one line in the secondary colour, cut with "…" rather than widening the page.
ElidedLabel* makePreview(QWidget* parent, TextStyle style = TextStyle::caption)
{
    auto* label = new ElidedLabel(parent);
    applyTextStyle(label, style);
    makeSecondary(label);
    return label;
}

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

// A bordered button holding an example pattern and, smaller, what it shows now.
class ExampleButton : public QPushButton {
public:
    ExampleButton(const QString& pattern, QLabel* preview, QWidget* parent) : QPushButton(parent)
    {
        setAccessibleName(pattern);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(8, 3, 8, 3);
        auto* text = new QLabel(pattern, this);
        text->setAttribute(Qt::WA_TransparentForMouseEvents);
        preview->setParent(this);
        preview->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(text);
        row->addWidget(preview);
        row->addStretch();
    }
    QSize sizeHint() const override { return layout()->totalSizeHint(); }
    QSize minimumSizeHint() const override { return layout()->totalMinimumSize(); }
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
    m_summaryPreview = makePreview(summary);
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
        Row entry{frame, radio, makePreview(frame), nullptr};
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
    m_editor = new QFrame(m_panel);
    m_editor->setObjectName(QStringLiteral("patternEditor"));
    m_editor->setStyleSheet(
        QStringLiteral("#patternEditor { background: rgba(0,0,255,13); border-radius: 6px; }"));
    auto* column = new QVBoxLayout(m_editor);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);

    auto* editing = new QHBoxLayout;
    m_patternField = new QLineEdit(m_editor);
    m_patternField->setObjectName(QStringLiteral("patternField"));
    m_patternField->setPlaceholderText(m_config.placeholder);
    m_patternField->setAccessibleName(m_config.heading);
    fitWidthToText(m_patternField, QStringLiteral("yyyy/MM/dd EEE"));
    connect(m_patternField, &QLineEdit::textEdited, this, &FormatPickerView::editPattern);
    m_patternPreview = new ElidedLabel(m_editor);
    m_patternPreview->setObjectName(QStringLiteral("patternPreview"));
    QFont medium = m_patternPreview->font();
    medium.setWeight(QFont::Medium);
    m_patternPreview->setFont(medium);
    m_patternPreview->setStyleSheet(QStringLiteral("color: #1f6feb;"));
    editing->addWidget(m_patternField);
    editing->addWidget(makeSecondaryLabel(QStringLiteral("→"), m_editor));
    editing->addWidget(m_patternPreview, 1);
    column->addLayout(editing);
    m_patternError = new QLabel(localized("Clock", "format_invalid"), m_editor);
    m_patternError->setObjectName(QStringLiteral("patternError"));
    m_patternError->setWordWrap(true);
    m_patternError->setStyleSheet(QStringLiteral("color: #d0342c;"));
    m_patternError->hide();
    column->addWidget(m_patternError);

    column->addWidget(makeSecondaryLabel(localized("Clock", "format_examples"), m_editor));
    auto* list = new QWidget;
    auto* listColumn = new QVBoxLayout(list);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(2);
    for (int index = 0; index < m_config.examples.size(); ++index) {
        const QString& example = m_config.examples[index];
        ElidedLabel* preview = makePreview(nullptr, TextStyle::caption2);
        preview->setObjectName(QStringLiteral("examplePreview_%1").arg(index));
        auto* button = new ExampleButton(example, preview, list);
        button->setObjectName(QStringLiteral("example_%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, example] {
            m_patternField->setText(example);
            editPattern(example);
        });
        listColumn->addWidget(button);
        m_examplePreviews << preview;
    }
    auto* scroll = new QScrollArea(m_editor);
    scroll->setAccessibleName(localized("Clock", "format_examples"));
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    const int exampleHeight =
        listColumn->count() > 0 ? listColumn->itemAt(0)->sizeHint().height() + 2 : 0;
    scroll->setMaximumHeight(int(exampleHeight * kVisibleExamples));
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(scroll);

    for (const QString& help : m_config.helpTexts) {
        auto* label = makeSecondaryLabel(help, m_editor);
        label->setWordWrap(true);
        column->addWidget(label);
    }
    return m_editor;
}

void FormatPickerView::setState(int selectedIndex, const QString& custom1, const QString& custom2)
{
    m_selected = std::clamp(selectedIndex, 0, int(m_config.styles.size()) - 1);
    m_custom1 = custom1;
    m_custom2 = custom2;
    if (m_editing) {
        const QString pattern = customPattern(m_config.styles[*m_editing].customSlot);
        if (m_patternField->text() != pattern)
            m_patternField->setText(pattern);
    }
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
        m_patternField->setText(customPattern(m_config.styles[index].customSlot));
        m_patternField->setAccessibleDescription(m_config.styles[index].label);
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
    if (m_editing) {
        const QString pattern = customPattern(m_config.styles[*m_editing].customSlot);
        const QString shown = formatWithPattern(m_currentDate, pattern, m_locale);
        m_patternPreview->setText(shown);
        // A pattern the formatter rejects shows nothing; say why.
        m_patternError->setVisible(!pattern.isEmpty() && shown.isEmpty());
    }
    for (int index = 0; index < m_examplePreviews.size(); ++index)
        m_examplePreviews[index]->setText(
            formatWithPattern(m_currentDate, m_config.examples[index], m_locale));
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

#include "settings_ui/FormatPatternEditor.h"

#include "clock/DateTimeFormats.h"
#include "platform/StringTables.h"
#include "settings_ui/ElidedLabel.h"
#include "settings_ui/SettingsControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace mirevo {
namespace {

// The example list shows about this many examples at once, whatever the font size.
constexpr double kVisibleExamples = 3.5;

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

} // namespace

ElidedLabel* makeFormatPreview(QWidget* parent, TextStyle style)
{
    auto* label = new ElidedLabel(parent);
    applyTextStyle(label, style);
    makeSecondary(label);
    return label;
}

FormatPatternEditor::FormatPatternEditor(const QString& heading, const QString& placeholder,
                                         const QStringList& helpTexts, QStringList examples,
                                         QWidget* parent)
    : QFrame(parent), m_examples(std::move(examples))
{
    setObjectName(QStringLiteral("patternEditor"));
    setStyleSheet(
        QStringLiteral("#patternEditor { background: rgba(0,0,255,13); border-radius: 6px; }"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);

    auto* editing = new QHBoxLayout;
    m_patternField = new QLineEdit(this);
    m_patternField->setObjectName(QStringLiteral("patternField"));
    m_patternField->setPlaceholderText(placeholder);
    m_patternField->setAccessibleName(heading);
    fitWidthToText(m_patternField, QStringLiteral("yyyy/MM/dd EEE"));
    connect(m_patternField, &QLineEdit::textEdited, this, &FormatPatternEditor::patternEdited);
    m_patternPreview = new ElidedLabel(this);
    m_patternPreview->setObjectName(QStringLiteral("patternPreview"));
    QFont medium = m_patternPreview->font();
    medium.setWeight(QFont::Medium);
    m_patternPreview->setFont(medium);
    m_patternPreview->setStyleSheet(QStringLiteral("color: #1f6feb;"));
    editing->addWidget(m_patternField);
    editing->addWidget(makeSecondaryLabel(QStringLiteral("→"), this));
    editing->addWidget(m_patternPreview, 1);
    column->addLayout(editing);
    m_patternError = new QLabel(localized("Clock", "format_invalid"), this);
    m_patternError->setObjectName(QStringLiteral("patternError"));
    m_patternError->setWordWrap(true);
    m_patternError->setStyleSheet(QStringLiteral("color: #d0342c;"));
    m_patternError->hide();
    column->addWidget(m_patternError);

    column->addWidget(makeSecondaryLabel(localized("Clock", "format_examples"), this));
    column->addWidget(buildExampleList());
    for (const QString& help : helpTexts) {
        auto* label = makeSecondaryLabel(help, this);
        label->setWordWrap(true);
        column->addWidget(label);
    }
}

QWidget* FormatPatternEditor::buildExampleList()
{
    auto* list = new QWidget;
    auto* listColumn = new QVBoxLayout(list);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(2);
    for (int index = 0; index < m_examples.size(); ++index) {
        const QString& example = m_examples[index];
        ElidedLabel* preview = makeFormatPreview(nullptr, TextStyle::caption2);
        preview->setObjectName(QStringLiteral("examplePreview_%1").arg(index));
        auto* button = new ExampleButton(example, preview, list);
        button->setObjectName(QStringLiteral("example_%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, example] {
            m_patternField->setText(example);
            emit patternEdited(example);
        });
        listColumn->addWidget(button);
        m_examplePreviews << preview;
    }
    auto* scroll = new QScrollArea(this);
    scroll->setAccessibleName(localized("Clock", "format_examples"));
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    const int exampleHeight =
        listColumn->count() > 0 ? listColumn->itemAt(0)->sizeHint().height() + 2 : 0;
    scroll->setMaximumHeight(int(exampleHeight * kVisibleExamples));
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

void FormatPatternEditor::showPattern(const QString& pattern)
{
    if (m_patternField->text() != pattern)
        m_patternField->setText(pattern);
}

void FormatPatternEditor::setStyleLabel(const QString& styleLabel)
{
    m_patternField->setAccessibleDescription(styleLabel);
}

void FormatPatternEditor::refreshPreviews(const QDateTime& time, const QString& locale,
                                          const std::optional<QString>& pattern)
{
    if (pattern) {
        const QString shown = formatWithPattern(time, *pattern, locale);
        m_patternPreview->setText(shown);
        // A pattern the formatter rejects shows nothing; say why.
        m_patternError->setVisible(!pattern->isEmpty() && shown.isEmpty());
    }
    for (int index = 0; index < m_examplePreviews.size(); ++index)
        m_examplePreviews[index]->setText(formatWithPattern(time, m_examples[index], locale));
}

} // namespace mirevo

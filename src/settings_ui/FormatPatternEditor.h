#pragma once

#include "settings_ui/SettingsPageParts.h"

#include <QDateTime>
#include <QFrame>
#include <QList>
#include <QStringList>

#include <optional>

class QLabel;
class QLineEdit;

namespace mirevo {

class ElidedLabel;

// A format preview: one line in the secondary colour, cut with "…" rather than widening
// the page.
ElidedLabel* makeFormatPreview(QWidget* parent, TextStyle style = TextStyle::caption);

// The inline editor of a custom date or time pattern: the pattern field with what it shows
// now, a note when the formatter rejects it, and example patterns that fill the field
// when clicked. It stores nothing: edits leave through patternEdited().
class FormatPatternEditor : public QFrame {
    Q_OBJECT
public:
    FormatPatternEditor(const QString& heading, const QString& placeholder,
                        const QStringList& helpTexts, QStringList examples,
                        QWidget* parent = nullptr);

    // Puts `pattern` in the field when it differs; `styleLabel` names the style it edits
    // for screen readers.
    void showPattern(const QString& pattern);
    void setStyleLabel(const QString& styleLabel);

    // Redraws the examples, and with `pattern` the field's preview and note, at `time`.
    void refreshPreviews(const QDateTime& time, const QString& locale,
                         const std::optional<QString>& pattern);

signals:
    void patternEdited(const QString& pattern);

private:
    QWidget* buildExampleList();

    QStringList m_examples;
    QLineEdit* m_patternField = nullptr;
    ElidedLabel* m_patternPreview = nullptr;
    QLabel* m_patternError = nullptr;
    QList<ElidedLabel*> m_examplePreviews;
};

} // namespace mirevo

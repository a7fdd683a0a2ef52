#pragma once

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace mirevo {

class ElidedLabel;
class FormatPatternEditor;

// The clock that previews read; tests hand in their own.
using TimeSource = std::function<QDateTime()>;

struct FormatPickerStyle {
    QString rawValue;
    QString label;
    // 1 or 2 for a style drawn with the user's pattern of that number; 0 for the locale's.
    int customSlot = 0;
};

// What tells the date picker from the time picker.
struct FormatPickerConfig {
    QString objectName;
    QString heading;
    QList<FormatPickerStyle> styles;
    QString placeholder;
    QStringList helpTexts;
    QStringList examples;
    // Text of styles[index] at `time`, given the two custom patterns.
    std::function<QString(const QDateTime& time, int index, const QString& custom1,
                          const QString& custom2)>
        preview;
};

// A collapsible list of format styles with a live preview of each, and an inline editor
// for the custom patterns. It writes nothing itself: choices and edits leave through its
// signals, and the stored values come back through setState().
class FormatPickerView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAnimationMs = 200;
    static constexpr int kPreviewIntervalMs = 1000;

    FormatPickerView(FormatPickerConfig config, QString locale, TimeSource now,
                     QWidget* parent = nullptr);

    // Shows the stored style and patterns; emits nothing.
    void setState(int selectedIndex, const QString& custom1, const QString& custom2);

    int selectedIndex() const { return m_selected; }
    bool isExpanded() const { return m_expanded; }
    // Index of the custom style whose pattern editor is open.
    std::optional<int> editingCustom() const { return m_editing; }

    void setExpanded(bool expanded);
    // Selects the style and closes the list and the editor.
    void chooseStyle(int index);
    // Opens the editor of a custom style, or closes it when it is open; selects nothing.
    void toggleEditor(int index);
    // Reads the time source and redraws every preview.
    void refreshPreviews();

signals:
    void styleChosen(int index);
    void customFormatEdited(int slot, const QString& pattern);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Row {
        QWidget* frame = nullptr;
        QRadioButton* radio = nullptr;
        ElidedLabel* preview = nullptr;
        QPushButton* editButton = nullptr;
    };

    QWidget* buildSummary();
    QWidget* buildExpandedPanel();
    QWidget* buildEditor();
    void placeEditor();
    void editPattern(const QString& pattern);
    QString customPattern(int slot) const;
    void updateSelectionMarks();
    void updateEditButtons();

    FormatPickerConfig m_config;
    QString m_locale;
    TimeSource m_now;
    QDateTime m_currentDate;
    QTimer m_timer;

    int m_selected = 0;
    QString m_custom1;
    QString m_custom2;
    bool m_expanded = false;
    std::optional<int> m_editing;

    QWidget* m_summary = nullptr;
    QLabel* m_summaryLabel = nullptr;
    ElidedLabel* m_summaryPreview = nullptr;
    QWidget* m_panel = nullptr;
    QVBoxLayout* m_panelLayout = nullptr;
    QList<Row> m_rows;
    FormatPatternEditor* m_editor = nullptr;
};

} // namespace mirevo

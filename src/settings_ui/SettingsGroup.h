#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QLayout;
class QWidget;

namespace mirevo {

// A titled box whose rows form one form: right-aligned labels in a column as wide as the
// widest of them, a fixed gap, then each field at its own size. The box is as tall as its
// rows; extra room on the page stays below it.
class SettingsGroup {
public:
    static constexpr int kLabelGap = 12;

    SettingsGroup(const QString& objectName, const QString& title, const QString& themeIcon = {});

    QWidget* widget() const { return m_widget; }
    QFormLayout* form() const { return m_form; }

    // A labelled field. The label names `buddy` (the field itself when none is given) to
    // screen readers, and its mnemonic moves the keyboard focus there.
    QLabel* addRow(const QString& label, QWidget* field, QWidget* buddy = nullptr);
    QLabel* addRow(const QString& label, QLayout* field, QWidget* buddy);
    // A field without a label, in the field column (check boxes, hints, preset buttons).
    void addField(QWidget* field);
    void addField(QLayout* field);
    // A row across both columns (lists, format pickers, dividers, and the rows of a group
    // that has no labels).
    void addWideRow(QWidget* row);
    void addWideRow(QLayout* row);
    // A bold heading across both columns for the rows below it.
    QLabel* addSection(const QString& title);

private:
    QWidget* m_widget = nullptr;
    QFormLayout* m_form = nullptr;
};

// Gives the label columns of every group under `container` the width of the widest, so
// that the fields of all its groups start at one x.
void alignFormLabels(QWidget* container);

} // namespace mirevo

#include "settings_ui/SettingsGroup.h"

#include "settings_ui/SettingsPageParts.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr int kGroupPadding = 10;
constexpr int kRowSpacing = 10;

QLabel* boldLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* fieldLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

} // namespace

SettingsGroup::SettingsGroup(const QString& objectName, const QString& title,
                             const QString& themeIcon)
    : m_widget(new QWidget)
{
    m_widget->setObjectName(objectName);
    m_widget->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* outer = new QVBoxLayout(m_widget);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    titleRow->addWidget(themeIconLabel(themeIcon, 16));
    QLabel* titleLabel = boldLabel(title);
    titleLabel->setObjectName(objectName + QStringLiteral("Title"));
    titleRow->addWidget(titleLabel);
    titleRow->addStretch();
    outer->addLayout(titleRow);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    m_form = new QFormLayout(box);
    m_form->setContentsMargins(kGroupPadding, kGroupPadding, kGroupPadding, kGroupPadding);
    m_form->setHorizontalSpacing(kLabelGap);
    m_form->setVerticalSpacing(kRowSpacing);
    m_form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    outer->addWidget(box, 1);
}

QLabel* SettingsGroup::addRow(const QString& label, QWidget* field, QWidget* buddy)
{
    QLabel* text = fieldLabel(label, buddy ? buddy : field);
    m_form->addRow(text, field);
    return text;
}

QLabel* SettingsGroup::addRow(const QString& label, QLayout* field, QWidget* buddy)
{
    QLabel* text = fieldLabel(label, buddy);
    m_form->addRow(text, field);
    return text;
}

void SettingsGroup::addField(QWidget* field)
{
    m_form->addRow(static_cast<QWidget*>(nullptr), field);
}

void SettingsGroup::addField(QLayout* field)
{
    m_form->addRow(static_cast<QWidget*>(nullptr), field);
}

void SettingsGroup::addWideRow(QWidget* row)
{
    m_form->addRow(row);
}

void SettingsGroup::addWideRow(QLayout* row)
{
    m_form->addRow(row);
}

QLabel* SettingsGroup::addSection(const QString& title)
{
    QLabel* heading = boldLabel(title);
    m_form->addRow(heading);
    return heading;
}

void alignFormLabels(QWidget* container)
{
    QList<QLabel*> labels;
    int widest = 0;
    for (const QFormLayout* form : container->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            const QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
            if (auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr) {
                labels << label;
                widest = std::max(widest, label->sizeHint().width());
            }
        }
    }
    for (QLabel* label : labels)
        label->setMinimumWidth(widest);
}

} // namespace mirevo

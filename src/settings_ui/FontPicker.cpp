#include "settings_ui/FontPicker.h"

#include "platform/StringTables.h"
#include "settings_ui/FontChoices.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QStyle>
#include <QStylePainter>

#include <algorithm>

namespace mirevo {
namespace {

// Marks the entry of a stored family that is not installed.
constexpr int kMissingRole = Qt::UserRole + 1;

} // namespace

FontPicker::FontPicker(const QString& systemFontLabel,
                       std::function<QString(const QString&)> drawnFamily, QWidget* parent)
    : QComboBox(parent), m_systemFontLabel(systemFontLabel), m_drawnFamily(std::move(drawnFamily))
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString stored = itemData(index).toString();
        if (index >= 0 && !stored.isEmpty() && !itemData(index, kMissingRole).toBool())
            emit familyChosen(stored);
    });
}

void FontPicker::setFamilies(const QStringList& families)
{
    const QSignalBlocker blocker(this);
    const QString shown = currentData().toString();
    m_families = families;
    clear();
    addItem(m_systemFontLabel, kSystemFontName);
    insertSeparator(1);
    for (const QString& family : families)
        addFamily(count(), family, family);
    if (!shown.isEmpty())
        showFamily(shown);
}

void FontPicker::addFamily(int index, const QString& text, const QString& family)
{
    insertItem(index, text, family);
    setItemData(index, QFont(family, kFontSamplePointSize), Qt::FontRole);
}

int FontPicker::missingEntryIndex() const
{
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, kMissingRole).toBool())
            return i;
    }
    return -1;
}

void FontPicker::showFamily(const QString& stored)
{
    const QSignalBlocker blocker(this);
    if (const int old = missingEntryIndex(); old >= 0)
        removeItem(old);
    const QString family = stored.isEmpty() ? kSystemFontName : plainFamilyName(stored);
    int index = findData(family);
    if (index < 0) {
        // Below the system font, so the list keeps its order.
        index = 1;
        const QString drawn = m_drawnFamily ? m_drawnFamily(stored) : QString();
        addFamily(index, localized("Settings", "font.not_installed %1 %2").arg(stored, drawn),
                  drawn);
        setItemData(index, stored);
        setItemData(index, true, kMissingRole);
    }
    setCurrentIndex(index);
    updateGeometry();
}

int FontPicker::textRoom(int width) const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect.setWidth(width);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return field.width() - 2; // the label's own margin
}

bool FontPicker::entriesDifferAt(int width) const
{
    const int room = textRoom(width);
    QSet<QString> shown;
    for (int i = 0; i < count(); ++i) {
        const QString text = itemText(i);
        if (text.isEmpty())
            continue; // the separator
        const QString cut = fontMetrics().elidedText(text, Qt::ElideMiddle, room);
        if (shown.contains(cut))
            return false;
        shown.insert(cut);
    }
    return true;
}

QSize FontPicker::sizeHint() const
{
    // The style's hint leaves less room for the text than the style then gives it; and a
    // text's advance is rounded, so one more pixel keeps it whole.
    QSize whole = QComboBox::sizeHint();
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)) + 1);
    whole.rwidth() += std::max(0, widest - textRoom(whole.width()));
    return whole;
}

QSize FontPicker::minimumSizeHint() const
{
    // As wide as the longest name where there is room (sizeHint), down to kMaxWidth.
    const QSize whole = sizeHint();
    if (whole.width() <= kMaxWidth || !entriesDifferAt(kMaxWidth))
        return whole;
    return {kMaxWidth, whole.height()};
}

void FontPicker::showPopup()
{
    // The list shows every name whole, in its own face, however narrow the drop-down.
    QAbstractItemView* list = view();
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        const QVariant face = itemData(i, Qt::FontRole);
        const QFontMetrics metrics(face.isValid() ? face.value<QFont>() : list->font());
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    }
    const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) +
                             list->fontMetrics().averageCharWidth() + list->frameWidth());
    list->setMinimumWidth(widest + padding + list->verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
}

void FontPicker::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, textRoom(width()));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace mirevo

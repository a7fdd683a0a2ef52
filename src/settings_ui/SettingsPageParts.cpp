#include "settings_ui/SettingsPageParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr int kGroupPadding = 8;

void setTextRole(QWidget* widget, qreal alpha)
{
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        QColor text = palette.color(group, QPalette::WindowText);
        text.setAlphaF(alpha);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
    }
    widget->setPalette(palette);
}

} // namespace

SettingsGroup makeSettingsGroup(const QString& objectName, const QString& title,
                                const QString& themeIcon, int rowSpacing)
{
    auto* widget = new QWidget;
    widget->setObjectName(objectName);
    auto* outer = new QVBoxLayout(widget);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(6);
    titleRow->addWidget(themeIconLabel(themeIcon, 16));
    auto* titleLabel = new QLabel(title);
    titleLabel->setObjectName(objectName + QStringLiteral("Title"));
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleRow->addWidget(titleLabel);
    titleRow->addStretch();
    outer->addLayout(titleRow);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(kGroupPadding, kGroupPadding, kGroupPadding, kGroupPadding);
    rows->setSpacing(rowSpacing);
    outer->addWidget(box, 1);
    return {widget, rows};
}

QPixmap textBoxSymbol(int size, const QColor& color, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal stroke = qMax<qreal>(1.5, size / 14.0);
    const QRectF box = QRectF(0, size * 0.14, size, size * 0.72)
                           .adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
    painter.setPen(QPen(color, stroke));
    painter.drawRoundedRect(box, size * 0.14, size * 0.14);
    QFont font;
    font.setPixelSize(qMax(6, int(size * 0.46)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("A"));
    return pixmap;
}

QLabel* themeIconLabel(const QString& themeIcon, int size)
{
    auto* label = new QLabel;
    label->setFixedSize(size, size);
    const QIcon icon = QIcon::fromTheme(themeIcon);
    if (icon.isNull())
        label->hide(); // no gap where the theme has nothing to show
    else
        label->setPixmap(icon.pixmap(size, size));
    return label;
}

QFrame* makeDivider()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void makeTransparentScrollArea(QScrollArea* area)
{
    area->setFrameShape(QFrame::NoFrame);
    area->viewport()->setAutoFillBackground(false);
    if (QWidget* content = area->widget())
        content->setAutoFillBackground(false);
}

void applyTextStyle(QWidget* widget, TextStyle style)
{
    QFont font = widget->font();
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    switch (style) {
    case TextStyle::title:
        font.setPointSizeF(base + 6);
        font.setBold(true);
        break;
    case TextStyle::subheadline:
        font.setPointSizeF(base - 0.5);
        break;
    case TextStyle::body:
        break;
    case TextStyle::callout:
        font.setPointSizeF(base - 0.5);
        break;
    case TextStyle::caption:
        font.setPointSizeF(base - 1.5);
        break;
    case TextStyle::caption2:
        font.setPointSizeF(base - 2);
        break;
    }
    widget->setFont(font);
}

void makeSecondary(QWidget* widget)
{
    setTextRole(widget, 0.6);
}

void makeTertiary(QWidget* widget)
{
    setTextRole(widget, 0.4);
}

} // namespace mirevo

#include "settings_ui/SettingsPageParts.h"

#include "settings_ui/WheelGuard.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace mirevo {
namespace {

constexpr int kPagePadding = 20;

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

QScrollArea* makeListArea(QWidget* list, int preferredHeight)
{
    // The page lays its content out at preferred heights, so a list that asked for all of
    // its rows would push the rest of the page out of the window.
    class ListArea : public QScrollArea {
    public:
        explicit ListArea(int preferredHeight) : m_preferredHeight(preferredHeight) {}
        QSize sizeHint() const override
        {
            return {QScrollArea::sizeHint().width(), m_preferredHeight};
        }

    private:
        int m_preferredHeight;
    };
    auto* area = new ListArea(preferredHeight);
    area->setWidgetResizable(true);
    area->setWidget(list);
    area->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    area->setFrameShape(QFrame::NoFrame);
    area->viewport()->setAutoFillBackground(false);
    list->setAutoFillBackground(false);
    return area;
}

QScrollArea* setUpSettingsPage(QWidget* page, QWidget* content, const QString& accessibleName,
                               QPushButton* reset)
{
    content->layout()->setContentsMargins(kPagePadding, kPagePadding, kPagePadding, kPagePadding);
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("pageScrollArea"));
    scroll->setAccessibleName(accessibleName);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    if (reset) {
        reset->setObjectName(QStringLiteral("resetButton"));
        column->addWidget(makeDivider());
        auto* footer = new QHBoxLayout;
        footer->setContentsMargins(kPagePadding, 10, kPagePadding, 10);
        footer->addWidget(reset);
        footer->addStretch();
        column->addLayout(footer);
    }
    guardWheelEvents(page);
    return scroll;
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

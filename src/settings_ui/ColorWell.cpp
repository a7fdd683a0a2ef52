#include "settings_ui/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace mirevo {
namespace {

constexpr int kCheckerCell = 5;

void paintCheckerboard(QPainter& painter, const QRect& rect)
{
    painter.fillRect(rect, Qt::white);
    for (int y = rect.top(); y <= rect.bottom(); y += kCheckerCell) {
        for (int x = rect.left(); x <= rect.right(); x += kCheckerCell) {
            const bool dark =
                ((x - rect.left()) / kCheckerCell + (y - rect.top()) / kCheckerCell) % 2;
            if (dark)
                painter.fillRect(QRect(x, y, kCheckerCell, kCheckerCell).intersected(rect),
                                 QColor(204, 204, 204));
        }
    }
}

} // namespace

ColorWell::ColorWell(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QPushButton::clicked, this, &ColorWell::openDialog);
}

void ColorWell::setColor(const QColor& color)
{
    if (!color.isValid() || color == m_color)
        return;
    m_color = color;
    setToolTip(color.name(QColor::HexArgb));
    update();
}

void ColorWell::pickColor(const QColor& color)
{
    if (!color.isValid())
        return;
    setColor(color);
    emit colorPicked(color);
}

void ColorWell::openDialog()
{
    // Named after the well ("Japanese color"), or Qt's own title when it has no name.
    pickColor(
        QColorDialog::getColor(m_color, this, accessibleName(), QColorDialog::ShowAlphaChannel));
}

void ColorWell::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    painter.save();
    painter.setClipRect(swatch);
    paintCheckerboard(painter, swatch);
    painter.fillRect(swatch, m_color);
    painter.restore();
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

} // namespace mirevo

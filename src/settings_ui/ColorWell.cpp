#include "settings_ui/ColorWell.h"

#include <QColorDialog>
#include <QPainter>

namespace mirevo {

ColorWell::ColorWell(QWidget* parent) : QPushButton(parent)
{
    setFixedSize(44, 24);
    connect(this, &QPushButton::clicked, this, &ColorWell::openDialog);
}

void ColorWell::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ColorWell::pickColor(const QColor& color)
{
    setColor(color);
    emit colorPicked(color);
}

void ColorWell::openDialog()
{
    const QColor picked =
        QColorDialog::getColor(m_color, this, QString(), QColorDialog::ShowAlphaChannel);
    if (picked.isValid())
        pickColor(picked);
}

void ColorWell::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(6, 5, -6, -5);
    // A checkerboard under the swatch shows how transparent the colour is.
    painter.fillRect(swatch, QBrush(Qt::lightGray, Qt::Dense4Pattern));
    painter.fillRect(swatch, m_color);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

} // namespace mirevo

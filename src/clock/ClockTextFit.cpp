#include "clock/ClockTextFit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QList>

#include <algorithm>

namespace mirevo {
namespace {

QFont atPixels(QFont font, int pixels)
{
    font.setPixelSize(std::max(1, pixels));
    return font;
}

// A text at the size it is drawn.
struct Sized {
    QString text;
    int pixels = 0;
    TextMeasures* measures = nullptr;

    QRectF box(const QFont& font) const { return measures->box(atPixels(font, pixels), text); }

    // Down to the largest size at which the text is no wider than `width`.
    void fitWidth(const QFont& font, double width)
    {
        const double natural = box(font).width();
        if (natural <= width || natural <= 0 || pixels <= 1)
            return;
        // Widths grow about in step with the size: start there and step down to be sure.
        pixels = std::clamp(int(pixels * width / natural), 1, pixels - 1);
        while (pixels > 1 && box(font).width() > width)
            --pixels;
    }
};

} // namespace

QRectF TextMeasures::box(const QFont& font, const QString& text)
{
    const QPair<int, QString> key(font.pixelSize(), text);
    if (const auto known = m_boxes.constFind(key); known != m_boxes.constEnd())
        return *known;
    if (m_boxes.size() >= 64) // a few texts at a few sizes each
        m_boxes.clear();
    // A slanted or swashed glyph may reach past the line.
    const QFontMetricsF metrics(font);
    const QRectF line(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height());
    const QRectF ink = metrics.tightBoundingRect(text);
    return m_boxes[key] = ink.isEmpty() ? line : line.united(ink.adjusted(-1, -1, 1, 1));
}

FittedClock fitClock(ClockStyle style, DateTimePosition position, QSizeF viewSize,
                     double analogSize, const QFont& font, const QString& date, const QString& time,
                     TextMeasures& measures)
{
    const QSizeF room = paddedArea(viewSize).size().expandedTo(QSizeF(0, 0));
    const int base = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    std::optional<Sized> dateText, timeText;
    if (position != DateTimePosition::timeOnly)
        dateText = Sized{date, base, &measures};
    if (position != DateTimePosition::dateOnly)
        timeText = Sized{time, base, &measures};
    QList<Sized*> items;
    for (std::optional<Sized>* item : {&dateText, &timeText}) {
        if (*item)
            items << &**item;
    }
    const double gap = textGap(style, position);
    const bool row = isRow(position) && items.size() == 2;

    if (row) {
        Sized* wide =
            items[0]->box(font).width() >= items[1]->box(font).width() ? items[0] : items[1];
        Sized* narrow = wide == items[0] ? items[1] : items[0];
        const double available = room.width() - gap;
        const double narrowWidth = narrow->box(font).width();
        if (narrowWidth <= available / 2) {
            wide->fitWidth(font, available - narrowWidth);
        } else {
            wide->fitWidth(font, available / 2);
            narrow->fitWidth(font, available / 2);
        }
    } else {
        for (Sized* item : items)
            item->fitWidth(font, room.width());
    }

    // Then the height: every text gives way alike until the stack fits.
    for (;;) {
        double height = row ? 0.0 : gap * double(items.size() - 1);
        for (Sized* item : items) {
            const double h = item->box(font).height();
            height = row ? std::max(height, h) : height + h;
        }
        if (height <= room.height())
            break;
        bool shrunk = false;
        for (Sized* item : items) {
            const int smaller =
                std::min(item->pixels - 1, int(item->pixels * room.height() / height));
            if (item->pixels > 1) {
                item->pixels = std::max(1, smaller);
                shrunk = true;
            }
        }
        if (!shrunk)
            break;
    }

    const QRectF dateBox = dateText ? dateText->box(font) : QRectF();
    const QRectF timeBox = timeText ? timeText->box(font) : QRectF();
    const ClockLayout layout =
        layoutClock(style, position, viewSize, analogSize, dateBox.size(), timeBox.size());
    FittedClock fitted;
    fitted.face = layout.face;
    auto place = [&](const std::optional<Sized>& item, const std::optional<QRectF>& rect,
                     const QRectF& box) -> std::optional<ClockText> {
        if (!item || !rect)
            return std::nullopt;
        return ClockText{item->text, atPixels(font, item->pixels), *rect,
                         rect->topLeft() - box.topLeft()};
    };
    fitted.date = place(dateText, layout.date, dateBox);
    fitted.time = place(timeText, layout.time, timeBox);
    return fitted;
}

} // namespace mirevo

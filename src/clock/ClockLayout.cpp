#include "clock/ClockLayout.h"

#include <QList>

#include <algorithm>

namespace mirevo {
namespace {

enum class Item { date, time };

struct Arrangement {
    QList<Item> items;
    Qt::Orientation orientation = Qt::Vertical;
};

Arrangement arrangementOf(DateTimePosition position)
{
    using P = DateTimePosition;
    switch (position) {
    case P::dateTimeVertical:
        return {{Item::date, Item::time}, Qt::Vertical};
    case P::timeDateVertical:
        return {{Item::time, Item::date}, Qt::Vertical};
    case P::dateTimeHorizontal:
        return {{Item::date, Item::time}, Qt::Horizontal};
    case P::timeDateHorizontal:
        return {{Item::time, Item::date}, Qt::Horizontal};
    case P::dateOnly:
        return {{Item::date}, Qt::Vertical};
    case P::timeOnly:
        return {{Item::time}, Qt::Vertical};
    }
    return {{Item::date, Item::time}, Qt::Vertical};
}

} // namespace

QRectF paddedArea(QSizeF viewSize)
{
    return QRectF(QPointF(0, 0), viewSize)
        .adjusted(kClockPadding, kClockPadding, -kClockPadding, -kClockPadding);
}

bool isRow(DateTimePosition position)
{
    return arrangementOf(position).orientation == Qt::Horizontal;
}

double textGap(ClockStyle style, DateTimePosition position)
{
    return style == ClockStyle::analog ? kClockOverlaySpacing
           : isRow(position)           ? kClockRowSpacing
                                       : kClockColumnSpacing;
}

ClockLayout layoutClock(ClockStyle style, DateTimePosition position, QSizeF viewSize,
                        double analogSize, QSizeF dateSize, QSizeF timeSize)
{
    const QPointF center = paddedArea(viewSize).center();
    ClockLayout layout;
    if (style == ClockStyle::analog)
        layout.face = QRectF(center.x() - analogSize / 2, center.y() - analogSize / 2, analogSize,
                             analogSize);

    const Arrangement arrangement = arrangementOf(position);
    const bool vertical = arrangement.orientation == Qt::Vertical;
    const double gap = textGap(style, position);
    auto sizeOf = [&](Item item) { return item == Item::date ? dateSize : timeSize; };

    // The stack's size, then each item in turn, centred across the stack's direction.
    QSizeF total(0, 0);
    for (Item item : arrangement.items) {
        const QSizeF s = sizeOf(item);
        total = vertical ? QSizeF(std::max(total.width(), s.width()), total.height() + s.height())
                         : QSizeF(total.width() + s.width(), std::max(total.height(), s.height()));
    }
    const double gaps = gap * double(arrangement.items.size() - 1);
    total += vertical ? QSizeF(0, gaps) : QSizeF(gaps, 0);

    QPointF cursor = center - QPointF(total.width() / 2, total.height() / 2);
    for (Item item : arrangement.items) {
        const QSizeF s = sizeOf(item);
        const QRectF rect =
            vertical ? QRectF(center.x() - s.width() / 2, cursor.y(), s.width(), s.height())
                     : QRectF(cursor.x(), center.y() - s.height() / 2, s.width(), s.height());
        (item == Item::date ? layout.date : layout.time) = rect;
        cursor += vertical ? QPointF(0, s.height() + gap) : QPointF(s.width() + gap, 0);
    }
    return layout;
}

} // namespace mirevo

#pragma once

#include "clock/ClockLayout.h"

#include <QFont>
#include <QHash>
#include <QPair>
#include <QPointF>
#include <QString>

namespace mirevo {

// One text of the clock as drawn: in the clock's font, or a smaller size of it where the
// text would not fit, in the box its line and its ink take.
struct ClockText {
    QString text;
    QFont font;
    QRectF rect;      // view coordinates
    QPointF baseline; // where the text starts, view coordinates

    bool operator==(const ClockText&) const = default;
};

struct FittedClock {
    std::optional<ClockText> date;
    std::optional<ClockText> time;
    std::optional<QRectF> face;
};

// The boxes of texts already measured in one font family, by pixel size, so that a clock
// whose time changes every second measures only the new time.
class TextMeasures {
public:
    // The box `text` takes at `font` (whose pixel size counts), from the start of its
    // baseline: its line and its ink with the smoothed edge around it.
    QRectF box(const QFont& font, const QString& text);

private:
    QHash<QPair<int, QString>, QRectF> m_boxes;
};

// The layout of layoutClock with every text inside the padded area: a text that would
// leave it is set at the largest whole pixel size that keeps it in, never cut. In a column
// each text has the area's width; in a row the wider text gives way first, so that a short
// text keeps its size wherever it can.
FittedClock fitClock(ClockStyle style, DateTimePosition position, QSizeF viewSize,
                     double analogSize, const QFont& font, const QString& date, const QString& time,
                     TextMeasures& measures);

} // namespace mirevo

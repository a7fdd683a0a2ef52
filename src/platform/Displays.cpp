#include "platform/Displays.h"

#include <algorithm>

namespace mirevo {
namespace {

double clampToRange(double value, double low, double high)
{
    return high < low ? low : std::clamp(value, low, high);
}

// `rect` moved the least distance that puts it wholly on `display` (its top-left corner
// when it is the larger).
QRectF movedOnto(QRectF rect, const QRectF& display)
{
    rect.moveLeft(clampToRange(rect.left(), display.left(), display.right() - rect.width()));
    rect.moveTop(clampToRange(rect.top(), display.top(), display.bottom() - rect.height()));
    return rect;
}

} // namespace

double Displays::primaryBottom() const
{
    const QList<QRect> all = geometries();
    const int primary = primaryIndex();
    if (primary < 0 || primary >= all.size())
        return 0.0;
    const QRect& g = all[primary];
    return double(g.y()) + double(g.height());
}

std::optional<QRectF> Displays::frame(qint64 index) const
{
    if (!isValidIndex(index))
        return std::nullopt;
    const QRect g = geometries()[index];
    return QRectF(g.x(), primaryBottom() - (double(g.y()) + g.height()), g.width(), g.height());
}

std::optional<int> Displays::indexOrMain(qint64 index) const
{
    if (isValidIndex(index))
        return static_cast<int>(index);
    if (count() == 0)
        return std::nullopt;
    const int primary = primaryIndex();
    return primary >= 0 && primary < count() ? primary : 0;
}

QPointF Displays::qtTopLeft(QPointF origin, double windowHeight) const
{
    return {origin.x(), primaryBottom() - origin.y() - windowHeight};
}

QPointF Displays::storedOrigin(QPointF qtTopLeft, double windowHeight) const
{
    return {qtTopLeft.x(), primaryBottom() - (qtTopLeft.y() + windowHeight)};
}

QPointF Displays::storedPoint(QPointF qtPoint) const
{
    return {qtPoint.x(), primaryBottom() - qtPoint.y()};
}

QPointF Displays::qtPoint(QPointF storedPoint) const
{
    return {storedPoint.x(), primaryBottom() - storedPoint.y()};
}

std::optional<QRectF> Displays::windowRect(qint64 index, double positionX, double positionY,
                                           double width, double height) const
{
    const std::optional<QRectF> display = frame(index);
    if (!display)
        return std::nullopt;
    const QPointF origin(display->x() + positionX, display->y() + positionY);
    return QRectF(qtTopLeft(origin, height), QSizeF(width, height));
}

QRectF Displays::keptInView(const QRectF& qtRect, qint64 index) const
{
    const QList<QRect> all = geometries();
    const bool visibleSomewhere = std::any_of(
        all.begin(), all.end(), [&](const QRect& g) { return QRectF(g).intersects(qtRect); });
    if (visibleSomewhere || !isValidIndex(index))
        return qtRect;
    return movedOnto(qtRect, QRectF(all[index]));
}

std::optional<QRectF> Displays::shownRect(qint64 index, double positionX, double positionY,
                                          double width, double height) const
{
    if (const std::optional<QRectF> stored = windowRect(index, positionX, positionY, width, height))
        return keptInView(*stored, index);
    const std::optional<int> primary = indexOrMain(-1);
    if (!primary)
        return std::nullopt;
    // The same offset on the primary display, then wholly onto it.
    return movedOnto(*windowRect(*primary, positionX, positionY, width, height),
                     QRectF(geometries()[*primary]));
}

std::optional<int> Displays::displayAt(const QRect& qtRect) const
{
    const QList<QRect> all = geometries();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].contains(qtRect.center()))
            return i;
    }
    std::optional<int> best;
    qint64 bestArea = 0;
    for (int i = 0; i < all.size(); ++i) {
        const QRect common = all[i].intersected(qtRect);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best ? best : indexOrMain(-1);
}

} // namespace mirevo

#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <optional>

namespace mirevo {

// The displays and the one place where stored positions meet Qt's coordinates.
//
// Stored positions use a desktop space whose origin is the bottom-left corner of the
// primary display, with y growing upward; a window's origin is its bottom-left corner.
// Qt uses the top-left corner and y downward.
class Displays : public QObject {
    Q_OBJECT
public:
    // Display geometries in Qt coordinates, in the system's order (the primary first).
    virtual QList<QRect> geometries() const = 0;
    // Index of the primary display, or -1 when there is none.
    virtual int primaryIndex() const { return geometries().isEmpty() ? -1 : 0; }

    // The displays of the running session.
    static Displays& system();

    int count() const { return static_cast<int>(geometries().size()); }
    bool isValidIndex(qint64 index) const { return index >= 0 && index < count(); }

    // A display's frame in stored coordinates; nothing for an index that names no display.
    std::optional<QRectF> frame(qint64 index) const;
    // The named display, else the primary, else the first; nothing when there is none.
    std::optional<int> indexOrMain(qint64 index) const;

    // Global conversions of a window's origin (bottom-left, stored space) and its Qt
    // top-left corner, for a window of the given height.
    QPointF qtTopLeft(QPointF origin, double windowHeight) const;
    QPointF storedOrigin(QPointF qtTopLeft, double windowHeight) const;
    // A point (such as the pointer) in the stored space.
    QPointF storedPoint(QPointF qtPoint) const;
    QPointF qtPoint(QPointF storedPoint) const;

    // Qt rectangle of a window placed at (positionX, positionY) on display `index`.
    std::optional<QRectF> windowRect(qint64 index, double positionX, double positionY, double width,
                                     double height) const;
    // A window that would lie wholly outside every display is moved to the nearest fully
    // visible place on display `index`; any other rectangle comes back unchanged.
    QRectF keptInView(const QRectF& qtRect, qint64 index) const;
    // Where a window stored relative to display `index` is shown, in Qt coordinates: as
    // windowRect, kept in view; while that display is missing, on the primary display at
    // the nearest fully visible place. Nothing when there is no display at all.
    std::optional<QRectF> shownRect(qint64 index, double positionX, double positionY, double width,
                                    double height) const;
    // The display a window lies on: the one holding its centre, else the one it overlaps
    // most, else the main one; nothing when there is no display.
    std::optional<int> displayAt(const QRect& qtRect) const;

signals:
    // A display came or went, or one changed its place or size.
    void changed();

private:
    double primaryBottom() const;
};

// Fixed geometries, for tests and for code that needs a snapshot.
class FixedDisplays : public Displays {
public:
    explicit FixedDisplays(QList<QRect> geometries, int primaryIndex = 0)
        : m_geometries(std::move(geometries)), m_primary(primaryIndex)
    {}
    QList<QRect> geometries() const override { return m_geometries; }
    int primaryIndex() const override { return m_geometries.isEmpty() ? -1 : m_primary; }
    void setGeometries(QList<QRect> geometries)
    {
        m_geometries = std::move(geometries);
        emit changed();
    }

private:
    QList<QRect> m_geometries;
    int m_primary;
};

} // namespace mirevo

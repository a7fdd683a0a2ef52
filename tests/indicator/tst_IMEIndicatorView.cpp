#include "common/TestRegistry.h"
#include "indicator/IMEIndicatorView.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

#include <cmath>

using namespace mirevo;

namespace {

IMEIndicatorView redBadge(double size = 100)
{
    IMEIndicatorView view;
    view.size = size;
    view.opacity = 0.7;
    view.color = {1.0, 0.0, 0.0, 1.0};
    view.text = QStringLiteral("H");
    view.fontSizeRatio = 0.5;
    return view;
}

QImage render(const IMEIndicatorView& view)
{
    const int side = int(view.size);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    view.paint(painter, QRectF(0, 0, side, side));
    return image;
}

// Pixels that are (nearly) white and mostly opaque: the text, or the mark over nothing.
bool isWhite(const QColor& c, int minAlpha)
{
    return c.alpha() >= minAlpha && c.red() > 200 && c.green() > 200 && c.blue() > 200;
}

// Pixels of `b` that are lighter than in `a` (the white mark over the badge or over nothing),
// inside and outside `area`.
QPair<int, int> lighterPixels(const QImage& a, const QImage& b, const QRect& area)
{
    QPair<int, int> counts;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor before = a.pixelColor(x, y), after = b.pixelColor(x, y);
            const bool lighter =
                after.green() > before.green() + 40 || after.alpha() > before.alpha() + 40;
            if (lighter)
                (area.contains(x, y) ? counts.first : counts.second) += 1;
        }
    return counts;
}

QRect whiteBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isWhite(image.pixelColor(x, y), 220))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class IMEIndicatorViewTest : public QObject {
    Q_OBJECT
private slots:
    void discHasTheLanguageColour()
    {
        const QImage image = render(redBadge());
        // Left of the glyph, inside the disc of diameter 80.
        const QColor c = image.pixelColor(20, 50);
        QCOMPARE(c.red(), 255);
        QVERIFY2(c.green() < 10 && c.blue() < 10, qPrintable(c.name()));
        // Disc (about 0.63 there) over glow: clearly more than the glow alone.
        QVERIFY2(c.alphaF() > 0.6 && c.alphaF() < 0.75, qPrintable(QString::number(c.alphaF())));
        // Outside the disc's circle only the glow remains; the corners stay clear.
        QVERIFY(image.pixelColor(50 - 43, 50).alphaF() < 0.15);
        QCOMPARE(image.pixelColor(1, 1).alpha(), 0);
    }

    void glowFadesOutward()
    {
        const QImage image = render(redBadge());
        // Beyond the outline (radius 41) out to the glow's edge (radius 50), to the right.
        int previous = 256;
        for (int r : {42, 44, 46, 48}) {
            const int alpha = image.pixelColor(50 + r, 50).alpha();
            QVERIFY2(alpha > 0 && alpha < previous, qPrintable(QString::number(r)));
            previous = alpha;
        }
        QVERIFY(image.pixelColor(99, 50).alpha() <= 2);
    }

    void colourAlphaScalesTheFill()
    {
        IMEIndicatorView half = redBadge();
        half.color.alpha = 0.5;
        const QImage full = render(redBadge());
        const QImage halved = render(half);
        // Glow only: exactly half (within rounding).
        QVERIFY(qAbs(halved.pixelColor(93, 50).alpha() * 2 - full.pixelColor(93, 50).alpha()) <= 3);
        // Disc over glow: half of each layer, composited, gives a little more than half.
        const double a = full.pixelColor(20, 50).alphaF();
        const double b = halved.pixelColor(20, 50).alphaF();
        QVERIFY2(b >= a * 0.5 - 0.01 && b <= a * 0.6,
                 qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
    }

    void textIsWhite()
    {
        const QImage image = render(redBadge());
        const QRect bounds = whiteBounds(image);
        QVERIFY(bounds.isValid());
        QVERIFY(QRect(25, 25, 50, 50).contains(bounds));
        IMEIndicatorView empty = redBadge();
        empty.text.clear();
        QVERIFY(!whiteBounds(render(empty)).isValid());
    }

    void textSizeFollowsTheRatio()
    {
        IMEIndicatorView small = redBadge(200);
        small.fontSizeRatio = 0.3;
        IMEIndicatorView large = small;
        large.fontSizeRatio = 0.8;
        const QRect a = whiteBounds(render(small));
        const QRect b = whiteBounds(render(large));
        QVERIFY(a.isValid() && b.isValid());
        const double ratio = double(b.height()) / a.height();
        QVERIFY2(ratio > 2.2 && ratio < 3.1, qPrintable(QString::number(ratio)));
    }

    void moveModeAddsTheHandMark_data()
    {
        QTest::addColumn<double>("size");
        QTest::newRow("100") << 100.0;
        QTest::newRow("60") << 60.0;
    }
    void moveModeAddsTheHandMark()
    {
        QFETCH(double, size);
        IMEIndicatorView view = redBadge(size);
        const QImage plain = render(view);
        view.moveMode = true;
        const QImage marked = render(view);
        const int mark = qRound(size * 0.2);
        // The mark's square, 4 points in from the bottom-right corner.
        const QRect corner(int(size) - 4 - mark, int(size) - 4 - mark, mark, mark);
        const auto [inside, outside] = lighterPixels(plain, marked, corner);
        QVERIFY2(inside > mark * mark / 5, qPrintable(QString::number(inside)));
        QCOMPARE(outside, 0);
        // Half-strength white: over the transparent corner it is never opaque.
        QVERIFY(marked.pixelColor(corner.right() - 1, corner.bottom() - 1).alpha() <= 130);
    }

    void visibleShapeCoversDiscAndHand()
    {
        IMEIndicatorView view = redBadge();
        const QRectF frame(0, 0, 100, 100);
        const QRect corner(76, 76, 20, 20);
        auto coveredInCorner = [&] {
            int count = 0;
            const QPainterPath shape = view.visibleShape(frame);
            for (int y = corner.top(); y <= corner.bottom(); ++y)
                for (int x = corner.left(); x <= corner.right(); ++x)
                    count += shape.contains(QPointF(x + 0.5, y + 0.5)) ? 1 : 0;
            return count;
        };
        const int discOnly = coveredInCorner();
        QVERIFY(view.visibleShape(frame).contains(QPointF(50, 50)));
        QVERIFY(view.visibleShape(frame).contains(QPointF(50, 9.1))); // the outline's outer half
        QVERIFY(!view.visibleShape(frame).contains(QPointF(50, 5)));  // glow only
        view.moveMode = true;
        const int withHand = coveredInCorner();
        // The hand's own pixels, not its whole square.
        QVERIFY2(withHand > discOnly + 40 && withHand < 300,
                 qPrintable(QStringLiteral("%1 %2").arg(discOnly).arg(withHand)));
        QVERIFY(view.visibleShape(frame).contains(QPointF(50, 50)));
    }

    void fontChoice_data()
    {
        QTest::addColumn<QString>("fontName");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        QTest::newRow("empty") << QString() << true << system;
        QTest::newRow("system name") << QStringLiteral(".AppleSystemUIFont") << true << system;
        QTest::newRow("named") << QStringLiteral("DejaVu Serif") << false
                               << QStringLiteral("DejaVu Serif");
    }
    void fontChoice()
    {
        QFETCH(QString, fontName);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        IMEIndicatorView view = redBadge();
        view.fontName = fontName;
        const QFont font = view.font();
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.pixelSize(), 50);
        QCOMPARE(font.family(), family);
    }
};

MIREVO_TEST_CLASS(IMEIndicatorViewTest)
#include "tst_IMEIndicatorView.moc"

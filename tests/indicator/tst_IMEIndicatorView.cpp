#include "common/TestRegistry.h"
#include "indicator/IMEIndicatorView.h"
#include "settings/IMEIndicatorSettings.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextLayout>

using namespace mirevo;

namespace {

IMEIndicatorView redBadge()
{
    IMEIndicatorView view;
    view.color = {1.0, 0.0, 0.0, 1.0};
    view.text = QStringLiteral("H");
    return view;
}

QImage render(const IMEIndicatorView& view)
{
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    view.paint(painter, QRectF(0, 0, 100, 100));
    return image;
}

// Where `b` is whiter than `a` (the white text or mark on the red badge): bounds and count.
QPair<QRect, int> whiterPixels(const QImage& a, const QImage& b)
{
    QPair<QRect, int> found;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor before = a.pixelColor(x, y), after = b.pixelColor(x, y);
            if (after.green() > before.green() + 40) {
                found.first |= QRect(x, y, 1, 1);
                ++found.second;
            }
        }
    return found;
}

} // namespace

class IMEIndicatorViewTest : public QObject {
    Q_OBJECT
private slots:
    void drawsDiscTextAndMoveMark()
    {
        const QImage badge = render(redBadge());
        // Left of the glyph, inside the disc: the colour at the badge's opacity (0.7, a
        // little more over the glow); the corners stay clear.
        const QColor disc = badge.pixelColor(20, 50);
        QVERIFY2(disc.red() == 255 && disc.green() < 10 && disc.alphaF() > 0.6 &&
                     disc.alphaF() < 0.75,
                 qPrintable(disc.name(QColor::HexArgb)));
        QCOMPARE(badge.pixelColor(1, 1).alpha(), 0);
        // The colour's own alpha scales the fill too.
        IMEIndicatorView faint = redBadge();
        faint.color.alpha = 0.5;
        QVERIFY(render(faint).pixelColor(20, 50).alphaF() < disc.alphaF() * 0.6);

        // The text: white, in the middle.
        IMEIndicatorView empty = redBadge();
        empty.text.clear();
        const auto [text, textPixels] = whiterPixels(render(empty), badge);
        QVERIFY2(textPixels > 100 && QRect(25, 25, 50, 50).contains(text),
                 qPrintable(QStringLiteral("%1 pixels").arg(textPixels)));

        // The move mark: a hand, not a square, 4 points in from the bottom-right corner.
        IMEIndicatorView moving = redBadge();
        moving.moveMode = true;
        const auto [mark, markPixels] = whiterPixels(badge, render(moving));
        QVERIFY2(QRect(76, 76, 20, 20).contains(mark) && markPixels > 80 && markPixels < 300,
                 qPrintable(QStringLiteral("%1 pixels").arg(markPixels)));
        // Without a compositor the window is cut to the disc with its outline, and the mark.
        const QPainterPath shape = moving.visibleShape(QRectF(0, 0, 100, 100));
        QVERIFY(shape.contains(QPointF(50, 9.1)) && !shape.contains(QPointF(50, 5)));
        QVERIFY(shape.contains(QPointF(mark.center())));
    }

    void fontChoice()
    {
        IMEIndicatorView view = redBadge();
        view.fontSizeRatio = 0.3;
        // No name, or the name the settings use for it: the system font in bold.
        const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const QString& name : {QString(), QStringLiteral(".AppleSystemUIFont")}) {
            view.fontName = name;
            QCOMPARE(view.font().family(), system);
            QVERIFY(view.font().bold());
            QCOMPARE(view.font().pixelSize(), 30);
        }
        view.fontName = QStringLiteral("DejaVu Serif");
        QCOMPARE(view.font().family(), view.fontName);
        QVERIFY(!view.font().bold());
    }

    void everyDefaultTextHasGlyphs()
    {
        // A character that no installed font draws shows as the empty box (glyph 0).
        const IMEIndicatorSettings defaults;
        for (InputLanguage language : allInputLanguages()) {
            const IMEIndicatorView view = makeIndicatorView(defaults, language);
            QTextLayout layout(view.text, view.font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                QVERIFY2(!run.glyphIndexes().contains(0),
                         qPrintable(rawValue(language) + ": " + view.text));
        }
    }
};

MIREVO_TEST_CLASS(IMEIndicatorViewTest)
#include "tst_IMEIndicatorView.moc"

#include "common/TestRegistry.h"
#include "settings_ui/ColorWell.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace mirevo;

class ColorWellTest : public QObject {
    Q_OBJECT
private slots:
    void cancelledDialogChangesNothing()
    {
        ColorWell well;
        QSignalSpy picked(&well, &ColorWell::colorPicked);
        well.setColor(Qt::red);
        well.pickColor(QColor());
        QCOMPARE(well.color(), QColor(Qt::red));
        QCOMPARE(picked.count(), 0);
    }

    // Translucent colours show the checkerboard through them; opaque ones hide it.
    void swatchShowsTranslucency_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("checkered");
        QTest::newRow("opaque") << QColor(200, 0, 0) << false;
        QTest::newRow("half") << QColor(200, 0, 0, 128) << true;
    }
    void swatchShowsTranslucency()
    {
        QFETCH(QColor, color);
        QFETCH(bool, checkered);
        ColorWell well;
        well.setColor(color);
        well.resize(well.sizeHint());
        QImage image(well.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        well.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        // Two neighbouring checker cells in the middle of the swatch.
        const QColor first = image.pixelColor(10, 11);
        const QColor second = image.pixelColor(15, 11);
        QCOMPARE(first != second, checkered);
        QVERIFY(first.red() > first.green() + 40); // the colour is on top
    }
};

MIREVO_TEST_CLASS(ColorWellTest)
#include "tst_ColorWell.moc"

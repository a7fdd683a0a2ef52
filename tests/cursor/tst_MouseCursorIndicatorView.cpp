#include "common/TestRegistry.h"
#include "cursor/CursorTestSupport.h"
#include "cursor/MouseCursorIndicatorView.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace mirevo;
using mirevo::test::EventCounter;

namespace {

struct ViewFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    NotificationCenter center;
    MouseCursorIndicatorView view{store, center, InputLanguage::english};

    ViewFixture() { view.resize(20, 20); }

    QImage render()
    {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.render(&painter);
        return image;
    }
};

// A point on the disc, left of the text.
constexpr QPoint kDiscPoint(4, 10);

} // namespace

class MouseCursorIndicatorViewTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheIMEIndicatorColourOfTheLanguage_data()
    {
        QTest::addColumn<InputLanguage>("language");
        QTest::addColumn<QColor>("imeColour");
        QTest::newRow("english in red") << InputLanguage::english << QColor(255, 0, 0);
        QTest::newRow("korean in blue") << InputLanguage::korean << QColor(0, 0, 255);
    }
    void drawsTheIMEIndicatorColourOfTheLanguage()
    {
        QFETCH(InputLanguage, language);
        QFETCH(QColor, imeColour);
        ViewFixture f;
        f.store.edit([&](AppSettings& s) {
            s.imeIndicator.colors[languageIndex(language)] =
                ColorComponents::fromPlatformColor(imeColour);
            // The badge's own colour fields are stored but never drawn.
            for (ColorComponents& colour : s.mouseCursorIndicator.colors)
                colour = ColorComponents{0.0, 1.0, 0.0, 1.0};
        });
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged,
                      QVariant::fromValue(language));
        QCOMPARE(f.view.currentLanguage(), language);

        const QColor pixel = f.render().pixelColor(kDiscPoint);
        QVERIFY2(pixel.alpha() > 100, qPrintable(pixel.name(QColor::HexArgb)));
        QCOMPARE(pixel.green(), 0);
        const int strong = imeColour.red() ? pixel.red() : pixel.blue();
        const int weak = imeColour.red() ? pixel.blue() : pixel.red();
        QVERIFY2(strong > 100 && weak == 0, qPrintable(pixel.name(QColor::HexArgb)));
        // Outside the circle nothing is drawn.
        QCOMPARE(f.render().pixelColor(0, 0).alpha(), 0);
    }

    void opacityAndSizeComeFromThePointerBadge()
    {
        ViewFixture f;
        const int opaqueAlpha = f.render().pixelColor(kDiscPoint).alpha();
        f.store.edit([](AppSettings& s) { s.mouseCursorIndicator.opacity = 0.3; });
        const int faintAlpha = f.render().pixelColor(kDiscPoint).alpha();
        QVERIFY2(faintAlpha < opaqueAlpha * 0.6, qPrintable(QString::number(faintAlpha)));

        // The badge is drawn S x S in the top-left corner, whatever the widget's size.
        f.view.resize(40, 40);
        QCOMPARE(f.render().pixelColor(33, 20).alpha(), 0);
        f.store.edit([](AppSettings& s) { s.mouseCursorIndicator.size = 40; });
        QVERIFY(f.render().pixelColor(33, 20).alpha() > 30);
    }

    void ignoresNotificationsThatCarryNoLanguage()
    {
        ViewFixture f;
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged,
                      QStringLiteral("japanese"));
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged, 1);
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged);
        QCOMPARE(f.view.currentLanguage(), InputLanguage::english);
    }

    void repaintsOnlyWhenWhatItDrawsChanged()
    {
        ViewFixture f;
        f.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        EventCounter paints(&f.view, QEvent::Paint);
        QCoreApplication::processEvents();
        paints.count = 0;

        f.store.edit([](AppSettings& s) {
            s.clock.isVisible = !s.clock.isVisible;
            s.mouseCursorIndicator.offsetX = 40;
            s.imeIndicator.colors[languageIndex(InputLanguage::korean)] = {0, 1, 0, 1};
        });
        f.center.post(notifications::kMouseCursorIndicatorLanguageChanged,
                      QVariant::fromValue(InputLanguage::english));
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 0);

        f.store.edit([](AppSettings& s) { s.imeIndicator.texts[0] = QStringLiteral("E"); });
        QTRY_VERIFY(paints.count > 0);
    }
};

MIREVO_TEST_CLASS(MouseCursorIndicatorViewTest)
#include "tst_MouseCursorIndicatorView.moc"

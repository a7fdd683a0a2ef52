#include "Fakes.h"
#include "common/TestRegistry.h"
#include "indicator/DraggableHostingView.h"
#include "indicator/IMEIndicatorView.h"
#include "indicator/IMEIndicatorWindowManager.h"
#include "platform/Displays.h"
#include "platform/NotificationCenter.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsNotifications.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

using namespace mirevo;
using namespace mirevo::test;

namespace {

IMEIndicatorView redBadge(double alpha = 1.0, const QString& text = "H", bool moveMode = false)
{
    IMEIndicatorView view;
    view.color = {1.0, 0.0, 0.0, alpha};
    view.text = text;
    view.moveMode = moveMode;
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
            if (b.pixelColor(x, y).green() > a.pixelColor(x, y).green() + 40) {
                found.first |= QRect(x, y, 1, 1);
                ++found.second;
            }
        }
    return found;
}

struct Badge {
    double size = 100;
    QPointF place{24, 152}; // the default: Qt (24, 828) on a 1080-high display
    qint64 display = 0;
    bool moveMode = false;
    bool visible = true;
    ColorComponents korean{0.0, 1.0, 0.0, 1.0};
};

struct ManagerFixture {
    QTemporaryDir folder;
    AppSettingsManager store{folder.path()};
    FixedDisplays displays{{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)}};
    NotificationCenter center;
    FakeSettingsWindow settingsWindow;
    IMEIndicatorWindowManager manager{store, displays, center, &settingsWindow};

    void set(const Badge& badge)
    {
        store.edit([&](AppSettings& a) {
            IMEIndicatorSettings& s = a.imeIndicator;
            s.indicatorSize = badge.size;
            s.positionX = badge.place.x();
            s.positionY = badge.place.y();
            s.displayIndex = badge.display;
            s.moveMode = badge.moveMode;
            s.isVisible = badge.visible;
            s.colors[languageIndex(InputLanguage::korean)] = badge.korean;
        });
    }
    void postChange() { center.post(notifications::kIMEIndicatorSettingsChanged); }
    IMEIndicatorSettings saved() const
    {
        return AppSettingsManager(folder.path()).settings().imeIndicator;
    }
};

} // namespace

class IMEIndicatorTest : public QObject {
    Q_OBJECT
private slots:
    void drawsDiscTextMoveMarkAndFont()
    {
        // The disc's colour, opacity and cut corners on screen: e2e indicator_window.sh and
        // badge_rim.sh. The colour's own alpha scales the fill too.
        const QImage badge = render(redBadge());
        const QColor disc = badge.pixelColor(20, 50);
        QVERIFY(render(redBadge(0.5)).pixelColor(20, 50).alphaF() < disc.alphaF() * 0.6);

        // The text: white, in the middle.
        const auto [text, textPixels] = whiterPixels(render(redBadge(1.0, {})), badge);
        QVERIFY2(textPixels > 100 && QRect(25, 25, 50, 50).contains(text),
                 qPrintable(QStringLiteral("%1 pixels").arg(textPixels)));
        // A text too wide for the disc, such as a layout code with its variant, shrinks into it.
        const auto [code, codePixels] =
            whiterPixels(render(redBadge(1.0, {})), render(redBadge(1.0, "US\u00B7INTL")));
        QVERIFY2(
            codePixels > 100 && QRect(14, 14, 72, 72).contains(code),
            qPrintable(QStringLiteral("%1 pixels in %2 wide").arg(codePixels).arg(code.width())));

        // The move mark: a hand, not a square, 4 points in from the bottom-right corner.
        const IMEIndicatorView moving = redBadge(1.0, "H", true);
        const auto [mark, markPixels] = whiterPixels(badge, render(moving));
        QVERIFY2(QRect(76, 76, 20, 20).contains(mark) && markPixels > 80 && markPixels < 300,
                 qPrintable(QStringLiteral("%1 pixels").arg(markPixels)));
        // Without a compositor the window's cut keeps the mark.
        QVERIFY(moving.visibleShape(QRectF(0, 0, 100, 100)).contains(QPointF(mark.center())));

        // The font: no name, or the name the settings use for it, is the system font in bold.
        IMEIndicatorView view;
        view.fontSizeRatio = 0.3;
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
        // A character that no installed font draws shows as the empty box (glyph 0).
        for (InputLanguage language : allInputLanguages()) {
            view = makeIndicatorView(IMEIndicatorSettings{}, language);
            QTextLayout layout(view.text, view.font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                QVERIFY2(!run.glyphIndexes().contains(0),
                         qPrintable(rawValue(language) + ": " + view.text));
        }
    }

    void settingsChangeRefreshesOrRebuilds_data()
    {
        QTest::addColumn<Badge>("badge");
        QTest::addColumn<bool>("rebuilt");
        QTest::addColumn<QRect>("geometry"); // null: no window
        const QRect home(24, 828, 100, 100);
        row("colour only", Badge{}, false, home);
        row("move mode", Badge{.moveMode = true}, false, home);
        row("hidden", Badge{.visible = false}, false, home);
        // Same bottom-left corner, so the top moves up by 20.
        row("size", Badge{.size = 120}, true, QRect(24, 808, 120, 120));
        row("position", Badge{.place = {300, 152}}, true, QRect(300, 828, 100, 100));
        row("display 1", Badge{.display = 1}, true, QRect(1944, 828, 100, 100));
        // A display that is gone: on the primary display.
        row("no such display", Badge{.display = 2}, false, home);
        row("no display at all", Badge{}, true, QRect());
        // A place off every display: the nearest place in view; the stored one is kept.
        row("off screen", Badge{.place = {5000, 5000}}, true, QRect(1820, 0, 100, 100));
        // Sizes a hand-edited file may hold still make a usable window.
        row("negative size", Badge{.size = -5}, true, QRect(24, 918, 10, 10));
        row("huge size", Badge{.size = 1e9}, true, QRect(24, -72, 1000, 1000));
        row("size not a number", Badge{.size = qQNaN()}, false, home);
    }
    void settingsChangeRefreshesOrRebuilds()
    {
        QFETCH(Badge, badge);
        QFETCH(bool, rebuilt);
        QFETCH(QRect, geometry);
        ManagerFixture f;
        f.manager.setCurrentLanguage(InputLanguage::korean);
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> before = f.manager.indicatorWindow();
        f.set(badge);
        if (geometry.isNull())
            f.displays.setGeometries({});
        f.postChange();
        DraggableHostingView* after = f.manager.indicatorWindow();
        QTRY_VERIFY(!rebuilt || !before); // the old window goes away
        QCOMPARE(after ? after->geometry() : QRect(), geometry);
        if (!after)
            return;
        QCOMPARE(after != before.data(), rebuilt);
        QCOMPARE(after->isVisible(), badge.visible);
        QVERIFY(after->windowFlags() & Qt::WindowStaysOnTopHint);
        QTRY_COMPARE(after->rootView().color, badge.korean);
        QCOMPARE(after->rootView().moveMode, badge.moveMode);
        QCOMPARE(f.store.settings().imeIndicator.positionX, badge.place.x());
    }

    void dragStoresTheDroppedPlace_data()
    {
        QTest::addColumn<Badge>("badge");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("storedDisplay");
        const Badge moving{.moveMode = true};
        row("move mode off", Badge{}, QPoint(30, 10), QPointF(24, 152), qint64(0));
        row("onto the other display", moving, QPoint(1950, 10), QPointF(54, 142), qint64(1));
        const Badge gone{.display = 2, .moveMode = true};
        row("from a display that is gone", gone, QPoint(30, 10), QPointF(54, 142), qint64(0));
        const Badge rescued{.place = {5000, 5000}, .moveMode = true};
        row("from a place kept in view", rescued, QPoint(-100, 200), QPointF(1720, 780), qint64(0));
    }
    void dragStoresTheDroppedPlace()
    {
        QFETCH(Badge, badge);
        QFETCH(QPoint, delta);
        QFETCH(QPointF, stored);
        QFETCH(qint64, storedDisplay);
        ManagerFixture f;
        f.set(badge);
        f.store.saveSettings();
        f.manager.createIndicatorWindow();
        QPointer<DraggableHostingView> window = f.manager.indicatorWindow();
        const QRect start = window->geometry();
        QSignalSpy notifications(&f.center, &NotificationCenter::posted);
        drag(window, QPoint(50, 50), delta);
        QCOMPARE(notifications.count(), badge.moveMode ? 1 : 0);
        QCoreApplication::processEvents();

        // The manager, told of the change, finds the window where it was dropped.
        QCOMPARE(f.manager.indicatorWindow(), window.data());
        QCOMPARE(window->geometry(), start.translated(badge.moveMode ? delta : QPoint()));
        QCOMPARE(QPointF(f.saved().positionX, f.saved().positionY), stored);
        QCOMPARE(f.saved().displayIndex, badge.moveMode ? storedDisplay : badge.display);
    }

    void languageChangeMenuAndTrayToggle()
    {
        ManagerFixture f;
        f.manager.createIndicatorWindow();
        DraggableHostingView* window = f.manager.indicatorWindow();
        f.manager.setCurrentLanguage(InputLanguage::japanese);
        f.manager.animateLanguageChange();
        // The lowest opacity reached while the old language still shows. The values come
        // from the animations, so a busy machine that skips frames still records them.
        double lowest = 1.0;
        for (QPropertyAnimation* animation : window->findChildren<QPropertyAnimation*>())
            connect(animation, &QVariantAnimation::valueChanged, this, [&](const QVariant& v) {
                if (window->rootView().language == InputLanguage::english)
                    lowest = std::min(lowest, v.toDouble());
            });
        QTRY_COMPARE(window->rootView().language, InputLanguage::japanese);
        QVERIFY2(lowest < 0.5, qPrintable(QString::number(lowest)));
        QCOMPARE(window->windowOpacity(), 1.0);

        // The context menu opens the settings, only while the settings window is closed.
        QMenu* shown[2] = {};
        for (bool settingsOpen : {true, false}) {
            f.settingsWindow.open = settingsOpen;
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50), QPoint(74, 878));
            QApplication::sendEvent(window, &event);
            shown[settingsOpen] = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        }
        QVERIFY(!shown[true] && shown[false]);
        shown[false]->actions().first()->trigger();
        shown[false]->close();
        QCOMPARE(f.settingsWindow.requests,
                 QList<std::optional<SettingsTab>>{SettingsTab::imeIndicator});
        // The toggle is saved at once and keeps the window.
        for (bool visible : {false, true}) {
            f.manager.toggleVisibility();
            QCOMPARE(window->isVisible(), visible);
            QCOMPARE(f.manager.indicatorWindow(), window);
            QCOMPARE(f.saved().isVisible, visible);
        }
    }
};

MIREVO_TEST_CLASS(IMEIndicatorTest)
#include "tst_IMEIndicator.moc"

#include "IndicatorFixture.h"
#include "common/TestRegistry.h"
#include "indicator/DraggableHostingView.h"
#include "platform/StringTables.h"
#include "settings/SettingsJson.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace mirevo;
using namespace mirevo::test;

namespace {

QByteArray fileContents(const AppSettingsManager& store)
{
    QFile file(*store.settingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DraggableHostingViewTest : public QObject {
    Q_OBJECT
private slots:
    void dragStoresTheDroppedPosition_data()
    {
        QTest::addColumn<bool>("moveMode");
        QTest::addColumn<qint64>("displayIndex");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<qint64>("storedDisplay");
        // The window starts at the default place: Qt (24, 828), stored (24, 152).
        QTest::newRow("move mode")
            << true << qint64(0) << QPoint(30, 10) << QPointF(54, 142) << qint64(0);
        QTest::newRow("move mode off")
            << false << qint64(0) << QPoint(30, 10) << QPointF(24, 152) << qint64(0);
        QTest::newRow("onto the other display")
            << true << qint64(0) << QPoint(1950, 10) << QPointF(54, 142) << qint64(1);
        QTest::newRow("from a display that is gone")
            << true << qint64(2) << QPoint(30, 10) << QPointF(54, 142) << qint64(0);
    }
    void dragStoresTheDroppedPosition()
    {
        QFETCH(bool, moveMode);
        QFETCH(qint64, displayIndex);
        QFETCH(QPoint, delta);
        QFETCH(QPointF, stored);
        QFETCH(qint64, storedDisplay);
        IndicatorFixture f;
        f.editIndicator([&](IMEIndicatorSettings& s) {
            s.moveMode = moveMode;
            s.displayIndex = displayIndex;
        });
        const QByteArray before = fileContents(f.store);
        DraggableHostingView view({}, f.store, f.displays, f.center, &f.settingsWindow);
        view.setGeometry(24, 828, 100, 100);
        view.show();
        QSignalSpy notifications(&f.center, &NotificationCenter::posted);
        QSignalSpy edits(&f.store, &AppSettingsManager::settingsChanged);

        drag(&view, delta);

        QCOMPARE(view.geometry().topLeft(), QPoint(24, 828) + (moveMode ? delta : QPoint()));
        const IMEIndicatorSettings& s = f.store.settings().imeIndicator;
        QCOMPARE(QPointF(s.positionX, s.positionY), stored);
        QCOMPARE(notifications.count(), moveMode ? 1 : 0);
        if (moveMode) {
            QCOMPARE(notifications.first().first().toString(),
                     QStringLiteral("IMEIndicatorSettingsChanged"));
            // positionX, then positionY; the display first when it is another one.
            QCOMPARE(edits.count(), storedDisplay == displayIndex ? 2 : 3);
            const auto saved = decodeSettings(fileContents(f.store));
            QVERIFY(saved);
            QCOMPARE(QPointF(saved->imeIndicator.positionX, saved->imeIndicator.positionY), stored);
            QCOMPARE(saved->imeIndicator.displayIndex, storedDisplay);
        } else {
            QCOMPARE(edits.count(), 0);
            QCOMPARE(fileContents(f.store), before);
        }
    }

    void contextMenuOpensTheSettings_data()
    {
        QTest::addColumn<bool>("settingsOpen");
        QTest::newRow("settings window closed") << false;
        QTest::newRow("settings window open") << true;
    }
    void contextMenuOpensTheSettings()
    {
        QFETCH(bool, settingsOpen);
        IndicatorFixture f;
        f.settingsWindow.open = settingsOpen;
        DraggableHostingView view({}, f.store, f.displays, f.center, &f.settingsWindow);
        view.setGeometry(24, 828, 100, 100);
        view.show();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50), QPoint(74, 878));
        QApplication::sendEvent(&view, &event);

        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (settingsOpen) {
            QVERIFY(!menu);
            QVERIFY(f.settingsWindow.requests.isEmpty());
            return;
        }
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction* item = menu->actions().first();
        QCOMPARE(item->text(), localized("Localizable", "menu.settings"));
        QVERIFY(item->isEnabled());
        item->trigger();
        menu->close();
        QCOMPARE(f.settingsWindow.requests,
                 QList<std::optional<SettingsTab>>{SettingsTab::imeIndicator});
    }
};

MIREVO_TEST_CLASS(DraggableHostingViewTest)
#include "tst_DraggableHostingView.moc"

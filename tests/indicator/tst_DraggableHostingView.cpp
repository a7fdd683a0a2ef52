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
        QTest::addColumn<QPoint>("droppedAt");
        QTest::addColumn<QPointF>("stored");
        QTest::addColumn<int>("posts");
        // The window starts at the default place: Qt (24, 828), stored (24, 152).
        QTest::newRow("move mode") << true << qint64(0) << QPoint(54, 838) << QPointF(54, 142) << 1;
        QTest::newRow("move mode off")
            << false << qint64(0) << QPoint(24, 828) << QPointF(24, 152) << 0;
        QTest::newRow("relative to the named display")
            << true << qint64(1) << QPoint(54, 838) << QPointF(54 - 1920, 142) << 1;
        QTest::newRow("index names no display")
            << true << qint64(2) << QPoint(54, 838) << QPointF(24, 152) << 0;
    }
    void dragStoresTheDroppedPosition()
    {
        QFETCH(bool, moveMode);
        QFETCH(qint64, displayIndex);
        QFETCH(QPoint, droppedAt);
        QFETCH(QPointF, stored);
        QFETCH(int, posts);
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

        drag(&view, QPoint(30, 10));

        QCOMPARE(view.geometry().topLeft(), droppedAt);
        const IMEIndicatorSettings& s = f.store.settings().imeIndicator;
        QCOMPARE(QPointF(s.positionX, s.positionY), stored);
        QCOMPARE(notifications.count(), posts);
        if (posts) {
            QCOMPARE(notifications.first().first().toString(),
                     QStringLiteral("IMEIndicatorSettingsChanged"));
            QCOMPARE(edits.count(), 2); // positionX, then positionY
            const auto saved = decodeSettings(fileContents(f.store));
            QVERIFY(saved);
            QCOMPARE(QPointF(saved->imeIndicator.positionX, saved->imeIndicator.positionY), stored);
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

#include "common/FileSizeLimit.h"
#include "common/TestRegistry.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsJson.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::FileSizeLimit;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray recordJson(const char* member, const AppSettings& settings)
{
    const QJsonObject root = QJsonDocument::fromJson(encodeSettings(settings)).object();
    return QJsonDocument(root.value(QLatin1String(member)).toObject()).toJson();
}

AppSettings customSettings()
{
    AppSettings s;
    s.imeIndicator.indicatorSize = 64;
    s.clock.style = ClockStyle::digital;
    s.clock.positionX = 100;
    return s;
}

} // namespace

class AppSettingsManagerTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesDefaults()
    {
        QTemporaryDir base;
        const QString folder = base.filePath("nested/Mirevo");
        AppSettingsManager store(folder);
        const QString file = QDir(folder).filePath("app_settings.json");
        QVERIFY(QFile::exists(file));
        QVERIFY(decodeSettings(readAll(file)) == AppSettings{});
        QVERIFY(store.settings() == AppSettings{});
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"app_settings.json"}));
    }

    void loadsAnExistingFile()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("app_settings.json"), encodeSettings(customSettings()));
        AppSettingsManager store(dir.path());
        QVERIFY(store.settings() == customSettings());
    }

    void migration_data()
    {
        QTest::addColumn<QString>("ime");   // valid, invalid or absent
        QTest::addColumn<QString>("clock"); // valid, invalid or absent
        for (const char* ime : {"valid", "invalid", "absent"}) {
            for (const char* clock : {"valid", "invalid", "absent"})
                QTest::addRow("ime %s, clock %s", ime, clock) << ime << clock;
        }
    }
    void migration()
    {
        QFETCH(QString, ime);
        QFETCH(QString, clock);
        QTemporaryDir dir;
        const AppSettings custom = customSettings();
        const QString imePath = dir.filePath("ime_settings.json");
        const QString clockPath = dir.filePath("settings.json");
        const QByteArray broken("{\"isVisible\": true");
        if (ime != "absent")
            writeAll(imePath, ime == "valid" ? recordJson("imeIndicator", custom) : broken);
        if (clock != "absent")
            writeAll(clockPath, clock == "valid" ? recordJson("clock", custom) : broken);

        AppSettingsManager store(dir.path());

        AppSettings expected;
        if (ime == "valid")
            expected.imeIndicator = custom.imeIndicator;
        if (clock == "valid")
            expected.clock = custom.clock;
        QVERIFY(decodeSettings(readAll(dir.filePath("app_settings.json"))) == expected);
        QVERIFY(store.settings() == expected);
        // Decoded files are gone; broken ones are kept aside, never destroyed.
        QVERIFY(!QFile::exists(imePath));
        QVERIFY(!QFile::exists(clockPath));
        QCOMPARE(readAll(imePath + ".invalid"), ime == "invalid" ? broken : QByteArray());
        QCOMPARE(readAll(clockPath + ".invalid"), clock == "invalid" ? broken : QByteArray());
    }

    void failedMigrationWriteKeepsLegacyFiles()
    {
        QTemporaryDir dir;
        const QString clockPath = dir.filePath("settings.json");
        writeAll(clockPath, recordJson("clock", customSettings()));
        writeAll(dir.filePath("ime_settings.json"), "not json");
        {
            FileSizeLimit fullDisk(16);
            AppSettingsManager store(dir.path());
            QVERIFY(store.settings() == AppSettings{});
            QVERIFY(!store.saveSettings());
        }
        QVERIFY(QFile::exists(clockPath));
        QVERIFY(QFile::exists(dir.filePath("ime_settings.json")));
        QVERIFY(!QFile::exists(dir.filePath("app_settings.json")));
    }

    void unwritableFolderRunsOnDefaults()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("plain-file"), "x");
        // A folder below a regular file can never be created, even by root.
        AppSettingsManager store(dir.filePath("plain-file/Mirevo"));
        QVERIFY(store.settings() == AppSettings{});
        store.edit([](AppSettings& s) { s.clock.fontSize = 40; });
        QVERIFY(!store.saveSettings());
        QCOMPARE(store.settings().clock.fontSize, 40.0);
    }

    void brokenFileIsKeptAside()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("app_settings.json");
        QJsonObject root = QJsonDocument::fromJson(encodeSettings(customSettings())).object();
        root.remove("mouseCursorIndicator");
        const QByteArray broken = QJsonDocument(root).toJson();
        writeAll(path, broken);

        AppSettingsManager store(dir.path());
        QVERIFY(store.settings() == AppSettings{});
        QCOMPARE(readAll(path), broken); // untouched until the first save
        QCOMPARE(readAll(path + ".invalid"), broken);

        store.edit([](AppSettings& s) { s.clock.fontSize = 30; });
        QVERIFY(store.saveSettings());
        QCOMPARE(decodeSettings(readAll(path))->clock.fontSize, 30.0);
        QCOMPARE(readAll(path + ".invalid"), broken);
    }

    void interruptedSaveLeavesTheOldFileWhole()
    {
        QTemporaryDir dir;
        AppSettingsManager store(dir.path());
        const QString path = *store.settingsFilePath();
        const QByteArray before = readAll(path);
        store.edit([](AppSettings& s) { s.imeIndicator.fontName = QStringLiteral("Changed"); });
        {
            FileSizeLimit fullDisk(before.size() / 2);
            QVERIFY(!store.saveSettings());
        }
        QCOMPARE(readAll(path), before);
        QCOMPARE(store.settings().imeIndicator.fontName, QStringLiteral("Changed"));
        QVERIFY(store.saveSettings());
        QCOMPARE(decodeSettings(readAll(path))->imeIndicator.fontName, QStringLiteral("Changed"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"app_settings.json"}));
    }

    void previewModeNeverSaves()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("app_settings.json"), encodeSettings(customSettings()));
        AppSettingsManager store(dir.path(), true);
        store.setSettings(AppSettings{});
        QVERIFY(!store.saveSettings());
        QVERIFY(decodeSettings(readAll(dir.filePath("app_settings.json"))) == customSettings());
    }

    void everyEditNotifies()
    {
        QTemporaryDir dir;
        AppSettingsManager store(dir.path());
        QSignalSpy changed(&store, &AppSettingsManager::settingsChanged);
        store.edit([](AppSettings& s) { s.clock.positionX = 1; });
        store.edit([](AppSettings& s) { s.clock.positionY = 2; });
        store.setSettings(AppSettings{});
        QCOMPARE(changed.count(), 3);
    }

    void imeStateArrivesOneTurnLater()
    {
        QTemporaryDir dir;
        AppSettingsManager store(dir.path());
        QSignalSpy flag(&store, &AppSettingsManager::isJapaneseInputChanged);
        store.updateIMEState(true);
        QVERIFY(!store.isJapaneseInput());
        QTRY_VERIFY(store.isJapaneseInput());
        QCOMPARE(flag.count(), 1);
        store.updateIMEState(false);
        QTRY_VERIFY(!store.isJapaneseInput());
    }

    void clockPositionIgnoresASecondCallBeforeTheQueueRuns()
    {
        QTemporaryDir dir;
        AppSettingsManager store(dir.path());
        QSignalSpy changed(&store, &AppSettingsManager::settingsChanged);
        store.updateClockPosition(10, 20);
        store.updateClockPosition(30, 40);
        QCOMPARE(changed.count(), 2); // x and y of the first call
        QCOMPARE(store.settings().clock.positionX, 10.0);
        QCOMPARE(store.settings().clock.positionY, 20.0);
        QCOMPARE(decodeSettings(readAll(*store.settingsFilePath()))->clock.positionY, 20.0);
        QTRY_VERIFY(!store.isUpdatingFromWindow());
        store.updateClockPosition(50, 60);
        QCOMPARE(store.settings().clock.positionX, 50.0);
    }

    void folderNames_data()
    {
        QTest::addColumn<QString>("applicationId");
        QTest::addColumn<QString>("folder");
        QTest::newRow("release") << "io.github.mirevo.Mirevo"
                                 << "Mirevo";
        QTest::newRow("debug") << "io.github.mirevo.Mirevo.debug"
                               << "Mirevo-Debug";
        QTest::newRow("capital Debug") << "io.github.mirevo.Mirevo.Debug"
                                       << "Mirevo";
        QTest::newRow("debug without dot") << "io.github.mirevo.Mirevodebug"
                                           << "Mirevo";
        QTest::newRow("no id") << ""
                               << "Mirevo";
    }
    void folderNames()
    {
        QFETCH(QString, applicationId);
        QFETCH(QString, folder);
        QCOMPARE(AppSettingsManager::folderName(applicationId), folder);
    }
};

MIREVO_TEST_CLASS(AppSettingsManagerTest)
#include "tst_AppSettingsManager.moc"

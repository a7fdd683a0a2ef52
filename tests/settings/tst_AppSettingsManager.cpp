#include "common/FileSizeLimit.h"
#include "common/TestRegistry.h"
#include "common/UnwritableFolder.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsJson.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace mirevo;
using namespace mirevo::test;

namespace {

AppSettings customSettings()
{
    AppSettings s;
    s.imeIndicator.indicatorSize = 64;
    s.clock.style = ClockStyle::digital;
    return s;
}

// One record of the custom settings, as an older single-record file held it.
QByteArray recordJson(const char* member)
{
    const QJsonObject root = QJsonDocument::fromJson(encodeSettings(customSettings())).object();
    return QJsonDocument(root.value(QLatin1String(member)).toObject()).toJson();
}

} // namespace

class AppSettingsManagerTest : public QObject {
    Q_OBJECT
private slots:
    // The older single-record files on a first start (both absent: the defaults).
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
        const QString imePath = dir.filePath("ime_settings.json");
        const QString clockPath = dir.filePath("settings.json");
        const QByteArray broken("{\"isVisible\": true");
        if (ime != "absent")
            writeFile(imePath, ime == "valid" ? recordJson("imeIndicator") : broken);
        if (clock != "absent")
            writeFile(clockPath, clock == "valid" ? recordJson("clock") : broken);

        AppSettingsManager store(dir.path());

        AppSettings expected;
        if (ime == "valid")
            expected.imeIndicator = customSettings().imeIndicator;
        if (clock == "valid")
            expected.clock = customSettings().clock;
        QVERIFY(decodeSettings(readFile(dir.filePath("app_settings.json"))) == expected);
        QVERIFY(store.settings() == expected);
        // Decoded files are gone; broken ones are kept aside, never destroyed.
        QVERIFY(!QFile::exists(imePath) && !QFile::exists(clockPath));
        QCOMPARE(readFile(imePath + ".invalid"), ime == "invalid" ? broken : QByteArray());
        QCOMPARE(readFile(clockPath + ".invalid"), clock == "invalid" ? broken : QByteArray());
    }

    void failedMigrationWriteKeepsLegacyFiles()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("settings.json"), recordJson("clock"));
        writeFile(dir.filePath("ime_settings.json"), "not json");
        {
            FileSizeLimit fullDisk(16);
            AppSettingsManager store(dir.path());
            QVERIFY(store.settings() == AppSettings{});
            QVERIFY(!store.saveSettings());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({"ime_settings.json", "settings.json"}));
    }

    // Over a broken file whose copy a folder blocks, saving fails: the store runs on
    // defaults and edits, and the broken file stays.
    void blockedCopyKeepsTheBrokenFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("app_settings.json");
        writeFile(path, "{ broken");
        QVERIFY(QDir().mkpath(path + ".invalid/inside"));
        AppSettingsManager store(dir.path());
        QVERIFY(store.settings() == AppSettings{});
        store.edit([](AppSettings& s) { s.clock.fontSize = 40; });
        QVERIFY(!store.saveSettings());
        QCOMPARE(store.settings().clock.fontSize, 40.0);
        QCOMPARE(readFile(path), QByteArray("{ broken"));
    }

    // A file the store cannot use is kept as ".invalid" before any save, replacing the copy
    // an earlier start kept: a copy of one it could read, the thing itself when reading it
    // would block or is impossible.
    void unusableFileIsKeptAside_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"undecodable", "fifo", "folder"})
            QTest::newRow(kind) << kind;
    }
    void unusableFileIsKeptAside()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("app_settings.json");
        const QByteArray broken = encodeSettings(customSettings()).replace("clock", "clocks");
        if (kind == "undecodable")
            writeFile(path, broken);
        else if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkpath(path + "/inside"));
        if (kind != "folder") // a folder cannot replace a file
            writeFile(path + ".invalid", "an older broken file");

        alarm(5); // a read that blocks on the FIFO ends the run instead of hanging it
        AppSettingsManager store(dir.path());
        alarm(0);
        QVERIFY(store.settings() == AppSettings{});
        if (kind == "undecodable") {
            QCOMPARE(readFile(path), broken); // untouched until the first save
            QCOMPARE(readFile(path + ".invalid"), broken);
        } else {
            QCOMPARE(QFileInfo(path + ".invalid").isDir(), kind == "folder");
            QVERIFY(!QFileInfo(path + ".invalid").isFile());
        }

        store.edit([](AppSettings& s) { s.clock.fontSize = 30; });
        QVERIFY(store.saveSettings());
        QCOMPARE(decodeSettings(readFile(path))->clock.fontSize, 30.0);
    }

    void staleTemporaryFilesAreRemoved()
    {
        QTemporaryDir dir;
        const auto create = [&](const QString& name, int ageSecs) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSecs),
                                     QFileDevice::FileModificationTime));
        };
        create("app_settings.json.saving-aXbYcZ", 120); // left by a save killed minutes ago
        create("app_settings.json.saving-QrStUv", 5);   // may belong to a save in progress
        create("app_settings.json.backup", 120);        // the user's own copy
        AppSettingsManager store(dir.path());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({"app_settings.json", "app_settings.json.backup",
                              "app_settings.json.saving-QrStUv"}));
    }

    // A link into another folder, as dotfile managers make: a save writes the file it leads
    // to, beside itself, with its permissions; the link stays. One it cannot write fails as
    // for an unwritable file (a full disk: e2e settings_file.sh): the edit stays in memory,
    // the file stays whole, no temporary file is left.
    void savesGoThroughALink_data()
    {
        QTest::addColumn<QString>("link");   // the link's text; empty: a plain file
        QTest::addColumn<QString>("target"); // file, missing, unwritable folder
        row("absolute link", QString("<base>/dotfiles/mirevo.json"), QString("file"));
        row("relative link", QString("../dotfiles/mirevo.json"), QString("file"));
        row("link that leads nowhere", QString("../dotfiles/mirevo.json"), QString("missing"));
        row("link into an unwritable folder", QString("../dotfiles/mirevo.json"),
            QString("unwritable folder"));
        row("plain file in an unwritable folder", QString(), QString("unwritable folder"));
    }
    void savesGoThroughALink()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QTemporaryDir base;
        const QString folder = base.filePath("Mirevo"), path = folder + "/app_settings.json";
        const QString file = link.isEmpty() ? path : base.filePath("dotfiles/mirevo.json");
        const QString fileFolder = QFileInfo(file).path();
        QDir().mkpath(folder);
        QDir().mkpath(fileFolder);
        if (target != "missing") {
            writeFile(file, encodeSettings(customSettings()));
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0640), 0);
        }
        link.replace("<base>", base.path());
        if (!link.isEmpty())
            makeLink(link, path);

        const bool saves = target == "file";
        {
            std::optional<UnwritableFolder> unwritable;
            if (target == "unwritable folder")
                unwritable.emplace(fileFolder);
            AppSettingsManager store(folder);
            QVERIFY(store.settings() == (target == "missing" ? AppSettings{} : customSettings()));
            store.edit([](AppSettings& s) { s.clock.fontSize = 40; });
            QCOMPARE(store.saveSettings(), saves);
            QCOMPARE(store.settings().clock.fontSize, 40.0);
        }
        QCOMPARE(QFileInfo(path).isSymLink(), !link.isEmpty());
        const std::optional<AppSettings> written = decodeSettings(readFile(file));
        QCOMPARE(written.has_value(), target != "missing");
        if (written)
            QCOMPARE(written->clock.fontSize, saves ? 40.0 : customSettings().clock.fontSize);
        struct stat info {};
        QVERIFY(target == "missing" || (::stat(QFile::encodeName(file).constData(), &info) == 0 &&
                                        (info.st_mode & 0777) == 0640));
        // No temporary file is left beside the link or the file.
        const QDir::Filters all = QDir::Files | QDir::Hidden | QDir::System;
        QCOMPARE(QDir(folder).entryList(all), QStringList{"app_settings.json"});
        if (!link.isEmpty())
            QCOMPARE(QDir(fileFolder).entryList(all),
                     target == "missing" ? QStringList{} : QStringList{"mirevo.json"});
    }

    void previewModeLoadsButNeverSaves()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("app_settings.json"), encodeSettings(customSettings()));
        AppSettingsManager store(dir.path(), true);
        QVERIFY(store.settings() == customSettings());
        store.setSettings(AppSettings{});
        QVERIFY(!store.saveSettings());
        QVERIFY(decodeSettings(readFile(dir.filePath("app_settings.json"))) == customSettings());
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

    // Each edit notifies once; a second window move before the queue runs is ignored.
    void clockPositionIgnoresASecondCallBeforeTheQueueRuns()
    {
        QTemporaryDir dir;
        AppSettingsManager store(dir.path());
        QSignalSpy changed(&store, &AppSettingsManager::settingsChanged);
        store.updateClockPosition(10, 20);
        store.updateClockPosition(30, 40);
        QCOMPARE(changed.count(), 2); // x and y of the first call
        QCOMPARE(store.settings().clock.positionX, 10.0);
        QCOMPARE(decodeSettings(readFile(*store.settingsFilePath()))->clock.positionY, 20.0);
        QTRY_VERIFY(!store.isUpdatingFromWindow());
        store.updateClockPosition(50, 60);
        QCOMPARE(store.settings().clock.positionX, 50.0);
        store.setSettings(AppSettings{});
        QCOMPARE(changed.count(), 5);
    }

    void folderNames()
    {
        QCOMPARE(AppSettingsManager::folderName("io.github.mirevo.Mirevo.debug"), "Mirevo-Debug");
        QCOMPARE(AppSettingsManager::folderName("io.github.mirevo.Mirevo.Debug"), "Mirevo");
        QCOMPARE(AppSettingsManager::folderName("io.github.mirevo.Mirevodebug"), "Mirevo");
    }
};

MIREVO_TEST_CLASS(AppSettingsManagerTest)
#include "tst_AppSettingsManager.moc"

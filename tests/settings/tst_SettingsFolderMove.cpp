#include "common/FileSizeLimit.h"
#include "common/TestRegistry.h"
#include "common/UnwritableFolder.h"
#include "settings/AppSettingsManager.h"
#include "settings/SettingsFolderMove.h"
#include "settings/SettingsJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace mirevo;
using namespace mirevo::test;

namespace {

// "name=content" for each file of a folder.
QStringList contents(const QString& folder)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files << name + '=' + readFile(folder + '/' + name);
    return files;
}

AppSettings withFontSize(double size)
{
    AppSettings s;
    s.clock.fontSize = size;
    return s;
}

} // namespace

class SettingsFolderMoveTest : public QObject {
    Q_OBJECT
private slots:
    // Only the settings files move, the older ones along for their migration, and they are
    // gone from where they were; a second start changes nothing.
    void earlierFolderMovesOnce()
    {
        QTemporaryDir base;
        const QString from = base.filePath("data/Mirevo"), to = base.filePath("config/Mirevo");
        QDir().mkpath(from);
        for (const char* name :
             {"app_settings.json", "ime_settings.json", "settings.json", "notes.txt"})
            writeFile(from + '/' + name, name);
        for (int start = 0; start < 2; ++start) {
            QCOMPARE(moveEarlierSettings(from, to), to);
            QCOMPARE(contents(from), QStringList{"notes.txt=notes.txt"});
            QCOMPARE(contents(to), QStringList({"app_settings.json=app_settings.json",
                                                "ime_settings.json=ime_settings.json",
                                                "settings.json=settings.json"}));
        }
    }

    // A first start meets a fault while it moves the user's file (font size 33) and saves
    // an edit (40); the fault then goes away. Both starts show the user's settings, and the
    // file is whole in one place at least (a move killed midway: e2e settings_file.sh).
    void failedMoveLosesNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("firstShowsTheFile"); // else the defaults: nothing to read
        QTest::addColumn<bool>("firstSaves");
        const auto fault = [](const char* name, bool shows, bool saves) {
            row(name, QString(name), shows, saves);
        };
        fault("earlier folder unwritable: copied, and the old file stays", true, true);
        fault("configuration folder on another, full file system", true, true);
        fault("configuration folder blocked by a file", true, true);
        fault("settings already in the configuration folder", true, true);
        fault("earlier file an absolute link into another folder", true, true);
        fault("earlier file a relative link into another folder", true, true);
        fault("earlier file a link to a folder not mounted yet", false, false);
    }
    void failedMoveLosesNothing()
    {
        QFETCH(QString, fault);
        QFETCH(bool, firstShowsTheFile);
        QFETCH(bool, firstSaves);
        QTemporaryDir base;
        // The full file system: a size limit of this process fails the copy with EFBIG, as
        // a full disk fails it with ENOSPC; a rename cannot cross to it, so the copy runs.
        std::optional<QTemporaryDir> otherDevice;
        if (fault.contains("full")) {
            otherDevice.emplace(QStringLiteral("/dev/shm/mirevo-test-XXXXXX"));
            if (!otherDevice->isValid() || QStorageInfo(otherDevice->path()).rootPath() ==
                                               QStorageInfo(base.path()).rootPath())
                QSKIP("no second file system in /dev/shm");
        }
        // As ~/.local/share and ~/.config: a link's relative text means another file there.
        const QString from =
            (otherDevice ? otherDevice->path() : base.path()) + "/.local/share/Mirevo";
        const QString to = base.filePath(".config/Mirevo");
        const QString dotfile = base.filePath("dotfiles/mirevo.json");
        const bool linked = fault.contains("link");
        const QString userFile = linked ? dotfile : from + "/app_settings.json";
        QDir().mkpath(from);
        QDir().mkpath(QFileInfo(userFile).path());
        writeFile(userFile, encodeSettings(withFontSize(33)));
        if (fault.contains("absolute"))
            makeLink(dotfile, from + "/app_settings.json");
        if (fault.contains("relative") || fault.contains("mounted"))
            makeLink("../../../dotfiles/mirevo.json", from + "/app_settings.json");
        if (fault.contains("already")) { // the newer file is the user's; the older stays
            writeFile(from + "/app_settings.json", encodeSettings(withFontSize(20)));
            QDir().mkpath(to);
            writeFile(to + "/app_settings.json", encodeSettings(withFontSize(33)));
        }
        if (fault.contains("mounted"))
            QVERIFY(QDir(QFileInfo(dotfile).path()).removeRecursively());
        if (fault.contains("blocked")) {
            QDir().mkpath(QFileInfo(to).path());
            writeFile(to, "a file where the folder belongs");
        }

        {
            std::optional<UnwritableFolder> unwritable;
            std::optional<FileSizeLimit> full;
            if (fault.contains("unwritable"))
                unwritable.emplace(from);
            if (fault.contains("full"))
                full.emplace(1024);
            const QString folder = moveEarlierSettings(from, to);
            full.reset();
            AppSettingsManager store(folder);
            QCOMPARE(store.settings(), firstShowsTheFile ? withFontSize(33) : AppSettings{});
            store.edit([](AppSettings& s) { s.clock.fontSize = 40; });
            QCOMPARE(store.saveSettings(), firstSaves);
        }

        if (fault.contains("blocked"))
            QVERIFY(QFile::remove(to));
        if (fault.contains("mounted")) {
            QVERIFY(QDir().mkpath(QFileInfo(dotfile).path()));
            writeFile(dotfile, encodeSettings(withFontSize(33)));
        }
        const AppSettings expected = withFontSize(firstSaves ? 40 : 33);
        QCOMPARE(AppSettingsManager(moveEarlierSettings(from, to)).settings(), expected);
        QCOMPARE(decodeSettings(readFile(to + "/app_settings.json")), expected);
        // A link stays a link, in its new place, to the user's file.
        QCOMPARE(QFileInfo(to + "/app_settings.json").isSymLink(), linked);
        if (linked)
            QCOMPARE(QFileInfo(to + "/app_settings.json").canonicalFilePath(),
                     QFileInfo(dotfile).canonicalFilePath());
        // What the move could not remove is left whole.
        if (QFileInfo::exists(from + "/app_settings.json"))
            QVERIFY(decodeSettings(readFile(from + "/app_settings.json")).has_value());
        QCOMPARE(QDir(to).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"app_settings.json"});
    }
};

MIREVO_TEST_CLASS(SettingsFolderMoveTest)
#include "tst_SettingsFolderMove.moc"

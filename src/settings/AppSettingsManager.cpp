#include "settings/AppSettingsManager.h"

#include "platform/RegularFile.h"
#include "platform/desktop/FileLocations.h"
#include "settings/AtomicWrite.h"
#include "settings/SettingsFolderMove.h"
#include "settings/SettingsJson.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace mirevo {
namespace {

// Far above any real settings file: a larger file is not one the program wrote.
constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;
// An atomic save lives a few milliseconds; an older temporary file is a crash's leftover.
constexpr qint64 kStaleTemporaryFileAgeSecs = 60;

RegularFileContent readSettingsFile(const QString& path)
{
    return readRegularFile(path, kMaxSettingsFileBytes, true);
}

// Keeps a file the program cannot use beside it as "<name>.invalid", replacing an older
// copy, so that no save destroys the user's only copy. What could be read is copied and
// stays in place until the next save; what could not (no permission, a FIFO, a folder) is
// moved, since copying needs the read that failed.
bool keepAside(const QString& path, const RegularFileContent& content)
{
    const QString aside = path + AppSettingsManager::kInvalidSuffix;
    if (content.isRead())
        return writeAtomically(aside, content.bytes);
    return std::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) ==
           0;
}

// Compared by hand: a regular expression or a name filter here would load and compile
// PCRE at every start.
bool isTemporaryName(const QString& name, const QString& savedName)
{
    const QString prefix = savedName + kSavingInfix;
    return name.size() == prefix.size() + 6 && name.startsWith(prefix) &&
           std::all_of(name.cbegin() + prefix.size(), name.cend(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

// A save killed between writing its temporary file and renaming it leaves the file beside
// what it saves (the file a link leads to); the `.invalid` copy and files people made by
// hand keep other names.
void removeStaleTemporaryFiles(const QString& savedFile)
{
    const QFileInfo saved(savedFile);
    const QDateTime cutoff = QDateTime::currentDateTime().addSecs(-kStaleTemporaryFileAgeSecs);
    const QFileInfoList entries =
        saved.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (isTemporaryName(entry.fileName(), saved.fileName()) && entry.lastModified() < cutoff)
            QFile::remove(entry.filePath());
    }
}

} // namespace

AppSettingsManager::AppSettingsManager(const QString& folder, bool isPreviewMode, QObject* parent)
    : QObject(parent), m_isPreviewMode(isPreviewMode)
{
    QDir().mkpath(folder); // a failure shows up later as a failed save
    m_settingsFilePath = QDir(folder).filePath(kSettingsFileName);
    if (const std::optional<QString> saved = saveTarget(*m_settingsFilePath))
        removeStaleTemporaryFiles(*saved);
    if (!QFileInfo::exists(*m_settingsFilePath))
        migrateLegacySettings(folder);
    m_settings = loadSettings().value_or(AppSettings{});
}

AppSettingsManager& AppSettingsManager::shared()
{
    static AppSettingsManager* store = [] {
        const std::optional<QString> base = applicationSupportDirectory();
        if (!base) {
            std::fputs("Application Support directory not found\n", stderr);
            std::exit(1);
        }
        QString folder = QDir(*base).filePath(folderName(applicationId()));
        if (const std::optional<QString> earlier = earlierApplicationSupportDirectory())
            folder =
                moveEarlierSettings(QDir(*earlier).filePath(folderName(applicationId())), folder);
        return new AppSettingsManager(folder);
    }();
    return *store;
}

QString AppSettingsManager::folderName(const QString& applicationId)
{
    return applicationId.endsWith(QLatin1String(".debug"), Qt::CaseSensitive)
               ? QStringLiteral("Mirevo-Debug")
               : QStringLiteral("Mirevo");
}

void AppSettingsManager::migrateLegacySettings(const QString& folder)
{
    const QString imePath = QDir(folder).filePath(kLegacyIMEFileName);
    const QString clockPath = QDir(folder).filePath(kLegacyClockFileName);
    const RegularFileContent imeFile = readSettingsFile(imePath);
    const RegularFileContent clockFile = readSettingsFile(clockPath);
    const LegacyMigration migrated =
        migrateLegacyRecords(imeFile.isRead() ? std::optional(imeFile.bytes) : std::nullopt,
                             clockFile.isRead() ? std::optional(clockFile.bytes) : std::nullopt);

    if (!writeSettingsFile(migrated.settings))
        return; // the legacy files stay for the next start

    // A file that decoded lives on in the new file; any other is moved aside.
    const auto retire = [](const QString& path, const RegularFileContent& file, bool decoded) {
        if (file.status != RegularFileContent::Status::missing)
            decoded ? void(QFile::remove(path)) : void(keepAside(path, {}));
    };
    retire(imePath, imeFile, migrated.imeDecoded);
    retire(clockPath, clockFile, migrated.clockDecoded);
}

std::optional<AppSettings> AppSettingsManager::loadSettings()
{
    if (!m_settingsFilePath)
        return std::nullopt;
    const RegularFileContent file = readSettingsFile(*m_settingsFilePath);
    if (file.status == RegularFileContent::Status::missing)
        return std::nullopt;
    if (file.isRead()) {
        if (std::optional<AppSettings> settings = decodeSettings(file.bytes))
            return settings;
    }
    if (!keepAside(*m_settingsFilePath, file)) {
        // Saving over the file now would destroy the user's only copy of their settings.
        m_savingBlocked = true;
        std::fprintf(stderr,
                     "mirevo: cannot read the settings file %s nor keep a copy of it; running "
                     "on the default settings without saving over it\n",
                     QFile::encodeName(*m_settingsFilePath).constData());
    }
    return std::nullopt;
}

void AppSettingsManager::setSettings(const AppSettings& settings)
{
    m_settings = settings;
    emit settingsChanged();
}

bool AppSettingsManager::saveSettings()
{
    if (m_isPreviewMode || !m_settingsFilePath || m_savingBlocked)
        return false;
    return writeSettingsFile(m_settings);
}

bool AppSettingsManager::writeSettingsFile(const AppSettings& settings)
{
    return m_settingsFilePath && writeAtomically(*m_settingsFilePath, encodeSettings(settings));
}

void AppSettingsManager::updateIMEState(bool isJapanese)
{
    QMetaObject::invokeMethod(
        this,
        [this, isJapanese] {
            if (m_isJapaneseInput == isJapanese)
                return;
            m_isJapaneseInput = isJapanese;
            emit isJapaneseInputChanged(isJapanese);
        },
        Qt::QueuedConnection);
}

void AppSettingsManager::updateClockPosition(double x, double y)
{
    if (m_isUpdatingFromWindow)
        return;
    m_isUpdatingFromWindow = true;
    edit([x](AppSettings& s) { s.clock.positionX = x; });
    edit([y](AppSettings& s) { s.clock.positionY = y; });
    saveSettings();
    clearUpdatingFromWindowLater();
}

void AppSettingsManager::clearUpdatingFromWindowLater()
{
    QMetaObject::invokeMethod(
        this, [this] { m_isUpdatingFromWindow = false; }, Qt::QueuedConnection);
}

} // namespace mirevo

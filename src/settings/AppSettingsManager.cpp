#include "settings/AppSettingsManager.h"

#include "platform/FileLocations.h"
#include "settings/SettingsJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace mirevo {
namespace {

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Keeps a file the program cannot read aside, replacing an older copy, so that the next
// save does not destroy the user's only copy.
bool setAside(const QString& path, bool keepOriginal)
{
    const QString aside = path + AppSettingsManager::kInvalidSuffix;
    QFile::remove(aside);
    return keepOriginal ? QFile::copy(path, aside) : QFile::rename(path, aside);
}

} // namespace

AppSettingsManager::AppSettingsManager(const QString& folder, bool isPreviewMode, QObject* parent)
    : QObject(parent), m_isPreviewMode(isPreviewMode)
{
    QDir().mkpath(folder); // a failure shows up later as a failed save
    m_settingsFilePath = QDir(folder).filePath(kSettingsFileName);
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
        return new AppSettingsManager(QDir(*base).filePath(folderName(applicationId())));
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

    AppSettings migrated;
    bool imeDecoded = false;
    bool clockDecoded = false;
    if (QFileInfo::exists(imePath)) {
        if (auto bytes = readWholeFile(imePath)) {
            if (auto ime = decodeIMEIndicatorSettings(*bytes)) {
                migrated.imeIndicator = *ime;
                imeDecoded = true;
            }
        }
    }
    if (QFileInfo::exists(clockPath)) {
        if (auto bytes = readWholeFile(clockPath)) {
            if (auto clock = decodeClockSettings(*bytes)) {
                migrated.clock = *clock;
                clockDecoded = true;
            }
        }
    }

    if (!writeSettingsFile(migrated))
        return; // the legacy files stay for the next start

    // A file that decoded lives on in the new file; one that did not is kept aside.
    if (QFileInfo::exists(imePath))
        imeDecoded ? QFile::remove(imePath) : setAside(imePath, false);
    if (QFileInfo::exists(clockPath))
        clockDecoded ? QFile::remove(clockPath) : setAside(clockPath, false);
}

std::optional<AppSettings> AppSettingsManager::loadSettings()
{
    if (!m_settingsFilePath || !QFileInfo::exists(*m_settingsFilePath))
        return std::nullopt;
    const std::optional<QByteArray> bytes = readWholeFile(*m_settingsFilePath);
    std::optional<AppSettings> settings = bytes ? decodeSettings(*bytes) : std::nullopt;
    if (!settings)
        setAside(*m_settingsFilePath, true);
    return settings;
}

void AppSettingsManager::setSettings(const AppSettings& settings)
{
    m_settings = settings;
    emit settingsChanged();
}

bool AppSettingsManager::saveSettings()
{
    if (m_isPreviewMode || !m_settingsFilePath)
        return false;
    return writeSettingsFile(m_settings);
}

bool AppSettingsManager::writeSettingsFile(const AppSettings& settings)
{
    if (!m_settingsFilePath)
        return false;
    // Written to a temporary file and renamed over the old one: a crash or a full disk
    // never leaves a truncated settings file.
    // Unbuffered, because a buffered QSaveFile reports a short write on a full disk as a
    // successful commit; unbuffered, write() returns the short count and the save is dropped.
    QSaveFile file(*m_settingsFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray json = encodeSettings(settings);
    if (file.write(json) != json.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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

#pragma once

#include "settings/AppSettings.h"

#include <QObject>
#include <QString>

#include <optional>

namespace mirevo {

// The one settings store: finds the settings folder, migrates the older files, loads the
// settings (or the defaults) and saves them on request. Views observe settingsChanged()
// and isJapaneseInputChanged() and re-read the values.
class AppSettingsManager : public QObject {
    Q_OBJECT
public:
    static inline const QString kSettingsFileName = QStringLiteral("app_settings.json");
    static inline const QString kLegacyIMEFileName = QStringLiteral("ime_settings.json");
    static inline const QString kLegacyClockFileName = QStringLiteral("settings.json");
    // Broken files are kept beside the settings under this suffix rather than destroyed.
    static inline const QString kInvalidSuffix = QStringLiteral(".invalid");

    // Works in `folder` (created when missing). With isPreviewMode, nothing is saved.
    explicit AppSettingsManager(const QString& folder, bool isPreviewMode = false,
                                QObject* parent = nullptr);

    // The process-wide store in the user's data folder; stops the program when the
    // system names no such folder.
    static AppSettingsManager& shared();

    // "Mirevo", or "Mirevo-Debug" for an application id ending in ".debug".
    static QString folderName(const QString& applicationId);

    const AppSettings& settings() const { return m_settings; }
    // Replaces the whole record; one change notification.
    void setSettings(const AppSettings& settings);
    // Edits the record in place; one change notification per call.
    template <typename Edit> void edit(Edit&& change)
    {
        change(m_settings);
        emit settingsChanged();
    }

    // Writes the whole settings file atomically. Returns false when nothing was written
    // (preview mode, no file, a write failure, or a file that could neither be read nor
    // kept aside); the in-memory settings never change.
    bool saveSettings();

    // Sets isJapaneseInput one turn of the event loop later; callable from any thread.
    void updateIMEState(bool isJapanese);
    bool isJapaneseInput() const { return m_isJapaneseInput; }

    // Stores the clock window's new position and saves, unless a window write is in
    // progress; the guard clears one turn of the event loop later.
    void updateClockPosition(double x, double y);
    bool isUpdatingFromWindow() const { return m_isUpdatingFromWindow; }
    void setUpdatingFromWindow(bool updating) { m_isUpdatingFromWindow = updating; }
    // Clears the window-write guard one turn of the event loop later.
    void clearUpdatingFromWindowLater();

    std::optional<QString> settingsFilePath() const { return m_settingsFilePath; }
    bool isPreviewMode() const { return m_isPreviewMode; }

signals:
    void settingsChanged();
    void isJapaneseInputChanged(bool isJapaneseInput);

private:
    void migrateLegacySettings(const QString& folder);
    std::optional<AppSettings> loadSettings();
    bool writeSettingsFile(const AppSettings& settings);

    AppSettings m_settings;
    std::optional<QString> m_settingsFilePath;
    bool m_isPreviewMode = false;
    bool m_isJapaneseInput = false;
    bool m_isUpdatingFromWindow = false;
    bool m_savingBlocked = false;
};

} // namespace mirevo

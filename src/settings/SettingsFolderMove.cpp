#include "settings/SettingsFolderMove.h"

#include "platform/RegularFile.h"
#include "settings/AppSettingsManager.h"
#include "settings/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace mirevo {
namespace {

constexpr qint64 kMaxMovedFileBytes = 4 * 1024 * 1024;

// A rename keeps the file whatever it holds; across file systems the bytes are copied,
// which needs a readable regular file.
bool moveFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (errno != EXDEV) {
        std::fprintf(stderr, "mirevo: cannot move %s to %s: %s\n",
                     QFile::encodeName(from).constData(), QFile::encodeName(to).constData(),
                     std::strerror(errno));
        return false;
    }
    const RegularFileContent content = readRegularFile(from, kMaxMovedFileBytes, true);
    if (!content.isRead() || !writeAtomically(to, content.bytes)) {
        std::fprintf(stderr, "mirevo: cannot copy %s to %s; it stays where it is\n",
                     QFile::encodeName(from).constData(), QFile::encodeName(to).constData());
        return false;
    }
    QFile::remove(from);
    return true;
}

} // namespace

int moveEarlierSettings(const QString& from, const QString& to)
{
    const QDir source(from), target(to);
    if (source == target || !source.exists() ||
        target.exists(AppSettingsManager::kSettingsFileName))
        return 0;
    int moved = 0;
    for (const QString& name :
         {AppSettingsManager::kSettingsFileName, AppSettingsManager::kLegacyIMEFileName,
          AppSettingsManager::kLegacyClockFileName}) {
        const QFileInfo file(source.filePath(name));
        if (!(file.exists() || file.isSymLink()) || target.exists(name))
            continue;
        if (!QDir().mkpath(to))
            return moved;
        moved += moveFile(file.filePath(), target.filePath(name)) ? 1 : 0;
    }
    return moved;
}

} // namespace mirevo

#include "settings/SettingsFolderMove.h"

#include "platform/RegularFile.h"
#include "settings/AppSettingsManager.h"
#include "settings/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mirevo {
namespace {

constexpr qint64 kMaxMovedFileBytes = 4 * 1024 * 1024;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Something is there, also a link that leads nowhere.
bool present(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0;
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// Once the new entry is on the disk, the old one goes; a failure to remove it leaves two
// whole copies, and the new one wins from now on.
void removeMoved(const QString& from)
{
    if (::unlink(native(from).constData()) != 0) {
        std::fprintf(stderr, "mirevo: moved the settings file %s, but cannot remove it: %s\n",
                     native(from).constData(), native(lastError()).constData());
        return;
    }
    syncFolder(folderOf(from));
}

// Makes at `to` a link to the file the link `from` leads to: a relative link (as stow makes)
// is made relative to its new place, an absolute one keeps its text. Empty, or why not.
QString moveLink(const QString& from, const QString& to)
{
    const QString target = QFileInfo(from).canonicalFilePath();
    char text[PATH_MAX];
    const ssize_t length = ::readlink(native(from).constData(), text, sizeof text - 1);
    if (length < 0)
        return lastError();
    const QString linkText = QFile::decodeName(QByteArray(text, length));
    if (target.isEmpty())
        return QStringLiteral("it links to %1, which does not exist").arg(linkText);
    const QString newText = QDir::isAbsolutePath(linkText)
                                ? linkText
                                : QDir(QDir(folderOf(to)).canonicalPath()).relativeFilePath(target);
    if (::symlink(native(newText).constData(), native(to).constData()) != 0)
        return lastError();
    if (QFileInfo(to).canonicalFilePath() != target) {
        ::unlink(native(to).constData());
        return QStringLiteral("a link to %1 cannot be made there").arg(target);
    }
    if (!syncFolder(folderOf(to)))
        return lastError();
    removeMoved(from);
    return {};
}

// A rename keeps the file whatever it holds. Across file systems, or out of a folder that
// cannot be changed, the bytes are copied, which needs a readable regular file. Empty, or
// why not.
QString moveFile(const QString& from, const QString& to)
{
    if (QFileInfo(from).isSymLink())
        return moveLink(from, to);
    if (std::rename(native(from).constData(), native(to).constData()) == 0) {
        syncFolder(folderOf(to));
        syncFolder(folderOf(from));
        return {};
    }
    const QString renameError = lastError();
    const RegularFileContent content = readRegularFile(from, kMaxMovedFileBytes, true);
    if (!content.isRead())
        return renameError + QStringLiteral(", and it cannot be read to be copied");
    const bool copied = writeAtomically(to, content.bytes);
    if (!copied || !syncFolder(folderOf(to))) {
        const QString copyError = lastError();
        if (copied) // not known to be on the disk: the original stays the one copy
            ::unlink(native(to).constData());
        return renameError + QStringLiteral(", and copying it failed: ") + copyError;
    }
    removeMoved(from);
    return {};
}

} // namespace

QString moveEarlierSettings(const QString& from, const QString& to)
{
    const QDir source(from), target(to);
    if (source == target || !source.exists() ||
        present(target.filePath(AppSettingsManager::kSettingsFileName)))
        return to;
    bool movedAny = false;
    for (const QString& name :
         {AppSettingsManager::kSettingsFileName, AppSettingsManager::kLegacyIMEFileName,
          AppSettingsManager::kLegacyClockFileName}) {
        const QString file = source.filePath(name);
        if (!present(file) || present(target.filePath(name)))
            continue;
        const QString why = QDir().mkpath(to)
                                ? moveFile(file, target.filePath(name))
                                : QStringLiteral("the folder %1 cannot be made").arg(to);
        if (why.isEmpty()) {
            movedAny = true;
            continue;
        }
        // Nothing moved yet: the files stay together where they are, and are used there.
        std::fprintf(stderr, "mirevo: cannot move the settings file %s to %s: %s; %s\n",
                     native(file).constData(), native(to).constData(), native(why).constData(),
                     movedAny ? "it stays where it is"
                              : "using the settings where they are until a later start moves them");
        return movedAny ? to : from;
    }
    return to;
}

} // namespace mirevo

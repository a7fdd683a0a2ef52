#include "settings/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirevo {
namespace {

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

std::optional<QString> saveTarget(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isSymLink())
        return path;
    const QString target = file.canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    return target;
}

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    const std::optional<QString> target = saveTarget(path);
    if (!target) {
        errno = ENOENT;
        return false;
    }
    const QByteArray native = QFile::encodeName(*target);
    QByteArray temporary = QFile::encodeName(*target + kSavingInfix) + "XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // A file the user made readable to others stays so; a new one is the user's alone.
    struct stat existing {};
    const bool written = (::stat(native.constData(), &existing) != 0 ||
                          ::fchmod(fd, existing.st_mode & 07777) == 0) &&
                         writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) == 0 && written && std::rename(temporary.constData(), native.constData()) == 0)
        return true;
    const int failure = written ? errno : error;
    ::unlink(temporary.constData());
    errno = failure;
    return false;
}

bool syncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace mirevo

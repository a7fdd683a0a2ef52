#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirevo {
namespace {

using Status = RegularFileContent::Status;

RegularFileContent refused(Status status)
{
    return RegularFileContent{status, {}};
}

} // namespace

RegularFileContent readRegularFile(const QString& path, qint64 maxBytes, bool wholeFileOnly)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return refused(errno == ENOENT || errno == ENOTDIR ? Status::missing : Status::unreadable);
    if (!S_ISREG(info.st_mode))
        return refused(Status::notRegular);
    // Non-blocking, and checked again once open: the path may have been swapped for a FIFO
    // between the two looks.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refused(errno == ENOENT ? Status::missing : Status::unreadable);
    RegularFileContent content{Status::read, {}};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        content = refused(Status::notRegular);
    } else if (wholeFileOnly && info.st_size > maxBytes) {
        content = refused(Status::unreadable);
    } else {
        content.bytes.resize(qsizetype(qMin<qint64>(maxBytes, info.st_size)));
        qsizetype done = 0;
        while (done < content.bytes.size()) {
            const ssize_t n = ::read(fd, content.bytes.data() + done, content.bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                content = refused(Status::unreadable);
                break;
            }
            if (n == 0)
                break; // the file shrank meanwhile
            done += n;
        }
        if (content.isRead())
            content.bytes.truncate(done);
    }
    ::close(fd);
    return content;
}

} // namespace mirevo

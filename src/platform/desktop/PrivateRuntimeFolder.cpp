#include "platform/desktop/PrivateRuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mirevo {
namespace {

QString baseFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime))
        return runtime;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

PrivateRuntimeFolder refuse(const QString& path, const QString& why)
{
    return PrivateRuntimeFolder{{}, QStringLiteral("%1 %2").arg(path, why)};
}

} // namespace

PrivateRuntimeFolder privateRuntimeFolder(const QString& name)
{
    const QString base = baseFolder();
    if (base.isEmpty())
        return refuse(QStringLiteral("the user's runtime and cache folders"),
                      QStringLiteral("are unknown"));
    QDir().mkpath(base);
    const QString path = QDir(base).filePath(name);
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return refuse(path, QStringLiteral("cannot be created: %1").arg(std::strerror(errno)));
    // Checked whether new or not: someone may have made it first, or made it a link.
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return refuse(path, QStringLiteral("is not a folder"));
    if (info.st_uid != ::geteuid())
        return refuse(path, QStringLiteral("belongs to another user"));
    if ((info.st_mode & 077) != 0)
        return refuse(path, QStringLiteral("is open to other users"));
    return PrivateRuntimeFolder{path, {}};
}

} // namespace mirevo

#include "platform/sources/ibus/IBusAddress.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirevo {
namespace {

// Reads a regular file only: a FIFO or a device at the path must not block the caller.
QByteArray readSmallFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray content;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        content.resize(64 * 1024);
        const ssize_t length = ::read(fd, content.data(), content.size());
        content.resize(length > 0 ? length : 0);
    }
    ::close(fd);
    return content;
}

QString machineId()
{
    for (const char* path : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
        const QString id = QString::fromLatin1(readSmallFile(QString::fromLatin1(path))).trimmed();
        if (!id.isEmpty())
            return id;
    }
    return {};
}

} // namespace

bool isProcessAlive(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::optional<QString> parseIBusAddressFile(const QByteArray& content,
                                            const ProcessAliveCheck& alive)
{
    QString address;
    qint64 pid = -1;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('#'))
            continue;
        if (line.startsWith("IBUS_ADDRESS="))
            address = QString::fromUtf8(line.mid(13)).trimmed();
        else if (line.startsWith("IBUS_DAEMON_PID=")) {
            bool ok = false;
            pid = line.mid(16).trimmed().toLongLong(&ok);
            if (!ok)
                pid = -1;
        }
    }
    if (address.isEmpty() || pid <= 0 || !alive(pid))
        return std::nullopt;
    return address;
}

QString ibusAddressFilePath(const QString& configHome, const QString& machineId,
                            const QString& display, bool wayland)
{
    const QString folder = configHome + QStringLiteral("/ibus/bus/") + machineId;
    if (wayland)
        return folder + QStringLiteral("-unix-") + display;
    // "host:N.S": the host (or "unix" for a local display) and the display number N.
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : display.left(colon);
    QString number = colon < 0 ? display : display.mid(colon + 1);
    number = number.section(QLatin1Char('.'), 0, 0);
    if (host.isEmpty())
        host = QStringLiteral("unix");
    if (number.isEmpty())
        number = QStringLiteral("0");
    return folder + QLatin1Char('-') + host + QLatin1Char('-') + number;
}

std::optional<QString> findIBusAddress()
{
    const QString fromEnvironment = qEnvironmentVariable("IBUS_ADDRESS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString path = qEnvironmentVariable("IBUS_ADDRESS_FILE");
    if (!path.isEmpty())
        return parseIBusAddressFile(readSmallFile(path));
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    const QString id = machineId();
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        if (auto address = parseIBusAddressFile(
                readSmallFile(ibusAddressFilePath(configHome, id, wayland, true))))
            return address;
    }
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = QStringLiteral(":0.0");
    return parseIBusAddressFile(readSmallFile(ibusAddressFilePath(configHome, id, display)));
}

} // namespace mirevo

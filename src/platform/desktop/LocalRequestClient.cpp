#include "platform/desktop/LocalRequestClient.h"

#include "platform/desktop/LocalRequestServer.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mirevo {
namespace {

// Waits until `fd` is ready for `events` or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd watched{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

bool sendLocalRequest(const QString& path, const QByteArray& request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(native.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto answered = [&] {
        // A full backlog answers EAGAIN at once: the caller tries again.
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return false;
        const QByteArray line = request + '\n';
        qsizetype sent = 0;
        while (sent < line.size()) {
            const ssize_t n =
                ::send(fd, line.constData() + sent, size_t(line.size() - sent), MSG_NOSIGNAL);
            if (n >= 0)
                sent += n;
            else if ((errno != EAGAIN && errno != EINTR) || !waitFor(fd, POLLOUT, deadline))
                return false;
        }
        // The answer shows that a live instance, not a stale socket file, took the request.
        const QByteArray& ack = LocalRequestServer::kAcknowledgement;
        QByteArray received;
        while (received.size() < ack.size()) {
            char chunk[16];
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n > 0)
                received.append(chunk, n);
            else if (n == 0 || (errno != EAGAIN && errno != EINTR) ||
                     !waitFor(fd, POLLIN, deadline))
                return false;
        }
        return received.startsWith(ack);
    }();
    ::close(fd);
    return answered;
}

} // namespace mirevo

#include "platform/desktop/LocalRequestServer.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace mirevo {

// One connected peer: reads until a newline, the size cap or the deadline, then closes.
class LocalRequestServer::Peer : public QObject {
public:
    Peer(int fd, const std::function<bool(const QByteArray&)>& handler, QObject* parent)
        : QObject(parent), m_fd(fd), m_notifier(fd, QSocketNotifier::Read), m_handler(handler)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &Peer::readSome);
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, &Peer::finish);
        m_deadline.start(LocalRequestServer::kSilentPeerTimeoutMs);
    }
    ~Peer() override { closeSocket(); }

    void readSome()
    {
        char chunk[LocalRequestServer::kMaxRequestBytes + 1];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // One request a connection: after the answer, the peer's close or anything
        // more it sends ends the connection.
        if (n <= 0 || m_answered)
            return finish();
        m_buffer.append(chunk, n);
        const qsizetype end = m_buffer.indexOf('\n');
        if (end < 0 && m_buffer.size() <= LocalRequestServer::kMaxRequestBytes)
            return;
        if (end < 0 || end > LocalRequestServer::kMaxRequestBytes || !m_handler ||
            !m_handler(m_buffer.left(end)))
            return finish();
        // The peer closes once it has read this, so that it reads it whole; a few bytes
        // always fit an empty socket buffer, and a peer that left gets no SIGPIPE.
        const QByteArray& ack = LocalRequestServer::kAcknowledgement;
        (void)::send(m_fd, ack.constData(), size_t(ack.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
        m_answered = true;
    }

    // Closes at once, so that a peer pushed out frees its descriptor before the next comes.
    void finish()
    {
        closeSocket();
        m_deadline.stop();
        deleteLater();
    }

private:
    void closeSocket()
    {
        m_notifier.setEnabled(false);
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    int m_fd;
    QSocketNotifier m_notifier;
    QTimer m_deadline;
    QByteArray m_buffer;
    bool m_answered = false;
    const std::function<bool(const QByteArray&)>& m_handler;
};

LocalRequestServer::LocalRequestServer(std::function<bool(const QByteArray&)> handler,
                                       QObject* parent)
    : QObject(parent), m_handler(std::move(handler))
{
    m_acceptRetry.setSingleShot(true);
    connect(&m_acceptRetry, &QTimer::timeout, this, [this] {
        if (m_notifier)
            m_notifier->setEnabled(true);
    });
}

LocalRequestServer::~LocalRequestServer()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_path).constData());
    }
}

bool LocalRequestServer::listen(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(native.size()) >= sizeof address.sun_path) {
        m_error = QStringLiteral("the socket path %1 is too long").arg(path);
        return false;
    }
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    // Only a socket is replaced: a file of any other kind there is not ours to delete.
    struct stat existing {};
    if (::lstat(native.constData(), &existing) == 0 && S_ISSOCK(existing.st_mode))
        ::unlink(native.constData());

    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_fd, kBacklog) != 0) {
        m_error = QStringLiteral("cannot listen at %1: %2").arg(path, std::strerror(errno));
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_path = path;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalRequestServer::acceptPending);
    return true;
}

void LocalRequestServer::acceptPending()
{
    // A few at a time: between rounds the event loop reads the peers already in.
    for (int accepted = 0; accepted < kMaxPeers;) {
        const int peer = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (peer >= 0) {
            serve(peer);
            ++accepted;
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            // Out of descriptors or memory: the peer stays queued. Waiting a moment keeps
            // the still-readable socket from spinning the event loop.
            m_notifier->setEnabled(false);
            m_acceptRetry.start(kAcceptRetryMs);
        }
        return;
    }
}

// When all places are taken, the peer connected longest goes: a start sends its request
// with its connection and is answered at once, so only peers that stay silent (or linger
// after their answer) are ever pushed out, and no number of them keeps a start waiting.
void LocalRequestServer::serve(int fd)
{
    if (m_peers.size() >= kMaxPeers)
        m_peers.takeFirst()->finish();
    auto* peer = new Peer(fd, m_handler, this);
    m_peers.append(peer);
    connect(peer, &QObject::destroyed, this, [this, peer] { m_peers.removeOne(peer); });
    peer->readSome();
}

} // namespace mirevo

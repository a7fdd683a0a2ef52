#include "platform/sources/sway/SwayInputSource.h"

#include "platform/sources/sway/SwayIpc.h"

#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mirevo {

SwayInputSource::SwayInputSource(const QString& socketPath, QObject* parent)
    : InputSource(parent), m_path(socketPath)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &SwayInputSource::connectToSway);
    m_answerLimit.setSingleShot(true);
    m_answerLimit.setInterval(kAnswerLimitMs);
    connect(&m_answerLimit, &QTimer::timeout, this, [this] {
        m_socket.abort();
        lose();
    });
    connect(&m_socket, &QLocalSocket::connected, this, &SwayInputSource::send);
    connect(&m_socket, &QLocalSocket::readyRead, this, &SwayInputSource::read);
    connect(&m_socket, &QLocalSocket::errorOccurred, this, &SwayInputSource::lose);
    connect(&m_socket, &QLocalSocket::disconnected, this, &SwayInputSource::lose);
    if (m_path.isEmpty()) {
        // No sway session: nothing will appear at an unnamed socket.
        m_ready = true;
        return;
    }
    connectToSway();
}

SwayInputSource::~SwayInputSource()
{
    // The socket, destroyed after the timers, reports its closing: not to this half-gone
    // source.
    disconnect(&m_socket, nullptr, this, nullptr);
}

bool SwayInputSource::answersAt(const QString& socketPath)
{
    const QByteArray path = socketPath.toLocal8Bit();
    sockaddr_un address{};
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool accepted = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return accepted;
}

void SwayInputSource::connectToSway()
{
    m_socket.abort();
    m_buffer.clear();
    m_keyboards.forgetSwitches();
    m_answerLimit.start();
    m_socket.connectToServer(m_path);
}

void SwayInputSource::send()
{
    // Subscribing first: a switch between the two replies is then not missed.
    m_socket.write(sway::encodeMessage(sway::MessageType::subscribe, "[\"input\"]"));
    m_socket.write(sway::encodeMessage(sway::MessageType::getInputs));
}

void SwayInputSource::read()
{
    m_buffer += m_socket.readAll();
    const std::optional<QList<sway::Message>> messages = sway::takeMessages(m_buffer);
    if (!messages) {
        m_socket.abort();
        lose();
        return;
    }
    for (const sway::Message& message : *messages) {
        if (message.type == sway::MessageType::getInputs) {
            m_answerLimit.stop();
            m_retryDelayMs = kFirstRetryMs;
            m_ready = true;
            m_keyboards.applyInputs(message.payload);
        } else if (message.type == sway::MessageType::inputEvent) {
            m_keyboards.applyEvent(message.payload);
        }
    }
    update();
}

void SwayInputSource::lose()
{
    // Errors and the disconnection both report one loss: try again once, later.
    if (m_retry.isActive())
        return;
    m_answerLimit.stop();
    m_retry.start(m_retryDelayMs);
    m_retryDelayMs = std::min(m_retryDelayMs * 2, kLongestRetryMs);
    if (!m_ready) {
        m_ready = true;
        emit mayHaveChanged();
    }
}

void SwayInputSource::update()
{
    // A reply without a usable layout keeps the last one.
    const std::optional<QString> name = m_keyboards.activeLayoutName();
    if (!name)
        return;
    const QString id = sway::swaySourceId(*name);
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo

#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace mirevo::sway {

// sway's IPC speaks i3's framing: the magic "i3-ipc", the payload's length and the message
// type as 32-bit numbers in the machine's own byte order, then a JSON payload.
namespace MessageType {
inline constexpr quint32 subscribe = 2;
inline constexpr quint32 getInputs = 100;
// Events carry the high bit; "input" events are number 21.
inline constexpr quint32 inputEvent = 0x80000015;
} // namespace MessageType

struct Message {
    quint32 type = 0;
    QByteArray payload;
};

QByteArray encodeMessage(quint32 type, const QByteArray& payload = {});

// Takes the whole messages off the front of `buffer`, leaving a partial one for the next
// read. Nothing when the stream is not i3-ipc (wrong magic, a length beyond any real
// reply): it cannot be resynchronised, and the connection has to be opened again.
std::optional<QList<Message>> takeMessages(QByteArray& buffer);

} // namespace mirevo::sway

#include "platform/sources/sway/SwayIpc.h"

#include <cstring>

namespace mirevo::sway {
namespace {

constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr qsizetype kHeaderSize = sizeof(kMagic) + 2 * sizeof(quint32);
// GET_INPUTS of a machine with many devices is a few tens of kilobytes.
constexpr quint32 kLongestPayload = 16 * 1024 * 1024;

void appendNumber(QByteArray& bytes, quint32 value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

quint32 numberAt(const QByteArray& bytes, qsizetype offset)
{
    quint32 value = 0;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

} // namespace

QByteArray encodeMessage(quint32 type, const QByteArray& payload)
{
    QByteArray bytes(kMagic, sizeof kMagic);
    appendNumber(bytes, quint32(payload.size()));
    appendNumber(bytes, type);
    return bytes + payload;
}

std::optional<QList<Message>> takeMessages(QByteArray& buffer)
{
    QList<Message> messages;
    qsizetype offset = 0;
    while (buffer.size() - offset >= kHeaderSize) {
        if (std::memcmp(buffer.constData() + offset, kMagic, sizeof kMagic) != 0)
            return std::nullopt;
        const quint32 length = numberAt(buffer, offset + sizeof kMagic);
        if (length > kLongestPayload)
            return std::nullopt;
        if (buffer.size() - offset - kHeaderSize < qsizetype(length))
            break;
        const quint32 type = numberAt(buffer, offset + sizeof kMagic + sizeof(quint32));
        messages.append({type, buffer.mid(offset + kHeaderSize, length)});
        offset += kHeaderSize + length;
    }
    buffer.remove(0, offset);
    return messages;
}

} // namespace mirevo::sway

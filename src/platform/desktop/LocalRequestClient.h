#pragma once

#include <QByteArray>
#include <QString>

namespace mirevo {

// Sends `request` and a newline to the LocalRequestServer listening at `path` and waits up
// to `timeoutMs` for its acknowledgement: true only when a live server took the request
// (a socket file left by a process that is gone refuses the connection).
bool sendLocalRequest(const QString& path, const QByteArray& request, int timeoutMs);

} // namespace mirevo

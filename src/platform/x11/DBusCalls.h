#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>

namespace mirevo {

// How long a daemon may take to answer before the program treats it as gone. Calls are
// asynchronous, so the main thread never waits for them.
inline constexpr int kDaemonCallTimeoutMs = 2000;

// Sends `call` without blocking and hands the reply (or the error message) to `done` on
// `context`'s thread. Nothing is called when `context` is destroyed first.
void callAsync(const QDBusConnection& connection, const QDBusMessage& call, QObject* context,
               std::function<void(const QDBusMessage& reply)> done);

} // namespace mirevo

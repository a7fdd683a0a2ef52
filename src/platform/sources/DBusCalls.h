#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>

namespace mirevo {

// How long a daemon may take to answer before the program treats it as gone. Calls are
// asynchronous, so the main thread never waits for them.
inline constexpr int kDaemonCallTimeoutMs = 2000;

// A method call to a daemon that must already run: the bus would otherwise start one (a
// second fcitx5, say) for a call to a missing daemon.
QDBusMessage daemonCall(const QString& service, const QString& path, const QString& interface,
                        const QString& method);

// A call to the bus itself (org.freedesktop.DBus): ListNames, GetNameOwner, ...
QDBusMessage busDriverCall(const QString& method, const QVariantList& arguments = {});

// org.freedesktop.DBus.Properties.Get of a daemon's property, which must already run.
QDBusMessage propertyGetCall(const QString& service, const QString& path, const QString& interface,
                             const QString& property);

// Sends `call` without blocking and hands the reply (or the error message) to `done` on
// `context`'s thread. Nothing is called when `context` is destroyed first.
void callAsync(const QDBusConnection& connection, const QDBusMessage& call, QObject* context,
               std::function<void(const QDBusMessage& reply)> done);

} // namespace mirevo

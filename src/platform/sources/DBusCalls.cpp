#include "platform/sources/DBusCalls.h"

#include <QDBusPendingCallWatcher>

namespace mirevo {

QDBusMessage daemonCall(const QString& service, const QString& path, const QString& interface,
                        const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setAutoStartService(false);
    return call;
}

void callAsync(const QDBusConnection& connection, const QDBusMessage& call, QObject* context,
               std::function<void(const QDBusMessage& reply)> done)
{
    auto* watcher =
        new QDBusPendingCallWatcher(connection.asyncCall(call, kDaemonCallTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         done(watcher->reply());
                     });
}

} // namespace mirevo

#include "platform/x11/DBusCalls.h"

#include <QDBusPendingCallWatcher>

namespace mirevo {

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

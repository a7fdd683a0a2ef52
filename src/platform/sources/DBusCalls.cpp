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

QDBusMessage busDriverCall(const QString& method, const QVariantList& arguments)
{
    const QString bus = QStringLiteral("org.freedesktop.DBus");
    QDBusMessage call =
        QDBusMessage::createMethodCall(bus, QStringLiteral("/org/freedesktop/DBus"), bus, method);
    call.setArguments(arguments);
    return call;
}

QDBusMessage propertyGetCall(const QString& service, const QString& path, const QString& interface,
                             const QString& property)
{
    QDBusMessage get = daemonCall(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                  QStringLiteral("Get"));
    get.setArguments({interface, property});
    return get;
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

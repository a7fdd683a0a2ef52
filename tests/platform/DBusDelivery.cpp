#include "DBusDelivery.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusServer>
#include <QDBusVirtualObject>
#include <QDir>
#include <QTest>

namespace mirevo::test {
namespace {

// Answers every call with the prepared arguments.
class Replier : public QDBusVirtualObject {
public:
    QVariantList arguments;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        return connection.send(message.createReply(arguments));
    }
};

} // namespace

std::optional<QVariantList> deliverThroughDBus(const QVariantList& arguments)
{
    static int serial = 0;
    const QString clientName = QStringLiteral("delivery-client-%1").arg(++serial);
    QDBusServer server(QStringLiteral("unix:tmpdir=") + QDir::tempPath());
    server.setAnonymousAuthenticationAllowed(true);
    Replier replier;
    replier.arguments = arguments;
    QString serverSide;
    QObject::connect(&server, &QDBusServer::newConnection, [&](const QDBusConnection& peer) {
        QDBusConnection connection = peer;
        connection.registerVirtualObject(QStringLiteral("/reply"), &replier);
        serverSide = connection.name();
    });

    std::optional<QVariantList> result;
    {
        QDBusConnection client = QDBusConnection::connectToPeer(server.address(), clientName);
        if (client.isConnected() && QTest::qWaitFor([&] { return !serverSide.isEmpty(); }, 5000)) {
            const QDBusPendingCall call = client.asyncCall(QDBusMessage::createMethodCall(
                {}, QStringLiteral("/reply"), QStringLiteral("test.Delivery"),
                QStringLiteral("Get")));
            if (QTest::qWaitFor([&] { return call.isFinished(); }, 5000) && !call.isError())
                result = call.reply().arguments();
        }
    }
    QDBusConnection::disconnectFromPeer(clientName);
    if (!serverSide.isEmpty())
        QDBusConnection::disconnectFromPeer(serverSide);
    return result;
}

} // namespace mirevo::test

#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace mirevo {
namespace {

const QByteArray kShowSettingsRequest("show-settings\n");
const QByteArray kAcknowledgement("ok\n");
constexpr int kTimeoutMs = 1000;

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), m_socketPath(QDir(folder).filePath(name + QStringLiteral(".socket")))
{}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::forwardToRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write(kShowSettingsRequest);
    if (!socket.waitForBytesWritten(kTimeoutMs))
        return false;
    // The answer shows that a live instance, not a stale socket file, took the request.
    while (socket.bytesAvailable() < kAcknowledgement.size()) {
        if (!socket.waitForReadyRead(kTimeoutMs))
            return false;
    }
    return socket.readAll().startsWith(kAcknowledgement);
}

bool SingleInstance::listen(std::function<void()> onShowSettings)
{
    QDir().mkpath(QFileInfo(m_socketPath).absolutePath());
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Whoever gets here found no live instance: a socket file left by a crash is stale.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, [this, onShowSettings] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [client, onShowSettings] {
                if (!client->canReadLine())
                    return;
                if (client->readLine() == kShowSettingsRequest) {
                    client->write(kAcknowledgement);
                    client->flush();
                    if (onShowSettings)
                        onShowSettings();
                }
                client->disconnectFromServer();
            });
        }
    });
    return true;
}

} // namespace mirevo

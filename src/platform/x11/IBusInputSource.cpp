#include "platform/x11/IBusInputSource.h"

#include "platform/SourceIdComposition.h"
#include "platform/x11/DBusCalls.h"
#include "platform/x11/IBusAddress.h"
#include "platform/x11/IBusEngineDesc.h"

#include <QAtomicInt>

namespace mirevo {
namespace {

const QString kService = QStringLiteral("org.freedesktop.IBus");
const QString kPath = QStringLiteral("/org/freedesktop/IBus");
const QString kInterface = QStringLiteral("org.freedesktop.IBus");
constexpr int kReconnectIntervalMs = 1000;

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("mirevo-ibus-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

IBusInputSource::IBusInputSource(QObject* parent)
    : InputSource(parent), m_connectionName(uniqueConnectionName())
{
    if (!ensureConnected())
        m_ready = true;
}

IBusInputSource::~IBusInputSource()
{
    if (m_connection)
        QDBusConnection::disconnectFromBus(m_connectionName);
}

bool IBusInputSource::isConnected() const
{
    return m_connection && m_connection->isConnected();
}

bool IBusInputSource::ensureConnected()
{
    if (isConnected())
        return true;
    if (m_sinceAttempt.isValid() && m_sinceAttempt.elapsed() < kReconnectIntervalMs)
        return false;
    m_sinceAttempt.start();
    if (m_connection) {
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
    const std::optional<QString> address = findIBusAddress();
    if (!address)
        return false;
    QDBusConnection connection = QDBusConnection::connectToBus(*address, m_connectionName);
    if (!connection.isConnected()) {
        QDBusConnection::disconnectFromBus(m_connectionName);
        return false;
    }
    m_connection = connection;
    m_connection->connect(kService, kPath, kInterface, QStringLiteral("GlobalEngineChanged"), this,
                          SLOT(onGlobalEngineChanged(QString)));
    m_requestPending = false;
    requestEngine();
    return true;
}

std::optional<QString> IBusInputSource::currentSourceId()
{
    if (!isConnected()) {
        setCurrent(std::nullopt);
        ensureConnected();
    }
    return m_current;
}

void IBusInputSource::onGlobalEngineChanged(const QString&)
{
    requestEngine();
}

void IBusInputSource::requestEngine()
{
    if (!isConnected())
        return;
    if (m_requestPending) {
        m_requestAgain = true;
        return;
    }
    m_requestPending = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << kInterface << QStringLiteral("GlobalEngine");
    callAsync(*m_connection, call, this,
              [this](const QDBusMessage& reply) { finishRequest(reply); });
}

void IBusInputSource::finishRequest(const QDBusMessage& reply)
{
    m_requestPending = false;
    std::optional<QString> id;
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        if (const auto engine = parseIBusEngineDesc(reply.arguments().constFirst())) {
            id = composeIBusSourceId(engine->name, engine->language, engine->longname,
                                     engine->layout, engine->layoutVariant);
        }
    }
    // "No global engine." and a vanished daemon both leave no source.
    m_ready = true;
    setCurrent(id);
    if (m_requestAgain) {
        m_requestAgain = false;
        requestEngine();
    }
}

void IBusInputSource::setCurrent(const std::optional<QString>& id)
{
    if (id == m_current)
        return;
    m_current = id;
    emit mayHaveChanged();
}

} // namespace mirevo

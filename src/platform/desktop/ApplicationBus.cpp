#include "platform/desktop/ApplicationBus.h"

#include "platform/desktop/ApplicationBusObject.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QElapsedTimer>

namespace mirevo {
namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;
constexpr uint kAlreadyOwner = 4;

QDBusMessage callBus(const QString& method, const QVariantList& arguments, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, timeoutMs);
}

QString valueOf(const std::function<QString()>& getter)
{
    return getter ? getter() : QString();
}

} // namespace

ApplicationBusObject::ApplicationBusObject(ApplicationBus& bus)
    : m_bus(bus), m_scripting(new ScriptingAdaptor(this))
{
    new ApplicationAdaptor(this);
}

void ApplicationBusObject::refuse(const QString& errorName, const QString& message) const
{
    sendErrorReply(errorName, message);
}

void ApplicationBusObject::emitLanguageChanged(const QString& language, const QString& sourceId)
{
    emit m_scripting->LanguageChanged(language, sourceId);
}

ApplicationAdaptor::ApplicationAdaptor(ApplicationBusObject* object)
    : QDBusAbstractAdaptor(object), m_object(object)
{}

// Answered before the handler runs: opening the settings window the first time may take
// longer, on a busy machine, than a later start waits for the answer.
void ApplicationAdaptor::Activate(const QVariantMap&)
{
    QMetaObject::invokeMethod(
        m_object,
        [object = m_object] {
            if (object->bus().handlers.activate)
                object->bus().handlers.activate();
        },
        Qt::QueuedConnection);
}

ScriptingAdaptor::ScriptingAdaptor(ApplicationBusObject* object)
    : QDBusAbstractAdaptor(object), m_object(object)
{}

QString ScriptingAdaptor::currentLanguage() const
{
    return valueOf(m_object->bus().handlers.currentLanguage);
}

QString ScriptingAdaptor::currentSourceId() const
{
    return valueOf(m_object->bus().handlers.currentSourceId);
}

QString ScriptingAdaptor::backend() const
{
    return valueOf(m_object->bus().handlers.backend);
}

void ScriptingAdaptor::ShowSettings(const QString& tab)
{
    const auto& show = m_object->bus().handlers.showSettings;
    if (!show || !show(tab)) {
        m_object->refuse(QDBusError::errorString(QDBusError::InvalidArgs),
                         QStringLiteral("No settings tab \"%1\"; use imeIndicator, clock, "
                                        "mouseCursor, about, or \"\" for the last one shown")
                             .arg(tab));
    }
}

ApplicationBus::ApplicationBus(const QString& applicationId, QObject* parent)
    : QObject(parent), m_name(applicationId),
      m_object(std::make_unique<ApplicationBusObject>(*this))
{}

ApplicationBus::~ApplicationBus()
{
    if (m_exported)
        QDBusConnection::sessionBus().unregisterObject(objectPath(m_name));
}

QString ApplicationBus::objectPath(const QString& applicationId)
{
    QString path = QLatin1Char('/') + applicationId;
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

ApplicationBus::Claim ApplicationBus::claim(int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Claim::noBus;
    // The object is in place before the name is ours: a start that loses the race may
    // call it the moment the bus has granted the name.
    m_exported =
        bus.registerObject(objectPath(m_name), m_object.get(), QDBusConnection::ExportAdaptors);
    if (!m_exported)
        return Claim::failed;
    const QDBusMessage reply =
        callBus(QStringLiteral("RequestName"), {m_name, kDoNotQueue}, timeoutMs);
    const uint answer = reply.arguments().value(0).toUInt();
    if (reply.type() == QDBusMessage::ReplyMessage &&
        (answer == kPrimaryOwner || answer == kAlreadyOwner))
        return Claim::owned;
    bus.unregisterObject(objectPath(m_name));
    m_exported = false;
    return reply.type() == QDBusMessage::ReplyMessage ? Claim::ownedElsewhere : Claim::failed;
}

ApplicationBus::Activation ApplicationBus::activateOwner(int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_name, objectPath(m_name), QStringLiteral("org.freedesktop.Application"),
        QStringLiteral("Activate"));
    call << QVariantMap();
    QElapsedTimer waited;
    waited.start();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {Activation::Outcome::activated, {}};
    // Our own timeout also reports NoReply, but only once the time is up (its coarse timer
    // may fire up to 5 % early); the bus says NoReply at once when the owner went away.
    const QDBusError error(reply);
    if ((error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout) &&
        waited.elapsed() >= timeoutMs - timeoutMs / 20)
        return {Activation::Outcome::noAnswer, {}};
    return {Activation::Outcome::error, error.name() + QStringLiteral(": ") + error.message()};
}

qint64 ApplicationBus::ownerProcessId(int timeoutMs) const
{
    const QDBusMessage reply =
        callBus(QStringLiteral("GetConnectionUnixProcessID"), {m_name}, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toLongLong() : 0;
}

void ApplicationBus::announceLanguageChanged(const QString& language, const QString& sourceId)
{
    m_object->emitLanguageChanged(language, sourceId);
}

} // namespace mirevo

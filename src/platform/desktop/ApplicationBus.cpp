#include "platform/desktop/ApplicationBus.h"

#include "platform/desktop/ApplicationBusObject.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>

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

// Whether a process has exited; one that waits for its parent to collect its status has.
bool processHasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
    const QByteArray line = stat.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2; // "pid (name) S ..."
    return state >= 2 && state < line.size() && (line[state] == 'Z' || line[state] == 'X');
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

void ApplicationAdaptor::ActivateAction(const QString& name, const QVariantList&,
                                        const QVariantMap&)
{
    if (name == QLatin1String("quit") && m_object->bus().handlers.quit) {
        m_object->bus().handlers.quit();
        return;
    }
    m_object->refuse(QDBusError::errorString(QDBusError::InvalidArgs),
                     QStringLiteral("No action \"%1\"; the one action is \"quit\"").arg(name));
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

void ScriptingAdaptor::Quit()
{
    if (m_object->bus().handlers.quit)
        m_object->bus().handlers.quit();
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

ApplicationBus::QuitRequest ApplicationBus::quitOwner(int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QuitRequest::noBus;
    // Watch first, so that an owner ending at once is not missed.
    QDBusServiceWatcher watcher(m_name, bus, QDBusServiceWatcher::WatchForUnregistration);
    QEventLoop ended;
    connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, &ended, &QEventLoop::quit);
    const QDeadlineTimer deadline(timeoutMs);
    const qint64 owner = ownerProcessId(timeoutMs);
    const QDBusMessage call = QDBusMessage::createMethodCall(
        m_name, objectPath(m_name), kScriptingInterface, QStringLiteral("Quit"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    const QString error = reply.errorName();
    if (error == QDBusError::errorString(QDBusError::ServiceUnknown) ||
        error == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return QuitRequest::noneRunning;
    // An owner may end before its answer leaves: the name going away is what counts, and
    // then the process itself, which lets go of the name only as it exits.
    QTimer::singleShot(int(deadline.remainingTime()), &ended, &QEventLoop::quit);
    if (bus.interface()->isServiceRegistered(m_name))
        ended.exec();
    if (bus.interface()->isServiceRegistered(m_name))
        return QuitRequest::stillRunning;
    while (owner > 0 && !processHasEnded(owner) && !deadline.hasExpired())
        QThread::msleep(20);
    return owner > 0 && !processHasEnded(owner) ? QuitRequest::stillRunning : QuitRequest::ended;
}

void ApplicationBus::announceLanguageChanged(const QString& language, const QString& sourceId)
{
    m_object->emitLanguageChanged(language, sourceId);
}

} // namespace mirevo

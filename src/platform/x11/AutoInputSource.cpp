#include "platform/x11/AutoInputSource.h"

#include "platform/x11/Fcitx5InputSource.h"
#include "platform/x11/IBusAddress.h"
#include "platform/x11/IBusInputSource.h"
#include "platform/x11/XkbInputSource.h"

#include <QDBusMessage>

namespace mirevo {
namespace {

const QString kFcitx5Service = QStringLiteral("org.fcitx.Fcitx5");
const QString kIBusService = QStringLiteral("org.freedesktop.IBus");
// A daemon owns its bus name a little before it is ready to answer (IBus writes its address
// file after taking the name), so look twice after every change.
constexpr int kResolveSoonMs = 200;
constexpr int kResolveLaterMs = 1500;

// Asks the bus daemon, which answers at once; a bus too busy to answer in time counts
// as "no fcitx5" until the next change of names.
constexpr int kBusQueryTimeoutMs = 50;

bool fcitx5Running()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage query = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    query << kFcitx5Service;
    const QDBusMessage reply = bus.call(query, QDBus::Block, kBusQueryTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

} // namespace

AutoInputSource::AutoInputSource(QObject* parent) : InputSource(parent)
{
    m_watcher.setConnection(QDBusConnection::sessionBus());
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_watcher.setWatchedServices({kFcitx5Service, kIBusService});
    for (QTimer* timer : {&m_soon, &m_later}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &AutoInputSource::resolve);
    }
    m_soon.setInterval(kResolveSoonMs);
    m_later.setInterval(kResolveLaterMs);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &AutoInputSource::scheduleResolve);
    resolve();
}

AutoInputSource::~AutoInputSource() = default;

std::optional<QString> AutoInputSource::currentSourceId()
{
    return m_backend ? m_backend->currentSourceId() : std::nullopt;
}

QString AutoInputSource::backendName() const
{
    return QStringLiteral("auto:") +
           (m_backend ? m_backend->backendName() : QStringLiteral("none"));
}

bool AutoInputSource::isReady() const
{
    return !m_backend || m_backend->isReady();
}

void AutoInputSource::scheduleResolve()
{
    m_soon.start();
    m_later.start();
}

std::unique_ptr<InputSource> AutoInputSource::choose()
{
    const QString current = m_backend ? m_backend->backendName() : QString();
    if (fcitx5Running()) {
        if (current == QLatin1String("fcitx5"))
            return nullptr;
        return std::make_unique<Fcitx5InputSource>();
    }
    if (findIBusAddress()) {
        const auto* ibus = qobject_cast<IBusInputSource*>(m_backend.get());
        if (ibus && ibus->isConnected())
            return nullptr;
        auto candidate = std::make_unique<IBusInputSource>();
        if (candidate->isConnected())
            return candidate;
    }
    if (current == QLatin1String("xkb"))
        return nullptr;
    auto xkb = std::make_unique<XkbInputSource>();
    if (xkb->isAvailable())
        return xkb;
    // Nothing answers: keep what there is, which reports no source by itself.
    return nullptr;
}

void AutoInputSource::resolve()
{
    std::unique_ptr<InputSource> chosen = choose();
    if (!chosen)
        return;
    m_backend = std::move(chosen);
    connect(m_backend.get(), &InputSource::mayHaveChanged, this, &InputSource::mayHaveChanged);
    emit backendChanged();
    emit mayHaveChanged();
}

} // namespace mirevo

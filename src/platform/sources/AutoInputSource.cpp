#include "platform/sources/AutoInputSource.h"

#include "platform/sources/DBusCalls.h"
#include "platform/sources/XkbInputSource.h"
#include "platform/sources/gnome/GnomeInputSource.h"
#include "platform/sources/ibus/IBusAddress.h"
#include "platform/sources/sway/SwayInputSource.h"

#include <QDBusMessage>

namespace mirevo {
namespace {

const QStringList kWatchedNames{
    QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("org.freedesktop.IBus"),
    QStringLiteral("org.gnome.Shell"), QStringLiteral("org.kde.keyboard")};
// A daemon owns its bus name a little before it is ready to answer (IBus writes its address
// file after taking the name), so look twice after every change.
constexpr int kResolveSoonMs = 200;
constexpr int kResolveLaterMs = 1500;

} // namespace

AutoInputSource::AutoInputSource(BackendFactory createBackend, QObject* parent)
    : InputSource(parent), m_createBackend(std::move(createBackend)),
      m_bus(QDBusConnection::sessionBus())
{
    if (m_bus.isConnected()) {
        m_watcher.setConnection(m_bus);
        m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
        m_watcher.setWatchedServices(kWatchedNames);
        connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                &AutoInputSource::scheduleResolve);
    }
    for (QTimer* timer : {&m_soon, &m_later}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &AutoInputSource::resolve);
    }
    m_soon.setInterval(kResolveSoonMs);
    m_later.setInterval(kResolveLaterMs);
    resolve();
}

AutoInputSource::~AutoInputSource() = default;

std::optional<QString> AutoInputSource::currentSourceId()
{
    return m_backend ? m_backend->currentSourceId() : std::nullopt;
}

QString AutoInputSource::currentLayoutCode()
{
    return m_backend ? m_backend->currentLayoutCode() : QString();
}

QString AutoInputSource::backendName() const
{
    return QStringLiteral("auto:") +
           (m_backend ? m_backend->backendName() : QStringLiteral("none"));
}

QString AutoInputSource::backendReason() const
{
    const QString own = m_backend ? m_backend->backendReason() : QString();
    return own.isEmpty() ? m_reason : m_reason + QStringLiteral("; ") + own;
}

bool AutoInputSource::isReady() const
{
    return m_decided && (!m_backend || m_backend->isReady());
}

void AutoInputSource::scheduleResolve()
{
    m_soon.start();
    m_later.start();
}

void AutoInputSource::resolve()
{
    if (!m_bus.isConnected()) {
        decide({});
        return;
    }
    if (!m_query.begin())
        return;
    callAsync(m_bus, busDriverCall(QStringLiteral("ListNames")), this,
              [this](const QDBusMessage& reply) {
                  decide(reply.arguments().value(0).toStringList());
                  if (m_query.end())
                      resolve();
              });
}

void AutoInputSource::decide(const QStringList& busNames)
{
    SessionFacts facts;
    facts.environment = QProcessEnvironment::systemEnvironment();
    facts.busNames = busNames;
    facts.ibusRunning = findIBusAddress().has_value();
    facts.gnomeSettings = GnomeInputSource::isAvailable();
    facts.swayRunning =
        SwayInputSource::answersAt(facts.environment.value(QStringLiteral("SWAYSOCK")));
    const BackendDecision decision = decideInputBackend(facts);
    m_decided = true;
    m_reason = decision.reason;
    // The running backend follows its own daemon's restarts.
    if (m_backend && decision.kind == m_kind)
        return;
    std::unique_ptr<InputSource> chosen = m_createBackend(decision.kind);
    const auto* xkb = qobject_cast<XkbInputSource*>(chosen.get());
    if (xkb && !xkb->isAvailable()) {
        // Nothing answers: keep what there is, which reports no source by itself.
        emit mayHaveChanged();
        return;
    }
    m_backend = std::move(chosen);
    m_kind = decision.kind;
    connect(m_backend.get(), &InputSource::mayHaveChanged, this, &InputSource::mayHaveChanged);
    emit backendChanged();
    emit mayHaveChanged();
}

} // namespace mirevo

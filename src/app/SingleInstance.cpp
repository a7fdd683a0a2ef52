#include "app/SingleInstance.h"

#include "platform/desktop/LocalRequestClient.h"
#include "platform/desktop/LocalRequestServer.h"
#include "platform/desktop/PrivateRuntimeFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QThread>

#include <cstdio>

namespace mirevo {
namespace {

// The bus daemon answers in microseconds; this only bounds a hung one.
constexpr int kBusTimeoutMs = 2000;
constexpr int kRetryIntervalMs = 50;

QString holderName(qint64 pid)
{
    return pid > 0 ? QStringLiteral("another Mirevo (process %1)").arg(pid)
                   : QStringLiteral("another Mirevo");
}

QString unanswered(const QString& holder, qint64 pid)
{
    return QStringLiteral("%1 holds %2 but did not answer within %3 s; it may be stopped or hung")
        .arg(holderName(pid), holder)
        .arg(SingleInstance::kAnswerTimeoutMs / 1000);
}

} // namespace

SingleInstance::SingleInstance(const QString& applicationId, std::optional<QString> lockFolder,
                               QObject* parent)
    : QObject(parent), m_applicationId(applicationId), m_lockFolder(std::move(lockFolder)),
      m_bus(applicationId)
{}

SingleInstance::~SingleInstance() = default;

SingleInstance::Start SingleInstance::start(Arbiter arbiter)
{
    if (arbiter == Arbiter::lockFileOnly)
        return startWithLockFile();
    switch (m_bus.claim(kBusTimeoutMs)) {
    case ApplicationBus::Claim::owned:
        return Start::primary;
    case ApplicationBus::Claim::ownedElsewhere: {
        const ApplicationBus::Activation answer = m_bus.activateOwner(kAnswerTimeoutMs);
        if (answer.outcome == ApplicationBus::Activation::Outcome::activated)
            return Start::handedOver;
        const QString name = QStringLiteral("the name %1 on the session bus").arg(m_bus.name());
        const qint64 pid = m_bus.ownerProcessId(kBusTimeoutMs);
        m_failure = answer.outcome == ApplicationBus::Activation::Outcome::noAnswer
                        ? unanswered(name, pid)
                        : QStringLiteral("%1 holds %2 and answered the request to open its "
                                         "settings with an error: %3")
                              .arg(holderName(pid), name, answer.error);
        return Start::failed;
    }
    case ApplicationBus::Claim::failed:
        m_failure = QStringLiteral("the session bus did not let this process take the name %1")
                        .arg(m_bus.name());
        return Start::failed;
    case ApplicationBus::Claim::noBus:
        break;
    }
    return startWithLockFile();
}

SingleInstance::Start SingleInstance::startWithLockFile()
{
    QString folder = m_lockFolder.value_or(QString());
    if (!m_lockFolder) {
        const PrivateRuntimeFolder runtime = privateRuntimeFolder(m_applicationId);
        if (runtime.path.isEmpty()) {
            m_failure =
                QStringLiteral("no private folder for the instance lock: %1").arg(runtime.problem);
            return Start::failed;
        }
        folder = runtime.path;
    }
    const QString lockPath = QDir(folder).filePath(QStringLiteral("instance.lock"));
    const QString socketPath = QDir(folder).filePath(QStringLiteral("instance.socket"));
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Only a holder that is gone is stale: a stopped or busy instance keeps its lock.
    m_lock->setStaleLockTime(0);

    // The holder may be starting and not listen yet: keep trying either way for a while.
    const QDeadlineTimer deadline(kAnswerTimeoutMs);
    for (;;) {
        if (m_lock->tryLock(0)) {
            m_requests = std::make_unique<LocalRequestServer>([this](const QByteArray& request) {
                if (request != kShowSettingsRequest)
                    return false;
                // Acknowledged first, as on the bus: opening the window may take a while.
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (m_bus.handlers.activate)
                            m_bus.handlers.activate();
                    },
                    Qt::QueuedConnection);
                return true;
            });
            if (!m_requests->listen(socketPath)) {
                std::fprintf(stderr, "mirevo: later starts cannot reach this one: %s\n",
                             m_requests->errorString().toLocal8Bit().constData());
            }
            return Start::primary;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_failure = QStringLiteral("cannot create the lock file %1").arg(lockPath);
            return Start::failed;
        }
        if (sendLocalRequest(socketPath, kShowSettingsRequest, int(deadline.remainingTime())))
            return Start::handedOver;
        if (deadline.hasExpired())
            break;
        QThread::msleep(kRetryIntervalMs);
    }
    qint64 pid = 0;
    m_lock->getLockInfo(&pid, nullptr, nullptr);
    m_failure = unanswered(QStringLiteral("the lock %1").arg(lockPath), pid);
    return Start::failed;
}

void SingleInstance::announceLanguageChanged(const QString& language, const QString& sourceId)
{
    m_bus.announceLanguageChanged(language, sourceId);
}

} // namespace mirevo

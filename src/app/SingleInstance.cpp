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

QString unanswered(const QString& holder, qint64 pid)
{
    const QString who =
        pid > 0 ? QStringLiteral("Mirevo (process %1)").arg(pid) : QStringLiteral("Mirevo");
    return QStringLiteral("another %1 holds %2 but did not answer within %3 s; it may be "
                          "stopped or hung")
        .arg(who, holder)
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
    case ApplicationBus::Claim::ownedElsewhere:
        if (m_bus.activateOwner(kAnswerTimeoutMs))
            return Start::handedOver;
        m_failure = unanswered(QStringLiteral("the name %1 on the session bus").arg(m_bus.name()),
                               m_bus.ownerProcessId(kBusTimeoutMs));
        return Start::failed;
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
                if (m_bus.handlers.activate)
                    m_bus.handlers.activate();
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

#include "platform/sources/Gio.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <vector>

namespace mirevo {
namespace {

// Runs GLib's default main context from an event loop that is not GLib's: the context's
// file descriptors (its wake-up descriptor among them, which GIO's threads signal) become
// socket notifiers and its next timeout a timer, so GLib's work runs when there is some
// and nothing wakes the program otherwise.
class GLibContextBridge : public QObject {
public:
    explicit GLibContextBridge(QObject* parent) : QObject(parent)
    {
        m_timeout.setSingleShot(true);
        connect(&m_timeout, &QTimer::timeout, this, &GLibContextBridge::run);
        // Held for good: GLib signals the wake-up descriptor for work that other threads
        // queue only while some thread holds the context.
        m_owned = g_main_context_acquire(g_main_context_default());
        run();
    }

    ~GLibContextBridge() override
    {
        if (m_owned)
            g_main_context_release(g_main_context_default());
    }

private:
    void run()
    {
        GMainContext* context = g_main_context_default();
        while (g_main_context_iteration(context, false)) {
        }
        watch(context);
    }

    // One prepare-query-check cycle without waiting, for what to wait on next.
    void watch(GMainContext* context)
    {
        m_notifiers.clear();
        if (!m_owned) {
            // Another thread runs the context; nothing to wait on here.
            return;
        }
        gint priority = 0;
        g_main_context_prepare(context, &priority);
        gint timeoutMs = -1;
        std::vector<GPollFD> fds(8);
        int count = 0;
        while ((count = g_main_context_query(context, priority, &timeoutMs, fds.data(),
                                             int(fds.size()))) > int(fds.size()))
            fds.resize(count);
        fds.resize(count);
        if (g_main_context_check(context, priority, fds.data(), count)) {
            g_main_context_dispatch(context);
            m_timeout.start(0);
            return;
        }
        for (const GPollFD& fd : fds) {
            for (auto [condition, type] : {std::pair{G_IO_IN, QSocketNotifier::Read},
                                           std::pair{G_IO_OUT, QSocketNotifier::Write}}) {
                if (!(fd.events & condition))
                    continue;
                auto notifier = std::make_unique<QSocketNotifier>(fd.fd, type);
                connect(notifier.get(), &QSocketNotifier::activated, this,
                        &GLibContextBridge::runSoon);
                m_notifiers.push_back(std::move(notifier));
            }
        }
        if (timeoutMs >= 0)
            m_timeout.start(timeoutMs);
        else
            m_timeout.stop();
    }

    // Not from inside the notifier's own signal: running rebuilds the notifiers.
    void runSoon()
    {
        for (const auto& notifier : m_notifiers)
            notifier->setEnabled(false);
        m_timeout.start(0);
    }

    std::vector<std::unique_ptr<QSocketNotifier>> m_notifiers;
    QTimer m_timeout;
    bool m_owned = false;
};

} // namespace

void ensureGLibDispatch()
{
    static bool checked = false;
    if (checked || !QCoreApplication::instance())
        return;
    checked = true;
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher && dispatcher->inherits("QEventDispatcherGlib"))
        return;
    new GLibContextBridge(QCoreApplication::instance());
}

} // namespace mirevo

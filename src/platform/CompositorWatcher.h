#pragma once

#include <QObject>

namespace mirevo {

// Whether a compositing manager blends translucent windows, followed while the program
// runs: compositors start and stop (a desktop's effects switched off, a crash, a session
// that starts one late).
class CompositorWatcher : public QObject {
    Q_OBJECT
public:
    // The session's watcher, created on first use. Where the platform blends or clips by
    // itself (not X11), it reports a compositor that always runs.
    static CompositorWatcher& shared();

    bool isRunning() const { return m_running; }

signals:
    void runningChanged(bool running);

protected:
    explicit CompositorWatcher(bool running, QObject* parent = nullptr)
        : QObject(parent), m_running(running)
    {}
    void setRunning(bool running);

private:
    bool m_running;
};

} // namespace mirevo

#pragma once

#include "platform/InputSource.h"

#include <QDBusServiceWatcher>
#include <QTimer>

#include <memory>

namespace mirevo {

// Picks the backend that is running: fcitx5 when its name is on the session bus, else
// IBus when its daemon answers, else the X keyboard. Daemons start late and restart, so
// the choice is made again whenever one of their names comes or goes; the chosen
// backend's answers and signal pass straight through.
class AutoInputSource : public InputSource {
    Q_OBJECT
public:
    explicit AutoInputSource(QObject* parent = nullptr);
    ~AutoInputSource() override;

    std::optional<QString> currentSourceId() override;
    // "auto:ibus", "auto:fcitx5", "auto:xkb", or "auto:none" when nothing answers.
    QString backendName() const override;
    bool isReady() const override;

    InputSource* backend() const { return m_backend.get(); }

signals:
    void backendChanged();

private:
    void resolve();
    void scheduleResolve();
    std::unique_ptr<InputSource> choose();

    QDBusServiceWatcher m_watcher;
    std::unique_ptr<InputSource> m_backend;
    QTimer m_soon;
    QTimer m_later;
};

} // namespace mirevo

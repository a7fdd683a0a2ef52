#pragma once

#include "platform/InputSource.h"
#include "platform/sources/LayoutCode.h"
#include "platform/sources/sway/SwayKeyboards.h"

#include <QLocalSocket>
#include <QTimer>

#include <optional>

namespace mirevo {

// sway's own keyboard layout, read over its IPC socket ($SWAYSOCK): the keyboards' layouts
// once, then sway's "input" events, so a switch is heard without polling, also while no
// X11 window has the keyboard. The socket is read without waiting. While sway is not there
// (not started yet, restarting, gone) the last layout stays and the socket is tried again
// at growing intervals; a new sway at the same path is followed from its first answer.
class SwayInputSource : public InputSource {
    Q_OBJECT
public:
    static constexpr int kAnswerLimitMs = 2000;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLongestRetryMs = 16000;

    explicit SwayInputSource(const QString& socketPath = socketFromEnvironment(),
                             QObject* parent = nullptr);
    ~SwayInputSource() override;

    std::optional<QString> currentSourceId() override { return m_current; }
    // sway names only the active layout, not the keyboard's list: see LayoutCode.h.
    QString currentLayoutCode() override
    {
        return layoutCodeForSourceId(m_current.value_or(QString()));
    }
    QString backendName() const override { return QStringLiteral("sway"); }
    bool isReady() const override { return m_ready; }

    static QString socketFromEnvironment() { return qEnvironmentVariable("SWAYSOCK"); }
    // Whether a program listens at `socketPath` now: connecting to a local socket either
    // succeeds or fails at once, so this never waits.
    static bool answersAt(const QString& socketPath);

private:
    void connectToSway();
    void send();
    void read();
    void lose();
    void update();

    QString m_path;
    QLocalSocket m_socket;
    QByteArray m_buffer;
    sway::SwayKeyboards m_keyboards;
    QTimer m_retry;
    QTimer m_answerLimit;
    int m_retryDelayMs = kFirstRetryMs;
    std::optional<QString> m_current;
    bool m_ready = false;
};

} // namespace mirevo

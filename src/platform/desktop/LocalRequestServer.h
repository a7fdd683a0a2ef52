#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QSocketNotifier;

namespace mirevo {

// Answers one-line requests ("show-settings\n") on a Unix socket, for later starts of the
// program that ask the running one to do something. Whoever connects is held to a short
// request and a short time, and at most kMaxPeers are connected at once, the longest
// connected making way for a new one: no peer can make the program buffer without end or
// keep descriptors, and silent ones cannot keep a start out. Running out of descriptors
// pauses accepting instead of ending it.
class LocalRequestServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRequestBytes = 256;
    static constexpr int kSilentPeerTimeoutMs = 1000;
    static constexpr int kMaxPeers = 8;
    // Connections the system queues for us to accept; they cost no descriptor of ours.
    static constexpr int kBacklog = 64;
    static constexpr int kAcceptRetryMs = 250;
    static inline const QByteArray kAcknowledgement = QByteArrayLiteral("ok\n");

    // `handler` gets each request without its newline; true sends the acknowledgement.
    explicit LocalRequestServer(std::function<bool(const QByteArray&)> handler,
                                QObject* parent = nullptr);
    ~LocalRequestServer() override;

    // Listens at `path`, replacing a socket left there: call it only while holding what
    // makes this process the one instance. False, with errorString(), when it cannot.
    bool listen(const QString& path);
    QString errorString() const { return m_error; }

private:
    class Peer;
    void acceptPending();
    void serve(int fd);

    std::function<bool(const QByteArray&)> m_handler;
    int m_fd = -1;
    QString m_path;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_acceptRetry;
    QList<Peer*> m_peers; // in the order they came
    QString m_error;
};

} // namespace mirevo

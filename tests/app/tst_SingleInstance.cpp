#include "app/ScriptingHandlers.h"
#include "app/SingleInstance.h"
#include "common/FakeInputSource.h"
#include "common/TestRegistry.h"
#include "indicator/Fakes.h"
#include "input/IMEMonitor.h"
#include "platform/desktop/LocalRequestServer.h"
#include "platform/desktop/PrivateRuntimeFolder.h"

#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent/QtConcurrent>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace mirevo;

namespace {

// The first instance in a folder of its own, counting the requests that reach it.
struct RunningInstance {
    QTemporaryDir dir;
    SingleInstance instance{"test.app", dir.path()};
    int requests = 0;

    RunningInstance()
    {
        instance.handlers().activate = [this] { ++requests; };
        QCOMPARE(instance.start(SingleInstance::Arbiter::lockFileOnly),
                 SingleInstance::Start::primary);
    }
    // A peer on the instance's socket, outside the protocol of a later start.
    std::unique_ptr<QLocalSocket> connectPeer() const
    {
        auto peer = std::make_unique<QLocalSocket>();
        peer->connectToServer(dir.filePath("instance.socket"));
        return peer;
    }
};

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    // Stray peers are dropped, unheard: an oversized request at once, a silent peer at its
    // deadline. Sixteen silent peers that come back whenever dropped (a client stuck in a
    // loop, or one out to block the program) still leave a later start served within its
    // 5 s.
    void laterStartsHandOverPastStrayPeers()
    {
        RunningInstance first;
        auto oversized = first.connectPeer();
        auto silent = first.connectPeer();
        oversized->write(QByteArray(4096, 'x')); // no newline, ever
        QTRY_COMPARE_WITH_TIMEOUT(oversized->state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(silent->state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(silent->state(), QLocalSocket::UnconnectedState, 10000);
        std::vector<std::unique_ptr<QLocalSocket>> returning;
        for (int i = 0; i < 16; ++i) {
            returning.push_back(first.connectPeer());
            QLocalSocket* peer = returning.back().get();
            connect(
                peer, &QLocalSocket::disconnected, peer,
                [peer, &first] { peer->connectToServer(first.dir.filePath("instance.socket")); },
                Qt::QueuedConnection);
        }
        QCOMPARE(first.requests, 0);
        // The later start blocks on its request beside the first one's event loop.
        SingleInstance second("test.app", first.dir.path());
        QFuture<SingleInstance::Start> started =
            QtConcurrent::run([&] { return second.start(SingleInstance::Arbiter::lockFileOnly); });
        QTRY_VERIFY_WITH_TIMEOUT(started.isFinished(), 30000);
        QCOMPARE(started.result(), SingleInstance::Start::handedOver);
        QTRY_COMPARE(first.requests, 1);
        for (const auto& peer : returning)
            peer->disconnect();
    }

    void requestsAreServedAgainAfterDescriptorsRunOut()
    {
        RunningInstance first;
        auto peer = first.connectPeer();
        QVERIFY(peer->waitForConnected(1000));
        peer->write(SingleInstance::kShowSettingsRequest + '\n');
        peer->flush();
        // Every descriptor taken: accepting the queued peer fails until some are free.
        rlimit saved{};
        ::getrlimit(RLIMIT_NOFILE, &saved);
        const rlimit low{256, saved.rlim_max};
        ::setrlimit(RLIMIT_NOFILE, &low);
        std::vector<int> hoard;
        for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
            hoard.push_back(fd);
        QTest::qWait(300);
        for (int fd : hoard)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &saved);
        QTRY_COMPARE(first.requests, 1);
        QTRY_COMPARE(peer->peek(16), LocalRequestServer::kAcknowledgement);
    }

    void privateRuntimeFolder_data()
    {
        QTest::addColumn<QString>("before"); // what is at the folder's place beforehand
        QTest::addColumn<bool>("usable");
        QTest::newRow("cache folder without a runtime folder") << "no runtime folder" << true;
        QTest::newRow("made by another user") << "other user" << false;
        QTest::newRow("open to its group") << "mode 0750" << false;
        QTest::newRow("open to others") << "mode 0705" << false;
        QTest::newRow("a link") << "link" << false;
    }
    void privateRuntimeFolder()
    {
        QFETCH(QString, before);
        QFETCH(bool, usable);
        QTemporaryDir base;
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        before == "no runtime folder" ? qunsetenv("XDG_RUNTIME_DIR")
                                      : qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(base.path()));
        const QString expected = base.filePath("test.app");
        const QByteArray native = QFile::encodeName(expected);
        if (before == "link") // to a private folder of this user, but placed by anyone
            QCOMPARE(::symlink(QFile::encodeName(base.path()).constData(), native.constData()), 0);
        else if (before == "other user" || before.startsWith("mode"))
            QCOMPARE(::mkdir(native.constData(), 0700), 0);
        if (before == "other user")
            QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
        if (before.startsWith("mode"))
            QCOMPARE(::chmod(native.constData(), before.mid(5).toUInt(nullptr, 8)), 0);
        const PrivateRuntimeFolder folder = mirevo::privateRuntimeFolder("test.app");
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("XDG_CACHE_HOME", savedCache);
        QCOMPARE(folder.path, usable ? expected : QString());
        QCOMPARE(folder.problem.isEmpty(), usable);
        struct stat made {};
        QVERIFY(!usable ||
                (::stat(native.constData(), &made) == 0 && (made.st_mode & 07777) == 0700));
    }

    // An empty tab name opens the last one (named tabs and refusals: e2e single_instance.sh
    // and settings_keyboard.sh).
    void scriptsOpenTheLastTabWithoutAName()
    {
        test::FakeInputSource source;
        IMEMonitor monitor(&source);
        test::FakeSettingsWindow window;
        QVERIFY(scriptingHandlers(monitor, window).showSettings(""));
        QCOMPARE(window.requests, QList<std::optional<SettingsTab>>({std::nullopt}));
    }
};

MIREVO_TEST_CLASS(SingleInstanceTest)
#include "tst_SingleInstance.moc"

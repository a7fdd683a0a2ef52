#include "common/TestRegistry.h"
#include "platform/x11/IBusAddress.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;

namespace {

constexpr qint64 kLivePid = 4242;

bool onlyLivePid(qint64 pid)
{
    return pid == kLivePid;
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class IBusAddressTest : public QObject {
    Q_OBJECT
private slots:
    void addressFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no address
        const QByteArray recorded = "# This file is created by ibus-daemon, please do not modify "
                                    "it.\n# This file allows processes on the machine to find "
                                    "the\n# ibus session bus with the below address.\n"
                                    "IBUS_ADDRESS=unix:path=/tmp/ibus/dbus-Xx1,guid=abc\n"
                                    "IBUS_DAEMON_PID=4242\n";
        QTest::newRow("recorded") << recorded << "unix:path=/tmp/ibus/dbus-Xx1,guid=abc";
        QTest::newRow("dead daemon") << QByteArray(recorded).replace("4242", "4243") << "";
        QTest::newRow("crlf") << QByteArray(
                                     "IBUS_ADDRESS=unix:abstract=/x\r\nIBUS_DAEMON_PID=4242\r\n")
                              << "unix:abstract=/x";
        QTest::newRow("no pid") << QByteArray("IBUS_ADDRESS=unix:abstract=/x\n") << "";
        QTest::newRow("pid not a number")
            << QByteArray("IBUS_ADDRESS=unix:abstract=/x\nIBUS_DAEMON_PID=42x\n") << "";
        QTest::newRow("negative pid")
            << QByteArray("IBUS_ADDRESS=unix:abstract=/x\nIBUS_DAEMON_PID=-1\n") << "";
        QTest::newRow("no address") << QByteArray("IBUS_DAEMON_PID=4242\n") << "";
        QTest::newRow("empty address") << QByteArray("IBUS_ADDRESS=\nIBUS_DAEMON_PID=4242\n") << "";
        QTest::newRow("commented out")
            << QByteArray("#IBUS_ADDRESS=unix:abstract=/x\nIBUS_DAEMON_PID=4242\n") << "";
        QTest::newRow("binary junk") << QByteArray("\0\xff\xfe=\n\n", 6) << "";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void addressFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QCOMPARE(parseIBusAddressFile(content, onlyLivePid).value_or(QString()), expected);
    }

    void addressFilePath_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("local") << ":0" << false << "unix-0";
        QTest::newRow("screen number") << ":99.0" << false << "unix-99";
        QTest::newRow("remote host") << "example:1.0" << false << "example-1";
        QTest::newRow("no colon") << "3" << false << "unix-3";
        QTest::newRow("empty") << "" << false << "unix-0";
        QTest::newRow("wayland") << "wayland-0" << true << "unix-wayland-0";
    }
    void addressFilePath()
    {
        QFETCH(QString, display);
        QFETCH(bool, wayland);
        QFETCH(QString, suffix);
        QCOMPARE(ibusAddressFilePath("/home/u/.config", "0123abcd", display, wayland),
                 "/home/u/.config/ibus/bus/0123abcd-" + suffix);
    }

    // The lookup order on real files: IBUS_ADDRESS, then IBUS_ADDRESS_FILE, whose daemon
    // must be alive.
    void lookupFromEnvironment()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("address");
        const auto write = [&path](qint64 pid) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("IBUS_ADDRESS=unix:abstract=/tmp/test\nIBUS_DAEMON_PID=" +
                       QByteArray::number(pid) + "\n");
        };
        const ScopedEnv noAddress("IBUS_ADDRESS", QByteArray());
        const ScopedEnv file("IBUS_ADDRESS_FILE", path.toLocal8Bit());

        write(QCoreApplication::applicationPid());
        QCOMPARE(findIBusAddress().value_or(QString()), QStringLiteral("unix:abstract=/tmp/test"));

        QProcess finished;
        finished.start("true");
        QVERIFY(finished.waitForStarted());
        const qint64 deadPid = finished.processId();
        QVERIFY(finished.waitForFinished());
        QVERIFY(deadPid > 0);
        QVERIFY(!isProcessAlive(deadPid));
        write(deadPid);
        QVERIFY(!findIBusAddress());

        const ScopedEnv direct("IBUS_ADDRESS", "unix:abstract=/direct");
        QCOMPARE(findIBusAddress().value_or(QString()), QStringLiteral("unix:abstract=/direct"));
    }
};

MIREVO_TEST_CLASS(IBusAddressTest)
#include "tst_IBusAddress.moc"

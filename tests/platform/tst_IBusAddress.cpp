#include "common/TestRegistry.h"
#include "platform/x11/IBusAddress.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using mirevo::test::row;

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
        const QByteArray address = "IBUS_ADDRESS=unix:abstract=/x\n";
        row("recorded", recorded, "unix:path=/tmp/ibus/dbus-Xx1,guid=abc");
        row("dead daemon", QByteArray(recorded).replace("4242", "4243"), "");
        row("crlf", QByteArray("IBUS_ADDRESS=unix:abstract=/x\r\nIBUS_DAEMON_PID=4242\r\n"),
            "unix:abstract=/x");
        row("no pid", address, "");
        row("pid not a number", address + "IBUS_DAEMON_PID=42x\n", "");
        row("negative pid", address + "IBUS_DAEMON_PID=-1\n", "");
        row("empty address", QByteArray("IBUS_ADDRESS=\nIBUS_DAEMON_PID=4242\n"), "");
        row("commented out", "#" + address + "IBUS_DAEMON_PID=4242\n", "");
        row("binary junk", QByteArray("\0\xff\xfe=\n\n", 6), "");
    }
    void addressFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const auto alive = [](qint64 pid) { return pid == 4242; };
        QCOMPARE(parseIBusAddressFile(content, alive).value_or(QString()), expected);
    }

    void addressFilePath_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("suffix");
        row("local", ":0", false, "unix-0");
        row("screen number", ":99.0", false, "unix-99");
        row("remote host", "example:1.0", false, "example-1");
        row("no colon", "3", false, "unix-3");
        row("empty", "", false, "unix-0");
        row("wayland", "wayland-0", true, "unix-wayland-0");
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
        const auto restore = qScopeGuard([] {
            qunsetenv("IBUS_ADDRESS");
            qunsetenv("IBUS_ADDRESS_FILE");
        });
        qunsetenv("IBUS_ADDRESS");
        qputenv("IBUS_ADDRESS_FILE", path.toLocal8Bit());
        const auto lookup = [&path](qint64 pid) {
            QFile file(path);
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write("IBUS_ADDRESS=unix:abstract=/x\nIBUS_DAEMON_PID=" + QByteArray::number(pid));
            file.close();
            return findIBusAddress().value_or(QString());
        };
        QCOMPARE(lookup(QCoreApplication::applicationPid()), "unix:abstract=/x");
        QCOMPARE(lookup(std::numeric_limits<int>::max()), QString()); // above any pid_max
        qputenv("IBUS_ADDRESS", "unix:abstract=/direct");
        QCOMPARE(lookup(QCoreApplication::applicationPid()), "unix:abstract=/direct");
    }
};

MIREVO_TEST_CLASS(IBusAddressTest)
#include "tst_IBusAddress.moc"

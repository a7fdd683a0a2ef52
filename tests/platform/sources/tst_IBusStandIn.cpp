#include "common/TestRegistry.h"
#include "platform/sources/ibus/IBusInputSource.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

using namespace mirevo;
using mirevo::test::row;

namespace {

// A stand-in for ibus-daemon on a private dbus-daemon, which serves as both the session bus
// and IBus's bus. A real ibus-daemon never sends a malformed engine: only a stand-in can.
// Its GlobalEngine answer is `reply`: the property's value as GVariant text, "error" (what
// IBus says without an engine) or "silent" (no answer at all).
struct IBusStandIn {
    QProcess bus;
    GDBusConnection* connection = nullptr;
    QString reply;
    QList<GDBusMethodInvocation*> unanswered;
    QByteArray m_sessionBus;

    static void call(GDBusConnection*, const char*, const char*, const char*, const char*,
                     GVariant*, GDBusMethodInvocation* invocation, gpointer self)
    {
        auto* standIn = static_cast<IBusStandIn*>(self);
        if (standIn->reply == "silent") {
            standIn->unanswered << invocation;
            return;
        }
        GVariant* value = g_variant_parse(nullptr, standIn->reply.toUtf8().constData(), nullptr,
                                          nullptr, nullptr);
        if (!value) {
            g_dbus_method_invocation_return_dbus_error(
                invocation, "org.freedesktop.DBus.Error.Failed", "No global engine.");
            return;
        }
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
        g_variant_unref(value);
    }

    bool start()
    {
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!bus.waitForReadyRead(10000))
            return false;
        const QByteArray address = bus.readLine().trimmed();
        m_sessionBus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("IBUS_ADDRESS", address);
        const auto flags = GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
        connection = g_dbus_connection_new_for_address_sync(address.constData(), flags, nullptr,
                                                            nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
            "<node><interface name='org.freedesktop.DBus.Properties'><method name='Get'>"
            "<arg type='s' direction='in'/><arg type='s' direction='in'/>"
            "<arg type='v' direction='out'/></method></interface></node>",
            nullptr);
        static const GDBusInterfaceVTable vtable{&call, nullptr, nullptr, {}};
        const bool registered =
            connection && g_dbus_connection_register_object(connection, "/org/freedesktop/IBus",
                                                            node->interfaces[0], &vtable, this,
                                                            nullptr, nullptr) > 0;
        g_dbus_node_info_unref(node);
        return registered && g_bus_own_name_on_connection(connection, "org.freedesktop.IBus",
                                                          G_BUS_NAME_OWNER_FLAGS_NONE, nullptr,
                                                          nullptr, nullptr, nullptr) > 0;
    }

    void announce(const QString& value)
    {
        reply = value;
        g_dbus_connection_emit_signal(connection, nullptr, "/org/freedesktop/IBus",
                                      "org.freedesktop.IBus", "GlobalEngineChanged",
                                      g_variant_new("(s)", "any"), nullptr);
    }

    ~IBusStandIn()
    {
        for (GDBusMethodInvocation* invocation : unanswered)
            g_dbus_method_invocation_return_dbus_error(invocation, "test.Stop", "");
        if (connection)
            g_object_unref(connection);
        bus.kill();
        bus.waitForFinished();
        qunsetenv("IBUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus);
    }
};

const QString kEngine = QStringLiteral(
    "<('IBusEngineDesc', @a{sv} {}, '%1', '%2', '', '%3', 'GPL', '', '', '%4', uint32 0, '', "
    "'', '', '', '', '', '', '')>");

} // namespace

// The IBus source keeps the last engine the daemon named while the daemon answers with
// something else, and follows it again after.
class IBusStandInTest : public QObject {
    Q_OBJECT
    IBusStandIn m_standIn;
    std::unique_ptr<IBusInputSource> m_source;

private slots:
    void initTestCase()
    {
        QVERIFY(m_standIn.start());
        m_standIn.reply = kEngine.arg("hangul", "Hangul", "ko", "kr");
        m_source = std::make_unique<IBusInputSource>();
        QTRY_COMPARE(m_source->currentSourceId().value_or(""), "ibus.inputmethod.hangul.Korean");
    }

    void keepsTheLastEngine_data()
    {
        QTest::addColumn<QString>("reply");
        row("another structure", kEngine.arg("x", "X", "ko", "kr").replace("IBusEngineDesc", "X"));
        row("a string", QString("<'xkb:us::eng'>"));
        row("no engine", QString("error"));
        row("no answer", QString("silent"));
    }
    void keepsTheLastEngine()
    {
        QFETCH(QString, reply);
        QSignalSpy answered(m_source.get(), &InputSource::mayHaveChanged);
        m_standIn.announce(reply);
        QTRY_VERIFY(answered.count() > 0);
        QCOMPARE(m_source->currentSourceId().value_or(""), "ibus.inputmethod.hangul.Korean");
    }

    void followsAgain()
    {
        m_standIn.announce(kEngine.arg("xkb:us::eng", "English (US)", "en", "us"));
        QTRY_COMPARE(m_source->currentSourceId().value_or(""), "ibus.keylayout.us.English (US)");
    }

    void cleanupTestCase() { m_source.reset(); }
};

MIREVO_TEST_CLASS(IBusStandInTest)
#include "tst_IBusStandIn.moc"

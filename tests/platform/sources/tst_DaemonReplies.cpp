#include "common/TestRegistry.h"
#include "input/LanguageRules.h"
#include "platform/sources/DBusStringTuples.h"
#include "platform/sources/Fcitx5InputSource.h"
#include "platform/sources/KdeKeyboardConfig.h"
#include "platform/sources/gnome/GnomeSources.h"
#include "platform/sources/ibus/IBusAddress.h"
#include "platform/sources/ibus/IBusEngineDesc.h"
#include "platform/sources/ibus/IBusProperties.h"
#include "platform/x11/xkb/XkbRulesNames.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServer>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <glib.h>

using namespace mirevo;
using mirevo::test::row;

namespace {

// One entry of fcitx5's AvailableInputMethods: six strings and the "configurable" flag.
struct Method {
    QStringList fields;
};
using Methods = QList<Method>;

QDBusArgument& operator<<(QDBusArgument& argument, const Method& method)
{
    argument.beginStructure();
    for (int i = 0; i < 6; ++i)
        argument << method.fields.value(i);
    argument << true;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, Method&)
{
    return argument;
}

// Answers every call with the prepared arguments.
class Replier : public QDBusVirtualObject {
public:
    QVariantList arguments;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        return connection.send(message.createReply(arguments));
    }
};

// `value` as QtDBus delivers it after a real peer-to-peer D-Bus round trip.
QVariantList deliveredThroughDBus(const QVariant& value)
{
    QDBusServer server(QStringLiteral("unix:tmpdir=") + QDir::tempPath());
    server.setAnonymousAuthenticationAllowed(true);
    Replier replier;
    replier.arguments = {value};
    QObject::connect(&server, &QDBusServer::newConnection, [&replier](QDBusConnection peer) {
        peer.registerVirtualObject(QStringLiteral("/reply"), &replier);
    });
    const QDBusMessage reply =
        QDBusConnection::connectToPeer(server.address(), QStringLiteral("client"))
            .call(QDBusMessage::createMethodCall({}, "/reply", "test.Delivery", "Get"),
                  QDBus::BlockWithGui, 5000);
    QDBusConnection::disconnectFromPeer(QStringLiteral("client"));
    return reply.arguments();
}

// A GVariant from its text form; nothing for an empty text.
std::shared_ptr<GVariant> parsed(const QString& text)
{
    GVariant* value = text.isEmpty() ? nullptr
                                     : g_variant_parse(nullptr, text.toUtf8().constData(), nullptr,
                                                       nullptr, nullptr);
    return value ? std::shared_ptr<GVariant>(value, &g_variant_unref) : nullptr;
}

// An IBusEngineDesc as ibus-daemon 1.5.27 sends it; %1 is the engine name, %2 the fields
// after the rank.
const QString kHangul = QStringLiteral(
    "('IBusEngineDesc', @a{sv} {'x': <1>}, '%1', 'Hangul', 'Korean Input Method', 'ko', "
    "'GPL', 'Peng Huang', 'ibus-hangul', 'kr', uint32 0%2)");
const QString kTail = QStringLiteral(", '', '한', '', 'kr104', '', '1.5.4', 'ibus-hangul', ''");

// An IBusProperty (ibus 1.5.27); without the symbol as daemons before 1.5 send it.
QString ibusProperty(const QString& key, const QString& label, const QString& symbol,
                     bool withSymbol = true)
{
    const auto text = [](const QString& t) {
        return "<('IBusText', @a{sv} {}, '" + t + "', <('IBusAttrList', @a{sv} {}, @av [])>)>";
    };
    return "('IBusProperty', @a{sv} {}, '" + key + "', uint32 1, " + text(label) + ", '', " +
           text("") + ", true, true, uint32 0, <('IBusPropList', @a{sv} {}, @av [])>" +
           (withSymbol ? ", " + text(symbol) : QString()) + ")";
}

} // namespace

Q_DECLARE_METATYPE(Method)
Q_DECLARE_METATYPE(Methods)

class DaemonRepliesTest : public QObject {
    Q_OBJECT
private slots:
    void ibusEngineDesc_data()
    {
        QTest::addColumn<QString>("sent");     // GVariant text; empty: no value at all
        QTest::addColumn<QString>("expected"); // "name|language|layout|variant"; empty: nothing
        const QString current = kHangul.arg("hangul", kTail);
        row("property value, variant in variant", "<<" + current + ">>", "hangul|ko|kr|kr104");
        row("older daemon without layout_variant",
            "<<" + kHangul.arg("hangul", ", '', '한', ''") + ">>", "hangul|ko|kr|");
        row("another structure name", QString(current).replace("IBusEngineDesc", "IBusText"), "");
        row("empty engine name", kHangul.arg("", kTail), "");
        row("no value", "", "");
    }
    void ibusEngineDesc()
    {
        QFETCH(QString, sent);
        QFETCH(QString, expected);
        const auto value = parsed(sent);
        QVERIFY(sent.isEmpty() || value);
        const std::optional<IBusEngineInfo> info = parseIBusEngineDesc(value.get());
        QCOMPARE(info.has_value(), !expected.isEmpty());
        if (info) {
            QCOMPARE(QStringList({info->name, info->language, info->layout, info->layoutVariant})
                         .join('|'),
                     expected);
            QCOMPARE(info->longname, QStringLiteral("Hangul"));
        }
    }

    // Modes the engines announce (as ibus-mozc 2.28 and ibus-libpinyin 1.15 send them) and
    // the language they map to; hangul's and mozc's plain modes are in e2e_ibus_modes.
    void ibusInputMode_data()
    {
        QTest::addColumn<QString>("engine");   // "name|language"
        QTest::addColumn<QString>("sent");     // RegisterProperties' list, or one property
        QTest::addColumn<QString>("expected"); // language; empty: says nothing
        const auto list = [](const QString& properties) {
            return "<('IBusPropList', @a{sv} {}, [" + properties + "])>";
        };
        const auto mode = [&](const char* label, const char* symbol) {
            return list("<" + ibusProperty("hanja_mode", "Hanja lock", "") + ">, <" +
                        ibusProperty("InputMode", label, symbol) + ">");
        };
        row("mozc wide Latin", "mozc-jp|ja", mode("Input Mode (Ａ)", "Ａ"), "english");
        row("pinyin English", "libpinyin|zh_CN", mode("English", "英"), "english");
        row("label only: direct", "anthy|ja", mode("Direct input", ""), "english");
        row("older daemon, no symbol", "mozc-jp|ja",
            list("<" + ibusProperty("InputMode", "Alphanumeric", "", false) + ">"), "english");
        row("no InputMode: the language", "hangul|ko",
            list("<" + ibusProperty("setup", "Setup", "") + ">"), "korean");
        row("update of InputMode", "hangul|ko", "<" + ibusProperty("InputMode", "", "EN") + ">",
            "english");
        row("update of another property", "hangul|ko",
            "<" + ibusProperty("hanja_mode", "", "EN") + ">", "");
        row("another structure", "hangul|ko", "<('IBusText', @a{sv} {}, 'EN', <0>)>", "");
    }
    void ibusInputMode()
    {
        QFETCH(QString, engine);
        QFETCH(QString, sent);
        QFETCH(QString, expected);
        const auto value = parsed(sent);
        QVERIFY(value);
        const auto mode = sent.contains("IBusPropList', @a{sv} {}, [")
                              ? inputModeOfPropList(value.get())
                              : inputModeOfProperty(value.get());
        QCOMPARE(mode.has_value(), !expected.isEmpty());
        if (mode) {
            const IBusEngineInfo info{engine.section('|', 0, 0),    {},        {},
                                      engine.section('|', 1),       "default", {},
                                      *mode == IBusInputMode::latin};
            QCOMPARE(rawValue(detectLanguage(ibusSourceId(info))), expected);
        }
    }

    // The source GNOME Shell 43 applied, from GSettings, IBus and the X keyboard; the real
    // shell's common cases are in e2e_gnome*, these rows are the edges.
    void gnomeAppliedSource_data()
    {
        QTest::addColumn<QString>("sources");    // GVariant text
        QTest::addColumn<QString>("mruSources"); // GVariant text
        QTest::addColumn<QString>("engine");     // IBus's global engine; "-": IBus not running
        QTest::addColumn<QString>("xkbLayout");  // "-": no X keyboard of the shell's
        QTest::addColumn<QString>("expected");   // "type:id"; empty: nothing
        const QString four = "[('xkb', 'us'), ('xkb', 'ru'), ('xkb', 'de'), ('ibus', 'hangul')]";
        const QString layoutEngine = "xkb:us::eng";
        row("keymap switched before IBus", four, "[('xkb', 'us'), ('ibus', 'hangul')]",
            layoutEngine, "kr+kr104", "xkb:us");
        row("no IBus, no keyboard", four, "[('ibus', 'hangul'), ('xkb', 'ru')]", "-", "-",
            "ibus:hangul");
        row("only input methods", "[('ibus', 'hangul'), ('ibus', 'anthy')]", "[('ibus', 'anthy')]",
            layoutEngine, "us", "ibus:anthy");
        row("nothing chosen yet", "[('ibus', 'hangul'), ('xkb', 'us')]", "@a(ss) []", "-", "-",
            "ibus:hangul");
        row("chosen source since removed", "[('xkb', 'us'), ('xkb', 'ru')]",
            "[('xkb', 'de'), ('xkb', 'ru')]", "-", "-", "xkb:ru");
        row("layout with a variant", "[('xkb', 'us'), ('xkb', 'de+neo')]", "[('xkb', 'us')]",
            layoutEngine, "de+neo", "xkb:de+neo");
        row("values of other types", "['ru']", "7", "-", "-", "xkb:us");
        row("entry without an id", "[('xkb', 'us'), ('xkb', 'ru')]", "[('xkb', '')]", "-", "-",
            "xkb:us");
    }
    void gnomeAppliedSource()
    {
        QFETCH(QString, sources);
        QFETCH(QString, mruSources);
        QFETCH(QString, engine);
        QFETCH(QString, xkbLayout);
        QFETCH(QString, expected);
        const auto all = parsed(sources);
        const auto mru = parsed(mruSources);
        QVERIFY(all && mru);
        const auto given = [](const QString& v) {
            return v == "-" ? std::nullopt : std::optional(v);
        };
        const std::optional<GnomeSource> source =
            appliedGnomeSource({parseGnomeSources(all.get()), parseGnomeSources(mru.get()),
                                given(engine), given(xkbLayout)});
        QCOMPARE(source ? source->type + ':' + source->id : QString(), expected);
    }

    // fcitx5's AvailableInputMethods as QtDBus delivers it must not pass for KDE's a(sss).
    void fcitx5MethodsThroughDBus()
    {
        qDBusRegisterMetaType<Method>();
        qDBusRegisterMetaType<Methods>();
        const Methods recorded{
            {{"keyboard-us", "Keyboard - English (US)", "", "input-keyboard", "us", "en"}},
            {{"hangul", "Hangul", "한글", "fcitx-hangul", "한", "ko"}}};
        const QVariant delivered = deliveredThroughDBus(QVariant::fromValue(recorded)).value(0);
        const auto methods = parseFcitx5Methods(delivered);
        QVERIFY(methods && methods->size() == 2);
        QCOMPARE(methods->at(1).uniqueName + ':' + methods->at(1).languageCode, "hangul:ko");
        QVERIFY(!parseKdeLayouts(delivered));
        const QVariant none = deliveredThroughDBus(QVariant::fromValue(Methods{})).value(0);
        QVERIFY(parseFcitx5Methods(none)->isEmpty());
        const QVariant wrapped = QVariant::fromValue(QDBusVariant(QVariant::fromValue(recorded)));
        QVERIFY(!parseFcitx5Methods(deliveredThroughDBus(wrapped).value(0)));
    }

    // Answers to CurrentInputMethod the real fcitx5 cannot be made to send keep the last
    // good one.
    void fcitx5CurrentMethodThroughDBus()
    {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            "org.fcitx.Fcitx5", "/controller", "org.fcitx.Fcitx.Controller1", "CurrentInputMethod");
        const auto answer = [](const QDBusMessage& reply) {
            return Fcitx5InputSource::currentMethodFrom(reply).value_or("(last good)");
        };
        const auto delivered = [&](auto value) {
            return answer(call.createReply(deliveredThroughDBus(QVariant::fromValue(value))));
        };
        QCOMPARE(delivered(QString("")), "");
        QCOMPARE(delivered(7), "(last good)");
        QCOMPARE(delivered(QDBusVariant(QStringLiteral("hangul"))), "(last good)");
        QCOMPARE(answer(call.createErrorReply(QDBusError::ServiceUnknown, "gone")), "(last good)");
    }

    // kxkbrc as Plasma 5.27 and its kconf_update scripts write it.
    void kxkbrc_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected"); // "layout(variant)" joined with '|'
        const QByteArray recorded =
            "[$Version]\nupdate_info=kxkb.upd:remove-empty-lists,kxkb_variants.upd:split-variants"
            "\n\n[Layout]\nDisplayNames=EN,,,\nLayoutList=us,ru,us,de\nResetOldOptions=true\n"
            "SwitchMode=Global\nUse=true\nVariantList=,phonetic,rus,\n";
        row("recorded", recorded, "us|ru(phonetic)|us(rus)|de");
        row("trailing variants dropped",
            QByteArray("[Layout]\nLayoutList=us,us,ru,gb,gb\nVariantList=,intl,,dvorak\n"),
            "us|us(intl)|ru|gb(dvorak)|gb");
        row("one empty variant", QByteArray("[Layout]\nVariantList=\\\\0\nLayoutList=us\n"), "us");
        row("flags, blanks, CRLF",
            QByteArray("[Layout][$i]\r\n LayoutList[$i] = us, ru \r\nVariantList=,\\sphonetic\r\n"),
            "us|ru(phonetic)");
        row("other groups and translations",
            QByteArray("LayoutList=fr\n[Layout]\nLayoutList=us,ru\nLayoutList[de]=de\n"
                       "VariantList=,phonetic\n[Layout][Sub]\nLayoutList=gr\n"),
            "us|ru(phonetic)");
        row("binary junk", QByteArray("\0\xff[Layout\n=\n", 12), "");
    }
    void kxkbrc()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        const LayoutList list = parseKxkbrc(text);
        QStringList names;
        for (qsizetype i = 0; i < list.layouts.size(); ++i)
            names << list.layouts[i] + (list.variants.value(i).isEmpty()
                                            ? QString()
                                            : '(' + list.variants.value(i) + ')');
        QCOMPARE(names.join('|'), expected);
    }

    void xkbRulesNames_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("layouts");  // joined with '|'
        QTest::addColumn<QString>("variants"); // joined with '|'
        row("more variants than layouts", QByteArray("evdev\0pc105\0us\0intl,x\0\0", 24), "us",
            "intl");
        row("truncated", QByteArray("evdev\0pc1", 9), "", "");
    }
    void xkbRulesNames()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, layouts);
        QFETCH(QString, variants);
        const XkbRulesNames names = parseXkbRulesNames(property);
        QCOMPARE(names.layouts.join('|'), layouts);
        QCOMPARE(names.variants.join('|'), variants);
    }

    void addressFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: no address
        const QByteArray recorded = "# This file is created by ibus-daemon, please do not "
                                    "modify it.\nIBUS_ADDRESS=unix:path=/tmp/ibus/dbus-Xx1,"
                                    "guid=abc\nIBUS_DAEMON_PID=4242\n";
        const QByteArray address = "IBUS_ADDRESS=unix:abstract=/x\n";
        row("dead daemon", QByteArray(recorded).replace("4242", "4243"), "");
        row("crlf", QByteArray("IBUS_ADDRESS=unix:abstract=/x\r\nIBUS_DAEMON_PID=4242\r\n"),
            "unix:abstract=/x");
        row("pid not a number", address + "IBUS_DAEMON_PID=42x\n", "");
        row("negative pid", address + "IBUS_DAEMON_PID=-1\n", "");
        row("empty address", QByteArray("IBUS_ADDRESS=\nIBUS_DAEMON_PID=4242\n"), "");
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
        row("screen number", ":99.0", false, "unix-99");
        row("remote host", "example:1.0", false, "example-1");
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

    // IBUS_ADDRESS first, then IBUS_ADDRESS_FILE, whose daemon must be alive.
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
            test::writeFile(path, "IBUS_ADDRESS=unix:abstract=/x\nIBUS_DAEMON_PID=" +
                                      QByteArray::number(pid));
            return findIBusAddress().value_or(QString());
        };
        QCOMPARE(lookup(QCoreApplication::applicationPid()), "unix:abstract=/x");
        QCOMPARE(lookup(std::numeric_limits<int>::max()), QString()); // above any pid_max
        qputenv("IBUS_ADDRESS", "unix:abstract=/direct");
        QCOMPARE(lookup(QCoreApplication::applicationPid()), "unix:abstract=/direct");
    }
};

MIREVO_TEST_CLASS(DaemonRepliesTest)
#include "tst_DaemonReplies.moc"

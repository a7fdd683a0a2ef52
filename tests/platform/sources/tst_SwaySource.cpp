#include "common/TestRegistry.h"
#include "platform/sources/sway/SwayInputSource.h"
#include "platform/sources/sway/SwayIpc.h"
#include "platform/sources/sway/SwayKeyboards.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

using namespace mirevo;
using namespace mirevo::sway;
using mirevo::test::row;

namespace {

// Byte streams recorded from sway 1.7 (nested on Xvfb, `input * xkb_layout us,ru`) after
// SUBSCRIBE ["input"] and GET_INPUTS: the replies, then the events of two switches with
// `xkb_switch_layout next` and of wtype's virtual keyboard coming and going between them.
// The second was recorded while wtype ran: sway lists the new keyboard first, without names.
QByteArray recorded(const QString& name)
{
    QFile file(QStringLiteral(MIREVO_SOURCE_DIR "/tests/platform/sources/sway/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A keyboard as sway's GET_INPUTS reply and its events write it.
QByteArray keyboard(const char* id, const char* names, int index, const char* active)
{
    return QStringLiteral(R"({"identifier": "%1", "type": "keyboard", "xkb_layout_names": [%2],
                             "xkb_active_layout_index": %3, "xkb_active_layout_name": %4})")
        .arg(id, names)
        .arg(index)
        .arg(active)
        .toUtf8();
}
QByteArray inputEvent(const char* change, const QByteArray& device)
{
    return R"({"change": ")" + QByteArray(change) + R"(", "input": )" + device + "}";
}
const QByteArray kRussian =
    keyboard("1:1:kbd", R"j("English (US)", "Russian")j", 1, R"("Russian")");
const QByteArray kEnglish =
    keyboard("1:1:kbd", R"j("English (US)", "Russian")j", 0, R"j("English (US)")j");

} // namespace

// sway's IPC framing, which keyboard's layout is followed, and a broken connection.
class SwaySourceTest : public QObject {
    Q_OBJECT
private slots:
    // The layout after each message of a stream read in chunks of every size: a recording of
    // sway's, or a keyboard typing Russian and then replies sway does not send (a stand-in's).
    // A switch moves to the switched keyboard; a virtual keyboard's keymap takes nothing
    // over; unusable replies change nothing; a stream that is not i3-ipc stops the reading.
    void followsTheKeyboards_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("layouts"); // after each message; "-" for none
        const auto afterRussian = [](const QByteArray& inputs, const QByteArray& event) {
            return encodeMessage(MessageType::getInputs, "[" + kRussian + "]") +
                   encodeMessage(MessageType::getInputs, inputs) +
                   encodeMessage(MessageType::inputEvent, event);
        };
        row("recorded: switches, virtual keyboard between", recorded("switches.i3ipc"),
            QStringList{"-", "English (US)", "Russian", "Russian", "Russian", "English (US)"});
        row("recorded: virtual keyboard listed first", recorded("virtual_keyboard_first.i3ipc"),
            QStringList{"-", "English (US)"});
        row("not JSON", afterRussian("<html>", "{"), QStringList{"Russian", "Russian", "Russian"});
        row("no keyboards", afterRussian("[]", "{\"change\": \"xkb_layout\"}"),
            QStringList{"Russian", "-", "-"});
        row("switch to an index past the names",
            afterRussian("[" + kRussian + "]",
                         inputEvent("xkb_layout", keyboard("1:1:kbd", R"("Greek")", 3, "null"))),
            QStringList{"Russian", "Russian", "Russian"});
        row("name missing, index given",
            afterRussian("[" + kRussian + "]",
                         inputEvent("xkb_layout", keyboard("1:1:kbd", R"("Greek")", 0, "null"))),
            QStringList{"Russian", "Russian", "Greek"});
        row("second keyboard switched",
            afterRussian(
                "[" + kRussian + "]",
                inputEvent("xkb_layout", keyboard("2:2:b", R"("Arabic")", 0, R"("Arabic")"))),
            QStringList{"Russian", "Russian", "Arabic"});
        row("followed keyboard removed",
            afterRussian("[" + kRussian + "," + QByteArray(kEnglish).replace("1:1", "2:2") + "]",
                         inputEvent("removed", kRussian)),
            QStringList{"Russian", "Russian", "English (US)"});
        row("no i3-ipc magic", "i3-ipd" + recorded("switches.i3ipc").mid(6), QStringList{"x"});
        row("length past any reply", "i3-ipc" + QByteArray(8, '\xff'), QStringList{"x"});
    }
    void followsTheKeyboards()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, layouts); // "x": the stream is refused
        QVERIFY(!stream.isEmpty());
        for (const int chunk : {1, 5, 14, 100, int(stream.size())}) {
            SwayKeyboards keyboards;
            QByteArray buffer;
            QStringList seen;
            for (qsizetype at = 0; at < stream.size() && !seen.contains("x"); at += chunk) {
                buffer += stream.mid(at, chunk);
                const auto messages = takeMessages(buffer);
                for (const Message& message : messages.value_or(QList<Message>{})) {
                    if (message.type == MessageType::getInputs)
                        keyboards.applyInputs(message.payload);
                    else if (message.type == MessageType::inputEvent)
                        keyboards.applyEvent(message.payload);
                    seen << keyboards.activeLayoutName().value_or("-");
                }
                if (!messages)
                    seen << "x";
            }
            QCOMPARE(seen, layouts);
        }
    }

    // A stream that is not i3-ipc, and a reply that is not JSON, which sway never sends (a
    // stand-in at the socket): the source connects again and keeps the last layout.
    void reconnectsAfterABrokenStream()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sway-ipc.sock");
        QLocalServer server;
        QVERIFY(server.listen(path));
        // Answers each connection's GET_INPUTS with the next of `replies`.
        QList<QByteArray> replies{"[" + kRussian + "]", "not json"};
        QList<QLocalSocket*> clients;
        QObject::connect(&server, &QLocalServer::newConnection, [&] {
            QLocalSocket* client = server.nextPendingConnection();
            clients << client;
            QObject::connect(client, &QLocalSocket::readyRead, client, [&, client] {
                QByteArray request = client->readAll();
                const auto messages = takeMessages(request);
                if (messages && messages->size() == 2 && !replies.isEmpty())
                    client->write(encodeMessage(MessageType::getInputs, replies.takeFirst()));
            });
        });
        SwayInputSource source(path);
        QTRY_COMPARE(source.currentSourceId().value_or(""), QString("sway.keylayout.ru.Russian"));

        clients.last()->write("garbage that is no i3-ipc frame");
        QTRY_COMPARE_WITH_TIMEOUT(clients.size(), 2, 5000); // connected again
        QTRY_VERIFY(replies.isEmpty());                     // and answered "not json"
        QCOMPARE(source.currentSourceId().value_or(""), QString("sway.keylayout.ru.Russian"));
        clients.last()->write(
            encodeMessage(MessageType::inputEvent, inputEvent("xkb_layout", kEnglish)));
        QTRY_COMPARE(source.currentSourceId().value_or(""),
                     QString("sway.keylayout.us.English (US)"));
    }
};

MIREVO_TEST_CLASS(SwaySourceTest)
#include "tst_SwaySource.moc"

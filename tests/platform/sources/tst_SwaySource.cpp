#include "common/TestRegistry.h"
#include "platform/sources/sway/SwayInputSource.h"
#include "platform/sources/sway/SwayIpc.h"
#include "platform/sources/sway/SwayKeyboards.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirevo;
using namespace mirevo::sway;
using mirevo::test::row;

namespace {

// Byte streams recorded from sway 1.7 (nested on Xvfb, `input * xkb_layout us,ru`) after
// SUBSCRIBE ["input"] and GET_INPUTS: the replies, then the events of two switches with
// `xkb_switch_layout next` and of wtype's virtual keyboard coming and going between them.
// The second was recorded while wtype ran: sway lists the new keyboard first, without names.
QByteArray recorded(const char* name)
{
    QFile file(QStringLiteral(MIREVO_SOURCE_DIR "/tests/platform/sources/sway/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<Message> messagesIn(QByteArray stream)
{
    return takeMessages(stream).value_or(QList<Message>());
}

// A keyboard of sway's GET_INPUTS reply as sway writes it.
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

// sway's IPC framing, which keyboard's layout is followed, and the source's connection to sway.
class SwaySourceTest : public QObject {
    Q_OBJECT
private slots:
    // Chunks of every size: a reply split anywhere is put back together, in order.
    void splitsTheRecordedStream()
    {
        const QByteArray stream = recorded("switches.i3ipc");
        QVERIFY(!stream.isEmpty());
        for (const int chunk : {1, 5, 14, 100, int(stream.size())}) {
            QByteArray buffer;
            QList<quint32> types;
            for (qsizetype at = 0; at < stream.size(); at += chunk) {
                buffer += stream.mid(at, chunk);
                const auto messages = takeMessages(buffer);
                QVERIFY(messages);
                for (const Message& message : *messages)
                    types << message.type;
            }
            QCOMPARE(types, (QList<quint32>{MessageType::subscribe, MessageType::getInputs,
                                            MessageType::inputEvent, MessageType::inputEvent,
                                            MessageType::inputEvent, MessageType::inputEvent}));
            QVERIFY(buffer.isEmpty());
        }
        QByteArray noMagic = "i3-ipd" + stream.mid(6);
        QVERIFY(!takeMessages(noMagic));
        QByteArray huge = "i3-ipc" + QByteArray(8, '\xff');
        QVERIFY(!takeMessages(huge));
    }

    // The layout after each message of a recording: a switch moves to the switched keyboard;
    // a virtual keyboard's keymap, listed first or coming and going, takes nothing over.
    void followsTheRecordedKeyboards_data()
    {
        QTest::addColumn<QString>("recording");
        QTest::addColumn<QStringList>("layouts"); // after each message; "-" for none
        row("switches, virtual keyboard between", QString("switches.i3ipc"),
            QStringList{"-", "English (US)", "Russian", "Russian", "Russian", "English (US)"});
        row("virtual keyboard listed first", QString("virtual_keyboard_first.i3ipc"),
            QStringList{"-", "English (US)"});
    }
    void followsTheRecordedKeyboards()
    {
        QFETCH(QString, recording);
        QFETCH(QStringList, layouts);
        SwayKeyboards keyboards;
        QStringList seen;
        for (const Message& message : messagesIn(recorded(qPrintable(recording)))) {
            if (message.type == MessageType::getInputs)
                QVERIFY(keyboards.applyInputs(message.payload));
            else if (message.type == MessageType::inputEvent)
                QVERIFY(keyboards.applyEvent(message.payload));
            seen << keyboards.activeLayoutName().value_or("-");
        }
        QCOMPARE(seen, layouts);
    }

    // Replies sway does not send (a stand-in's), after a keyboard typing Russian: unusable
    // ones leave the layout as it was.
    void survivesBrokenReplies_data()
    {
        QTest::addColumn<QByteArray>("inputs");
        QTest::addColumn<QByteArray>("eventPayload");
        QTest::addColumn<QString>("layout");
        const QByteArray russian = "[" + kRussian + "]";
        row("not JSON", QByteArray("<html>"), QByteArray("{"), "Russian");
        row("no keyboards", QByteArray("[]"), QByteArray(), "-");
        row("event without fields", russian, QByteArray(R"({"change": "xkb_layout"})"), "Russian");
        row("switch to an index past the names", russian,
            inputEvent("xkb_layout", keyboard("1:1:kbd", R"j("English (US)")j", 3, "null")),
            "Russian");
        row("name missing, index given", russian,
            inputEvent("xkb_layout", keyboard("1:1:kbd", R"("Greek", "Russian")", 0, "null")),
            "Greek");
        row("second keyboard switched", russian,
            inputEvent("xkb_layout", keyboard("2:2:other", R"("Arabic")", 0, R"("Arabic")")),
            "Arabic");
        row("followed keyboard removed",
            "[" + kRussian + "," + QByteArray(kEnglish).replace("1:1", "2:2") + "]",
            inputEvent("removed", kRussian), "English (US)");
    }
    void survivesBrokenReplies()
    {
        QFETCH(QByteArray, inputs);
        QFETCH(QByteArray, eventPayload);
        QFETCH(QString, layout);
        SwayKeyboards keyboards;
        QVERIFY(keyboards.applyInputs("[" + kRussian + "]"));
        keyboards.applyInputs(inputs);
        keyboards.applyEvent(eventPayload);
        QCOMPARE(keyboards.activeLayoutName().value_or("-"), layout);
    }

    // The source against a stand-in at a socket path: sway not there yet, a broken stream,
    // sway gone and a new sway at the same path. The last layout stays meanwhile.
    void outlivesSway()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sway-ipc.sock");
        SwayInputSource source(path);
        QTRY_VERIFY(source.isReady());
        QVERIFY(!source.currentSourceId());
        QVERIFY(!SwayInputSource::answersAt(path));

        auto server = std::make_unique<QLocalServer>();
        QVERIFY(server->listen(path));
        QVERIFY(SwayInputSource::answersAt(path));
        // Answers each connection's GET_INPUTS with the next of `replies`.
        QList<QByteArray> replies{"[" + kRussian + "]", "not json"};
        QList<QLocalSocket*> clients;
        const auto serve = [&] {
            QLocalSocket* client = server->nextPendingConnection();
            clients << client;
            QObject::connect(client, &QLocalSocket::readyRead, client, [&, client] {
                QByteArray request = client->readAll();
                const auto messages = takeMessages(request);
                if (messages && messages->size() == 2 && !replies.isEmpty())
                    client->write(encodeMessage(MessageType::getInputs, replies.takeFirst()));
            });
        };
        QObject::connect(server.get(), &QLocalServer::newConnection, serve);
        QTRY_COMPARE_WITH_TIMEOUT(source.currentSourceId().value_or(""),
                                  QString("sway.keylayout.ru.Russian"), 5000);

        QSignalSpy changes(&source, &InputSource::mayHaveChanged);
        clients.last()->write(
            encodeMessage(MessageType::inputEvent, inputEvent("xkb_layout", kEnglish)));
        QTRY_COMPARE(source.currentSourceId().value_or(""),
                     QString("sway.keylayout.us.English (US)"));
        QCOMPARE(changes.size(), 1);

        clients.last()->write("garbage that is no i3-ipc frame");
        QTRY_COMPARE_WITH_TIMEOUT(clients.size(), 2, 5000); // connected again
        QTRY_VERIFY(replies.isEmpty());                     // and answered "not json"
        clients.last()->write(
            encodeMessage(MessageType::inputEvent, inputEvent("xkb_layout", kRussian)));
        QTRY_COMPARE(source.currentSourceId().value_or(""), QString("sway.keylayout.ru.Russian"));

        server.reset(); // sway is gone, and its socket with it
        QVERIFY(!SwayInputSource::answersAt(path));
        QTest::qWait(1500);
        QCOMPARE(source.currentSourceId().value_or(""), QString("sway.keylayout.ru.Russian"));

        server = std::make_unique<QLocalServer>();
        QVERIFY(server->listen(path));
        clients.clear();
        replies = {"[" + kEnglish + "]"};
        QObject::connect(server.get(), &QLocalServer::newConnection, serve);
        QTRY_COMPARE_WITH_TIMEOUT(source.currentSourceId().value_or(""),
                                  QString("sway.keylayout.us.English (US)"), 10000);
    }
};

MIREVO_TEST_CLASS(SwaySourceTest)
#include "tst_SwaySource.moc"

// Holds a focused fcitx5 input context, as a text field of a running program would:
// fcitx5 switches input methods only while some input context has the focus.
// Prints "focused <path>" once ready and keeps the connection open until killed.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTimer>

#include <cstdio>

namespace {

using StringPair = std::pair<QString, QString>;

struct Hint {
    QString key;
    QString value;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Hint& hint)
{
    argument.beginStructure();
    argument << hint.key << hint.value;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Hint& hint)
{
    argument.beginStructure();
    argument >> hint.key >> hint.value;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Hint)

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<Hint>();
    qDBusRegisterMetaType<QList<Hint>>();
    QDBusConnection bus = QDBusConnection::sessionBus();

    QDBusMessage create = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/org/freedesktop/portal/inputmethod"),
        QStringLiteral("org.fcitx.Fcitx.InputMethod1"), QStringLiteral("CreateInputContext"));
    create << QVariant::fromValue(
        QList<Hint>{{QStringLiteral("program"), QStringLiteral("mirevo-e2e")}});
    const QDBusMessage reply = bus.call(create, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        std::fprintf(stderr, "CreateInputContext failed: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().at(0)).path();
    const QDBusMessage focus =
        bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.fcitx.Fcitx5"), path,
                                                QStringLiteral("org.fcitx.Fcitx.InputContext1"),
                                                QStringLiteral("FocusIn")),
                 QDBus::Block, 5000);
    if (focus.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "FocusIn failed: %s\n", qPrintable(focus.errorMessage()));
        return 1;
    }
    std::printf("focused %s\n", qPrintable(path));
    std::fflush(stdout);
    return app.exec();
}

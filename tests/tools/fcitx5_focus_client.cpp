// Holds a focused fcitx5 input context, without which fcitx5 does not switch methods;
// prints "focused <path>" once ready and runs until killed.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>

#include <cstdio>
#include <cstdlib>

using Hints = QList<QPair<QString, QString>>;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<QPair<QString, QString>>();
    qDBusRegisterMetaType<Hints>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto call = [&bus](const QString& path, const char* interface, const char* method,
                             const QVariantList& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall("org.fcitx.Fcitx5", path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = bus.call(message, QDBus::Block, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            std::fprintf(stderr, "%s failed: %s\n", method, qPrintable(reply.errorMessage()));
            std::exit(1);
        }
        return reply.arguments();
    };
    const QVariantList created =
        call("/org/freedesktop/portal/inputmethod", "org.fcitx.Fcitx.InputMethod1",
             "CreateInputContext", {QVariant::fromValue(Hints{{"program", "mirevo-e2e"}})});
    const QString path = qvariant_cast<QDBusObjectPath>(created.value(0)).path();
    call(path, "org.fcitx.Fcitx.InputContext1", "FocusIn", {});
    std::printf("focused %s\n", qPrintable(path));
    std::fflush(stdout);
    return app.exec();
}

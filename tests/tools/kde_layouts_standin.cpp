// Stands in for Plasma's keyboard daemon as org.kde.keyboard: its documented interface at
// /Layouts, with the layouts of the arguments ("short[:variant]=Long name"), which the
// test-only method org.mirevo.StandIn.setLayoutsList(as) replaces.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>

#include <cstdio>

struct Layout {
    QString shortName, variant, longName;
};
Q_DECLARE_METATYPE(Layout)

QDBusArgument& operator<<(QDBusArgument& argument, const Layout& layout)
{
    argument.beginStructure();
    argument << layout.shortName << layout.variant << layout.longName;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, Layout&)
{
    return argument;
}

namespace {

QList<Layout> parseLayouts(const QStringList& texts)
{
    QList<Layout> layouts;
    for (const QString& text : texts) {
        const QString code = text.section('=', 0, 0);
        layouts << Layout{code.section(':', 0, 0), code.section(':', 1), text.section('=', 1)};
    }
    return layouts;
}

class KeyboardLayouts : public QDBusVirtualObject {
public:
    QList<Layout> layouts;
    uint current = 0;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        const QString member = message.member();
        const QVariant argument = message.arguments().value(0);
        if (member == "getLayout")
            return bus.send(message.createReply(QVariant::fromValue(current)));
        if (member == "getLayoutsList")
            return bus.send(message.createReply(QVariant::fromValue(layouts)));
        const bool switching = member == "setLayout";
        if (switching)
            current = argument.toUInt();
        else if (member == "setLayoutsList")
            layouts = parseLayouts(argument.toStringList());
        else
            return false;
        QDBusMessage announcement =
            QDBusMessage::createSignal("/Layouts", "org.kde.KeyboardLayouts",
                                       switching ? "layoutChanged" : "layoutListChanged");
        if (switching)
            announcement << current;
        return bus.send(message.createReply(true)) && bus.send(announcement);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<Layout>();
    qDBusRegisterMetaType<QList<Layout>>();
    KeyboardLayouts layouts;
    layouts.layouts = parseLayouts(app.arguments().mid(1));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject("/Layouts", &layouts) ||
        !bus.registerService("org.kde.keyboard")) {
        std::fprintf(stderr, "kde_layouts_standin: cannot serve org.kde.keyboard\n");
        return 1;
    }
    return app.exec();
}

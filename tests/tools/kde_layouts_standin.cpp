// Stands in for KDE Plasma's keyboard daemon, which cannot run outside Plasma: owns
// org.kde.keyboard on the session bus and serves the documented org.kde.KeyboardLayouts
// interface at /Layouts (getLayout, getLayoutsList, setLayout; signals layoutChanged and
// layoutListChanged). The layouts come from the arguments, "short[:variant]=Long name";
// the test-only method org.mirevo.StandIn.setLayoutsList(as) replaces them.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>

#include <cstdio>

namespace {

struct Layout {
    QString shortName, variant, longName;
};

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

} // namespace

Q_DECLARE_METATYPE(Layout)

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
        if (member == "getLayout")
            return bus.send(message.createReply(QVariant::fromValue(current)));
        if (member == "getLayoutsList")
            return bus.send(message.createReply(QVariant::fromValue(layouts)));
        if (member == "setLayout") {
            const uint index = message.arguments().value(0).toUInt();
            const bool known = index < uint(layouts.size());
            if (known)
                current = index;
            bus.send(message.createReply(known));
            return !known || announce(bus, "layoutChanged", {QVariant::fromValue(current)});
        }
        if (member == "setLayoutsList") {
            layouts = parseLayouts(message.arguments().value(0).toStringList());
            bus.send(message.createReply());
            return announce(bus, "layoutListChanged", {});
        }
        return false;
    }

private:
    static bool announce(const QDBusConnection& bus, const char* name, const QVariantList& values)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal("/Layouts", "org.kde.KeyboardLayouts", name);
        signal.setArguments(values);
        return bus.send(signal);
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

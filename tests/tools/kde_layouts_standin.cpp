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
        QVariantList reply;
        const char* signal = nullptr;
        if (member == "getLayout") {
            reply = {QVariant::fromValue(current)};
        } else if (member == "getLayoutsList") {
            reply = {QVariant::fromValue(layouts)};
        } else if (member == "setLayout") {
            const bool known = argument.toUInt() < uint(layouts.size());
            current = known ? argument.toUInt() : current;
            reply = {known};
            signal = known ? "layoutChanged" : nullptr;
        } else if (member == "setLayoutsList") {
            layouts = parseLayouts(argument.toStringList());
            signal = "layoutListChanged";
        } else {
            return false;
        }
        bus.send(message.createReply(reply));
        if (!signal)
            return true;
        QDBusMessage announcement =
            QDBusMessage::createSignal("/Layouts", "org.kde.KeyboardLayouts", signal);
        if (member == "setLayout")
            announcement << current;
        return bus.send(announcement);
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

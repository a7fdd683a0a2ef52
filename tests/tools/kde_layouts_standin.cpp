// Answers as org.kde.keyboard at /Layouts with replies the real Plasma daemon never sends
// (all else is tested against the real daemon).
//   kde_layouts_standin past-end     one layout, current index 5
//   kde_layouts_standin empty        no layouts, current index 0
//   kde_layouts_standin wrong-types  the list as strings, the index as a string
// Prints "answered MEMBER" after each reply.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>

#include <cstdio>

struct Layout {
    QString shortName, label, longName;
};
Q_DECLARE_METATYPE(Layout)

QDBusArgument& operator<<(QDBusArgument& argument, const Layout& layout)
{
    argument.beginStructure();
    argument << layout.shortName << layout.label << layout.longName;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, Layout&)
{
    return argument;
}

namespace {

class MalformedLayouts : public QDBusVirtualObject {
public:
    QString mode;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        QVariant reply;
        if (message.member() == QLatin1String("getLayout"))
            reply = mode == "wrong-types" ? QVariant(QStringLiteral("1"))
                                          : QVariant::fromValue(uint(mode == "past-end" ? 5 : 0));
        else if (message.member() == QLatin1String("getLayoutsList"))
            reply = mode == "wrong-types" ? QVariant(QStringList{QStringLiteral("us")})
                    : mode == "past-end"
                        ? QVariant::fromValue(QList<Layout>{{"us", "", "English (US)"}})
                        : QVariant::fromValue(QList<Layout>{});
        else
            return false;
        std::printf("answered %s\n", qPrintable(message.member()));
        std::fflush(stdout);
        return bus.send(message.createReply(reply));
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<Layout>();
    qDBusRegisterMetaType<QList<Layout>>();
    MalformedLayouts layouts;
    layouts.mode = app.arguments().value(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject("/Layouts", &layouts) ||
        !bus.registerService("org.kde.keyboard")) {
        std::fprintf(stderr, "kde_layouts_standin: cannot serve org.kde.keyboard\n");
        return 1;
    }
    return app.exec();
}

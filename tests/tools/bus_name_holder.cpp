// bus_name_holder NAME: holds a session-bus name without the object behind it, as a Qt
// program does while it shuts down: every call gets org.freedesktop.DBus.Error.UnknownObject.
#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDBusConnection::sessionBus().registerService(QString::fromUtf8(argv[1]))) {
        std::fputs("usage: bus_name_holder NAME (with a session bus, the name free)\n", stderr);
        return 1;
    }
    return app.exec();
}

// Holds a name on the session bus without the object behind it, as a process does while
// it shuts down: Qt D-Bus answers every call to the name at once with the error
// org.freedesktop.DBus.Error.UnknownObject. Prints "owned" once the name is its own.
//   bus_name_holder NAME
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
    std::puts("owned");
    std::fflush(stdout);
    return app.exec();
}

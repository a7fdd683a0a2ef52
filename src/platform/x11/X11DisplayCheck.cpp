#include "platform/SessionType.h"

#include <xcb/xcb.h>

namespace mirevo {

std::optional<QString> displayProblem(const QString& platform, const QString& display)
{
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        return std::nullopt;
    const QString name = display.isEmpty() ? qEnvironmentVariable("DISPLAY") : display;
    const QString needs = QStringLiteral("; Mirevo needs a graphical session");
    if (name.isEmpty())
        return QStringLiteral("cannot open the X display (DISPLAY is not set)") + needs;
    xcb_connection_t* connection = xcb_connect(name.toLocal8Bit().constData(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return QStringLiteral("cannot open the X display \"%1\"").arg(name) + needs;
    return std::nullopt;
}

} // namespace mirevo

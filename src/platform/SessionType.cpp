#include "platform/SessionType.h"

#include <QString>

namespace mirevo {

bool isWaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool canFollowPointerEverywhere()
{
    return !isWaylandSession();
}

} // namespace mirevo

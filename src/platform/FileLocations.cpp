#include "platform/FileLocations.h"

#include <QStandardPaths>

namespace mirevo {

std::optional<QString> applicationSupportDirectory()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

QString applicationId()
{
    return QStringLiteral(MIREVO_APP_ID);
}

QString applicationVersion()
{
    return QStringLiteral(MIREVO_VERSION);
}

} // namespace mirevo

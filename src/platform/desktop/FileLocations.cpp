#include "platform/desktop/FileLocations.h"

#include <QStandardPaths>

namespace mirevo {

namespace {

std::optional<QString> writableFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace

std::optional<QString> applicationSupportDirectory()
{
    return writableFolder(QStandardPaths::GenericConfigLocation);
}

std::optional<QString> earlierApplicationSupportDirectory()
{
    return writableFolder(QStandardPaths::GenericDataLocation);
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

#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// The user's folder for application data (~/.local/share here), or nothing when the
// system names none.
std::optional<QString> applicationSupportDirectory();

// The reverse-DNS application id chosen at build time.
QString applicationId();

// The program's version from the build.
QString applicationVersion();

} // namespace mirevo

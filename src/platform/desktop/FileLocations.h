#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// The user's configuration folder ($XDG_CONFIG_HOME, ~/.config), which holds the program's
// settings folder; nothing when the system names none.
std::optional<QString> applicationSupportDirectory();

// Where earlier versions kept the settings folder ($XDG_DATA_HOME, ~/.local/share).
std::optional<QString> earlierApplicationSupportDirectory();

// The reverse-DNS application id chosen at build time.
QString applicationId();

// The program's version from the build.
QString applicationVersion();

} // namespace mirevo

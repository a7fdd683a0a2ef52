// Prints the default settings file, for end-to-end tests that start from edited defaults.
//   settings-defaults > app_settings.json
#include "settings/SettingsJson.h"

#include <cstdio>

int main()
{
    const QByteArray json = mirevo::encodeSettings(mirevo::AppSettings{});
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace mirevo {

// The fields of an IBus engine description that name a source.
struct IBusEngineInfo {
    QString name;        // "hangul", "xkb:us::eng"
    QString longname;    // "Hangul", "English (US)"
    QString description; //
    QString language;    // "ko", "zh_CN", "en"
    QString layout;      // "kr", "us", "default"
    QString layoutVariant;
};

// Reads the value of the GlobalEngine property as QtDBus delivers it: variants nested
// around the IBusEngineDesc structure. Anything else gives nothing.
std::optional<IBusEngineInfo> parseIBusEngineDesc(const QVariant& value);

} // namespace mirevo

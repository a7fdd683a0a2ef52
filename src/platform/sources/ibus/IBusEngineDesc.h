#pragma once

#include <QString>

#include <optional>

typedef struct _GVariant GVariant;

namespace mirevo {

// The fields of an IBus engine description that name a source.
struct IBusEngineInfo {
    QString name;        // "hangul", "xkb:us::eng"
    QString longname;    // "Hangul", "English (US)"
    QString description; //
    QString language;    // "ko", "zh_CN", "en"
    QString layout;      // "kr", "us", "default"
    QString layoutVariant;
    bool latinMode = false; // the engine announced that it types Latin letters now
};

// Reads an IBusEngineDesc structure, as the GlobalEngine property and GetEnginesByNames
// deliver it: inside any number of variants. Anything else gives nothing.
std::optional<IBusEngineInfo> parseIBusEngineDesc(GVariant* value);

// The identifier the engine stands for ("ibus.inputmethod.hangul.Korean"; in its Latin
// mode "ibus.inputmethod.hangul.Roman").
QString ibusSourceId(const IBusEngineInfo& engine);

} // namespace mirevo

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

typedef struct _GVariant GVariant;

namespace mirevo {

// One of GNOME's input sources: type "xkb" with a layout id ("us", "de+neo"), or type
// "ibus" with an engine name ("hangul").
struct GnomeSource {
    QString type;
    QString id;
};

// The current source: the first of `mruSources` (most recently used first), else the
// first of `sources` when GNOME has not used any yet. Each is an a(ss); a value of any
// other type, or an entry with an empty id, counts as no source.
std::optional<GnomeSource> currentGnomeSource(GVariant* mruSources, GVariant* sources);

// The identifier of a source of type "xkb" ("gnome.keylayout.ru.Russian"), described by
// xkeyboard-config's registry.
QString gnomeLayoutSourceId(const QString& id);

// The identifiers of the layouts among `sources` (an a(ss)), undescribed: enough to tell
// which of them share a layout.
QStringList gnomeLayoutIds(GVariant* sources);

} // namespace mirevo

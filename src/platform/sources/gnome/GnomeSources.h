#pragma once

#include <QList>
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
    bool operator==(const GnomeSource&) const = default;
};

// An a(ss) list of sources, as GSettings holds `sources` and `mru-sources`; a value of any
// other type is an empty list, and entries with an empty id are left out.
QList<GnomeSource> parseGnomeSources(GVariant* list);

// What GNOME Shell shows of the source it applied. The shell builds the X keymap from the
// configured layouts, locks the group of the source it applies and sets IBus's engine: the
// source's own engine for an "ibus" source, IBus's US layout engine for every "xkb" source.
// It writes `mru-sources` only for a switch made by hand, not when it restores a window's
// own source on a focus change nor when it turns IBus off for a password field.
struct GnomeShellFacts {
    QList<GnomeSource> sources;    // the configured sources, in order
    QList<GnomeSource> mruSources; // most recently chosen by hand first
    // IBus's global engine while IBus runs.
    std::optional<QString> ibusEngine;
    // The layout of the keyboard's group, as an "xkb" source id ("ru", "de+neo"), when the
    // X keymap is the shell's (an X11 session).
    std::optional<QString> xkbLayout;
};

// The source the shell applied: the configured "ibus" source whose engine IBus uses; else
// the configured "xkb" source of the keyboard's layout; else the source last chosen by hand
// (or the first configured one), among the layouts only when IBus uses no input method of
// GNOME's. With no source configured the shell uses the US layout.
std::optional<GnomeSource> appliedGnomeSource(const GnomeShellFacts& facts);

// The identifier of a source of type "xkb" ("gnome.keylayout.ru.Russian"), described by
// xkeyboard-config's registry.
QString gnomeLayoutSourceId(const QString& id);

// The identifiers of the layouts among `sources`, undescribed: enough to tell which of
// them share a layout.
QStringList gnomeLayoutIds(const QList<GnomeSource>& sources);

} // namespace mirevo

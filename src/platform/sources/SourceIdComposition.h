#pragma once

#include <QString>

namespace mirevo {

// Identifiers that the language rules understand, built from what each framework reports.
//
// An input method becomes "<backend>.inputmethod.<name>.<Word>", where Word names the
// method's language ("Japanese", "SCIM", "Korean", "Roman"); a language the program does
// not tell apart gets no Word, so the rules answer "other". A keyboard layout becomes
// "<backend>.keylayout.<layout>.<Name>", where Name is the script's language for layouts
// that type another script ("Russian") and the layout's description otherwise ("English
// (US)"). Names are cleaned so that they cannot trigger a rule by accident: method names
// are lower-cased, and a Latin-typing layout never carries a language word.

// IBus engine: engines named "xkb:..." are keyboard layouts, all others input methods.
QString composeIBusSourceId(const QString& engineName, const QString& language,
                            const QString& longname, const QString& layout,
                            const QString& layoutVariant = {});

// fcitx5 input method: "keyboard-<layout>[-<variant>]" methods are keyboard layouts.
QString composeFcitx5SourceId(const QString& uniqueName, const QString& languageCode,
                              const QString& name);

// XKB group: its layout and variant from _XKB_RULES_NAMES and the group's name.
QString composeXkbSourceId(const QString& layout, const QString& variant, const QString& groupName);

// GNOME input source of type "xkb": its id, "<layout>[+<variant>]" ("de+neo"), names the
// layout; the description comes from xkeyboard-config's registry.
QString composeGnomeLayoutId(const QString& id, const QString& description);

// KDE Plasma keyboard layout: short name ("ru"), variant and long name ("Russian").
QString composeKdeSourceId(const QString& shortName, const QString& variant,
                           const QString& longName);

// Whether an identifier composed here names a keyboard layout ("<backend>.keylayout.…")
// rather than an input method.
bool isKeyboardLayoutId(const QString& id);

} // namespace mirevo

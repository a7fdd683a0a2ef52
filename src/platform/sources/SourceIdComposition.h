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

// sway keyboard layout: sway reports only the layout's name ("Russian"); the layout and
// variant are xkeyboard-config's for that name, empty when it lists no such name.
QString composeSwaySourceId(const QString& layout, const QString& variant, const QString& name);

// GNOME input source of type "xkb": its id, "<layout>[+<variant>]" ("de+neo"), names the
// layout; the description comes from xkeyboard-config's registry.
QString composeGnomeLayoutId(const QString& id, const QString& description);

// KDE Plasma keyboard layout: short name ("ru"), variant, long name ("Russian") and the
// user's display label ("EN"), kept after the layout as "@EN" for the badge's layout code.
QString composeKdeSourceId(const QString& shortName, const QString& variant,
                           const QString& longName, const QString& label = {});

// Whether an identifier composed here names a keyboard layout ("<backend>.keylayout.…")
// rather than an input method.
bool isKeyboardLayoutId(const QString& id);

} // namespace mirevo

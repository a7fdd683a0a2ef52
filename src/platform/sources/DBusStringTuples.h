#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace mirevo {

// Replies that are arrays of string structures, as QtDBus delivers them.

// The strings of each structure of an array whose signature is exactly `signature`
// ("a(sss)"; a trailing boolean, as in "a(ssb)", is skipped). Anything else gives nothing.
std::optional<QList<QStringList>> parseStringTuples(const QVariant& value,
                                                    QLatin1StringView signature);

// One entry of fcitx5's AvailableInputMethods.
struct Fcitx5Method {
    QString uniqueName;   // "hangul", "keyboard-ru"
    QString name;         // "Hangul", "Keyboard - Russian"
    QString languageCode; // "ko", "ru"
    QString icon;         // "fcitx_mozc": its modes show as "fcitx_mozc_<mode>"
};

// Reads an a(ssssssb) reply argument: (uniqueName, name, nativeName, icon, label,
// languageCode, configurable).
std::optional<QList<Fcitx5Method>> parseFcitx5Methods(const QVariant& value);

// One entry of KDE's getLayoutsList. It names no variant: the label is the user's short
// name for the layout ("EN"), empty or the layout itself when none was given.
struct KdeLayout {
    QString shortName; // "us", "ru"
    QString label;     // "EN"
    QString longName;  // "Russian (US, phonetic)": xkeyboard-config's name of layout(variant)
};

// Reads an a(sss) reply argument: (short name, display label, long name).
std::optional<QList<KdeLayout>> parseKdeLayouts(const QVariant& value);

} // namespace mirevo

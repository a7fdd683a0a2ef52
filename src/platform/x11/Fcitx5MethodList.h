#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace mirevo {

// One entry of fcitx5's AvailableInputMethods.
struct Fcitx5Method {
    QString uniqueName;   // "hangul", "keyboard-ru"
    QString name;         // "Hangul", "Keyboard - Russian"
    QString languageCode; // "ko", "ru"
};

// Reads an a(ssssssb) reply argument: (uniqueName, name, nativeName, icon, label,
// languageCode, configurable). Anything else gives nothing.
std::optional<QList<Fcitx5Method>> parseFcitx5Methods(const QVariant& value);

} // namespace mirevo

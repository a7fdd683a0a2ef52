#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// Which input-source backend to use, as given by --input-backend or MIREVO_INPUT_BACKEND.
struct InputBackendChoice {
    // kdeWithIBus and swayWithIBus (a desktop's layouts with IBus's input methods) are the
    // automatic choice's alone: parse() never gives them.
    enum class Kind {
        automatic,
        fcitx5,
        ibus,
        xkb,
        gnome,
        kde,
        file,
        kdeWithIBus,
        sway,
        swayWithIBus
    };
    Kind kind = Kind::automatic;
    QString filePath; // only for Kind::file

    static InputBackendChoice automatic() { return {}; }
    // Parses "auto", "fcitx5", "ibus", "xkb", "gnome", "kde", "sway" or "file:PATH"; nothing for
    // anything else.
    static std::optional<InputBackendChoice> parse(const QString& text);
};

} // namespace mirevo

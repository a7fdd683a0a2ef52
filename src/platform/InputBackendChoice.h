#pragma once

#include <QString>

#include <optional>

namespace mirevo {

// Which input-source backend to use, as given by --input-backend or MIREVO_INPUT_BACKEND.
struct InputBackendChoice {
    // kdeWithIBus (Plasma's layouts with IBus's input methods) is the automatic choice's
    // alone: parse() never gives it.
    enum class Kind { automatic, fcitx5, ibus, xkb, gnome, kde, file, kdeWithIBus };
    Kind kind = Kind::automatic;
    QString filePath; // only for Kind::file

    static InputBackendChoice automatic() { return {}; }
    // Parses "auto", "fcitx5", "ibus", "xkb", "gnome", "kde" or "file:PATH"; nothing for
    // anything else.
    static std::optional<InputBackendChoice> parse(const QString& text);
};

} // namespace mirevo

#include "platform/InputBackendChoice.h"

#include <utility>

namespace mirevo {

std::optional<InputBackendChoice> InputBackendChoice::parse(const QString& text)
{
    using Kind = InputBackendChoice::Kind;
    const std::pair<QLatin1StringView, Kind> names[] = {
        {QLatin1StringView("auto"), Kind::automatic}, {QLatin1StringView("fcitx5"), Kind::fcitx5},
        {QLatin1StringView("ibus"), Kind::ibus},      {QLatin1StringView("xkb"), Kind::xkb},
        {QLatin1StringView("gnome"), Kind::gnome},    {QLatin1StringView("kde"), Kind::kde},
        {QLatin1StringView("sway"), Kind::sway},
    };
    for (const auto& [name, kind] : names) {
        if (text == name)
            return InputBackendChoice{kind, {}};
    }
    const QLatin1String filePrefix("file:");
    if (text.startsWith(filePrefix) && text.size() > filePrefix.size())
        return InputBackendChoice{Kind::file, text.mid(filePrefix.size())};
    return std::nullopt;
}

} // namespace mirevo
